// Merging rects that extend one another exactly: the quick add and normalising.
#include "rect_list_merge.h"

#include "rect_ops.h"

#include <algorithm>

namespace {

bool ExtendsVertically(const RteRect& q, const RteRect& r)
{
    return q.left == r.left && q.right == r.right &&
           (q.bottom == r.top || r.top == q.top || q.bottom == r.bottom || r.bottom == q.top);
}

bool ExtendsHorizontally(const RteRect& q, const RteRect& r)
{
    return q.top == r.top && q.bottom == r.bottom &&
           (q.right == r.left || r.left == q.left || q.right == r.right || r.right == q.left);
}

// An empty slot is taken over rather than joined: its edges are no part of the area.
void Absorb(RteRect& candidate, const RteRect& rect)
{
    if (RteEmptyRect(&candidate))
        candidate = rect;
    else
        RteUnionRect(&candidate, &rect, &candidate);
}

// Number of the first rect (from 1, skipping excluded) that the rect can merge into without
// changing the area: an empty rect 1, a rect holding it, or one it extends exactly along a
// shared pair of edges. 0 when none.
int32_t FindMergeCandidate(RteRectIterator& rects, const RteRect& rect, int32_t excluded)
{
    for (int32_t number = 1; number <= rects.Count(); ++number) {
        if (number == excluded)
            continue;
        const RteRect& candidate = rects.Rect(number);
        if ((number == 1 && RteEmptyRect(&candidate)) || RteRectContains(&candidate, &rect) ||
            ExtendsVertically(candidate, rect) || ExtendsHorizontally(candidate, rect))
            return number;
    }
    return 0;
}

}  // namespace

void RteQuickAddRect(RteRectIterator& rects, const RteRect& rect)
{
    if (RteEmptyRect(&rect))
        return;
    if (RteEmptyRect(&rects.Bounds())) {
        rects.SetSingle(rect);
        return;
    }
    if (int32_t candidate = FindMergeCandidate(rects, rect, 0))
        Absorb(rects.Rect(candidate), rect);
    else
        rects.Append(rect);
    RteUnionRect(&rects.Bounds(), &rect, &rects.Bounds());
}

void RteAddRectToList(RteRectList list, const RteRect* rect)
{
    RteRectIterator rects(list);
    RteQuickAddRect(rects, *rect);
}

void RteNormalizeRectList(RteRectIterator& rects)
{
    for (bool merged = true; merged;) {
        merged = false;
        for (int32_t number = rects.Count(); number >= 2; --number) {
            const RteRect rect = rects.Rect(number);
            if (int32_t candidate = FindMergeCandidate(rects, rect, number)) {
                Absorb(rects.Rect(candidate), rect);
                rects.Delete(number);
                merged = true;
            }
        }
    }

    RteRect bounds{};
    for (const RteRect& rect : rects.Rects())
        RteUnionRect(&bounds, &rect, &bounds);
    rects.Bounds() = bounds;

    // Insertion by rotation keeps equal tops in their order and needs no memory of its own.
    const std::span<RteRect> all = rects.Rects();
    const auto byTop = [](const RteRect& a, const RteRect& b) { return a.top < b.top; };
    for (auto next = all.begin(); next != all.end(); ++next)
        std::rotate(std::upper_bound(all.begin(), next, *next, byTop), next, next + 1);
}
