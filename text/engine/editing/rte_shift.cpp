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

// Paragraph-rect bindings at or after the offset move along an insertion; after a deletion, those
// beyond it move back (those inside it went with their text).
void ShiftBindings(RteHandle bindings, int32_t at, int32_t delta)
{
    if (!bindings)
        return;
    RteLocked<RteAnchor> entries(bindings);
    for (int32_t i = 0; i < entries.size(); ++i)
        entries[i].offset = RteShiftedOffset(entries[i].offset, at, delta, true);
}

// The start and end pairs that follow the text, a start in v and an end in h: what lies beyond
// the change moves with it, and an insertion at a pair's end goes into it.
void ShiftPairs(RteHandle pairs, int32_t at, int32_t delta)
{
    if (!pairs)
        return;
    RteLocked<RtePoint> entries(pairs);
    for (int32_t i = 0; i < entries.size(); ++i) {
        entries[i].v = RteShiftedOffset(entries[i].v, at, delta, false);
        entries[i].h = RteShiftedOffset(entries[i].h, at, delta, true);
    }
}

}  // namespace

void RteRemoveBindings(RteDocument* doc, int32_t start, int32_t end)
{
    if (!doc->anchors)
        return;
    for (int32_t i = RteCount(doc->anchors) - 1; i >= 0; --i) {
        int32_t offset = static_cast<const RteAnchor*>(RteElementPtr(doc->anchors, i, false))->offset;
        if (offset >= start && offset < end)
            RteDelete(doc->anchors, i, 1);
    }
}

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
    ShiftBindings(doc->anchors, at, delta);
    ShiftPairs(doc->points, at, delta);
    RteLinkRangesShifted(doc->self, at, delta);
    doc->hooks.textChanged(doc->self, at, delta);
}
