// The tables that follow a change of length at an offset.
#pragma once

#include "rte_document.h"

// An offset after a change of delta bytes at an offset (delta < 0: deleted): after an insertion
// what stands at or after it moves along; after a deletion what stood beyond it moves back, but
// never before the deletion's place.
int32_t RteShiftedOffset(int32_t x, int32_t at, int32_t delta, bool atMoves);
// Runs (character runs at the offset move along on insertion; paragraph runs do not), both
// link-range tables, every selection point (flagged for recompute), the paragraph-rect bindings,
// the pairs that follow the text, and the text-changed hook told.
void RteShiftTables(RteDocument* doc, int32_t at, int32_t delta);
// Removes the paragraph-rect bindings of the paragraphs starting in [start, end), deleted.
void RteRemoveBindings(RteDocument* doc, int32_t start, int32_t end);
