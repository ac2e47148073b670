// Rect arithmetic and tests on the engine's plane.
#include "rect_ops.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

int32_t RteWrapAdd(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

int32_t RteWrapSub(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

void RteOffsetRect(RteRect* rect, int32_t dh, int32_t dv)
{
    rect->left = RteWrapAdd(rect->left, dh);
    rect->right = RteWrapAdd(rect->right, dh);
    rect->top = RteWrapAdd(rect->top, dv);
    rect->bottom = RteWrapAdd(rect->bottom, dv);
}

void RteInsetRect(RteRect* rect, int32_t dh, int32_t dv)
{
    rect->left = RteWrapAdd(rect->left, dh);
    rect->right = RteWrapSub(rect->right, dh);
    rect->top = RteWrapAdd(rect->top, dv);
    rect->bottom = RteWrapSub(rect->bottom, dv);
}

void RteOrderPair(int32_t* first, int32_t* second)
{
    if (*second < *first)
        std::swap(*first, *second);
}

int RteEmptyRect(const RteRect* rect)
{
    return rect->top == rect->bottom || rect->left == rect->right;
}

int RteNullRect(const RteRect* rect)
{
    return rect->top == rect->bottom && rect->left == rect->right;
}

namespace {

bool Apart(const RteRect& a, const RteRect& b)
{
    return a.top >= b.bottom || b.top >= a.bottom || a.left >= b.right || b.left >= a.right;
}

RteRect Enclosing(const RteRect& a, const RteRect& b)
{
    return {std::min(a.top, b.top), std::min(a.left, b.left), std::max(a.bottom, b.bottom),
            std::max(a.right, b.right)};
}

}  // namespace

int RteSectRect(const RteRect* a, const RteRect* b, RteRect* out)
{
    if (!a || !b) {
        const RteRect* given = a ? a : b;
        if (given && out)
            *out = *given;
        return 1;
    }
    if (Apart(*a, *b))
        return 0;
    if (out) {
        *out = {std::max(a->top, b->top), std::max(a->left, b->left), std::min(a->bottom, b->bottom),
                std::min(a->right, b->right)};
    }
    return 1;
}

void RteUnionRect(const RteRect* a, const RteRect* b, RteRect* out)
{
    if (RteNullRect(a))
        *out = *b;
    else if (RteEmptyRect(b))
        *out = *a;
    else
        *out = Enclosing(*a, *b);
}

void RteUnionRectNonNull(const RteRect* a, const RteRect* b, RteRect* out)
{
    if (RteNullRect(a))
        *out = *b;
    else if (RteNullRect(b))
        *out = *a;
    else
        *out = Enclosing(*a, *b);
}

int RteRectsMeet(const RteRect* a, const RteRect* b, RteRect* out)
{
    if (a->top >= b->bottom || b->top >= a->bottom || b->right < a->left || a->right < b->left)
        return 0;
    if (out) {
        const bool overlap = !Apart(*a, *b);
        // Touching rects share the larger left edge, whichever side the other one lies on.
        const int32_t left = std::max(a->left, b->left);
        *out = {std::max(a->top, b->top), left, std::min(a->bottom, b->bottom),
                overlap ? std::min(a->right, b->right) : left};
    }
    return 1;
}

int RtePtInRect(const RtePoint* point, const RteRect* rect)
{
    return point->v >= rect->top && point->v < rect->bottom && point->h >= rect->left && point->h < rect->right;
}

namespace {

// The nearer of two edges; a tie picks the far one (right, bottom), which is the same distance.
int32_t NearerEdgeDistance(int32_t nearEdge, int32_t farEdge, int32_t at)
{
    const int64_t toNear = std::llabs(int64_t{nearEdge} - at);
    const int64_t toFar = std::llabs(int64_t{farEdge} - at);
    const int64_t distance = toNear < toFar ? toNear : toFar;
    return static_cast<int32_t>(std::min<int64_t>(distance, std::numeric_limits<int32_t>::max()));
}

}  // namespace

int64_t RteEdgeDistance(const RtePoint* point, const RteRect* rect, RtePoint* out)
{
    const RtePoint distance{NearerEdgeDistance(rect->top, rect->bottom, point->v),
                            NearerEdgeDistance(rect->left, rect->right, point->h)};
    *out = distance;
    return static_cast<int64_t>((uint64_t{static_cast<uint32_t>(distance.h)} << 32) |
                                static_cast<uint32_t>(distance.v));
}

int RteRectContains(const RteRect* outer, const RteRect* inner)
{
    return inner->top >= outer->top && inner->left >= outer->left && inner->bottom <= outer->bottom &&
           inner->right <= outer->right;
}
