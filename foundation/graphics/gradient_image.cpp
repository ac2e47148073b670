// Ramp, work bitmap and drawing of the gradient painters.
#include "gradient_image.h"
#include "qxsupport.h"

#include <cstdlib>

namespace {

// Each channel steps by (end - start) / N in single precision from the start value, so the
// last entry approaches the end colour without reaching it.
void BuildRamp(RGBQUAD* ramp, int length, RGBQUAD start, RGBQUAD end)
{
    const float stepRed = static_cast<float>(end.rgbRed - start.rgbRed) / length;
    const float stepGreen = static_cast<float>(end.rgbGreen - start.rgbGreen) / length;
    const float stepBlue = static_cast<float>(end.rgbBlue - start.rgbBlue) / length;
    float red = start.rgbRed, green = start.rgbGreen, blue = start.rgbBlue;
    for (int i = 0; i < length; ++i) {
        ramp[i].rgbRed = static_cast<BYTE>(static_cast<int>(red));
        ramp[i].rgbGreen = static_cast<BYTE>(static_cast<int>(green));
        ramp[i].rgbBlue = static_cast<BYTE>(static_cast<int>(blue));
        red += stepRed;
        green += stepGreen;
        blue += stepBlue;
    }
}

}  // namespace

GradientImage::GradientImage(RGBQUAD start, RGBQUAD end, int rampLength, int width, int height)
    : ramp_(nullptr), line_(nullptr), rampLength_(rampLength), width_(width), height_(height), ready_(false)
{
    if (rampLength < 1 || !bitmap_.New(width, height, 24))
        return;
    ramp_ = static_cast<RGBQUAD*>(QXCallocZero(rampLength, sizeof(RGBQUAD)));
    line_ = static_cast<BYTE*>(QXCallocZero(width, 3));
    if (!ramp_ || !line_)
        return;
    BuildRamp(ramp_, rampLength, start, end);
    ready_ = true;
}

GradientImage::~GradientImage()
{
    std::free(ramp_);
    std::free(line_);
}

void GradientImage::Put(BYTE* pixel, long index) const
{
    if (index < 0)
        index = 0;
    if (index > rampLength_ - 1)
        index = rampLength_ - 1;
    pixel[0] = ramp_[index].rgbBlue;
    pixel[1] = ramp_[index].rgbGreen;
    pixel[2] = ramp_[index].rgbRed;
}

void GradientImage::Draw(HDC dc, int x, int y)
{
    if (GetDeviceCaps(dc, SIZEPALETTE) != 0)
        bitmap_.DemoteTo8Bits();
    bitmap_.Draw(dc, x, y, width_, height_, SRCCOPY, 0);
}

int GradientJitter(int bound)
{
    if (bound <= 0)
        return 0;
    static unsigned int state = GetTickCount() | 1u;
    state = state * 1103515245u + 12345u;
    return static_cast<int>((state >> 8) % static_cast<unsigned>(bound));
}
