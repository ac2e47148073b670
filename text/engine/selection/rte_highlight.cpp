// The selection's highlight region, built from the pieces' character positions and inverted
// by difference, and the caret drawn through the document's hooks.
#include "rte_highlight.h"

#include <algorithm>
#include <vector>

#include "rect_list.h"
#include "rte_document_internal.h"
#include "rte_bidi.h"
#include "rte_line_builder.h"
#include "rte_position_queries.h"
#include "rte_selection.h"
#include "rte_text_blocks.h"
#include "rte_typed.h"
#include "scaling.h"

using namespace rte_document;

namespace {

constexpr uint32_t kInactive = RTE_DOC_INACTIVE_FIRST | RTE_DOC_INACTIVE_SECOND;

std::vector<RteSelectPoint> Points(RteHandle doc)
{
    RteLocked<RteDocument> locked(doc);
    RteLocked<RteSelectPoint> selection(locked->selection);
    return {selection.get(), selection.get() + selection.size()};
}

void AddRange(RteHandle doc, RteRectList list, int32_t start, int32_t end)
{
    int32_t from = 0, to = 0;
    int32_t first = RteBlockAt(RteLocked<RteDocument>(doc).get(), start, &from);
    int32_t last = RteBlockAt(RteLocked<RteDocument>(doc).get(), end, &to);
    for (int32_t block = first; block <= last; ++block)
        RteLayoutBlock(doc, block, nullptr, false);
    // Laying out may have moved a line from one block to the next: the blocks are found after.
    first = RteBlockAt(RteLocked<RteDocument>(doc).get(), start, &from);
    last = RteBlockAt(RteLocked<RteDocument>(doc).get(), end, &to);
    RteSelectPoint startPoint = {};
    RteSelectPoint endPoint = {};
    startPoint.offset = start;
    endPoint.offset = end;
    for (int32_t block = first; block <= last; ++block)
        RteRangeHighlightRects(doc, block, list, block == first ? &startPoint : nullptr,
                               block == last ? &endPoint : nullptr);
}

// A vertical range covers the rectangle between the carets of its two points.
void AddVerticalRange(RteHandle doc, RteRectList list, int32_t a, int32_t b)
{
    RteRect first, second;
    RteCaretRect(doc, a, false, false, &first);
    RteCaretRect(doc, b, false, false, &second);
    RteRect box{std::min(first.top, second.top), std::min(first.left, second.left),
                std::max(first.bottom, second.bottom), std::max(first.left, second.left)};
    if (box.left < box.right)
        RteUnionRectIntoList(list, &box);
}

RteRectList NewList(RteHandle doc)
{
    RteRect none{};
    return RteNewRectList(RteHandleContext(doc), &none);
}

void Invert(RteHandle doc, RteRectList list)
{
    if (!list || RteEmptyRectList(list))
        return;
    RteHookTable hooks = RteLocked<RteDocument>(doc)->hooks;
    hooks.invertHighlight(doc, reinterpret_cast<intptr_t>(list), 0, 0, 0, 0);
}

bool Active(RteHandle doc) { return (RteLocked<RteDocument>(doc)->flags & kInactive) == 0; }

// The caret's select point with its place (document coordinates) and its line's height.
RteSelectPoint CaretPoint(RteHandle doc)
{
    RteSelectPoint point = ElementOf<RteSelectPoint>(RteLocked<RteDocument>(doc)->selection, 0);
    RteRect rect;
    RteCaretRect(doc, point.offset, false, false, &rect);
    point.point = RtePoint{rect.top, rect.left};
    point.height = rect.bottom - rect.top;
    point.flags &= ~RTE_SELECT_RECOMPUTE;
    return point;
}

}  // namespace

intptr_t RteHighlightRects(RteHandle doc, intptr_t listArg, intptr_t, intptr_t, intptr_t, intptr_t)
{
    auto list = reinterpret_cast<RteRectList>(listArg);
    std::vector<RteSelectPoint> points = Points(doc);
    for (size_t i = 0; i + 1 < points.size(); i += 2) {
        int32_t start = std::min(points[i].offset, points[i + 1].offset);
        int32_t end = std::max(points[i].offset, points[i + 1].offset);
        if (start == end)
            continue;
        if (points[i].flags & RTE_SELECT_BY_RECTS)
            AddVerticalRange(doc, list, points[i].offset, points[i + 1].offset);
        else
            AddRange(doc, list, start, end);
    }
    return 0;
}

RteRectList RteSelectionArea(RteHandle doc)
{
    if (RteSelectionRangeCount(doc) == 0)
        return nullptr;
    RteRectList list = NewList(doc);
    RteHookTable hooks = RteLocked<RteDocument>(doc)->hooks;
    hooks.highlightRects(doc, reinterpret_cast<intptr_t>(list), 0, 0, 0, 0);
    return list;
}

