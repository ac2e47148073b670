// Packed DIBs to device-dependent bitmaps and back, format changes and system palettes.
#include "qxdib.h"

#include "dib_palette_scope.h"
#include "packeddib.h"

#include <algorithm>

namespace {

WORD DepthOfBitmap(const BITMAP& bitmap)
{
    const int bits = bitmap.bmPlanes * bitmap.bmBitsPixel;
    return static_cast<WORD>(bits <= 1 ? 1 : bits <= 4 ? 4 : bits <= 8 ? 8 : 24);
}

bool IsAllowedFormat(WORD bits, DWORD compression)
{
    switch (bits) {
    case 1:
    case 24:
        return compression == BI_RGB;
    case 4:
        return compression == BI_RGB || compression == BI_RLE4;
    case 8:
        return compression == BI_RGB || compression == BI_RLE8;
    default:
        return false;
    }
}

// The second GetDIBits pass into a block from _AllocRoomForDIB; the block on success.
HANDLE FillDIB(HANDLE dib, HBITMAP bitmap, HPALETTE palette)
{
    auto* header = dib ? static_cast<BITMAPINFOHEADER*>(GlobalLock(dib)) : nullptr;
    if (!header) {
        if (dib)
            GlobalFree(dib);
        return nullptr;
    }
    HDC screen = GetDC(nullptr);
    int rows = 0;
    {
        PaletteScope scope(screen, palette);
        rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(header->biHeight), _FindDIBBits(reinterpret_cast<LPSTR>(header)),
                         reinterpret_cast<BITMAPINFO*>(header), DIB_RGB_COLORS);
    }
    ReleaseDC(nullptr, screen);
    GlobalUnlock(dib);
    if (rows == 0) {
        GlobalFree(dib);
        return nullptr;
    }
    return dib;
}

}  // namespace

HBITMAP _DIBToBitmap(HANDLE dib, HPALETTE palette)
{
    auto* bytes = dib ? static_cast<LPSTR>(GlobalLock(dib)) : nullptr;
    if (!bytes)
        return nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = nullptr;
    {
        PaletteScope scope(screen, palette);
        bitmap = CreateDIBitmap(screen, reinterpret_cast<BITMAPINFOHEADER*>(bytes), CBM_INIT, _FindDIBBits(bytes),
                                reinterpret_cast<BITMAPINFO*>(bytes), DIB_RGB_COLORS);
    }
    ReleaseDC(nullptr, screen);
    GlobalUnlock(dib);
    return bitmap;
}

HANDLE _AllocRoomForDIB(BITMAPINFOHEADER header, HBITMAP bitmap)
{
    // Room for the largest header-plus-table GetDIBits may write during the sizing pass.
    const size_t tableBytes = 256 * sizeof(RGBQUAD);
    HANDLE sizing = GlobalAlloc(GHND, sizeof header + tableBytes);
    auto* info = sizing ? static_cast<BITMAPINFOHEADER*>(GlobalLock(sizing)) : nullptr;
    if (!info) {
        if (sizing)
            GlobalFree(sizing);
        return nullptr;
    }
    *info = header;
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(header.biHeight), nullptr, reinterpret_cast<BITMAPINFO*>(info),
              DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (info->biSizeImage == 0)
        info->biSizeImage = static_cast<DWORD>(DibRowBytes(info->biWidth, info->biBitCount) * std::abs(info->biHeight));
    const size_t bytes = sizeof header + _PaletteSize(reinterpret_cast<LPSTR>(info)) + info->biSizeImage;
    const BITMAPINFOHEADER sized = *info;
    GlobalUnlock(sizing);
    GlobalFree(sizing);
    HANDLE dib = GlobalAlloc(GHND, bytes);
    auto* locked = dib ? static_cast<BITMAPINFOHEADER*>(GlobalLock(dib)) : nullptr;
    if (!locked) {
        if (dib)
            GlobalFree(dib);
        return nullptr;
    }
    *locked = sized;
    GlobalUnlock(dib);
    return dib;
}

HANDLE _BitmapToDIB(HBITMAP bitmap, HPALETTE palette)
{
    BITMAP described{};
    if (!bitmap || !GetObjectA(bitmap, sizeof described, &described))
        return nullptr;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = described.bmWidth;
    header.biHeight = described.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = DepthOfBitmap(described);
    header.biCompression = BI_RGB;
    if (!palette)
        palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    return FillDIB(_AllocRoomForDIB(header, bitmap), bitmap, palette);
}

HANDLE _ChangeBitmapFormat(HBITMAP bitmap, WORD bits, DWORD compression, HPALETTE palette)
{
    BITMAP described{};
    if (!bitmap || !GetObjectA(bitmap, sizeof described, &described))
        return nullptr;
    if (bits == 0) {
        if (compression == BI_RLE4)
            bits = 4;
        else if (compression == BI_RLE8)
            bits = 8;
    }
    if (!IsAllowedFormat(bits, compression))
        return nullptr;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = described.bmWidth;
    header.biHeight = described.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = bits;
    header.biCompression = compression;
    return FillDIB(_AllocRoomForDIB(header, bitmap), bitmap, palette);
}

HANDLE _ChangeDIBFormat(HANDLE dib, WORD bits, DWORD compression)
{
    auto* bytes = dib ? static_cast<LPSTR>(GlobalLock(dib)) : nullptr;
    if (!bytes)
        return nullptr;
    const WORD current = reinterpret_cast<const BITMAPINFOHEADER*>(bytes)->biBitCount;
    GlobalUnlock(dib);
    if (bits == 0) {
        const bool keeps = compression == BI_RGB || (compression == BI_RLE4 && current == 4)
            || (compression == BI_RLE8 && current == 8);
        if (!keeps)
            return nullptr;
        bits = current;
    }
    if (!IsAllowedFormat(bits, compression))
        return nullptr;
    HPALETTE palette = _CreateDIBPalette(dib);
    HBITMAP bitmap = _DIBToBitmap(dib, palette);
    HANDLE changed = bitmap ? _ChangeBitmapFormat(bitmap, bits, compression, palette) : nullptr;
    if (bitmap)
        DeleteObject(bitmap);
    if (palette)
        DeleteObject(palette);
    return changed;
}

int _PalEntriesOnDevice(HDC dc)
{
    const int entries = GetDeviceCaps(dc, SIZEPALETTE);
    return entries ? entries : GetDeviceCaps(dc, NUMCOLORS);
}

HPALETTE _GetSystemPalette(void)
{
    HDC screen = GetDC(nullptr);
    const int count = std::min(_PalEntriesOnDevice(screen), 256);
    HPALETTE palette = nullptr;
    HGLOBAL block = count > 0 ? GlobalAlloc(GHND, sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY)) : nullptr;
    auto* logical = block ? static_cast<LOGPALETTE*>(GlobalLock(block)) : nullptr;
    if (logical) {
        logical->palVersion = 0x300;
        logical->palNumEntries = static_cast<WORD>(count);
        GetSystemPaletteEntries(screen, 0, static_cast<UINT>(count), logical->palPalEntry);
        palette = CreatePalette(logical);
        GlobalUnlock(block);
    }
    if (block)
        GlobalFree(block);
    ReleaseDC(nullptr, screen);
    return palette;
}
