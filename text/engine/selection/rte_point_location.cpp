// Point locations: the questions an owner asks of a mouse point before deciding what a click
// means (a page to show, a wrap rect to edit, a link to follow).
#include "rte_point_location.h"

#include <algorithm>

#include "rect_list.h"
#include "rte_areas.h"
#include "rte_document_internal.h"
#include "rte_link_range.h"
#include "rte_position_queries.h"
#include "rte_selection.h"

using namespace rte_document;

namespace {

RteRect Bounds(RteRectList list) { return RteRectIterator(list).Bounds(); }

bool Holds(const RteRect& rect, const RtePoint& point)
{
    return point.v >= rect.top && point.v < rect.bottom && point.h >= rect.left && point.h < rect.right;
}

bool LinkAt(RteHandle doc, int table, int32_t offset)
{
    DocLock locked(doc);
    for (const RteLinkRange& range : ElementsOf<RteLinkRange>(locked->linkRanges[table]))
        if (range.start <= offset && offset < range.end && range.start < locked->textLength)
            return true;
    return false;
}

}  // namespace

int32_t RtePageAtPoint(RteHandle doc, const RtePoint* point, RtePoint* step, RtePoint* pageOffset, int32_t* last,
                       bool window)
{
    RtePoint at = *point;
    if (window)
        RteWindowToDoc(doc, &at);
    RteRect extent;
    RteTextExtent(doc, &extent, true);
    RteRect wrap = Bounds(DocLock(doc)->wrapArea);
    RtePoint repeat = RteRepeatStep(doc);
    auto page = [&](const RtePoint& p) {
        if (repeat.v > 0)
            return std::max(0, (p.v - wrap.top) / repeat.v);
        if (repeat.h > 0)
            return std::max(0, (p.h - wrap.left) / repeat.h);
        return 0;
    };
    // The text's end: its last line's bottom left, or its right edge across.
    RtePoint end{std::max(extent.top, extent.bottom - 1), repeat.v > 0 ? extent.left : std::max(extent.left, extent.right - 1)};
    int32_t lastPage = page(end);
    int32_t index = std::min(page(at), lastPage);
    if (step)
        *step = repeat;
    if (pageOffset)
        *pageOffset = RtePoint{repeat.v * index, repeat.h * index};
    if (last)
        *last = lastPage;
    return index;
}

int32_t RteWrapRectAtPoint(RteHandle doc, const RtePoint* point, const RtePoint* pageOffset, uint32_t* flags)
{
    RtePoint shift = pageOffset ? *pageOffset : RtePoint{};
    RteRectList wrap = DocLock(doc)->wrapArea;
    int32_t number = RteRectListIndexAtPoint(wrap, point, &shift, nullptr, nullptr);
    if (number == 0 && flags) {
        RtePoint at{point->v - shift.v, point->h - shift.h};
        RteRect bounds = Bounds(wrap);
        RtePoint repeat = RteRepeatStep(doc);
        // Within the page's band on the axis it repeats along, yet outside the wrap bounds.
        bool down = repeat.v > 0 && at.v >= bounds.top && at.v < bounds.top + repeat.v &&
                    (at.v >= bounds.bottom || at.h < bounds.left || at.h >= bounds.right);
        bool across = repeat.h > 0 && at.h >= bounds.left && at.h < bounds.left + repeat.h &&
                      (at.h >= bounds.right || at.v < bounds.top || at.v >= bounds.bottom);
        if (down || across)
            *flags |= RTE_POINT_BESIDE_WRAP;
    }
    return number;
}

uint32_t RtePointLocation(RteHandle doc, const RtePoint* point, int32_t* offset)
{
    uint32_t where = 0;
    RteRect view, textBounds;
    RteRectList extra;
    {
        DocLock locked(doc);
        view = Bounds(locked->viewArea);
        textBounds = locked->textBounds;
        extra = locked->extraArea;
    }
    if (Holds(view, *point))
        where |= RTE_POINT_IN_VIEW;
    RtePoint at = *point;
    RteWindowToDoc(doc, &at);
    if (RteContainerIndexAtPoint(doc, &at, nullptr, nullptr) >= 0)
        where |= RTE_POINT_IN_WRAP;
    if (RteRectListIndexAtPoint(extra, &at, nullptr, nullptr, nullptr) > 0)
        where |= RTE_POINT_IN_EXTRA;
    where |= at.v < textBounds.top ? RTE_POINT_ABOVE : at.v >= textBounds.bottom ? RTE_POINT_BELOW : 0;
    where |= at.h < textBounds.left ? RTE_POINT_LEFT : at.h >= textBounds.right ? RTE_POINT_RIGHT : 0;
    int32_t hit = RteOffsetAtPoint(doc, point, nullptr);
    RteRect extent;
    RteTextExtent(doc, &extent, true);
    if (at.v < extent.bottom) {
        where |= RTE_POINT_IN_TEXT;
        if (LinkAt(doc, 0, hit))
            where |= RTE_POINT_ON_LINK;
        if (LinkAt(doc, 1, hit))
            where |= RTE_POINT_ON_MARK;
    }
    if (offset)
        *offset = hit;
    return where;
}
