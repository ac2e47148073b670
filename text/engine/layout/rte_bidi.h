// Reading direction at the level of a text block's laid-out pieces: the paragraph direction,
// the two caret positions at a direction boundary and the highlight of a range as drawn.
#pragma once

#include <cstdint>

#include "rte_line_piece.h"
#include "rte_runs.h"

// The format's direction, or the system's when it gives none.
int32_t RteParDirection(RteEnvironment* env, const RteParFormat* format);
// 1 when the system's reading direction changed since the document last looked: every block is
// then to be laid out again, every selection point found again and the caret point forgotten.
int32_t RteCheckSystemDirection(RteHandle doc);

// The caret of a selection point: the piece it stands in (point->line, an index into the
// block's pieces, RteLinePiece in the block's lines handle), its primary position (point->point.h)
// and its secondary position (point->values[2]), both from the piece's left edge. At a direction
// boundary the two differ: one stands at each run's edge.
void RteBidiCaretPositions(RteHandle doc, int32_t block, RteSelectPoint* point);

// Adds to the list the rects of the block's characters between two selection points (null: the
// block's start, its end) as its pieces draw them, right-to-left pieces read from their right.
void RteRangeHighlightRects(RteHandle doc, int32_t block, RteRectList list, const RteSelectPoint* start,
                            const RteSelectPoint* end);
