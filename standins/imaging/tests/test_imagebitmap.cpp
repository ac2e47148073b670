// Pixel storage and packed DIB exchange of the in-memory image.
#include "imagebitmap.h"
#include "imageresult.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

std::vector<uint8_t> Packed(HGLOBAL block)
{
    std::vector<uint8_t> bytes(GlobalSize(block));
    memcpy(bytes.data(), GlobalLock(block), bytes.size());
    GlobalUnlock(block);
    GlobalFree(block);
    return bytes;
}

TEST(ImageBitmapTest, PixelsOfEachDepth)
{
    for (int bits : {1, 4, 8, 24, 32}) {
        SCOPED_TRACE(bits);
        ImageBitmap image;
        ASSERT_EQ(IMAGE_SUCCESS, image.Allocate(5, 3, bits));
        const uint32_t value = bits == 1 ? 1 : bits == 4 ? 9 : bits == 8 ? 200 : 0x123456;
        image.SetRawPixel(4, 2, value);
        EXPECT_EQ(value, image.RawPixel(4, 2));
        EXPECT_EQ(0u, image.RawPixel(3, 2));
        EXPECT_EQ(0u, image.RawPixel(4, 1));
    }
}

TEST(ImageBitmapTest, PixelColorOutsideIsTheErrorValue)
{
    ImageBitmap image;
    EXPECT_EQ(IMAGE_PIXEL_ERROR, image.PixelColor(0, 0));
    image.Allocate(2, 2, 24);
    image.SetRawPixel(1, 0, 0x102030);
    EXPECT_EQ(RGB(0x10, 0x20, 0x30), image.PixelColor(1, 0));
    EXPECT_EQ(IMAGE_PIXEL_ERROR, image.PixelColor(2, 0));
    EXPECT_EQ(IMAGE_PIXEL_ERROR, image.PixelColor(0, -1));
}

TEST(ImageBitmapTest, PackedDibRoundTripKeepsRowsAndPalette)
{
    ImageBitmap image;
    image.Allocate(3, 2, 8);
    const RGBQUAD red{0, 0, 255, 0};
    image.SetPalette(&red, 1);
    image.SetRawPixel(0, 0, 0);
    image.SetRawPixel(2, 1, 255);
    const std::vector<uint8_t> bytes = Packed(image.ToPackedDIB());
    ASSERT_EQ(40u + 1024 + 8, bytes.size());
    // Bottom-up: the last row of the block is the top row.
    EXPECT_EQ(0, bytes[40 + 1024 + 4]);
    EXPECT_EQ(255, bytes[40 + 1024 + 2]);

    ImageBitmap copy;
    ASSERT_EQ(IMAGE_SUCCESS, copy.FromPackedDIB(bytes.data(), bytes.size()));
    EXPECT_EQ(RGB(255, 0, 0), copy.PixelColor(0, 0));
    EXPECT_EQ(RGB(255, 255, 255), copy.PixelColor(2, 1));
}

TEST(ImageBitmapTest, ShortColourTableFindsThePixels)
{
    // Two table entries, then one 8-bit row of 4 pixels.
    std::vector<uint8_t> dib(40 + 8 + 4, 0);
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
    *header = BITMAPINFOHEADER{40, 4, 1, 1, 8, BI_RGB, 0, 0, 0, 2, 0};
    const RGBQUAD table[2] = {{0, 0, 255, 0}, {255, 0, 0, 0}};
    memcpy(&dib[40], table, 8);
    dib[48] = 1;
    dib[49] = 0;
    ImageBitmap image;
    ASSERT_EQ(IMAGE_SUCCESS, image.FromPackedDIB(dib.data(), dib.size()));
    EXPECT_EQ(RGB(0, 0, 255), image.PixelColor(0, 0));
    EXPECT_EQ(RGB(255, 0, 0), image.PixelColor(1, 0));
}

TEST(ImageBitmapTest, BitFieldsAreExpanded)
{
    // 16 bits, 5-6-5 masks, one row of 2 pixels: pure red, pure blue.
    std::vector<uint8_t> dib(40 + 12 + 4, 0);
    *reinterpret_cast<BITMAPINFOHEADER*>(dib.data()) = BITMAPINFOHEADER{40, 2, 1, 1, 16, BI_BITFIELDS, 0, 0, 0, 0, 0};
    const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
    memcpy(&dib[40], masks, 12);
    const uint16_t pixels[2] = {0xF800, 0x001F};
    memcpy(&dib[52], pixels, 4);
    ImageBitmap image;
    ASSERT_EQ(IMAGE_SUCCESS, image.FromPackedDIB(dib.data(), dib.size()));
    EXPECT_EQ(24, image.BitsPerPixel());
    EXPECT_EQ(RGB(255, 0, 0), image.PixelColor(0, 0) | RGB(7, 0, 0));
    EXPECT_EQ(RGB(0, 0, 255), image.PixelColor(1, 0) | RGB(0, 0, 7));
}

TEST(ImageBitmapTest, RefusedBlockLeavesTheImage)
{
    ImageBitmap image;
    image.Allocate(2, 2, 24);
    std::vector<uint8_t> dib(40 + 10, 0);
    *reinterpret_cast<BITMAPINFOHEADER*>(dib.data()) = BITMAPINFOHEADER{40, 100, 100, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    EXPECT_EQ(IMAGE_ERROR_BAD_DATA, image.FromPackedDIB(dib.data(), dib.size()));
    EXPECT_EQ(2, image.Width());
}

TEST(ImageBitmapTest, WriteRowBGRChecksBounds)
{
    ImageBitmap image;
    image.Allocate(3, 1, 24);
    const uint8_t bgr[6] = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(IMAGE_SUCCESS, image.WriteRowBGR(0, 1, 2, bgr));
    EXPECT_EQ(RGB(6, 5, 4), image.PixelColor(2, 0));
    EXPECT_EQ(IMAGE_ERROR_INVALID_ARGUMENT, image.WriteRowBGR(0, 2, 2, bgr));
    EXPECT_EQ(IMAGE_ERROR_INVALID_ARGUMENT, image.WriteRowBGR(1, 0, 1, bgr));
}

}  // namespace
