// Fonts, colours, sizes and attribute bits of a range set and read with Windows types. The range
// is a start and end pair or null for the selection; redraw nonzero draws with mode 1. The get
// operations answer 1 when the value is the same over the whole range, else 0.
#pragma once

#include <windows.h>

#include <cstdint>

#include "rte_runs.h"

void RteSetFontName(RteHandle doc, const char* name, const RteRange* range, int16_t redraw);
void RteSetFontFromLogFont(RteHandle doc, const LOGFONTA* logfont, const RteRange* range, int16_t redraw);
int32_t RteGetLogFont(RteHandle doc, LOGFONTA* out);
void RteSetCharColor(RteHandle doc, const COLORREF* colour, const RteRange* range, int16_t redraw);
void RteSetTextBackColor(RteHandle doc, const COLORREF* colour, const RteRange* range, int16_t redraw);
int32_t RteGetFontName(RteHandle doc, char* out);
int32_t RteGetCharColor(RteHandle doc, COLORREF* out);
int32_t RteGetTextBackColor(RteHandle doc, COLORREF* out);
void RteSetStyleBitsMasked(RteHandle doc, uint32_t bits, uint32_t maskBits, const RteRange* range, int16_t redraw);
void RteSetPointSize(RteHandle doc, int32_t points, const RteRange* range, int16_t redraw);
uint32_t RteGetAttributeBits(RteHandle doc, uint32_t* bits, uint32_t* uniform);
int32_t RteGetPointSize(RteHandle doc, int16_t* out);

// The document's port resolution (dots per inch), 96 when it has none.
int32_t RteControlResolution(RteHandle doc);
// A LOGFONT as a font record and a style of its size (points from its pixel height) and its
// bold (weight 600 up), italic, underline and strike-out; the rest of the style cleared.
void RteLogFontToStyle(RteHandle doc, const LOGFONTA* logfont, RteCharStyle* style, RteFont* font);
// A LOGFONT's font and style applied over the range: name, the five byte fields, size in points
// from its pixel height, bold from weight 600 up, italic, underline and strike-out.
void RteApplyLogFont(RteHandle doc, const LOGFONTA* logfont, const RteRange* range, int16_t redraw);
