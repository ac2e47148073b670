// Building areas out of disjoint rects: adding outside what is there, cutting away, and
// joining rects that touch side by side.
#include "rect_list_disjoint.h"

#include "rect_ops.h"

#include <algorithm>

namespace {

// Replaces the rects from first on by their pieces outside cut. The cut is a copy: inserting
// may move the list it came from.
void CutFrom(RteRectIterator& rects, int32_t first, const RteRect cut)
{
    for (int32_t number = first; number <= rects.Count();) {
        RteRect pieces[4];
        const int count = RteEmptyRect(&rects.Rect(number)) ? 0 : RteRectMinusRect(&cut, &rects.Rect(number), pieces);
        if (count < 0) {
            rects.Remove(number);  // the next rect moves up, or the only rect is zeroed
            continue;
        }
        if (count > 0) {
            rects.Rect(number) = pieces[0];
            for (int piece = 1; piece < count; ++piece)
                rects.Insert(number + piece, pieces[piece]);
        }
        number += std::max(count, 1);
    }
}

}  // namespace

void RteAddDisjointRect(RteRectIterator& rects, const RteRect& rect)
{
    if (RteEmptyRect(&rect))
        return;
    if (RteEmptyRect(&rects.Bounds())) {
        rects.SetSingle(rect);
        return;
    }
    // The new rect's pieces wait behind the list's own rects while each of those cuts them.
    const RteRect added = rect;
    const int32_t existing = rects.Count();
    rects.Append(added);
    for (int32_t number = 1; number <= existing && rects.Count() > existing; ++number) {
        if (!RteEmptyRect(&rects.Rect(number)))
            CutFrom(rects, existing + 1, rects.Rect(number));
    }
    RteUnionRect(&rects.Bounds(), &added, &rects.Bounds());
}

void RteCutRect(RteRectIterator& rects, const RteRect& cut)
{
    if (!RteEmptyRect(&cut))
        CutFrom(rects, 1, cut);
}

namespace {

// The first pair (i, j), i < j, of rects that meet; false when none do.
bool FindMeetingPair(RteRectIterator& rects, int32_t* first, int32_t* second)
{
    for (int32_t i = 1; i < rects.Count(); ++i) {
        for (int32_t j = i + 1; j <= rects.Count(); ++j) {
            if (RteRectsMeet(&rects.Rect(i), &rects.Rect(j), nullptr)) {
                *first = i;
                *second = j;
                return true;
            }
        }
    }
    return false;
}

// Appends the parts of the rect above and below the band [top, bottom).
void AppendOutsideBand(RteRectIterator& rects, const RteRect& rect, int32_t top, int32_t bottom)
{
    if (rect.top < top)
        rects.Append({rect.top, rect.left, top, rect.right});
    if (bottom < rect.bottom)
        rects.Append({bottom, rect.left, rect.bottom, rect.right});
}

}  // namespace

void RteJoinMeetingRects(RteRectIterator& rects)
{
    int32_t first;
    int32_t second;
    while (FindMeetingPair(rects, &first, &second)) {
        const RteRect a = rects.Rect(first);
        const RteRect b = rects.Rect(second);
        const int32_t top = std::max(a.top, b.top);
        const int32_t bottom = std::min(a.bottom, b.bottom);
        rects.Rect(first) = {top, std::min(a.left, b.left), bottom, std::max(a.right, b.right)};
        rects.Delete(second);
        AppendOutsideBand(rects, a, top, bottom);
        AppendOutsideBand(rects, b, top, bottom);
    }
}
