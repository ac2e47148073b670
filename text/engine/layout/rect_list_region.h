// An area as a GDI region in device coordinates, for clipping and painting.
#pragma once

#include "rect_list.h"

#include <windows.h>

// Sets region to the union of the list's rects: each clipped (rects missing the clip are left
// out), offset by (dv, dh), scaled when a scaling with a factor is given, clamped into the
// device space and inset on all four sides. Rects that the inset leaves empty add nothing.
void RteRectListToRegion(RteRectList list, int32_t dh, int32_t dv, const RteScaling* scaling, int32_t inset,
                         const RteRect* clip, HRGN region);
