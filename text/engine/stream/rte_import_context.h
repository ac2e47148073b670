// The translators' context: a text buffer, copies of the environment's default style, format
// and font, and a table of 8-byte entries the translators fill.
#pragma once

#include "rte_environment.h"

constexpr int32_t RTE_IMPORT_BUFFER_BYTES = 4096;

struct RteImportContext {
    RteHandle buffer;  // cleared bytes
    RteCharStyle style;
    int16_t styleSetting;
    RteParFormat format;
    RteFont font;
    RteHandle entries;  // 8-byte entries
};

// Makes the two handles and copies the defaults; errors are raised to the caller's frame.
void RteImportContextInit(RteEnvironment* env, RteImportContext* context);
// Frees the two handles (either may be null).
void RteImportContextFree(RteImportContext* context);
