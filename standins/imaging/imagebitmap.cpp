// Pixel storage, palette and DIB exchange of an image held in memory.
#include "imagebitmap.h"

#include "imageresult.h"
#include "packeddib.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

// Beyond this a single image is refused rather than left to exhaust the process.
constexpr size_t MaxPixelBytes = size_t{512} << 20;

bool IsStorableDepth(int bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
}

std::vector<RGBQUAD> GreyRamp(int bits)
{
    const size_t count = DibMaxColours(bits);
    std::vector<RGBQUAD> ramp(count);
    for (size_t i = 0; i < count; ++i) {
        const auto level = static_cast<BYTE>(count > 1 ? i * 255 / (count - 1) : 0);
        ramp[i] = RGBQUAD{level, level, level, 0};
    }
    return ramp;
}

}  // namespace

size_t ImageBitmap::Stride() const
{
    return DibRowBytes(width_, bits_);
}

int ImageBitmap::Allocate(int width, int height, int bitsPerPixel)
{
    if (width <= 0 || height <= 0 || !IsStorableDepth(bitsPerPixel))
        return IMAGE_ERROR_INVALID_ARGUMENT;
    const size_t bytes = DibRowBytes(width, bitsPerPixel) * static_cast<size_t>(height);
    if (bytes / static_cast<size_t>(height) != DibRowBytes(width, bitsPerPixel) || bytes > MaxPixelBytes)
        return IMAGE_ERROR_NO_MEMORY;
    try {
        std::vector<uint8_t> pixels(bytes, 0);
        palette_ = GreyRamp(bitsPerPixel);
        pixels_.swap(pixels);
    } catch (const std::bad_alloc&) {
        return IMAGE_ERROR_NO_MEMORY;
    }
    width_ = width;
    height_ = height;
    bits_ = bitsPerPixel;
    ResetRects();
    return IMAGE_SUCCESS;
}

void ImageBitmap::Free()
{
    std::vector<uint8_t>().swap(pixels_);
    palette_.clear();
    width_ = height_ = bits_ = 0;
    ResetRects();
}

uint8_t* ImageBitmap::Row(int y)
{
    return pixels_.data() + static_cast<size_t>(height_ - 1 - y) * Stride();
}

const uint8_t* ImageBitmap::Row(int y) const
{
    return pixels_.data() + static_cast<size_t>(height_ - 1 - y) * Stride();
}

