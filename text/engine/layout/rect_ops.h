// Rect arithmetic and tests on the engine's plane. Out-addresses may equal in-addresses.
#pragma once

#include "geometry_types.h"

// Coordinates wrap around the 32-bit range as the engine's arithmetic always has, so that an
// offset followed by the opposite offset gives the rect back exactly.
int32_t RteWrapAdd(int32_t a, int32_t b);
int32_t RteWrapSub(int32_t a, int32_t b);

// Note the horizontal amount comes first here, unlike offset pairs.
void RteOffsetRect(RteRect* rect, int32_t dh, int32_t dv);
// Negative amounts grow the rect.
void RteInsetRect(RteRect* rect, int32_t dh, int32_t dv);
// Swaps the two so that *first <= *second.
void RteOrderPair(int32_t* first, int32_t* second);

int RteEmptyRect(const RteRect* rect);
int RteNullRect(const RteRect* rect);
// A missing rect stands for no limit. Rects that only share an edge do not intersect. Without
// an out rect the call is a pure test; when the rects are apart the out rect is not touched.
int RteSectRect(const RteRect* a, const RteRect* b, RteRect* out);
// Ignores a null a and an empty b: the variant that accumulates bounds from a zero rect.
void RteUnionRect(const RteRect* a, const RteRect* b, RteRect* out);
// Ignores only null rects, so a line-shaped rect still widens the result.
void RteUnionRectNonNull(const RteRect* a, const RteRect* b, RteRect* out);
// 1 when the rects overlap or touch along a vertical edge; out (optional) gets the common
// part, a zero-width rect on the shared edge when they only touch.
int RteRectsMeet(const RteRect* a, const RteRect* b, RteRect* out);
// The bottom and right edges are outside.
int RtePtInRect(const RtePoint* point, const RteRect* rect);
// Distance to the nearer edge per axis, as magnitudes (also for a point inside). Returns the
// pair packed: v in the low, h in the high 32 bits.
int64_t RteEdgeDistance(const RtePoint* point, const RteRect* rect, RtePoint* out);
// Edges may coincide.
int RteRectContains(const RteRect* outer, const RteRect* inner);
