// Test pictures and their comparison.
#include "picture.h"

#include <sstream>

namespace {

std::uint32_t Rgb(unsigned r, unsigned g, unsigned b)
{
    return (r & 0xFF) << 16 | (g & 0xFF) << 8 | (b & 0xFF);
}

} // namespace

Picture NewImagePicture(int width, int height)
{
    Picture picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.At(x, y) = Rgb(x * 37 + y * 11, y * 29 + 64, (x * 13) ^ (y * 7));
    return picture;
}

Picture OldPicture(int width, int height)
{
    Picture picture = NewImagePicture(width, height);
    for (std::uint32_t& pixel : picture.pixels)
        pixel ^= 0x808080;
    return picture;
}

Picture Enlarged(const Picture& picture, int factorX, int factorY)
{
    Picture large(picture.width * factorX, picture.height * factorY);
    for (int y = 0; y < large.height; ++y)
        for (int x = 0; x < large.width; ++x)
            large.At(x, y) = picture.At(x / factorX, y / factorY);
    return large;
}

HBITMAP BitmapOf(const Picture& picture)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, picture.width, picture.height);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBits(screen, bitmap, 0, picture.height, picture.pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

std::string Differences(const Picture& actual, const Picture& expected, const RECT& where)
{
    int count = 0;
    std::ostringstream first;
    for (int y = where.top; y < where.bottom; ++y) {
        for (int x = where.left; x < where.right; ++x) {
            if (actual.At(x, y) == expected.At(x, y))
                continue;
            if (count++ == 0)
                first << std::hex << "first at (" << std::dec << x << ", " << y << "): 0x" << std::hex
                      << actual.At(x, y) << " instead of 0x" << expected.At(x, y);
        }
    }
    if (count == 0)
        return {};
    return std::to_string(count) + " pixels differ, " + first.str();
}