int32_t RteRangeArea(RteHandle doc, const RteRange* range, RteHandle ranges, RteRectList out)
{
    RteSetRectList(out, nullptr);
    std::vector<RteRange> wanted;
    if (range)
        wanted.push_back(*range);
    else if (ranges)
        wanted = ElementsOf<RteRange>(ranges);
    for (const RteRange& r : wanted) {
        int32_t start = RtePinOffset(doc, std::min(r.start, r.end));
        int32_t end = RtePinOffset(doc, std::max(r.start, r.end));
        if (start < end)
            AddRange(doc, out, start, end);
    }
    if (!range && !ranges) {
        RteHookTable hooks = RteLocked<RteDocument>(doc)->hooks;
        hooks.highlightRects(doc, reinterpret_cast<intptr_t>(out), 0, 0, 0, 0);
    }
    // In the window: scrolled, then scaled as the text is shown.
    RteScaling scaling;
    RtePoint scroll;
    {
        RteLocked<RteDocument> locked(doc);
        scaling = locked->scaling;
        scroll = RtePoint{-locked->scroll.v, -locked->scroll.h};
    }
    {
        RteRectIterator rects(out);
        for (RteRect& rect : rects.Rects())
            RteCopyOffsetScaleRect(&scaling, &rect, &rect, &scroll);
    }
    RteRecalcListBounds(out);
    return RteEmptyRectList(out) ? 0 : 1;
}

void RteRefreshHighlight(RteHandle doc)
{
    RteRectList region = RteLocked<RteDocument>(doc)->highlight;
    std::vector<RteSelectPoint> points = Points(doc);
    bool stale = std::any_of(points.begin(), points.end(),
                             [](const RteSelectPoint& p) { return (p.flags & RTE_SELECT_RECOMPUTE) != 0; });
    if (!stale && !RteEmptyRectList(region))
        return;
    RteSetRectList(region, nullptr);
    RteHookTable hooks = RteLocked<RteDocument>(doc)->hooks;
    if (RteSelectionRangeCount(doc) > 0)
        hooks.highlightRects(doc, reinterpret_cast<intptr_t>(region), 0, 0, 0, 0);
    RteLocked<RteDocument> locked(doc);
    RteLocked<RteSelectPoint> selection(locked->selection);
    for (int32_t i = 0; i < selection.size(); ++i)
        selection[i].flags &= ~RTE_SELECT_RECOMPUTE;
}

void RteInvertHighlightChange(RteHandle doc, RteRectList shown)
{
    RteRefreshHighlight(doc);
    RteRectList region = RteLocked<RteDocument>(doc)->highlight;
    if (!Active(doc)) {
        RteLocked<RteDocument>(doc)->highlightShown = false;
    } else if (!shown || RteEmptyRectList(shown) || RteEmptyRectList(region)) {
        Invert(doc, shown);
        Invert(doc, region);
        RteLocked<RteDocument>(doc)->highlightShown = !RteEmptyRectList(region);
    } else {
        // Only the pixels whose state changes flip: what left the region, then what joined it.
        RteRectList change = NewList(doc);
        RteDiffRectLists(region, shown, change);
        Invert(doc, change);
        RteDiffRectLists(shown, region, change);
        Invert(doc, change);
        RteFreeRectList(change);
        RteLocked<RteDocument>(doc)->highlightShown = true;
    }
    if (shown)
        RteFreeRectList(shown);
}

void RteShowCaret(RteHandle doc, intptr_t code)
{
    bool hiding = code == RTE_CARET_HIDE || code == RTE_CARET_HIDE_AGAIN;
    if (RteSelectionRangeCount(doc) != 0 && !hiding)
        return;
    RteSelectPoint point = CaretPoint(doc);
    RteHookTable hooks = RteLocked<RteDocument>(doc)->hooks;
    hooks.caret(doc, code, reinterpret_cast<intptr_t>(&point), 0, 0, 0);
    RteLocked<RteDocument> locked(doc);
    if (hiding)
        locked->flags &= ~RTE_DOC_CARET_SHOWN;
    else if (code != RTE_CARET_CHANGED && code != RTE_CARET_POINT)
        locked->flags |= RTE_DOC_CARET_SHOWN;
}

void RteDrawCaret(RteHandle doc, intptr_t mode)
{
    RteHookTable hooks = RteLocked<RteDocument>(doc)->hooks;
    hooks.port(doc, 1);
    RteShowCaret(doc, mode);
    hooks.port(doc, 0);
}

void RteDrawSelection(RteHandle doc, intptr_t mode)
{
    if (!Active(doc))
        return;
    if (RteSelectionRangeCount(doc) == 0) {
        if (!(RteLocked<RteDocument>(doc)->flags & RTE_DOC_NO_CARET))
            RteDrawCaret(doc, mode);
        return;
    }
    RteHookTable hooks = RteLocked<RteDocument>(doc)->hooks;
    hooks.port(doc, 1);
    RteRefreshHighlight(doc);
    if (!RteLocked<RteDocument>(doc)->highlightShown)
        RteInvertHighlightChange(doc, nullptr);
    hooks.port(doc, 0);
}

void RteHideSelection(RteHandle doc, bool inPort)
{
    RteHookTable hooks = RteLocked<RteDocument>(doc)->hooks;
    if (!inPort)
        hooks.port(doc, 1);
    RteRectList region = nullptr;
    {
        RteLocked<RteDocument> locked(doc);
        if (locked->highlightShown)
            region = locked->highlight;
        locked->highlightShown = false;
    }
    if (region)
        Invert(doc, region);
    if (RteLocked<RteDocument>(doc)->flags & RTE_DOC_CARET_SHOWN)
        RteShowCaret(doc, RTE_CARET_HIDE);
    if (!inPort)
        hooks.port(doc, 0);
}

int32_t RteHideSelectionIfShown(RteHandle doc, bool inPort)
{
    {
        RteLocked<RteDocument> locked(doc);
        if (!locked->highlightShown && !(locked->flags & RTE_DOC_CARET_SHOWN))
            return 0;
    }
    RteHideSelection(doc, inPort);
    return 1;
}
