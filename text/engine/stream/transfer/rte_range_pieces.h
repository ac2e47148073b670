// What copy, cut and text extraction share: the ranges to work on and the walk over their
// bytes, block by block.
#pragma once

#include <functional>
#include <vector>

#include "rte_runs.h"

// The ranges of the call (null: the selection's), clamped to the text and ordered; empty when
// there is nothing to copy.
std::vector<RteRange> RteTransferRanges(RteHandle doc, const RteRange* range);
int32_t RteRangesTotal(const std::vector<RteRange>& ranges);
// Calls visit(offset, bytes, count) for each piece of the range that lies in one block; the
// block's text stays locked while the visit runs.
void RteForEachBlockPiece(RteHandle doc, const RteRange& range,
                          const std::function<void(int32_t, const uint8_t*, int32_t)>& visit);
// The document's progress hook when the amount concerned calls for one, else null.
RteProgressHook RteProgressFor(RteHandle doc, int32_t amount);
