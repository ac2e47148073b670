// The effect in which discs of the new image appear over the old picture in random order.
#pragma once

#include "area.h"
#include "effect_canvas.h"

// The rectangle is cut into square cells; each cell is covered once by a disc round it.
void RevealDiscs(const Area& area, EffectCanvas& canvas);
