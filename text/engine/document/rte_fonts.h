// The font table: fonts found by their names only, never removed; and the font of a range.
#pragma once

#include "rte_runs.h"

RteHandle RteFontTable(RteHandle doc);
void RteGetFontByIndex(RteHandle doc, int32_t index, RteFont* out);
int32_t RteGetFont(RteHandle doc, const RteRange* range, bool maskFlag, RteFont* font, RteFont* mask);
void RteSetFont(RteHandle doc, const RteRange* range, const RteFont* font, const RteFont* mask, int16_t redraw);
void RteSetFontAndStyle(RteHandle doc, const RteRange* range, const RteCharStyle* style, const RteCharStyle* styleMask,
                        const RteFont* font, const RteFont* fontMask, int16_t redraw);
int32_t RteMapFontIndex(RteHandle doc, RteHandle other, int32_t index);
int32_t RteCopyFontTo(RteHandle doc, RteHandle other, int32_t index);
int32_t RteFindOrAddFont(RteHandle doc, const RteFont* font);
// Two names equal as their flags read them: a C string or a length-prefixed one.
bool RteFontNamesEqual(const RteFont& a, const RteFont& b);
