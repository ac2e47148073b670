// Drawing a button: every routine takes the button, a device context (null: the button's own
// window), the area to fill and whether to compose it off screen first.
#pragma once

#include "bouton.h"

// Label states.
constexpr int BOUTON_LABEL_RELEASED = 0;
constexpr int BOUTON_LABEL_PRESSED = 1;

// The current look, chosen from held, highlighted, checked and the style.
void DrawButton(BOUTON& b, HDC dc, int x, int y, int width, int height, bool doubleBuffer);
void DrawPressed(BOUTON& b, HDC dc, int x, int y, int width, int height, bool doubleBuffer);
void DrawReleased(BOUTON& b, HDC dc, int x, int y, int width, int height, bool doubleBuffer);
// Bitmap style only.
void DrawOver(BOUTON& b, HDC dc, int x, int y, int width, int height, bool doubleBuffer);
// What lies behind the button, in a bitmap the caller deletes.
HBITMAP CaptureBackground(BOUTON& b, HDC dc, int width, int height);
// The label of a state (other states draw nothing).
void DrawLabel(BOUTON& b, HDC dc, int state, int x, int y, int width, int height);
// The visited stamp, when branch 0 leads to a page already visited and asks for it.
void DrawVisitedMark(BOUTON& b, HDC dc, int x, int y);
