// Effects in which wedges pivoting on a point sweep the new image over the old picture.
#pragma once

#include "area.h"
#include "effect_canvas.h"

// One wedge about the centre, clockwise from twelve o'clock.
void SweepClockwise(const Area& area, EffectCanvas& canvas);

// Two opposite wedges about the centre, clockwise from twelve and six o'clock.
void SweepOppositeWedges(const Area& area, EffectCanvas& canvas);

// Four wedges about the centre opening from the vertical centre line to both sides.
void OpenButterfly(const Area& area, EffectCanvas& canvas);

// One wedge pivoting on the top-left corner, from the left edge to the top edge.
void SweepFromCorner(const Area& area, EffectCanvas& canvas);
