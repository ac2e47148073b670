// The container pass: the frame of each container (each copy of a repeating wrap area that the
// view shows) drawn through the container hook, and the pages in use kept.
#pragma once

#include <cstdint>

#include "rte_document.h"

// Second document flag: the containers must be drawn after the text.
constexpr uint32_t RTE_DOC2_DRAW_CONTAINERS = 0x00400000;

// The copies of the wrap area that hold text, the text laid out first (1 when it does not
// repeat).
int32_t RtePagesInUse(RteHandle doc);
// Draws every container the view shows with the substitutes given (as RteRedisplay takes
// them), the pages in use recomputed first; the flag is cleared after.
void RteDrawContainers(RteHandle doc, const RteDrawPort* port, const RtePoint* offset, RteRectList view, int16_t mode);
// With a wrap area that grows by copies, the copies holding text counted again: those no longer
// in use are erased, then the containers drawn. Answers the pages in use.
int32_t RteUpdatePageCount(RteHandle doc, int16_t mode);
