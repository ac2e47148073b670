// Rectangles of object windows relative to their parents, with or without borders.
#include "windowgeometry.h"

HWND PositionParent(HWND window) { return GetAncestor(window, GA_PARENT); }

RECT ScreenToPositionParent(HWND window, RECT area)
{
    MapWindowPoints(nullptr, PositionParent(window), reinterpret_cast<POINT*>(&area), 2);
    return area;
}

RECT ClientInParent(HWND window)
{
    RECT area = {};
    GetClientRect(window, &area);
    MapWindowPoints(window, PositionParent(window), reinterpret_cast<POINT*>(&area), 2);
    return area;
}

RECT WindowInParent(HWND window)
{
    RECT area = {};
    GetWindowRect(window, &area);
    return ScreenToPositionParent(window, area);
}

RECT BordersOf(HWND window)
{
    const RECT client = ClientInParent(window);
    const RECT whole = WindowInParent(window);
    return {client.left - whole.left, client.top - whole.top, whole.right - client.right,
            whole.bottom - client.bottom};
}

RECT AddBorders(HWND window, RECT client)
{
    const RECT borders = BordersOf(window);
    return {client.left - borders.left, client.top - borders.top, client.right + borders.right,
            client.bottom + borders.bottom};
}

void PlaceWindow(HWND window, const RECT& area, UINT extraFlags)
{
    SetWindowPos(window, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | extraFlags);
}
