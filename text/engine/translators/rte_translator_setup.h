// What both translator bases do when they are bound: the callback chosen and the translation
// started from the environment's defaults.
#pragma once

#include "rte_translator.h"

// When the caller names no callback: the memory callback over the memory handle when one is
// given, else the file callback over the caller's reference.

inline void RteChooseIo(RteHandle memory, RteIoProc memoryIo, RteIoProc fileIo, RteIoProc* io, intptr_t* reference)
{
    if (*io)
        return;
    *io = memory ? memoryIo : fileIo;
    if (memory)
        *reference = reinterpret_cast<intptr_t>(memory);
}

// Room for a chunk, and the environment's default style, format and font (no uses held).
inline void RteStartTranslation(RteTranslation* record, const RteEnvironment* env, int32_t room)
{
    *record = {};
    record->text.assign(static_cast<size_t>(room), 0);
    record->style = env->defaultStyle;
    record->style.useCount = 0;
    record->format = env->defaultFormat;
    record->format.useCount = 0;
    record->font = env->defaultFont;
}
