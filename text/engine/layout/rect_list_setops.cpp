// Intersection and difference of two areas.
#include "rect_list.h"

#include "rect_list_disjoint.h"
#include "rect_list_merge.h"
#include "rect_ops.h"
#include "scratch_rect_list.h"

namespace {

// Neither empty and their bounds intersect: only then can any rects of the two meet.
bool BoundsIntersect(RteRectList a, RteRectList b)
{
    if (RteEmptyRectList(a) || RteEmptyRectList(b))
        return false;
    RteRect boundsA;
    RteRect boundsB;
    RteRectListFirst(a, &boundsA);
    RteRectListFirst(b, &boundsB);
    return RteSectRect(&boundsA, &boundsB, nullptr);
}

bool AnyRectsIntersect(RteRectList a, RteRectList b)
{
    RteRectIterator first(a);
    RteRectIterator second(b);
    for (const RteRect& rectA : first.Rects()) {
        for (const RteRect& rectB : second.Rects()) {
            if (RteSectRect(&rectA, &rectB, nullptr))
                return true;
        }
    }
    return false;
}

}  // namespace

int RteSectRectLists(RteRectList a, RteRectList b, RteRectList out)
{
    if (!BoundsIntersect(a, b)) {
        if (out)
            RteSetRectList(out, nullptr);
        return 0;
    }
    if (!out)
        return AnyRectsIntersect(a, b);

    // Built apart, since out may be one of the inputs.
    ScratchRectList common(out);
    {
        RteRectIterator first(a);
        RteRectIterator second(b);
        RteRectIterator result(common.List());
        for (const RteRect& rectA : first.Rects()) {
            for (const RteRect& rectB : second.Rects()) {
                RteRect part;
                if (RteSectRect(&rectA, &rectB, &part))
                    RteQuickAddRect(result, part);
            }
        }
    }
    RteCopyRectList(common.List(), out);
    return !RteEmptyRectList(out);
}

// b is first laid out as disjoint rects and then cut rect by rect, so the pieces left are
// disjoint whatever overlaps b had.
void RteDiffRectLists(RteRectList a, RteRectList b, RteRectList out)
{
    if (!BoundsIntersect(a, b)) {
        RteCopyRectList(b, out);
        return;
    }
    ScratchRectList rest(out);
    {
        RteRectIterator first(a);
        RteRectIterator second(b);
        RteRectIterator result(rest.List());
        for (const RteRect& rectB : second.Rects())
            RteAddDisjointRect(result, rectB);
        for (const RteRect& rectA : first.Rects())
            RteCutRect(result, rectA);
        RteNormalizeRectList(result);
    }
    RteCopyRectList(rest.List(), out);
}
