// Rectangles of object windows as the layout operations need them: relative to the window's
// parent (the screen for a top-level window), with or without the window's borders.
#pragma once

#include "../runtime/qxkernel.h"

// The window that positions are relative to: the parent, or the desktop for a top-level window.
HWND PositionParent(HWND window);
// A rectangle in screen pixels made relative to the window's position parent.
RECT ScreenToPositionParent(HWND window, RECT area);
// The window's client area relative to its position parent.
RECT ClientInParent(HWND window);
// The window's whole rectangle relative to its position parent.
RECT WindowInParent(HWND window);
// How far the window rectangle reaches beyond the client area on each side.
RECT BordersOf(HWND window);
// The client rectangle grown by the borders: the window rectangle that has it as client area.
RECT AddBorders(HWND window, RECT client);
// Places the window at the rectangle (relative to its position parent) and shows it.
void PlaceWindow(HWND window, const RECT& area, UINT extraFlags);
