// Building areas out of disjoint rects: adding outside what is there, cutting away, and
// joining rects that touch side by side.
#pragma once

#include "rect_list.h"

// Adds the parts of the rect that no rect of the list covers; the bounds widen. Rects that
// were disjoint stay so.
void RteAddDisjointRect(RteRectIterator& rects, const RteRect& rect);
// Cuts the rect out of every rect of the list. The bounds are left for the caller to rebuild.
void RteCutRect(RteRectIterator& rects, const RteRect& cut);
// For disjoint rects: until no two rects meet, two rects side by side are cut at each other's
// top and bottom and their common band joined into one rect. Only existing edges are used and
// nothing is joined vertically, so it always ends; the area and the bounds do not change.
void RteJoinMeetingRects(RteRectIterator& rects);
