// Where a picture is drawn inside its object's rectangle.
#pragma once

#include <windows.h>

// Keeping the picture's proportions: the largest rectangle of the picture's shape inside
// x, y, w, h, centred (offsets halved towards zero). Integer arithmetic, as pages were laid
// out with it.
RECT FitKeepingRatio(int x, int y, int w, int h, int pictureW, int pictureH);
