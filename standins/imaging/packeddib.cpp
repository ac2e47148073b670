// Checked reading of packed DIB headers.
#include "packeddib.h"

namespace {

// Larger than any image a page can show; keeps every size computation far from overflow.
constexpr int MaxSide = 1 << 16;

bool IsKnownDepth(int bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool IsCompressionValid(DWORD compression, int bits)
{
    switch (compression) {
    case BI_RGB:
        return true;
    case BI_RLE8:
        return bits == 8;
    case BI_RLE4:
        return bits == 4;
    case BI_BITFIELDS:
        return bits == 16 || bits == 32;
    default:
        return false;
    }
}

}  // namespace

size_t DibRowBytes(int width, int bitsPerPixel)
{
    return ((static_cast<size_t>(width) * static_cast<size_t>(bitsPerPixel) + 31) / 32) * 4;
}

size_t DibMaxColours(int bitsPerPixel)
{
    return bitsPerPixel <= 8 ? size_t{1} << bitsPerPixel : 0;
}

bool ReadPackedDibLayout(const void* dib, size_t bytes, bool pixelsFollow, PackedDibLayout* out)
{
    if (!dib || !out || bytes < sizeof(BITMAPINFOHEADER))
        return false;
    const auto* header = static_cast<const BITMAPINFOHEADER*>(dib);
    if (header->biSize < sizeof(BITMAPINFOHEADER) || header->biSize > bytes)
        return false;
    const int bits = header->biBitCount;
    const LONG height = header->biHeight;
    if (!IsKnownDepth(bits) || header->biWidth <= 0 || header->biWidth > MaxSide || height == 0
        || height < -MaxSide || height > MaxSide || !IsCompressionValid(header->biCompression, bits))
        return false;
    if (height < 0 && (header->biCompression == BI_RLE4 || header->biCompression == BI_RLE8))
        return false;

    PackedDibLayout layout{};
    layout.header = header;
    layout.width = header->biWidth;
    layout.height = height < 0 ? -height : height;
    layout.bottomUp = height > 0;
    layout.bitsPerPixel = bits;
    layout.compression = header->biCompression;

    const size_t maxColours = DibMaxColours(bits);
    if (bits <= 8) {
        if (header->biClrUsed > maxColours)
            return false;
        layout.colourCount = header->biClrUsed ? header->biClrUsed : maxColours;
        layout.tableBytes = layout.colourCount * sizeof(RGBQUAD);
    } else {
        // Above 8 bits a colour-used count only announces an optimisation table that sits
        // before the pixels; the pixels do not index it.
        if (header->biClrUsed > 256)
            return false;
        layout.tableBytes = header->biClrUsed * sizeof(RGBQUAD);
    }
    // The three masks follow a 40-byte header; larger headers carry them inside.
    if (header->biCompression == BI_BITFIELDS && header->biSize == sizeof(BITMAPINFOHEADER))
        layout.tableBytes += 3 * sizeof(DWORD);

    layout.rowBytes = DibRowBytes(layout.width, bits);
    const bool runLength = header->biCompression == BI_RLE4 || header->biCompression == BI_RLE8;
    layout.imageBytes = runLength ? header->biSizeImage : layout.rowBytes * static_cast<size_t>(layout.height);
    if (runLength && layout.imageBytes == 0)
        return false;
    layout.pixelOffset = header->biSize + layout.tableBytes;

    if (layout.pixelOffset > bytes)
        return false;
    if (pixelsFollow && layout.imageBytes > bytes - layout.pixelOffset)
        return false;
    *out = layout;
    return true;
}
