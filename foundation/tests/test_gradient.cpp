// Gradient painters drawn into a 32-bit DIB section: the colours at both ends and in the
// middle of each painter's direction, the effect of the jitter bound, the row pairs of the
// bars, the flip of the second diagonal and the rectangles that draw nothing.
#include "qxgradient.h"

#include "test_canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace {

constexpr DWORD Sentinel = 0x00123456;

using Painter = void (*)(HDC, RGBQUAD, RGBQUAD, int, int, int, int);

RGBQUAD Quad(BYTE red, BYTE green, BYTE blue) { return RGBQUAD{blue, green, red, 0}; }

// A canvas filled with a colour no painter uses, so that untouched pixels show.
class Canvas : public TestCanvas {
public:
    Canvas(int width, int height) : TestCanvas(width, height, RGB(0x12, 0x34, 0x56)) {}
    DWORD At(int x, int y) const { return Raw(x, y); }
};

DWORD Pixel(int red, int green, int blue) { return (red << 16) | (green << 8) | blue; }

// The ramp as the painters define it: single-precision steps from the start colour.
std::vector<DWORD> Ramp(RGBQUAD start, RGBQUAD end, int length)
{
    std::vector<DWORD> ramp;
    const float sr = static_cast<float>(end.rgbRed - start.rgbRed) / length;
    const float sg = static_cast<float>(end.rgbGreen - start.rgbGreen) / length;
    const float sb = static_cast<float>(end.rgbBlue - start.rgbBlue) / length;
    float r = start.rgbRed, g = start.rgbGreen, b = start.rgbBlue;
    for (int i = 0; i < length; ++i, r += sr, g += sg, b += sb)
        ramp.push_back(Pixel(static_cast<int>(r), static_cast<int>(g), static_cast<int>(b)));
    return ramp;
}

// True when the pixel is one of ramp[first .. first + count - 1] (clamped to the ramp).
bool OneOf(const std::vector<DWORD>& ramp, DWORD pixel, int first, int count)
{
    for (int i = first; i < first + count; ++i) {
        const int at = i < 0 ? 0 : (i >= static_cast<int>(ramp.size()) ? static_cast<int>(ramp.size()) - 1 : i);
        if (ramp[at] == pixel)
            return true;
    }
    return false;
}

const RGBQUAD Red = Quad(255, 0, 0);
const RGBQUAD Blue = Quad(0, 0, 255);
const RGBQUAD Green = Quad(10, 200, 30);

}  // namespace

TEST(Gradient, DrawsOnlyInsideItsRectangle)
{
    const Painter painters[] = {DrawVGradientBar, DrawHGradientBar, DrawD1GradientBar, DrawD2GradientBar,
                                DrawGradientCircle};
    for (Painter paint : painters) {
        Canvas canvas(40, 40);
        paint(canvas.Dc(), Red, Blue, 5, 7, 20, 22);
        EXPECT_EQ(Sentinel, canvas.At(4, 10));
        EXPECT_EQ(Sentinel, canvas.At(25, 10));
        EXPECT_EQ(Sentinel, canvas.At(10, 6));
        EXPECT_EQ(Sentinel, canvas.At(10, 29));
        EXPECT_NE(Sentinel, canvas.At(5, 7));
        EXPECT_NE(Sentinel, canvas.At(24, 28));
    }
}

TEST(Gradient, EmptyOrNegativeRectanglesDrawNothing)
{
    const Painter painters[] = {DrawVGradientBar, DrawHGradientBar, DrawD1GradientBar, DrawD2GradientBar,
                                DrawGradientCircle};
    struct Size {
        int width, height;
    };
    const Size sizes[] = {{0, 10}, {10, 0}, {-5, 10}, {10, -5}};
    for (Painter paint : painters)
        for (const Size& s : sizes) {
            Canvas canvas(20, 20);
            paint(canvas.Dc(), Red, Blue, 2, 2, s.width, s.height);
            for (int y = 0; y < 20; ++y)
                for (int x = 0; x < 20; ++x)
                    ASSERT_EQ(Sentinel, canvas.At(x, y)) << s.width << "x" << s.height << " at " << x << "," << y;
        }
}

