// The ranges of a transfer and the walk over their bytes.
#include "rte_range_pieces.h"

#include <algorithm>

#include "rte_document_internal.h"
#include "rte_position_queries.h"
#include "rte_transfer.h"

using namespace rte_document;

std::vector<RteRange> RteTransferRanges(RteHandle doc, const RteRange* range)
{
    RteHandle list = RteRangeList(doc, range, false, false);
    if (!list)
        return {};
    std::vector<RteRange> ranges = ElementsOf<RteRange>(list);
    RteFree(list);
    int32_t length = RteTextLength(doc);
    for (RteRange& r : ranges) {
        r.start = std::clamp(r.start, 0, length);
        r.end = std::clamp(r.end, r.start, length);
    }
    if (RteRangesTotal(ranges) == 0)
        return {};
    return ranges;
}

int32_t RteRangesTotal(const std::vector<RteRange>& ranges)
{
    int32_t total = 0;
    for (const RteRange& r : ranges)
        total += r.end - r.start;
    return total;
}

void RteForEachBlockPiece(RteHandle doc, const RteRange& range,
                          const std::function<void(int32_t, const uint8_t*, int32_t)>& visit)
{
    for (int32_t at = range.start; at < range.end;) {
        RteHandle text = nullptr;
        int32_t left = 0;
        const uint8_t* bytes = RteTextPointer(doc, at, &text, &left);
        if (!bytes || left <= 0) {
            if (text)
                RteUnlock(text);
            return;
        }
        int32_t count = std::min(left, range.end - at);
        // The block's text is unlocked however the visit leaves.
        struct Unlock {
            RteHandle text;
            ~Unlock() { RteUnlock(text); }
        } unlock{text};
        visit(at, bytes, count);
        at += count;
    }
}

RteProgressHook RteProgressFor(RteHandle doc, int32_t amount)
{
    return amount > RTE_PROGRESS_THRESHOLD ? DocLock(doc)->hooks.progress : nullptr;
}
