// Questions put to an area: which rect a rect or point falls in, its shape, where a line fits.
#include "rect_list.h"

#include "rect_ops.h"
#include "scaling.h"

#include <algorithm>

int32_t RteListRectSecting(RteRectList list, const RteRect* rect, RteRect* out)
{
    RteRectIterator rects(list);
    for (int32_t number = 1; number <= rects.Count(); ++number) {
        if (RteSectRect(&rects.Rect(number), rect, out))
            return number;
    }
    return 0;
}

int32_t RteListRectMeeting(RteRectList list, const RteRect* rect, RteRect* out)
{
    RteRectIterator rects(list);
    for (int32_t number = 1; number <= rects.Count(); ++number) {
        if (RteRectsMeet(&rects.Rect(number), rect, out))
            return number;
    }
    return 0;
}

int RteRectListSect(RteRectList list, const RteRect* rect, const RtePoint* offset, RteRect* out)
{
    RteRect moved = *rect;
    if (offset)
        RteOffsetRect(&moved, offset->h, offset->v);
    return RteListRectSecting(list, &moved, out) != 0;
}

int32_t RteRectListIndexAtPoint(RteRectList list, const RtePoint* point, const RtePoint* offset,
                                const RtePoint* inset, const RteScaling* scaling)
{
    if (!list)
        return 0;
    RtePoint at = *point;
    if (offset)
        at = {RteWrapSub(at.v, offset->v), RteWrapSub(at.h, offset->h)};
    RteRectIterator rects(list);
    for (int32_t number = 1; number <= rects.Count(); ++number) {
        if (RtePtInRectAdjusted(&at, &rects.Rect(number), inset, scaling))
            return number;
    }
    return 0;
}

namespace {

int64_t Width(const RteRect& rect)
{
    return int64_t{rect.right} - rect.left;
}

int PairShape(const RteRect& first, const RteRect& previous, const RteRect& rect)
{
    int shape = 0;
    if (Width(rect) != Width(first))
        shape |= RTE_SHAPE_WIDTHS_DIFFER;
    if (rect.top < previous.bottom) {
        shape |= RTE_SHAPE_OVERLAPPING;
        if (RteSectRect(&previous, &rect, nullptr))
            shape |= RTE_SHAPE_INTERSECTING;
    }
    if (rect.top == previous.bottom || rect.left == previous.right)
        shape |= RTE_SHAPE_CONTINUED;
    return shape;
}

}  // namespace

int RteRectListShape(RteRectList list)
{
    RteRectIterator rects(list);
    if (rects.Count() < 2)
        return 0;
    int shape = RTE_SHAPE_SEVERAL;
    for (int32_t number = 2; number <= rects.Count() && shape != RTE_SHAPE_ALL; ++number)
        shape |= PairShape(rects.Rect(1), rects.Rect(number - 1), rects.Rect(number));
    return shape;
}

// The line narrows to the edges common to every rect it spans: a narrow rect above a wide one
// still limits the line.
int RteFitLineInRects(RteRectList list, RteRect* line, int32_t minWidth, int32_t* number, const RtePoint* offset)
{
    RteRectIterator rects(list);
    if (*number < 1 || *number > rects.Count())
        return 0;
    const RtePoint by = offset ? *offset : RtePoint{0, 0};
    RteOffsetRect(line, RteWrapSub(0, by.h), RteWrapSub(0, by.v));

    int32_t reached = *number;
    const RteRect& start = rects.Rect(reached);
    line->left = start.left;
    line->right = start.right;
    const int64_t lineHeight = int64_t{line->bottom} - line->top;
    int64_t available = int64_t{start.bottom} - line->top;
    while (available < lineHeight && reached < rects.Count()) {
        const RteRect& current = rects.Rect(reached);
        const RteRect& next = rects.Rect(reached + 1);
        if (next.top != current.bottom)
            break;
        line->left = std::max(line->left, next.left);
        line->right = std::min(line->right, next.right);
        available += int64_t{next.bottom} - next.top;
        ++reached;
        if (Width(*line) < minWidth)
            break;
    }

    *number = reached;
    RteOffsetRect(line, by.h, by.v);
    return available >= lineHeight && Width(*line) >= minWidth;
}
