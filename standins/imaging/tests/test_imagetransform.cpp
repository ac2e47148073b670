// Rotation, flips, crop, scaling and colour reduction, checked on pixels.
#include "imageresult.h"
#include "imagetransform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// 3 x 2 with values 1..6 row by row.
ImageBitmap Numbered()
{
    ImageBitmap image;
    image.Allocate(3, 2, 24);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            image.SetRawPixel(x, y, static_cast<uint32_t>(y * 3 + x + 1));
    return image;
}

// Rows as text, "123/456".
std::string Picture(const ImageBitmap& image)
{
    std::string text;
    for (int y = 0; y < image.Height(); ++y) {
        if (y)
            text += '/';
        for (int x = 0; x < image.Width(); ++x)
            text += static_cast<char>('0' + image.RawPixel(x, y));
    }
    return text;
}

struct TransformCase {
    const char* name;
    int (*apply)(ImageBitmap*);
    const char* expected;
};

const TransformCase Cases[] = {
    {"rotate 90", [](ImageBitmap* i) { return RotateImage(i, 9000, true); }, "41/52/63"},
    {"rotate 180", [](ImageBitmap* i) { return RotateImage(i, 18000, true); }, "654/321"},
    {"rotate 270", [](ImageBitmap* i) { return RotateImage(i, 27000, true); }, "36/25/14"},
    {"rotate 360", [](ImageBitmap* i) { return RotateImage(i, 36000, true); }, "123/456"},
    {"rotate 90 keeping size", [](ImageBitmap* i) { return RotateImage(i, 9000, false); }, "410/520"},
    {"flip", FlipImage, "456/123"},
    {"reverse", ReverseImage, "321/654"},
    // Stored rows are bottom-up: stored row 0 is the second row on screen.
    {"crop stored rows", [](ImageBitmap* i) { return CropImage(i, RECT{1, 0, 3, 1}); }, "56"},
    {"crop clipped", [](ImageBitmap* i) { return CropImage(i, RECT{-5, -5, 2, 9}); }, "12/45"},
    {"resize up", [](ImageBitmap* i) { return ResizeImage(i, 6, 2); }, "112233/445566"},
    {"resize down", [](ImageBitmap* i) { return ResizeImage(i, 3, 1); }, "456"},
};

TEST(ImageTransformTest, Pixels)
{
    for (const TransformCase& c : Cases) {
        SCOPED_TRACE(c.name);
        ImageBitmap image = Numbered();
        ASSERT_EQ(IMAGE_SUCCESS, c.apply(&image));
        EXPECT_EQ(c.expected, Picture(image));
    }
}

TEST(ImageTransformTest, Refusals)
{
    ImageBitmap image = Numbered();
    EXPECT_EQ(IMAGE_ERROR_INVALID_ARGUMENT, RotateImage(&image, 4500, true));
    EXPECT_EQ(IMAGE_ERROR_INVALID_ARGUMENT, CropImage(&image, RECT{2, 0, 2, 2}));
    EXPECT_EQ(IMAGE_ERROR_INVALID_ARGUMENT, ResizeImage(&image, 0, 5));
    EXPECT_EQ("123/456", Picture(image));
    ImageBitmap empty;
    EXPECT_EQ(IMAGE_ERROR_NO_IMAGE, FlipImage(&empty));
}

TEST(ImageTransformTest, ReduceKeepsFewColoursExactly)
{
    ImageBitmap image = Numbered();
    image.SetRawPixel(0, 0, 0xFF8040);
    ASSERT_EQ(IMAGE_SUCCESS, ReduceTo8Bits(&image));
    EXPECT_EQ(8, image.BitsPerPixel());
    EXPECT_EQ(RGB(0xFF, 0x80, 0x40), image.PixelColor(0, 0));
    EXPECT_EQ(RGB(0, 0, 6), image.PixelColor(2, 1));
}

TEST(ImageTransformTest, ReduceManyColoursToTheCube)
{
    ImageBitmap image;
    image.Allocate(32, 32, 24);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            image.SetRawPixel(x, y, static_cast<uint32_t>((x * 8) << 16 | (y * 8) << 8 | 0x40));
    image.SetRawPixel(0, 0, 0xFFFFFF);
    ASSERT_EQ(IMAGE_SUCCESS, ReduceTo8Bits(&image));
    EXPECT_EQ(RGB(255, 255, 255), image.PixelColor(0, 0));
    const COLORREF c = image.PixelColor(31, 31);
    EXPECT_NEAR(248, GetRValue(c), 30);
    EXPECT_NEAR(248, GetGValue(c), 30);
    EXPECT_NEAR(0x40, GetBValue(c), 30);
}

}  // namespace
