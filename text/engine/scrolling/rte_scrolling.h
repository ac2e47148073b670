// Scrolling: the view's position over the laid-out text, moved by amounts, steps, scroll-bar
// values and to a character, rounded to the scroll units and kept within the largest positions.
#pragma once

#include <cstdint>

#include "rte_document.h"

// Step codes, per axis.
constexpr int32_t RTE_SCROLL_NONE = 0;
constexpr int32_t RTE_SCROLL_LINE_UP = 1;
constexpr int32_t RTE_SCROLL_LINE_DOWN = -1;
constexpr int32_t RTE_SCROLL_VIEW_UP = 2;
constexpr int32_t RTE_SCROLL_VIEW_DOWN = -2;
constexpr int32_t RTE_SCROLL_TO_START = 3;
constexpr int32_t RTE_SCROLL_TO_END = 4;

// Document flag: the owner scrolls the display itself; the position changes, the display
// offsets (the document's scroll pair) stay. Setting it also resets the scroll position.
constexpr uint32_t RTE_DOC_OWNER_SCROLLS = RTE_DOC_RESET_SCROLL;

// Scroll-bar values stay below this.
constexpr int32_t RTE_SCROLL_VALUE_LIMIT = 16368;

// n from 2 to 32768: a unit of 2^(n-1); other values leave the unit.
void RteSetScrollUnits(RteHandle doc, int32_t horizontal, int32_t vertical);
void RteGetScrollUnits(RteHandle doc, int32_t* horizontal, int32_t* vertical);
void RteSetScrollSettings(RteHandle doc, int16_t lineH, int16_t lineV, int16_t extraH, int16_t extraV);
void RteGetScrollSettings(RteHandle doc, int16_t* lineH, int16_t* lineV, int16_t* extraH, int16_t* extraV);
void RteScrollMax(RteHandle doc, int32_t* horizontal, int32_t* vertical);
// 1 when any value differs from those last reported.
int32_t RteGetScrollValues(RteHandle doc, int32_t* h, int32_t* v, int32_t* hMax, int32_t* vMax);
// A vertical scroll-bar value given while the text was not all laid out: the same proportion
// of the maximum value once it is.
int32_t RteLayoutToValue(RteHandle doc, int32_t v);
// A value equal to the maximum value means the largest position; with align a vertical move
// that stops short of the end goes on to the next line edge.
void RteScrollToValue(RteHandle doc, int32_t h, int32_t v, bool align, int16_t redraw);
// Positive amounts move towards the start; answers 1 when the position changed.
int32_t RteScrollBy(RteHandle doc, int32_t h, int32_t v, int16_t redraw);
int32_t RteScrollStep(RteHandle doc, int32_t hCode, int32_t vCode, int16_t redraw);
// What a step moves; without commit the position is given back.
void RteScrollStepAmounts(RteHandle doc, int32_t hCode, int32_t vCode, bool commit, bool refresh, int32_t* h,
                          int32_t* v);
int32_t RteClampScroll(RteHandle doc, int16_t redraw);
void RteScrollChange(RteHandle doc, int32_t* h, int32_t* v);
void RteGetScrollPosition(RteHandle doc, RtePoint* point);
// Brings the character at the offset into the view with the slacks; 1 when it scrolled.
int32_t RteScrollToOffset(RteHandle doc, int32_t offset, int32_t hSlack, int32_t vSlack, bool align, int16_t redraw);
// Scrolls (a step at a time, at most three vertically, then three horizontally) until the rect
// of the character at the offset lies in the view inset by the amounts.
void RteScrollInside(RteHandle doc, int32_t offset, int32_t insetV, int32_t insetH, int16_t redraw);
// Slot 15: a line step in each direction given.
intptr_t RteAutoScroll(RteHandle doc, intptr_t h, intptr_t v, intptr_t point, intptr_t redraw, intptr_t);
