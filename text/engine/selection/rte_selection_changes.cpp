// Selection changes by ends, by lists of ranges, and after the text changed under it.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "rte_document_internal.h"
#include "rte_highlight.h"
#include "rte_position_cache.h"
#include "rte_position_queries.h"
#include "rte_selection.h"
#include "rte_selection_units.h"

using namespace rte_document;

void RteExtendSelection(RteHandle doc, int32_t delta, uint32_t modifiers, bool byPoint)
{
    std::vector<RteSelectPoint> points = ElementsOf<RteSelectPoint>(DocLock(doc)->selection);
    int32_t first = points.front().offset;
    int32_t last = points[1].offset;
    int32_t low = std::min(first, last), high = std::max(first, last);
    bool ranges = RteSelectionRangeCount(doc) > 0;
    // The end beyond the caret anchor moves when asked; else the last end forwards and the
    // first backwards.
    int32_t anchor = DocLock(doc)->caretAnchor;
    bool moveHigh = (modifiers & RTE_SELECT_BEYOND_ANCHOR) ? std::abs(anchor - low) <= std::abs(high - anchor)
                                                           : (ranges ? delta > 0 : true);
    int32_t fixed = moveHigh ? low : high;
    int32_t moved = RtePinOffset(doc, std::max(0, (moveHigh ? high : low) + delta));
    if (!ranges)
        fixed = first;
    if (!byPoint) {
        RteSetSelection(doc, fixed, moved, modifiers & ~RTE_SELECT_BEYOND_ANCHOR, 0);
        return;
    }
    RteRect rect;
    RteCaretRect(doc, moved, true, false, &rect);
    RtePoint point{(rect.top + rect.bottom) / 2, rect.left};
    RteClick(doc, &point, RTE_CLICK_PRESS, modifiers | RTE_SELECT_EXTEND, 0, false);
    RteClick(doc, &point, RTE_CLICK_RELEASE, modifiers | RTE_SELECT_EXTEND, 0, false);
}

void RteSetSelectionRanges(RteHandle doc, const RteRange* ranges, int32_t count, int32_t base, bool draw)
{
    RteHookTable hooks = DocLock(doc)->hooks;
    if (draw) {
        hooks.port(doc, 1);
        RteHideSelection(doc, true);
    }
    if (!ranges || count <= 0)
        RteSetCaretQuiet(doc, -1);
    for (int32_t i = 0; ranges && i < count; ++i) {
        RteSelectPoint pair[2] = {};
        pair[0].offset = RtePinOffset(doc, std::max(0, ranges[i].start + base));
        pair[1].offset = RtePinOffset(doc, std::max(0, ranges[i].end + base));
        pair[0].flags = pair[1].flags = RTE_SELECT_RECOMPUTE;
        RteSetSelectionPair(doc, pair, i > 0);
    }
    if (draw) {
        RteDrawSelection(doc, RTE_CARET_SHOW);
        hooks.port(doc, 0);
    }
}

void RteInvalidateSelection(RteHandle doc, bool)
{
    DocLock locked(doc);
    RteLocked<RteSelectPoint> points(locked->selection);
    for (int32_t i = 0; i < points.size(); ++i)
        points[i].flags |= RTE_SELECT_RECOMPUTE;
    locked->caretMoved = true;
    ++locked->changes;
}

void RteInvalidateRange(RteHandle doc, int32_t start, int32_t end)
{
    {
        DocLock locked(doc);
        RteMarkForLayout(locked.get(), start, end);
        int32_t blockStart = 0;
        RteBlockAt(locked.get(), start, &blockStart);
        RteLocked<RteSelectPoint> points(locked->selection);
        for (int32_t i = 0; i < points.size(); ++i)
            if (points[i].offset >= blockStart)
                points[i].flags |= RTE_SELECT_RECOMPUTE;
    }
    RteDropDocPositions(doc);
}
