// Painting, transparency, printing and GDI bitmap exchange, checked on pixels.
#include "imagegdi.h"
#include "imageresult.h"
#include "test_canvas.h"

#include <gtest/gtest.h>

namespace {

// 2 x 2: red, green / blue, magenta.
void MakeTile(ImageBitmap* image)
{
    image->Allocate(2, 2, 24);
    image->SetRawPixel(0, 0, 0xFF0000);
    image->SetRawPixel(1, 0, 0x00FF00);
    image->SetRawPixel(0, 1, 0x0000FF);
    image->SetRawPixel(1, 1, 0xFF00FF);
}

TEST(ImageGdiTest, PaintPlacesAndStretches)
{
    ImageBitmap image;
    MakeTile(&image);
    TestCanvas canvas(10, 10);
    image.SetPaintRect(RECT{2, 2, 6, 6});
    ASSERT_EQ(IMAGE_SUCCESS, PaintImage(canvas.Dc(), image, SRCCOPY));
    const struct { int x, y; COLORREF colour; } probes[] = {
        {1, 1, RGB(255, 255, 255)}, {2, 2, RGB(255, 0, 0)},   {5, 2, RGB(0, 255, 0)},
        {2, 5, RGB(0, 0, 255)},     {5, 5, RGB(255, 0, 255)}, {6, 6, RGB(255, 255, 255)},
    };
    for (const auto& p : probes)
        EXPECT_EQ(p.colour, canvas.Pixel(p.x, p.y)) << p.x << "," << p.y;
}

TEST(ImageGdiTest, SourceRectangleSelectsPart)
{
    ImageBitmap image;
    MakeTile(&image);
    TestCanvas canvas(4, 4);
    image.SetSourceRect(RECT{1, 1, 2, 2});
    image.SetPaintRect(RECT{0, 0, 1, 1});
    ASSERT_EQ(IMAGE_SUCCESS, PaintImage(canvas.Dc(), image, SRCCOPY));
    EXPECT_EQ(RGB(255, 0, 255), canvas.Pixel(0, 0));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(1, 0));
}

TEST(ImageGdiTest, TransparentColourIsLeftOut)
{
    for (int bits : {24, 8}) {
        SCOPED_TRACE(bits);
        ImageBitmap image;
        image.Allocate(2, 1, bits);
        if (bits == 8) {
            const RGBQUAD table[2] = {{255, 0, 255, 0}, {0, 128, 0, 0}};
            image.SetPalette(table, 2);
            image.SetRawPixel(1, 0, 1);
        } else {
            image.SetRawPixel(0, 0, 0xFF00FF);
            image.SetRawPixel(1, 0, 0x008000);
        }
        image.SetTransparentColor(RGB(255, 0, 255));
        image.EnablePlaybackTransparency(true);
        TestCanvas canvas(2, 1, RGB(10, 20, 30));
        ASSERT_EQ(IMAGE_SUCCESS, PaintImage(canvas.Dc(), image, SRCCOPY));
        EXPECT_EQ(RGB(10, 20, 30), canvas.Pixel(0, 0));
        EXPECT_EQ(RGB(0, 128, 0), canvas.Pixel(1, 0));

        image.EnablePlaybackTransparency(false);
        ASSERT_EQ(IMAGE_SUCCESS, PaintImage(canvas.Dc(), image, SRCCOPY));
        EXPECT_EQ(RGB(255, 0, 255), canvas.Pixel(0, 0));
    }
}

TEST(ImageGdiTest, RasterOperationApplies)
{
    ImageBitmap image;
    MakeTile(&image);
    TestCanvas canvas(2, 2, RGB(0, 0, 0));
    ASSERT_EQ(IMAGE_SUCCESS, PaintImage(canvas.Dc(), image, NOTSRCCOPY));
    EXPECT_EQ(RGB(0, 255, 255), canvas.Pixel(0, 0));
}

TEST(ImageGdiTest, PrintKeepsSizeOnA96DpiDevice)
{
    ImageBitmap image;
    MakeTile(&image);
    TestCanvas canvas(6, 6);
    ASSERT_EQ(IMAGE_SUCCESS, PrintImage(canvas.Dc(), image, 1, 1, 0, 0));
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(1, 1));
    EXPECT_EQ(RGB(255, 0, 255), canvas.Pixel(2, 2));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(3, 3));
}

TEST(ImageGdiTest, BitmapRoundTrip)
{
    ImageBitmap image;
    MakeTile(&image);
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = ImageToBitmap(image, screen);
    ASSERT_NE(nullptr, bitmap);
    ImageBitmap back;
    ASSERT_EQ(IMAGE_SUCCESS, ImageFromBitmap(&back, screen, bitmap));
    EXPECT_EQ(RGB(0, 255, 0), back.PixelColor(1, 0));
    EXPECT_EQ(RGB(0, 0, 255), back.PixelColor(0, 1));
    DeleteObject(bitmap);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(IMAGE_ERROR_NO_IMAGE, PaintImage(nullptr, ImageBitmap(), SRCCOPY));
}

}  // namespace
