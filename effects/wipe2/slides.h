// Effects in which the new image slides in over the old picture from opposite edges.
#pragma once

#include "area.h"
#include "effect_canvas.h"

// Vertical strips, the even ones sliding down from the top edge and the odd ones up from the
// bottom edge; the pause ends after three steps per strip.
void SlideVerticalStrips(const Area& area, EffectCanvas& canvas);

// Horizontal bands, the even ones sliding right from the left edge and the odd ones left from
// the right edge.
void SlideHorizontalBands(const Area& area, EffectCanvas& canvas);

// The two halves of the image sliding in from the left and right edges to meet at the
// vertical centre line.
void SlideHalvesToCentre(const Area& area, EffectCanvas& canvas);
