// The looks of the bitmap style: the released, pressed and mouse-over pictures drawn over
// the background, through the mask when there is one.
#pragma once

#include "bouton.h"

void DrawReleasedPicture(BOUTON& b, HDC dc, int x, int y, int width, int height, bool doubleBuffer);
void DrawPressedPicture(BOUTON& b, HDC dc, int x, int y, int width, int height, bool doubleBuffer);
void DrawOverPicture(BOUTON& b, HDC dc, int x, int y, int width, int height, bool doubleBuffer);
