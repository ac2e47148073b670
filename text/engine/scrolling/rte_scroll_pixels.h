// Scrolled pixels: the view's pixels moved by a scroll, and only what they uncovered drawn.
#pragma once

#include <cstdint>

#include "rte_document.h"

// Moves the view's pixels vertically, then horizontally (positive amounts towards the start),
// telling slot 16 before and after each; a new list of the window rects uncovered, null when
// the device draws nothing.
RteRectList RteMovePixels(RteHandle doc, int32_t h, int32_t v);
// Inside the port hook pair of a scroll whose highlight (and caret) was hidden before the position
// changed: the pixels moved, the uncovered area drawn with the mode, the highlight drawn again.
void RteRedrawScrolled(RteHandle doc, RtePoint moved, int16_t redraw, bool highlighted);
// After the owner moved the pixels itself: a strip of the height given at the top (positive)
// or bottom (negative) and one of the width given at the left or right drawn with the mode.
void RteRedrawStrips(RteHandle doc, int32_t v, int32_t h, int16_t redraw);
