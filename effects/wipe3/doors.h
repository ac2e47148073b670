// The effect in which the old picture opens like a pair of doors over the new image.
#pragma once

#include "effect_canvas.h"

// The old picture splits at the centre line and its halves slide out through the near and
// far edges, uncovering the new image, which stays in place.
void OpenDoors(const Lane& lane, int step, DWORD pause, EffectCanvas& canvas);
