// Merging rects that extend one another exactly: the quick add.
#pragma once

#include "rect_list.h"

// Merges the rect into its candidate, else appends it; the bounds widen. An empty rect is
// ignored; into the empty area the rect goes alone.
void RteQuickAddRect(RteRectIterator& rects, const RteRect& rect);
