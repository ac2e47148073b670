// Shifting the offset-keyed tables after a change.
#include "rte_shift.h"

#include <algorithm>

#include "rte_links.h"
#include "rte_typed.h"

int32_t RteShiftedOffset(int32_t x, int32_t at, int32_t delta, bool atMoves)
{
    if (delta >= 0)
        return (x > at || (atMoves && x == at)) ? x + delta : x;
    return x > at ? std::max(at, x + delta) : x;
}

namespace {

void ShiftRuns(RteHandle runs, int32_t at, int32_t delta, bool atMoves)
{
    RteLocked<RteStyleRun> entries(runs);
    int32_t last = entries.size() - 1;
    for (int32_t i = 1; i < last; ++i)
        entries[i].offset = RteShiftedOffset(entries[i].offset, at, delta, atMoves);
    entries[last].offset += delta;
}

}  // namespace

void RteShiftTables(RteDocument* doc, int32_t at, int32_t delta)
{
    ShiftRuns(doc->charRuns, at, delta, true);
    ShiftRuns(doc->parRuns, at, delta, false);
    {
        // Every point follows, not only the first ranges': none may be left past the text.
        RteLocked<RteSelectPoint> points(doc->selection);
        for (int32_t i = 0; i < points.size(); ++i) {
            points[i].offset = RteShiftedOffset(points[i].offset, at, delta, true);
            points[i].flags |= RTE_SELECT_RECOMPUTE;
        }
    }
    doc->caretPoint = RtePoint{};
    RteLinkRangesShifted(doc->self, at, delta);
    doc->hooks.textChanged(doc->self, at, delta);
}