uint32_t ImageBitmap::RawPixel(int x, int y) const
{
    const uint8_t* row = Row(y);
    switch (bits_) {
    case 1:
        return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4:
        return (row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F;
    case 8:
        return row[x];
    default: {
        const uint8_t* p = row + static_cast<size_t>(x) * (bits_ / 8);
        return (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
    }
    }
}

void ImageBitmap::SetRawPixel(int x, int y, uint32_t value)
{
    uint8_t* row = Row(y);
    switch (bits_) {
    case 1: {
        const int shift = 7 - x % 8;
        row[x / 8] = static_cast<uint8_t>((row[x / 8] & ~(1 << shift)) | ((value & 1) << shift));
        break;
    }
    case 4: {
        const int shift = x % 2 ? 0 : 4;
        row[x / 2] = static_cast<uint8_t>((row[x / 2] & ~(0x0F << shift)) | ((value & 0x0F) << shift));
        break;
    }
    case 8:
        row[x] = static_cast<uint8_t>(value);
        break;
    default: {
        uint8_t* p = row + static_cast<size_t>(x) * (bits_ / 8);
        p[0] = static_cast<uint8_t>(value);
        p[1] = static_cast<uint8_t>(value >> 8);
        p[2] = static_cast<uint8_t>(value >> 16);
        break;
    }
    }
}

COLORREF ImageBitmap::PixelColor(int x, int y) const
{
    if (!IsAllocated() || x < 0 || y < 0 || x >= width_ || y >= height_)
        return IMAGE_PIXEL_ERROR;
    const uint32_t raw = RawPixel(x, y);
    if (bits_ > 8)
        return RGB((raw >> 16) & 0xFF, (raw >> 8) & 0xFF, raw & 0xFF);
    if (raw >= palette_.size())
        return 0;
    const RGBQUAD& entry = palette_[raw];
    return RGB(entry.rgbRed, entry.rgbGreen, entry.rgbBlue);
}

int ImageBitmap::WriteRowBGR(int y, int x, int count, const uint8_t* bgr)
{
    if (!IsAllocated())
        return IMAGE_ERROR_NO_IMAGE;
    if (!bgr || bits_ < 24 || y < 0 || y >= height_ || x < 0 || count < 0 || count > width_ - x)
        return IMAGE_ERROR_INVALID_ARGUMENT;
    for (int i = 0; i < count; ++i, bgr += 3)
        SetRawPixel(x + i, y, (uint32_t{bgr[2]} << 16) | (uint32_t{bgr[1]} << 8) | bgr[0]);
    return IMAGE_SUCCESS;
}

int ImageBitmap::SetPalette(const RGBQUAD* entries, int count)
{
    if (!IsAllocated())
        return IMAGE_ERROR_NO_IMAGE;
    if (!entries || count < 0)
        return IMAGE_ERROR_INVALID_ARGUMENT;
    const size_t n = std::min(static_cast<size_t>(count), palette_.size());
    std::memcpy(palette_.data(), entries, n * sizeof(RGBQUAD));
    return IMAGE_SUCCESS;
}

int ImageBitmap::SetPalette(HPALETTE palette)
{
    if (!IsAllocated())
        return IMAGE_ERROR_NO_IMAGE;
    PALETTEENTRY entries[256];
    const UINT count = palette ? GetPaletteEntries(palette, 0, 256, entries) : 0;
    if (count == 0)
        return IMAGE_ERROR_INVALID_ARGUMENT;
    const size_t n = std::min(static_cast<size_t>(count), palette_.size());
    for (size_t i = 0; i < n; ++i)
        palette_[i] = RGBQUAD{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
    return IMAGE_SUCCESS;
}

void ImageBitmap::ResetRects()
{
    paint_ = source_ = RECT{0, 0, width_, height_};
}

std::vector<uint8_t> ImageBitmap::BitmapInfo() const
{
    std::vector<uint8_t> info(sizeof(BITMAPINFOHEADER) + palette_.size() * sizeof(RGBQUAD));
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = width_;
    header->biHeight = height_;
    header->biPlanes = 1;
    header->biBitCount = static_cast<WORD>(bits_);
    header->biCompression = BI_RGB;
    header->biSizeImage = static_cast<DWORD>(pixels_.size());
    header->biClrUsed = static_cast<DWORD>(palette_.size());
    if (!palette_.empty())
        std::memcpy(header + 1, palette_.data(), palette_.size() * sizeof(RGBQUAD));
    return info;
}

HGLOBAL ImageBitmap::ToPackedDIB() const
{
    if (!IsAllocated())
        return nullptr;
    try {
        const std::vector<uint8_t> info = BitmapInfo();
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, info.size() + pixels_.size());
        auto* bytes = block ? static_cast<uint8_t*>(GlobalLock(block)) : nullptr;
        if (!bytes) {
            if (block)
                GlobalFree(block);
            return nullptr;
        }
        std::memcpy(bytes, info.data(), info.size());
        std::memcpy(bytes + info.size(), pixels_.data(), pixels_.size());
        GlobalUnlock(block);
        return block;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

int ImageBitmap::FromPackedDIB(const void* dib, size_t bytes)
{
    PackedDibLayout layout;
    if (!ReadPackedDibLayout(dib, bytes, true, &layout))
        return IMAGE_ERROR_BAD_DATA;
    const bool direct = layout.compression == BI_RGB && layout.bitsPerPixel != 16;
    ImageBitmap image;
    const int made = image.Allocate(layout.width, layout.height, direct ? layout.bitsPerPixel : 24);
    if (made != IMAGE_SUCCESS)
        return made;
    const auto* base = static_cast<const uint8_t*>(dib);
    if (direct) {
        for (int y = 0; y < layout.height; ++y) {
            const int stored = layout.bottomUp ? layout.height - 1 - y : y;
            std::memcpy(image.Row(y), base + layout.pixelOffset + stored * layout.rowBytes, layout.rowBytes);
        }
        image.palette_.assign(image.palette_.size(), RGBQUAD{});
        std::memcpy(image.palette_.data(), base + layout.header->biSize,
                    std::min(layout.colourCount, image.palette_.size()) * sizeof(RGBQUAD));
    } else {
        // Masks, 16-bit pixels and run-length data are expanded by GDI, which the checks
        // above have given a block that holds everything the header announces.
        HDC screen = GetDC(nullptr);
        const std::vector<uint8_t> target = image.BitmapInfo();
        void* sectionBits = nullptr;
        HBITMAP section = CreateDIBSection(screen, reinterpret_cast<const BITMAPINFO*>(target.data()),
                                           DIB_RGB_COLORS, &sectionBits, nullptr, 0);
        const int rows = section ? SetDIBits(screen, section, 0, layout.height, base + layout.pixelOffset,
                                             reinterpret_cast<const BITMAPINFO*>(base), DIB_RGB_COLORS)
                                 : 0;
        if (rows > 0) {
            GdiFlush();
            std::memcpy(image.pixels_.data(), sectionBits, image.pixels_.size());
        }
        if (section)
            DeleteObject(section);
        ReleaseDC(nullptr, screen);
        if (rows <= 0)
            return IMAGE_ERROR_BAD_DATA;
    }
    TakePixels(image);
    return IMAGE_SUCCESS;
}

void ImageBitmap::TakePixels(ImageBitmap& other)
{
    width_ = other.width_;
    height_ = other.height_;
    bits_ = other.bits_;
    pixels_.swap(other.pixels_);
    palette_.swap(other.palette_);
    ResetRects();
}
