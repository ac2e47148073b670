// The rects of a document's extra area, numbered from 1, each with a value of the caller's, and
// the paragraphs bound to them renumbered as rects come and go. Every change marks the text for
// layout from the first block the rects concerned touch and redraws from there.
#pragma once

#include <cstdint>

#include "rte_document.h"

// 0 for an empty area.
int32_t RteExtraRectCount(RteHandle doc);
// Rect n (0: the bounds), less the scroll for the window, mapped through the scaling when asked.
void RteGetExtraRect(RteHandle doc, int32_t number, bool window, bool scaled, RteRect* out);
// The number of the rect that holds a window point, also written out; 0 when none does.
int32_t RteExtraRectAtPoint(RteHandle doc, const RtePoint* point, int32_t* number);
// The rect goes after rect n (into an empty area: it becomes the area), its value with it.
void RteInsertExtraRect(RteHandle doc, const RteRect* rect, int32_t after, int32_t value, int16_t redraw);
// Every rect of the list goes after rect n, each with the value 0.
void RteInsertExtraRects(RteHandle doc, int32_t after, RteRectList rects, int16_t redraw);
// Removes rect n and its value, and the bindings to it; the only rect leaves an empty area.
void RteDeleteExtraRect(RteHandle doc, int32_t number, int16_t redraw);
void RteReplaceExtraRect(RteHandle doc, const RteRect* rect, int32_t number, int16_t redraw);
// Exchanges two rects with their values.
void RteSwapExtraRects(RteHandle doc, int32_t a, int32_t b, int16_t redraw);
int32_t RteGetExtraValue(RteHandle doc, int32_t number);
void RteSetExtraValue(RteHandle doc, int32_t number, int32_t value);