TEST(Gradient, VerticalBarWithoutJitterRunsAcrossTheWidth)
{
    // Width 20: jitter bound 0, so each column is exactly its ramp entry.
    Canvas canvas(20, 5);
    DrawVGradientBar(canvas.Dc(), Red, Blue, 0, 0, 20, 5);
    const std::vector<DWORD> ramp = Ramp(Red, Blue, 20);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(ramp[x], canvas.At(x, y)) << x << "," << y;
    EXPECT_EQ(Pixel(255, 0, 0), canvas.At(0, 0));             // start colour at the left
    EXPECT_EQ(Pixel(127, 0, 127), canvas.At(10, 2));           // halfway
    EXPECT_EQ(Pixel(12, 0, 242), canvas.At(19, 4));            // end approached, not attained
}

TEST(Gradient, VerticalBarOfWidthOneHoldsTheStartColour)
{
    Canvas canvas(1, 3);
    DrawVGradientBar(canvas.Dc(), Green, Blue, 0, 0, 1, 3);
    for (int y = 0; y < 3; ++y)
        EXPECT_EQ(Pixel(10, 200, 30), canvas.At(0, y));
}

TEST(Gradient, WideVerticalBarJittersUpToThreeEntriesAndRepeatsRowPairs)
{
    Canvas canvas(100, 9);
    DrawVGradientBar(canvas.Dc(), Red, Blue, 0, 0, 100, 9);
    const std::vector<DWORD> ramp = Ramp(Red, Blue, 100);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_TRUE(OneOf(ramp, canvas.At(x, y), x, 4)) << x << "," << y;
    for (int y = 0; y + 1 < 9; y += 2)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(canvas.At(x, y), canvas.At(x, y + 1)) << "row pair " << y << " column " << x;
    EXPECT_EQ(ramp[99], canvas.At(99, 0));  // clamped at the right edge
}

TEST(Gradient, HorizontalBarRunsDownTheHeight)
{
    Canvas canvas(6, 20);
    DrawHGradientBar(canvas.Dc(), Blue, Green, 0, 0, 6, 20);
    const std::vector<DWORD> ramp = Ramp(Blue, Green, 20);
    // Rows are computed in pairs: both rows of a pair take the colour of the even row.
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 6; ++x)
            ASSERT_EQ(ramp[y & ~1], canvas.At(x, y)) << x << "," << y;
    EXPECT_EQ(Pixel(0, 0, 255), canvas.At(3, 0));
    EXPECT_EQ(ramp[10], canvas.At(3, 10));
    EXPECT_EQ(ramp[18], canvas.At(3, 19));
}

TEST(Gradient, HorizontalBarOfOddHeightWritesItsLastRowOnce)
{
    Canvas canvas(4, 52);
    DrawHGradientBar(canvas.Dc(), Red, Blue, 0, 0, 4, 51);
    const std::vector<DWORD> ramp = Ramp(Red, Blue, 51);
    for (int x = 0; x < 4; ++x) {
        EXPECT_TRUE(OneOf(ramp, canvas.At(x, 50), 50, 2)) << x;
        EXPECT_EQ(Sentinel, canvas.At(x, 51)) << x;
    }
}

