// Character styles and paragraph formats of ranges: read with masks, set with masks, and the
// tab stops of paragraphs. A range is a start/end pair or null for the selection; a redraw mode
// of 0 redraws nothing (redisplay comes with the layout layers).
#pragma once

#include "rte_runs.h"

int32_t RteGetCharStyle(RteHandle doc, const RteRange* range, bool maskFlag, RteCharStyle* style, RteCharStyle* mask);
void RteSetCharStyle(RteHandle doc, const RteRange* range, const RteCharStyle* style, const RteCharStyle* mask,
                     int16_t redraw);
void RteSetStyleBits(RteHandle doc, const RteRange* range, uint32_t keep, uint32_t set, int16_t redraw);
void RteCharStyleByIndex(RteHandle doc, int32_t index, RteCharStyle* out);
void RteScaleCharStyle(RteHandle doc, RteCharStyle* style, int32_t numerator, int32_t denominator);
uint32_t RteStyleBitsAt(RteHandle doc, int32_t offset, int32_t* extent);
void RteSetStyleHooks(RteHandle doc, const RteCharStyle* values, const RteCharStyle* mask,
                      const RteCharStyle* andMask, const RteCharStyleHooks* hooks, int32_t value14, int32_t value15,
                      bool relayout, int16_t redraw);

int32_t RteGetParFormat(RteHandle doc, const RteRange* range, bool maskFlag, RteParFormat* format, RteParFormat* mask);
void RteSetParFormat(RteHandle doc, const RteRange* range, const RteParFormat* format, const RteParFormat* mask,
                     int16_t redraw);

void RteSetTabBase(RteHandle doc, int32_t base);
int32_t RteGetTabBase(RteHandle doc);
// Fills tabs (RteTab) and, when given, flags (32-bit: -1 where a stop is in every paragraph).
void RteGetTabs(RteHandle doc, const RteRange* range, RteHandle tabs, RteHandle flags, int32_t* base);
void RteSetTabs(RteHandle doc, const RteRange* range, RteHandle tabs, RteHandle flags, int16_t redraw);
void RteSetTab(RteHandle doc, const RteRange* range, const RteTab* tab, int16_t redraw);
