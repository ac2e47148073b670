// Gradient painters: fill a rectangle of a device context with a colour ramp running across
// the width, down the height, along either diagonal or outward from the centre. A small random
// jitter on every pixel keeps colour bands from showing.
#pragma once

#include "qxbase.h"

QXBASE_API void DrawVGradientBar(HDC dc, RGBQUAD start, RGBQUAD end, int x, int y, int width, int height);
QXBASE_API void DrawHGradientBar(HDC dc, RGBQUAD start, RGBQUAD end, int x, int y, int width, int height);
QXBASE_API void DrawD1GradientBar(HDC dc, RGBQUAD start, RGBQUAD end, int x, int y, int width, int height);
// The D1 diagonal flipped top to bottom.
QXBASE_API void DrawD2GradientBar(HDC dc, RGBQUAD start, RGBQUAD end, int x, int y, int width, int height);
QXBASE_API void DrawGradientCircle(HDC dc, RGBQUAD start, RGBQUAD end, int x, int y, int width, int height);