TEST(Gradient, DiagonalsRunFromOneCornerToTheOther)
{
    // 20 x 20: ramp 28, jitter bound 1 (always 0), k = (28 - 20) / 20 + 0.5 = 0.5.
    const std::vector<DWORD> ramp = Ramp(Red, Blue, 28);
    auto expected = [&](int x, int y) {
        int i = static_cast<int>(y * 0.5f + x);
        return ramp[i > 27 ? 27 : i];
    };
    Canvas d1(20, 20), d2(20, 20);
    DrawD1GradientBar(d1.Dc(), Red, Blue, 0, 0, 20, 20);
    DrawD2GradientBar(d2.Dc(), Red, Blue, 0, 0, 20, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            ASSERT_EQ(expected(x, y), d1.At(x, y)) << "D1 " << x << "," << y;
            ASSERT_EQ(expected(x, 19 - y), d2.At(x, y)) << "D2 " << x << "," << y;
        }
    EXPECT_EQ(Pixel(255, 0, 0), d1.At(0, 0));
    EXPECT_EQ(Pixel(255, 0, 0), d2.At(0, 19));
    EXPECT_EQ(ramp[27], d1.At(19, 19));
    EXPECT_EQ(ramp[27], d2.At(19, 0));
    EXPECT_EQ(ramp[15], d1.At(10, 10));
}

TEST(Gradient, CircleRunsOutwardFromTheCentre)
{
    Canvas small(3, 4);
    DrawGradientCircle(small.Dc(), Green, Blue, 0, 0, 3, 4);  // R = 2, no jitter
    EXPECT_EQ(Pixel(10, 200, 30), small.At(1, 2));

    // 20 x 20: R = 14, jitter bound 0.
    Canvas canvas(20, 20);
    DrawGradientCircle(canvas.Dc(), Red, Blue, 0, 0, 20, 20);
    const std::vector<DWORD> ramp = Ramp(Red, Blue, 14);
    EXPECT_EQ(ramp[0], canvas.At(10, 10));
    EXPECT_EQ(ramp[5], canvas.At(15, 10));
    EXPECT_EQ(ramp[7], canvas.At(5, 5));   // sqrt(50) = 7.07
    EXPECT_EQ(ramp[13], canvas.At(0, 0));  // sqrt(200) = 14.1, clamped to the last entry
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            int i = static_cast<int>(std::sqrt(static_cast<double>((10 - y) * (10 - y) + (10 - x) * (10 - x))));
            ASSERT_EQ(ramp[i > 13 ? 13 : i], canvas.At(x, y)) << x << "," << y;
        }
}

TEST(Gradient, EqualEndsGiveOneColourWhateverTheJitter)
{
    const Painter painters[] = {DrawVGradientBar, DrawHGradientBar, DrawD1GradientBar, DrawD2GradientBar,
                                DrawGradientCircle};
    for (Painter paint : painters) {
        Canvas canvas(120, 90);
        paint(canvas.Dc(), Green, Green, 0, 0, 120, 90);
        for (int y = 0; y < 90; y += 3)
            for (int x = 0; x < 120; x += 3)
                ASSERT_EQ(Pixel(10, 200, 30), canvas.At(x, y)) << x << "," << y;
    }
}

TEST(Gradient, LargeDiagonalAndCircleStayWithinTheirJitter)
{
    // 300 x 400: L = 500, jitter bound 20; k = (500 - 300) / 400 + 0.5 = 0.5.
    Canvas d1(300, 400);
    DrawD1GradientBar(d1.Dc(), Red, Blue, 0, 0, 300, 400);
    const std::vector<DWORD> ramp = Ramp(Red, Blue, 500);
    for (int y = 0; y < 400; y += 13)
        for (int x = 0; x < 300; x += 11)
            ASSERT_TRUE(OneOf(ramp, d1.At(x, y), static_cast<int>(y * 0.5f + x), 20)) << x << "," << y;

    // R = 250, jitter bound 12.
    Canvas circle(300, 400);
    DrawGradientCircle(circle.Dc(), Red, Blue, 0, 0, 300, 400);
    const std::vector<DWORD> round = Ramp(Red, Blue, 250);
    for (int y = 0; y < 400; y += 13)
        for (int x = 0; x < 300; x += 11) {
            const double d = std::sqrt(static_cast<double>((200 - y) * (200 - y) + (150 - x) * (150 - x)));
            ASSERT_TRUE(OneOf(round, circle.At(x, y), static_cast<int>(d), 13)) << x << "," << y;
        }
}
