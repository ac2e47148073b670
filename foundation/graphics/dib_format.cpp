// Packed DIBs: creating, measuring and their palettes.
#include "qxdib.h"

#include "packeddib.h"

#include <algorithm>

namespace {

bool IsWindowsHeader(LPCSTR dib)
{
    return reinterpret_cast<const BITMAPINFOHEADER*>(dib)->biSize == sizeof(BITMAPINFOHEADER);
}

WORD RoundedDepth(WORD bits)
{
    if (bits <= 1)
        return 1;
    if (bits <= 4)
        return 4;
    if (bits <= 8)
        return 8;
    if (bits <= 24)
        return 24;
    return 4;  // what the system has always made of deeper requests
}

}  // namespace

HANDLE _CreateDIB(DWORD width, DWORD height, WORD bits)
{
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = static_cast<LONG>(width);
    header.biHeight = static_cast<LONG>(height);
    header.biPlanes = 1;
    header.biBitCount = RoundedDepth(bits);
    if (header.biWidth <= 0 || header.biHeight <= 0 || width > 65536 || height > 65536)
        return nullptr;
    const size_t bytes = sizeof header + DibMaxColours(header.biBitCount) * sizeof(RGBQUAD)
        + DibRowBytes(header.biWidth, header.biBitCount) * height;
    HANDLE dib = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* locked = dib ? static_cast<BITMAPINFOHEADER*>(GlobalLock(dib)) : nullptr;
    if (!locked) {
        if (dib)
            GlobalFree(dib);
        return nullptr;
    }
    *locked = header;
    GlobalUnlock(dib);
    return dib;
}

LPSTR _FindDIBBits(LPSTR dib)
{
    return dib + *reinterpret_cast<const DWORD*>(dib) + _PaletteSize(dib);
}

DWORD _DIBWidth(LPSTR dib)
{
    return IsWindowsHeader(dib) ? static_cast<DWORD>(reinterpret_cast<const BITMAPINFOHEADER*>(dib)->biWidth)
                                : reinterpret_cast<const BITMAPCOREHEADER*>(dib)->bcWidth;
}

DWORD _DIBHeight(LPSTR dib)
{
    return IsWindowsHeader(dib) ? static_cast<DWORD>(reinterpret_cast<const BITMAPINFOHEADER*>(dib)->biHeight)
                                : reinterpret_cast<const BITMAPCOREHEADER*>(dib)->bcHeight;
}

WORD _PaletteSize(LPSTR dib)
{
    return static_cast<WORD>(_DIBNumColors(dib) * (IsWindowsHeader(dib) ? sizeof(RGBQUAD) : sizeof(RGBTRIPLE)));
}

WORD _DIBNumColors(LPSTR dib)
{
    WORD bits;
    if (IsWindowsHeader(dib)) {
        const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(dib);
        // Capped: a table is never longer than 256 entries, whatever the header claims.
        if (header->biClrUsed)
            return static_cast<WORD>(std::min<DWORD>(header->biClrUsed, 256));
        bits = header->biBitCount;
    } else {
        bits = reinterpret_cast<const BITMAPCOREHEADER*>(dib)->bcBitCount;
    }
    return static_cast<WORD>(bits == 1 || bits == 4 || bits == 8 ? 1 << bits : 0);
}

WORD _DestroyDIB(HANDLE dib)
{
    GlobalFree(dib);
    return 0;
}

HPALETTE _CreateDIBPalette(HANDLE dib)
{
    auto* bytes = dib ? static_cast<LPSTR>(GlobalLock(dib)) : nullptr;
    if (!bytes)
        return nullptr;
    const WORD count = _DIBNumColors(bytes);
    HPALETTE palette = nullptr;
    HGLOBAL block = count ? GlobalAlloc(GHND, sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY)) : nullptr;
    auto* logical = block ? static_cast<LOGPALETTE*>(GlobalLock(block)) : nullptr;
    if (logical) {
        logical->palVersion = 0x300;
        logical->palNumEntries = count;
        const bool windows = IsWindowsHeader(bytes);
        for (WORD i = 0; i < count; ++i) {
            if (windows) {
                const RGBQUAD& q = reinterpret_cast<const RGBQUAD*>(bytes + sizeof(BITMAPINFOHEADER))[i];
                logical->palPalEntry[i] = PALETTEENTRY{q.rgbRed, q.rgbGreen, q.rgbBlue, 0};
            } else {
                const RGBTRIPLE& t = reinterpret_cast<const RGBTRIPLE*>(bytes + sizeof(BITMAPCOREHEADER))[i];
                logical->palPalEntry[i] = PALETTEENTRY{t.rgbtRed, t.rgbtGreen, t.rgbtBlue, 0};
            }
        }
        palette = CreatePalette(logical);
        GlobalUnlock(block);
    }
    if (block)
        GlobalFree(block);
    GlobalUnlock(dib);
    return palette;
}
