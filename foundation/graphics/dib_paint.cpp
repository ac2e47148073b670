// Painting packed DIBs and bitmaps into device contexts.
#include "qxdib.h"

#include "dib_palette_scope.h"

namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

}  // namespace

BOOL _PaintDIB(HDC dc, LPRECT destination, HANDLE dib, LPRECT source, HPALETTE palette)
{
    auto* bytes = dib && dc && destination && source ? static_cast<LPSTR>(GlobalLock(dib)) : nullptr;
    if (!bytes)
        return FALSE;
    const auto* info = reinterpret_cast<const BITMAPINFO*>(bytes);
    const int dibHeight = static_cast<int>(_DIBHeight(bytes));
    BOOL result;
    {
        PaletteScope scope(dc, palette);
        SetStretchBltMode(dc, COLORONCOLOR);
        if (Width(*destination) == Width(*source) && Height(*destination) == Height(*source))
            result = SetDIBitsToDevice(dc, destination->left, destination->top, Width(*destination),
                                       Height(*destination), source->left, dibHeight - source->bottom, 0,
                                       static_cast<UINT>(dibHeight), _FindDIBBits(bytes), info, DIB_RGB_COLORS);
        else
            result = StretchDIBits(dc, destination->left, destination->top, Width(*destination), Height(*destination),
                                   source->left, dibHeight - source->bottom, Width(*source), Height(*source),
                                   _FindDIBBits(bytes), info, DIB_RGB_COLORS, SRCCOPY);
    }
    GlobalUnlock(dib);
    return result;
}

BOOL _PaintBitmap(HDC dc, LPRECT destination, HBITMAP bitmap, LPRECT source, HPALETTE palette)
{
    if (!dc || !destination || !bitmap || !source)
        return FALSE;
    HDC memory = CreateCompatibleDC(dc);
    if (!memory)
        return FALSE;
    BOOL result;
    {
        PaletteScope scope(dc, palette);
        PaletteScope memoryScope(memory, palette);
        HGDIOBJ old = SelectObject(memory, bitmap);
        SetStretchBltMode(dc, COLORONCOLOR);
        if (Width(*destination) == Width(*source) && Height(*destination) == Height(*source))
            result = BitBlt(dc, destination->left, destination->top, Width(*destination), Height(*destination), memory,
                            source->left, source->top, SRCCOPY);
        else
            result = StretchBlt(dc, destination->left, destination->top, Width(*destination), Height(*destination),
                                memory, source->left, source->top, Width(*source), Height(*source), SRCCOPY);
        SelectObject(memory, old);
    }
    DeleteDC(memory);
    return result;
}
