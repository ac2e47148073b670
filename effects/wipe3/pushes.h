// Effects in which the new image pushes the old picture out of the target rectangle.
#pragma once

#include "effect_canvas.h"

// The new image enters from the near edge and pushes the whole old picture before it.
void PushFromNearEdge(const Lane& lane, int step, DWORD pause, EffectCanvas& canvas);

// The new image enters from the far edge and pushes the whole old picture before it.
void PushFromFarEdge(const Lane& lane, int step, DWORD pause, EffectCanvas& canvas);

// Each half of the new image enters from its own edge and pushes the old half before it
// towards the centre line, where it disappears.
void PushToCentre(const Lane& lane, int step, DWORD pause, EffectCanvas& canvas);
