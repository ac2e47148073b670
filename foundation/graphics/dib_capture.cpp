// Copies of the screen and of windows as bitmaps and DIBs.
#include "qxdib.h"

#include <algorithm>

HBITMAP _CopyScreenToBitmap(LPRECT rect)
{
    if (!rect || IsRectEmpty(rect))
        return nullptr;
    const LONG left = std::max<LONG>(rect->left, 0), top = std::max<LONG>(rect->top, 0);
    const LONG right = std::min<LONG>(rect->right, GetSystemMetrics(SM_CXSCREEN));
    const LONG bottom = std::min<LONG>(rect->bottom, GetSystemMetrics(SM_CYSCREEN));
    if (right <= left || bottom <= top)
        return nullptr;
    HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    HDC memory = screen ? CreateCompatibleDC(screen) : nullptr;
    HBITMAP bitmap = memory ? CreateCompatibleBitmap(screen, right - left, bottom - top) : nullptr;
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, right - left, bottom - top, screen, left, top, SRCCOPY);
        SelectObject(memory, old);
    }
    if (memory)
        DeleteDC(memory);
    if (screen)
        DeleteDC(screen);
    return bitmap;
}

HBITMAP _CopyWindowToBitmap(HWND window, WORD kind)
{
    RECT area{};
    if (!window)
        return nullptr;
    if (kind == DIB_WINDOW_WHOLE) {
        GetWindowRect(window, &area);
    } else if (kind == DIB_WINDOW_CLIENT) {
        GetClientRect(window, &area);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    } else {
        return nullptr;
    }
    return _CopyScreenToBitmap(&area);
}

namespace {

HANDLE BitmapToDIBWithSystemPalette(HBITMAP bitmap)
{
    if (!bitmap)
        return nullptr;
    HPALETTE palette = _GetSystemPalette();
    HANDLE dib = _BitmapToDIB(bitmap, palette);
    if (palette)
        DeleteObject(palette);
    DeleteObject(bitmap);
    return dib;
}

}  // namespace

HANDLE _CopyWindowToDIB(HWND window, WORD kind)
{
    return BitmapToDIBWithSystemPalette(_CopyWindowToBitmap(window, kind));
}

HANDLE _CopyScreenToDIB(LPRECT rect)
{
    return BitmapToDIBWithSystemPalette(_CopyScreenToBitmap(rect));
}
