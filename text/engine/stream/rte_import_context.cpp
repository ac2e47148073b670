// The translators' context, made from the environment's defaults.
#include "rte_import_context.h"

#include <cstring>

namespace {

constexpr int16_t kEntryBytes = 8;
constexpr uint16_t kEntryGrowth = 1;

}  // namespace

void RteImportContextInit(RteEnvironment* env, RteImportContext* context)
{
    std::memset(context, 0, sizeof *context);
    context->buffer = RteAlloc(env->context, 1, RTE_IMPORT_BUFFER_BYTES, 0, true);
    RteTryOrUndo(
        env->context, [&] { context->entries = RteAlloc(env->context, kEntryBytes, 0, kEntryGrowth, true); },
        [&] {
            RteFree(context->buffer);
            context->buffer = nullptr;
        });
    // The style up to its use count: its hooks and flags are the environment's defaults too.
    context->style = env->defaultStyle;
    context->style.useCount = 0;
    context->styleSetting = env->settings[RTE_SETTING_STYLE];
    context->format = env->defaultFormat;
    context->font = env->defaultFont;
}

void RteImportContextFree(RteImportContext* context)
{
    if (context->buffer)
        RteFree(context->buffer);
    if (context->entries)
        RteFree(context->entries);
    context->buffer = nullptr;
    context->entries = nullptr;
}
