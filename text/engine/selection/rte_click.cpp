// Clicks: a press starts a range (or a caret, or extends the last range), drags move its free
// end by whole units, a release puts every range in order and drops empty ones.
#include <algorithm>
#include <vector>

#include "rte_document_internal.h"
#include "rte_selection.h"
#include "rte_selection_units.h"

using namespace rte_document;

namespace {

RteSelectPoint Hit(RteHandle doc, const RtePoint* window, uint32_t modifiers)
{
    RtePoint point = *window;
    RteHookTable hooks;
    {
        RteLocked<RteDocument> locked(doc);
        point.v += locked->scroll.v;
        point.h += locked->scroll.h;
        hooks = locked->hooks;
    }
    intptr_t mode = (modifiers & (RTE_SELECT_LEFT_ONLY | RTE_SELECT_LEFT_ONLY_TOO)) ? 1 : 0;
    RteSelectPoint hit;
    hooks.hitTest(doc, reinterpret_cast<intptr_t>(&point), reinterpret_cast<intptr_t>(&hit), mode, 0, 0);
    return hit;
}

// The anchor unit is kept in the range's first point, so that a drag covers it whole.
void SetUnitAnchor(RteSelectPoint* first, const RteRange& unit)
{
    first->values[0] = unit.start;
    first->values[1] = unit.end;
}

void Press(RteHandle doc, const RteSelectPoint& hit, uint32_t modifiers)
{
    RteRange unit = RteSelectionUnit(doc, hit.offset, modifiers);
    uint32_t widened = unit.start != unit.end ? RTE_SELECT_WIDENED : 0;
    RteSelectPoint pair[2] = {hit, hit};
    pair[0].offset = unit.start;
    pair[1].offset = unit.end;
    for (RteSelectPoint& point : pair)
        point.flags = RTE_SELECT_RECOMPUTE | widened;
    SetUnitAnchor(&pair[0], unit);
    RteSetSelectionPair(doc, pair, (modifiers & RTE_SELECT_ADD) != 0);
}

// The last range's free end goes to the hit's unit; the anchor side keeps its unit whole.
void Extend(RteHandle doc, const RteSelectPoint& hit, uint32_t modifiers)
{
    RteRange unit = RteSelectionUnit(doc, hit.offset, modifiers);
    RteLocked<RteDocument> locked(doc);
    RteLocked<RteSelectPoint> points(locked->selection);
    RteSelectPoint& first = points[points.size() - 2];
    RteSelectPoint& last = points[points.size() - 1];
    int32_t anchorStart = first.values[0];
    int32_t anchorEnd = first.values[1];
    if (anchorStart > anchorEnd || anchorEnd == 0) {
        anchorStart = anchorEnd = std::min(first.offset, last.offset);
        if (modifiers & RTE_SELECT_EXTEND)
            anchorStart = anchorEnd = first.offset;
    }
    if (hit.offset >= anchorStart) {
        first.offset = anchorStart;
        last.offset = std::max(unit.end, anchorEnd);
    } else {
        first.offset = anchorEnd;
        last.offset = unit.start;
    }
    first.flags |= RTE_SELECT_RECOMPUTE;
    last.flags |= RTE_SELECT_RECOMPUTE;
    locked->caretMoved = true;
}

// Empty ranges go (a caret stays when nothing else does); the others are put in order.
void Release(RteHandle doc)
{
    RteLocked<RteDocument> locked(doc);
    std::vector<RteSelectPoint> points = ElementsOf<RteSelectPoint>(locked->selection);
    std::vector<RteSelectPoint> kept;
    for (size_t i = 0; i + 1 < points.size(); i += 2) {
        if (points[i].offset == points[i + 1].offset)
            continue;
        if (points[i].offset > points[i + 1].offset)
            std::swap(points[i], points[i + 1]);
        kept.push_back(points[i]);
        kept.push_back(points[i + 1]);
    }
    if (kept.empty() && points.size() >= 2)
        kept.assign(points.end() - 2, points.end());
    RteSetCount(locked->selection, static_cast<int32_t>(kept.size()));
    std::copy(kept.begin(), kept.end(), RteLocked<RteSelectPoint>(locked->selection).get());
}

}  // namespace

int32_t RteClick(RteHandle doc, const RtePoint* point, int32_t mode, uint32_t modifiers, intptr_t, bool)
{
    RteSelectPoint hit = Hit(doc, point, modifiers);
    if (mode == RTE_CLICK_PRESS) {
        {
            RteLocked<RteDocument> locked(doc);
            locked->flags2 |= RTE_DOC2_TRACKING;
            ++locked->changes;
        }
        if (modifiers & RTE_SELECT_EXTEND)
            Extend(doc, hit, modifiers);
        else
            Press(doc, hit, modifiers);
    } else if (mode == RTE_CLICK_DRAG) {
        Extend(doc, hit, modifiers);
    } else {
        Extend(doc, hit, modifiers);
        Release(doc);
        RteLocked<RteDocument>(doc)->flags2 &= ~RTE_DOC2_TRACKING;
    }
    RteHookTable hooks = RteLocked<RteDocument>(doc)->hooks;
    std::vector<RteSelectPoint> points = ElementsOf<RteSelectPoint>(RteLocked<RteDocument>(doc)->selection);
    hooks.clicked(doc, mode, points.front().offset, points.back().offset, static_cast<intptr_t>(modifiers), 0);
    return 0;
}
