// Helpers for drawing one style run: the point size of raised or lowered text, the case-changed
// copy of its bytes, its word segments with a line under each, and colour comparisons.
#pragma once

#include <cstdint>

#include "rte_runs.h"

// Style class bit: the case fields are not applied.
constexpr uint32_t RTE_STYLE_KEEP_CASE = 0x20;

// Whole points: the size (12 when 0), times n / 12 for a superscript value n, or a subscript
// value alone (n = 12 then).
int32_t RteDrawPointSize(RteHandle doc, const RteCharStyle* style);
// The document's scratch copy of the bytes in the style's case, or null when it changes none.
RteHandle RteCaseText(RteHandle doc, const RteCharStyle* style, const uint8_t* bytes, int32_t length);
// The next word segment of [first, end) of a block's text: from the first word character on to
// after a blank or control character, or before a word-break character. Answers where the
// search goes on.
int32_t RteWordSegment(RteHandle doc, RteStyleWalk* walker, const uint8_t* text, int32_t blockStart, int32_t first,
                       int32_t end, int32_t* segmentStart, int32_t* segmentEnd);
// Draws a line under each word segment of a run, from the segment's first position to its end,
// through the device's line drawing.
typedef void (*RteLineDrawer)(void* context, int32_t x0, int32_t x1, int32_t y);
void RteDrawWordLines(RteHandle doc, RteStyleWalk* walker, const uint8_t* text, int32_t blockStart, int32_t first,
                      int32_t count, const int32_t* positions, int32_t x, int32_t y, RteLineDrawer draw,
                      void* context);

int32_t RteEqualColor(const RteColor* a, const RteColor* b);
int32_t RteIsEnvColor(const RteEnvironment* env, const RteColor* colour);
// The device's own record of a drawing port (opaque to the model).
void* RtePortDevice(const RteDrawPort* port);
