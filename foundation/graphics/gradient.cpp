// The five gradient painters. Each one fixes the ramp length, the jitter bound and the ramp
// index of every pixel; the bars along an axis compute every other row and repeat it.
#include "qxgradient.h"
#include "gradient_image.h"

#include <cmath>

namespace {

bool Drawable(int width, int height) { return width > 0 && height > 0; }

// Length of the diagonal, rounded: the ramp of both diagonal painters.
int DiagonalLength(int width, int height)
{
    return static_cast<int>(std::sqrt(static_cast<double>(width) * width + static_cast<double>(height) * height) + 0.5);
}

void PaintDiagonal(HDC dc, RGBQUAD start, RGBQUAD end, int x, int y, int width, int height, bool flip)
{
    if (!Drawable(width, height))
        return;
    const int length = DiagonalLength(width, height);
    GradientImage image(start, end, length, width, height);
    if (!image.Ready())
        return;
    const int jitter = length / 25;
    const float k = static_cast<float>((length - width) / height + 0.5);
    for (int r = 0; r < height; ++r)
        image.FillRow(r, [&](int c) { return static_cast<long>(GradientJitter(jitter) + r * k + c); });
    if (flip)
        image.FlipVertically();
    image.Draw(dc, x, y);
}

}  // namespace

QXBASE_API void DrawVGradientBar(HDC dc, RGBQUAD start, RGBQUAD end, int x, int y, int width, int height)
{
    if (!Drawable(width, height))
        return;
    GradientImage image(start, end, width, width, height);
    if (!image.Ready())
        return;
    const int jitter = width / 25;
    for (int r = 0; r < height; r += 2) {
        image.FillRow(r, [&](int c) { return static_cast<long>(c + GradientJitter(jitter)); });
        if (r + 1 < height)
            image.WriteRow(r + 1);
    }
    image.Draw(dc, x, y);
}

QXBASE_API void DrawHGradientBar(HDC dc, RGBQUAD start, RGBQUAD end, int x, int y, int width, int height)
{
    if (!Drawable(width, height))
        return;
    GradientImage image(start, end, height, width, height);
    if (!image.Ready())
        return;
    const int jitter = height / 25;
    for (int r = 0; r < height; r += 2) {
        image.FillRow(r, [&](int) { return static_cast<long>(r + GradientJitter(jitter)); });
        if (r + 1 < height)
            image.WriteRow(r + 1);
    }
    image.Draw(dc, x, y);
}

QXBASE_API void DrawD1GradientBar(HDC dc, RGBQUAD start, RGBQUAD end, int x, int y, int width, int height)
{
    PaintDiagonal(dc, start, end, x, y, width, height, false);
}

QXBASE_API void DrawD2GradientBar(HDC dc, RGBQUAD start, RGBQUAD end, int x, int y, int width, int height)
{
    PaintDiagonal(dc, start, end, x, y, width, height, true);
}

QXBASE_API void DrawGradientCircle(HDC dc, RGBQUAD start, RGBQUAD end, int x, int y, int width, int height)
{
    if (!Drawable(width, height))
        return;
    const int radius = static_cast<int>(
        (std::sqrt(static_cast<double>(width) * width + static_cast<double>(height) * height) + 0.5) * 0.5);
    GradientImage image(start, end, radius, width, height);
    if (!image.Ready())
        return;
    const int jitter = radius / 20;
    const int centreX = width / 2, centreY = height / 2;
    for (int r = 0; r < height; ++r)
        image.FillRow(r, [&](int c) {
            const double dy = centreY - r, dx = centreX - c;
            return static_cast<long>(GradientJitter(jitter) + std::sqrt(dy * dy + dx * dx));
        });
    image.Draw(dc, x, y);
}
