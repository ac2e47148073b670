// GDI side of the imaging layer: painting, printing and bitmap exchange.
#include "imagegdi.h"

#include "imageresult.h"

#include <vector>

namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

const BITMAPINFO* AsInfo(const std::vector<uint8_t>& info)
{
    return reinterpret_cast<const BITMAPINFO*>(info.data());
}

// Source rows of a bottom-up DIB are counted from the bottom.
int StretchSource(HDC dc, const ImageBitmap& image, const RECT& to, const RECT& from, DWORD rop)
{
    const std::vector<uint8_t> info = image.BitmapInfo();
    SetStretchBltMode(dc, COLORONCOLOR);
    const int rows = StretchDIBits(dc, to.left, to.top, Width(to), Height(to), from.left,
                                   image.Height() - from.bottom, Width(from), Height(from), image.Bits(),
                                   AsInfo(info), DIB_RGB_COLORS, rop);
    return rows == 0 || rows == static_cast<int>(GDI_ERROR) ? IMAGE_ERROR_GDI : IMAGE_SUCCESS;
}

// The source rectangle as a 24-bit section in a memory DC, where every pixel has its
// true colour to compare with the transparent one.
int PaintTransparent(HDC dc, const ImageBitmap& image, const RECT& to, const RECT& from)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = Width(from);
    info.bmiHeader.biHeight = Height(from);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(dc);
    int result = IMAGE_ERROR_GDI;
    if (section && memory) {
        HGDIOBJ old = SelectObject(memory, section);
        const RECT whole{0, 0, Width(from), Height(from)};
        if (StretchSource(memory, image, whole, from, SRCCOPY) == IMAGE_SUCCESS
            && GdiTransparentBlt(dc, to.left, to.top, Width(to), Height(to), memory, 0, 0, Width(from),
                                 Height(from), image.TransparentColor() & 0xFFFFFF))
            result = IMAGE_SUCCESS;
        SelectObject(memory, old);
    }
    if (memory)
        DeleteDC(memory);
    if (section)
        DeleteObject(section);
    return result;
}

}  // namespace

int PaintImage(HDC dc, const ImageBitmap& image, DWORD rop)
{
    if (!image.IsAllocated())
        return IMAGE_ERROR_NO_IMAGE;
    const RECT& to = image.PaintRect();
    const RECT& from = image.SourceRect();
    if (!dc || Width(from) <= 0 || Height(from) <= 0 || Width(to) <= 0 || Height(to) <= 0)
        return IMAGE_ERROR_INVALID_ARGUMENT;
    return image.IsPlaybackTransparent() ? PaintTransparent(dc, image, to, from)
                                         : StretchSource(dc, image, to, from, rop);
}

int PrintImage(HDC dc, const ImageBitmap& image, int x, int y, int w, int h)
{
    if (!image.IsAllocated())
        return IMAGE_ERROR_NO_IMAGE;
    const RECT& from = image.SourceRect();
    if (!dc || Width(from) <= 0 || Height(from) <= 0)
        return IMAGE_ERROR_INVALID_ARGUMENT;
    if (w == 0 || h == 0) {
        w = MulDiv(Width(from), GetDeviceCaps(dc, LOGPIXELSX), 96);
        h = MulDiv(Height(from), GetDeviceCaps(dc, LOGPIXELSY), 96);
    }
    return StretchSource(dc, image, RECT{x, y, x + w, y + h}, from, SRCCOPY);
}

HBITMAP ImageToBitmap(const ImageBitmap& image, HDC dc)
{
    if (!image.IsAllocated() || !dc)
        return nullptr;
    const std::vector<uint8_t> info = image.BitmapInfo();
    return CreateDIBitmap(dc, &AsInfo(info)->bmiHeader, CBM_INIT, image.Bits(), AsInfo(info), DIB_RGB_COLORS);
}

int ImageFromBitmap(ImageBitmap* image, HDC dc, HBITMAP bitmap)
{
    BITMAP described{};
    if (!image || !dc || !bitmap || !GetObjectA(bitmap, sizeof described, &described))
        return IMAGE_ERROR_INVALID_ARGUMENT;
    const int depth = described.bmPlanes * described.bmBitsPixel;
    const int bits = depth <= 1 ? 1 : depth <= 4 ? 4 : depth <= 8 ? 8 : 24;
    ImageBitmap copy;
    const int made = copy.Allocate(described.bmWidth, described.bmHeight, bits);
    if (made != IMAGE_SUCCESS)
        return made;
    std::vector<uint8_t> info = copy.BitmapInfo();
    if (!GetDIBits(dc, bitmap, 0, described.bmHeight, copy.Bits(), reinterpret_cast<BITMAPINFO*>(info.data()),
                   DIB_RGB_COLORS))
        return IMAGE_ERROR_GDI;
    const auto* table = reinterpret_cast<const RGBQUAD*>(info.data() + sizeof(BITMAPINFOHEADER));
    copy.SetPalette(table, static_cast<int>(copy.Palette().size()));
    image->TakePixels(copy);
    return IMAGE_SUCCESS;
}
