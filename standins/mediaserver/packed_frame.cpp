// Frames drawn into a 24-bit DIB section and copied into a byte array.
#include "packed_frame.h"

#include <cstdlib>
#include <cstring>

namespace {

// Where the pixels of a packed DIB begin: after the header, the colour masks of a plain
// header with bit fields, and the colour table.
const void* PixelsOf(const BITMAPINFOHEADER* dib)
{
    DWORD colours = dib->biClrUsed;
    if (!colours && dib->biBitCount <= 8)
        colours = 1u << dib->biBitCount;
    DWORD masks = dib->biSize == sizeof(BITMAPINFOHEADER) && dib->biCompression == BI_BITFIELDS ? 3 : 0;
    return reinterpret_cast<const BYTE*>(dib) + dib->biSize + (masks + colours) * sizeof(RGBQUAD);
}

void DrawSource(const BITMAPINFOHEADER* source, const BITMAPINFOHEADER& target, void* targetBits)
{
    BITMAPINFO info{};
    info.bmiHeader = target;
    void* sectionBits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &sectionBits, nullptr, 0);
    HDC dc = section ? CreateCompatibleDC(nullptr) : nullptr;
    if (dc) {
        HGDIOBJ previous = SelectObject(dc, section);
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchDIBits(dc, 0, 0, target.biWidth, target.biHeight, 0, 0, source->biWidth, std::labs(source->biHeight),
                      PixelsOf(source), reinterpret_cast<const BITMAPINFO*>(source), DIB_RGB_COLORS, SRCCOPY);
        GdiFlush();
        std::memcpy(targetBits, sectionBits, target.biSizeImage);
        SelectObject(dc, previous);
        DeleteDC(dc);
    }
    if (section)
        DeleteObject(section);
}

}  // namespace

SAFEARRAY* PackFrame(const BITMAPINFOHEADER* source, long width, long height)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>((width * 3 + 3) & ~3) * static_cast<DWORD>(height);
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, sizeof header + header.biSizeImage);
    BYTE* bytes = nullptr;
    if (!array || FAILED(SafeArrayAccessData(array, reinterpret_cast<void**>(&bytes)))) {
        if (array)
            SafeArrayDestroy(array);
        return nullptr;
    }
    std::memcpy(bytes, &header, sizeof header);
    std::memset(bytes + sizeof header, 0, header.biSizeImage);
    if (source)
        DrawSource(source, header, bytes + sizeof header);
    SafeArrayUnaccessData(array);
    return array;
}
