// The target rectangle of an effect in the target DC's coordinates (left, top, width, height),
// with the halves and the centre that the effects' geometry is built on.
#pragma once

#include "fxbase.h"

struct Area {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int Right() const { return x + width; }
    int Bottom() const { return y + height; }
    int HalfWidth() const { return width / 2; }
    int HalfHeight() const { return height / 2; }
    POINT Centre() const { return {x + HalfWidth(), y + HalfHeight()}; }
    RECT Rect() const { return {x, y, Right(), Bottom()}; }
};
