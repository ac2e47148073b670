// One image held in memory as a bottom-up DIB (1, 4, 8, 24 or 32 bits per pixel, palette
// for 8 bits and less), with the rectangles and the transparent colour used when it is
// painted. Pixel coordinates given to the accessors are top-down.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// The pixel read's answer for a position outside the image or no image.
constexpr COLORREF IMAGE_PIXEL_ERROR = 0x80000000;

class ImageBitmap {
public:
    // A zero-filled image; 8 bits and less get a grey ramp as palette.
    int Allocate(int width, int height, int bitsPerPixel);
    void Free();
    bool IsAllocated() const { return width_ > 0; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitsPerPixel() const { return bits_; }
    size_t Stride() const;
    // Rows are stored bottom-up, as in a DIB: callers addressing stored rows mirror.
    bool IsBottomUp() const { return true; }

    uint8_t* Row(int y);
    const uint8_t* Row(int y) const;
    // The pixel's stored value: a palette index, or 0xRRGGBB above 8 bits.
    uint32_t RawPixel(int x, int y) const;
    void SetRawPixel(int x, int y, uint32_t value);
    // COLORREF of the pixel, IMAGE_PIXEL_ERROR outside the image.
    COLORREF PixelColor(int x, int y) const;
    // Writes count pixels of 3 bytes (blue, green, red) from column x of row y; 24 and 32 bits.
    int WriteRowBGR(int y, int x, int count, const uint8_t* bgr);

    const std::vector<RGBQUAD>& Palette() const { return palette_; }
    int SetPalette(const RGBQUAD* entries, int count);
    int SetPalette(HPALETTE palette);

    // Where the next paint puts the image, and which part of it is taken.
    void SetPaintRect(const RECT& rect) { paint_ = rect; }
    const RECT& PaintRect() const { return paint_; }
    void SetSourceRect(const RECT& rect) { source_ = rect; }
    const RECT& SourceRect() const { return source_; }
    void ResetRects();

    void EnablePlaybackTransparency(bool on) { transparent_ = on; }
    bool IsPlaybackTransparent() const { return transparent_; }
    void SetTransparentColor(COLORREF colour) { transparentColour_ = colour; }
    COLORREF TransparentColor() const { return transparentColour_; }

    // A new movable global block holding the image as a packed DIB; null when none.
    HGLOBAL ToPackedDIB() const;
    // Replaces the pixels by those of a packed DIB of `bytes` bytes; the block is checked
    // first, so a short block or a lying header leaves the image unchanged.
    int FromPackedDIB(const void* dib, size_t bytes);
    // BITMAPINFO with palette for GDI calls on Bits().
    std::vector<uint8_t> BitmapInfo() const;
    const uint8_t* Bits() const { return pixels_.data(); }
    uint8_t* Bits() { return pixels_.data(); }

    // Replaces pixels, size and palette by those of `other`; the rectangles are reset and
    // the transparency settings kept.
    void TakePixels(ImageBitmap& other);

private:
    int width_ = 0;
    int height_ = 0;
    int bits_ = 0;
    std::vector<uint8_t> pixels_;
    std::vector<RGBQUAD> palette_;
    RECT paint_{};
    RECT source_{};
    bool transparent_ = false;
    COLORREF transparentColour_ = 0;
};
