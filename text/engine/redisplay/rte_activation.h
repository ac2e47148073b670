// Activation of a document's selection, whether it shows, and the rects of a caret and a range.
#pragma once

#include <cstdint>

#include "rte_document.h"
#include "rte_highlight.h"
#include "rte_runs.h"

// Switch values: 0 keeps, 1 makes active, 2 makes inactive.
constexpr int32_t RTE_SWITCH_KEEP = 0;
constexpr int32_t RTE_SWITCH_ACTIVE = 1;
constexpr int32_t RTE_SWITCH_INACTIVE = 2;

void RteSetActivation(RteHandle doc, int32_t first, int32_t second, int16_t redraw);
void RteGetActivation(RteHandle doc, int32_t* first, int32_t* second);
int32_t RteCaretShown(RteHandle doc);
// 0 while either switch is inactive, else 1 when ranges exist or the caret shows.
int32_t RteSelectionVisible(RteHandle doc);
// The one-pixel-wide caret rect at the offset (-1: the selection's first point) over its line, in
// window coordinates; 1 for a caret selection, 0 for a range.
int32_t RteSelectionRect(RteHandle doc, int32_t offset, RteRect* rect);
// The union of the rects of a range's characters; answers the baseline of its first line.
int32_t RteRangeBounds(RteHandle doc, const RteRange* range, bool window, bool scaled, RteRect* rect);
