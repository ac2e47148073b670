// Scroll-and-fill moves of a new image entering the target rectangle from one of its edges.
#pragma once

#include "effect_canvas.h"

// The new image enters from the near edge, moving what lies in `moving` by `amount`; after
// the move it shows image positions from imageEnd - travelled up to imageEnd.
ScrollMove EnterFromNearEdge(const Lane& lane, const RECT& moving, int amount, int travelled, int imageEnd);

// The new image enters from the far edge, moving what lies in `moving` back by `amount`; after
// the move the last `travelled` of the lane show the image from position imageStart on.
ScrollMove EnterFromFarEdge(const Lane& lane, const RECT& moving, int amount, int travelled, int imageStart);
