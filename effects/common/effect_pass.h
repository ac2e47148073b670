// One pass of an effect: a plan drawn onto the target DC from a prepared image.
#pragma once

#include "catalogue.h"
#include "gdi_handles.h"

// Draws `plan` on `area` of `target`, revealing `image` (a bitmap of the area's size
// compatible with the target). The target DC's palette and clip region are as the caller had
// them when the pass returns.
void RunPass(HDC target, const Area& area, HBITMAP image, const PaletteChoice& palette, EffectPlan plan);
