// RUBBER: construction, drawing by inversion, simple tracking and the normalised result.
#include "qxrubber.h"

RUBBER::RUBBER(HWND window, int x, int y, int left, int top, int right, int bottom, int mode)
    : window(window), refLeft(0), refTop(0), refRight(0), refBottom(0),
      left(left), top(top), right(right), bottom(bottom), offsetX(0), offsetY(0),
      lastX(x), lastY(y), shown(0), constrained(0), mode(mode), axisLock(0)
{
    // Each handle keeps the distance between the grab point and the edges it drags, so the
    // edges do not jump to the pointer on the first move.
    switch (mode) {
    case TopLeft: offsetX = left - x; offsetY = top - y; break;
    case Top: offsetY = top - y; break;
    case TopRight: offsetX = right - x; offsetY = top - y; break;
    case Left: offsetX = left - x; break;
    case Right: offsetX = right - x; break;
    case BottomLeft: offsetX = left - x; offsetY = bottom - y; break;
    case Bottom: offsetY = bottom - y; break;
    case BottomRight: offsetX = right - x; offsetY = bottom - y; break;
    case Whole:
        offsetX = x - left;
        offsetY = y - top;
        refLeft = left;
        refTop = top;
        refRight = right;
        refBottom = bottom;
        break;
    default: break;
    }
    Draw();
}

RUBBER::RUBBER(HWND window, int x, int y) : RUBBER(window, x, y, x, y, x, y, FromPoint) {}

RUBBER::~RUBBER()
{
    if (shown)
        Draw();
}

void* RUBBER::operator new(size_t bytes) { return ::operator new(bytes); }
void RUBBER::operator delete(void* block) { ::operator delete(block); }

void RUBBER::Draw()
{
    HDC dc = GetDC(window);
    if (dc) {
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
        HGDIOBJ oldPen = SelectObject(dc, pen);
        const int oldMode = SetROP2(dc, R2_XORPEN);
        MoveToEx(dc, left, top, nullptr);
        LineTo(dc, right, top);
        LineTo(dc, right, bottom);
        LineTo(dc, left, bottom);
        LineTo(dc, left, top);
        SetROP2(dc, oldMode);
        SelectObject(dc, oldPen);
        DeleteObject(pen);
        ReleaseDC(window, dc);
    }
    shown = !shown;
}

void RUBBER::move(int x, int y)
{
    Draw();
    switch (mode) {
    case TopLeft: left = x; top = y; break;
    case BottomRight:
    case FromPoint: right = x; bottom = y; break;
    case Top: top = y + offsetY; break;
    case Bottom: bottom = y + offsetY; break;
    case Left: left = x + offsetX; break;
    case Right: right = x + offsetX; break;
    case TopRight: right = x + offsetX; top = y + offsetY; break;
    case BottomLeft: left = x + offsetX; bottom = y + offsetY; break;
    case Whole: {
        const int dx = x - offsetX - left, dy = y - offsetY - top;
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
        break;
    }
    default: break;
    }
    lastX = x;
    lastY = y;
    Draw();
}

void RUBBER::GetCoords(int& outLeft, int& outTop, int& outRight, int& outBottom) const
{
    outLeft = left < right ? left : right;
    outRight = left < right ? right : left;
    outTop = top < bottom ? top : bottom;
    outBottom = top < bottom ? bottom : top;
}
