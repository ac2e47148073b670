// Setting, reading and moving the selection.
#include "rte_selection.h"

#include <algorithm>
#include <vector>

#include "rte_document_internal.h"
#include "rte_highlight.h"
#include "rte_position_queries.h"
#include "rte_selection_units.h"
#include "rte_text_bounds.h"

using namespace rte_document;

namespace {

RteSelectPoint StalePoint(int32_t offset, uint32_t flags)
{
    RteSelectPoint point = {};
    point.offset = offset;
    point.flags = RTE_SELECT_RECOMPUTE | flags;
    return point;
}

bool IsBlank(RteHandle doc, int32_t offset) { return RteCharInfo(doc, offset, RTE_CLASS_BLANK) != 0; }

int32_t NextWordStart(RteHandle doc, int32_t offset, int32_t length)
{
    if (offset >= length)
        return length;
    int32_t start = 0, end = 0;
    RteWordBounds(doc, offset, &start, &end, false, true);
    return end > offset ? end : offset + 1;
}

int32_t PreviousWordStart(RteHandle doc, int32_t offset)
{
    while (offset > 0 && IsBlank(doc, offset - 1))
        --offset;
    if (offset == 0)
        return 0;
    int32_t start = 0, end = 0;
    RteWordBounds(doc, offset - 1, &start, &end, true, false);
    return std::min(start, offset - 1);
}

// The display line around an offset, its block laid out first.
void LineAround(RteHandle doc, int32_t offset, int32_t* start, int32_t* end)
{
    RteFindTextBlock(doc, offset, nullptr, true, true);
    RteLineBounds(doc, offset, start, end);
}

int32_t LineStart(RteHandle doc, int32_t offset, bool again)
{
    int32_t start = 0, end = 0;
    LineAround(doc, offset, &start, &end);
    if (again && start == offset && offset > 0)
        LineAround(doc, offset - 1, &start, &end);
    return start;
}

// The line's end, before the break character that ends it.
int32_t LineEnd(RteHandle doc, int32_t offset, int32_t length)
{
    int32_t start = 0, end = 0;
    LineAround(doc, offset, &start, &end);
    if (end > start && end <= length && RteCharInfo(doc, end - 1, RTE_CLASS_CONTROL) != 0)
        --end;
    return end;
}

}  // namespace

void RteSetSelection(RteHandle doc, int32_t start, int32_t end, uint32_t modifiers, int16_t redraw)
{
    start = RtePinOffset(doc, start);
    end = RtePinOffset(doc, end);
    if (start > end)
        std::swap(start, end);
    RteRange unitStart = RteSelectionUnit(doc, start, modifiers);
    RteRange unitEnd = RteSelectionUnit(doc, end, modifiers);
    uint32_t widened = (modifiers & RTE_SELECT_WORD) ? RTE_SELECT_WIDENED : 0;
    RteSelectPoint pair[2] = {StalePoint(unitStart.start, widened), StalePoint(unitEnd.end, widened)};
    if (!redraw) {
        RteSetSelectionPair(doc, pair, (modifiers & RTE_SELECT_ADD) != 0);
        return;
    }
    RteHookTable hooks = RteLocked<RteDocument>(doc)->hooks;
    hooks.port(doc, 1);
    RteHideSelection(doc, true);
    RteSetSelectionPair(doc, pair, (modifiers & RTE_SELECT_ADD) != 0);
    RteDrawSelection(doc, RTE_CARET_SHOW);
    hooks.port(doc, 0);
}

void RteSetSelectionPair(RteHandle doc, const RteSelectPoint pair[2], bool add)
{
    RteLocked<RteDocument> locked(doc);
    if (!add)
        RteSetCount(locked->selection, 0);
    std::copy(pair, pair + 2, static_cast<RteSelectPoint*>(RteAppend(locked->selection, 2, false)));
    RteUnlock(locked->selection);
    if (!add && pair[0].offset == pair[1].offset)
        locked->caretAnchor = pair[0].offset;
    locked->caretMoved = true;
    locked->caretPoint = RtePoint{};
}

void RteGetSelection(RteHandle doc, int32_t* start, int32_t* end)
{
    std::vector<RteSelectPoint> points = ElementsOf<RteSelectPoint>(RteLocked<RteDocument>(doc)->selection);
    *start = INT32_MAX;
    *end = 0;
    for (const RteSelectPoint& point : points) {
        *start = std::min(*start, point.offset);
        *end = std::max(*end, point.offset);
    }
    if (points.empty())
        *start = 0;
}

int32_t RteSelectionRangeCount(RteHandle doc)
{
    std::vector<RteSelectPoint> points = ElementsOf<RteSelectPoint>(RteLocked<RteDocument>(doc)->selection);
    int32_t ranges = 0;
    for (size_t i = 0; i + 1 < points.size(); i += 2)
        if (points[i].offset != points[i + 1].offset)
            ++ranges;
    return ranges;
}

void RteSetCaretQuiet(RteHandle doc, int32_t offset)
{
    offset = RtePinOffset(doc, offset);
    RteSelectPoint pair[2] = {StalePoint(offset, 0), StalePoint(offset, 0)};
    RteSetSelectionPair(doc, pair, false);
}

void RteMoveSelection(RteHandle doc, int32_t code, bool)
{
    bool extend = (code & RTE_MOVE_EXTEND) != 0;
    std::vector<RteSelectPoint> points = ElementsOf<RteSelectPoint>(RteLocked<RteDocument>(doc)->selection);
    int32_t length = RteLocked<RteDocument>(doc)->textLength;
    int32_t anchor = points.empty() ? 0 : points.front().offset;
    int32_t moving = extend && points.size() > 1 ? points[1].offset : anchor;
    int32_t target = 0;
    switch (code & 0xFFF) {
    case RTE_MOVE_TEXT_START:
        target = 0;
        break;
    case RTE_MOVE_TEXT_END:
        target = length;
        break;
    case RTE_MOVE_LINE_START:
        target = LineStart(doc, moving, extend);
        break;
    case RTE_MOVE_LINE_END:
        target = LineEnd(doc, moving, length);
        if (extend && target == moving && moving < length)
            target = LineEnd(doc, moving + 1, length);
        break;
    case RTE_MOVE_NEXT_WORD:
        target = NextWordStart(doc, moving, length);
        break;
    case RTE_MOVE_PREVIOUS_WORD:
        target = PreviousWordStart(doc, moving);
        break;
    default:
        return;
    }
    RteSelectPoint pair[2] = {StalePoint(extend ? anchor : target, 0), StalePoint(target, 0)};
    RteSetSelectionPair(doc, pair, false);
}
