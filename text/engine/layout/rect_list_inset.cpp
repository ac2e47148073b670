// Insetting the outline of an area rather than each of its rects.
#include "rect_list.h"

#include "rect_ops.h"
#include "scratch_rect_list.h"

#include <algorithm>

namespace {

// Which edges of a rect other rects continue, judged on the rects as they were before any
// moved, so that the order in which they are inset does not matter.
struct ContinuedEdges {
    bool top = false;
    bool left = false;
    bool bottom = false;
    bool right = false;
};

ContinuedEdges EdgesContinued(const RteRect& rect, std::span<const RteRect> all)
{
    ContinuedEdges edges;
    for (const RteRect& other : all) {
        edges.top = edges.top || other.bottom == rect.top;
        edges.left = edges.left || other.right == rect.left;
        edges.bottom = edges.bottom || other.top == rect.bottom;
        edges.right = edges.right || other.left == rect.right;
    }
    return edges;
}

}  // namespace

void RteInsetRectList(RteRectList list, int32_t dh, int32_t dv)
{
    ScratchRectList before(list);
    RteCopyRectList(list, before.List());
    RteRectIterator original(before.List());
    RteRectIterator rects(list);
    for (int32_t number = 1; number <= rects.Count(); ++number) {
        const ContinuedEdges continued = EdgesContinued(original.Rect(number), original.Rects());
        RteRect& rect = rects.Rect(number);
        if (!continued.top)
            rect.top = RteWrapAdd(rect.top, dv);
        if (!continued.left)
            rect.left = RteWrapAdd(rect.left, dh);
        if (!continued.bottom)
            rect.bottom = RteWrapSub(rect.bottom, dv);
        if (!continued.right)
            rect.right = RteWrapSub(rect.right, dh);
    }
}
