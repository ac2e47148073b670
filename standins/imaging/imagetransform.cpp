// Rotation, flips, crop, scaling and colour reduction of in-memory images.
#include "imagetransform.h"

#include "imageresult.h"

#include <algorithm>
#include <map>
#include <new>
#include <vector>

namespace {

// Builds a width x height image whose pixel (x, y) is the source pixel source(x, y), or
// stays zero when source answers false. Depth and palette are kept.
template <class Mapping>
int Remap(ImageBitmap* image, int width, int height, Mapping source)
{
    if (!image || !image->IsAllocated())
        return IMAGE_ERROR_NO_IMAGE;
    ImageBitmap result;
    const int made = result.Allocate(width, height, image->BitsPerPixel());
    if (made != IMAGE_SUCCESS)
        return made;
    result.SetPalette(image->Palette().data(), static_cast<int>(image->Palette().size()));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int sx = 0, sy = 0;
            if (source(x, y, sx, sy))
                result.SetRawPixel(x, y, image->RawPixel(sx, sy));
        }
    image->TakePixels(result);
    return IMAGE_SUCCESS;
}

BYTE CubeLevel(int index, int levels)
{
    return static_cast<BYTE>(index * 255 / (levels - 1));
}

int NearestCubeIndex(COLORREF c)
{
    const int r = (GetRValue(c) * 5 + 127) / 255;
    const int g = (GetGValue(c) * 6 + 127) / 255;
    const int b = (GetBValue(c) * 5 + 127) / 255;
    return (r * 7 + g) * 6 + b;
}

}  // namespace

int CopyImage(const ImageBitmap& from, ImageBitmap* to)
{
    if (!from.IsAllocated() || !to)
        return IMAGE_ERROR_NO_IMAGE;
    ImageBitmap copy;
    const int made = copy.Allocate(from.Width(), from.Height(), from.BitsPerPixel());
    if (made != IMAGE_SUCCESS)
        return made;
    copy.SetPalette(from.Palette().data(), static_cast<int>(from.Palette().size()));
    for (int y = 0; y < from.Height(); ++y)
        for (int x = 0; x < from.Width(); ++x)
            copy.SetRawPixel(x, y, from.RawPixel(x, y));
    to->TakePixels(copy);
    return IMAGE_SUCCESS;
}

int RotateImage(ImageBitmap* image, int hundredths, bool resizeToFit)
{
    if (!image || !image->IsAllocated())
        return IMAGE_ERROR_NO_IMAGE;
    int quarter = hundredths % 36000;
    if (quarter < 0)
        quarter += 36000;
    if (quarter % 9000 != 0)
        return IMAGE_ERROR_INVALID_ARGUMENT;
    quarter /= 9000;
    const int w = image->Width(), h = image->Height();
    if (quarter == 0)
        return IMAGE_SUCCESS;
    if (quarter == 2)
        return Remap(image, w, h, [w, h](int x, int y, int& sx, int& sy) {
            sx = w - 1 - x;
            sy = h - 1 - y;
            return true;
        });
    const int nw = resizeToFit ? h : w, nh = resizeToFit ? w : h;
    // Clockwise: the new pixel (x, y) comes from the source column y and row h-1-x
    // (a quarter turn back for 270 degrees); positions outside the source stay empty.
    return Remap(image, nw, nh, [w, h, quarter](int x, int y, int& sx, int& sy) {
        sx = quarter == 1 ? y : w - 1 - y;
        sy = quarter == 1 ? h - 1 - x : x;
        return sx >= 0 && sx < w && sy >= 0 && sy < h;
    });
}

int FlipImage(ImageBitmap* image)
{
    if (!image || !image->IsAllocated())
        return IMAGE_ERROR_NO_IMAGE;
    const int h = image->Height();
    return Remap(image, image->Width(), h, [h](int x, int y, int& sx, int& sy) {
        sx = x;
        sy = h - 1 - y;
        return true;
    });
}

int ReverseImage(ImageBitmap* image)
{
    if (!image || !image->IsAllocated())
        return IMAGE_ERROR_NO_IMAGE;
    const int w = image->Width();
    return Remap(image, w, image->Height(), [w](int x, int y, int& sx, int& sy) {
        sx = w - 1 - x;
        sy = y;
        return true;
    });
}

int CropImage(ImageBitmap* image, const RECT& stored)
{
    if (!image || !image->IsAllocated())
        return IMAGE_ERROR_NO_IMAGE;
    const int h = image->Height();
    // Stored rows to top-down rows: the two coincide unless the image is bottom-up.
    const LONG top = image->IsBottomUp() ? h - stored.bottom : stored.top;
    const LONG bottom = image->IsBottomUp() ? h - stored.top : stored.bottom;
    const LONG left = std::max<LONG>(stored.left, 0), right = std::min<LONG>(stored.right, image->Width());
    const LONG clippedTop = std::max<LONG>(top, 0), clippedBottom = std::min<LONG>(bottom, h);
    if (left >= right || clippedTop >= clippedBottom)
        return IMAGE_ERROR_INVALID_ARGUMENT;
    return Remap(image, right - left, clippedBottom - clippedTop,
                 [left, clippedTop](int x, int y, int& sx, int& sy) {
                     sx = x + left;
                     sy = y + clippedTop;
                     return true;
                 });
}

int ResizeImage(ImageBitmap* image, int width, int height)
{
    if (!image || !image->IsAllocated())
        return IMAGE_ERROR_NO_IMAGE;
    if (width <= 0 || height <= 0)
        return IMAGE_ERROR_INVALID_ARGUMENT;
    const int w = image->Width(), h = image->Height();
    return Remap(image, width, height, [=](int x, int y, int& sx, int& sy) {
        sx = static_cast<int>((static_cast<long long>(x) * w + w / 2) / width);
        sy = static_cast<int>((static_cast<long long>(y) * h + h / 2) / height);
        sx = std::min(sx, w - 1);
        sy = std::min(sy, h - 1);
        return true;
    });
}

int ReduceTo8Bits(ImageBitmap* image)
{
    if (!image || !image->IsAllocated())
        return IMAGE_ERROR_NO_IMAGE;
    if (image->BitsPerPixel() == 8)
        return IMAGE_SUCCESS;
    const int w = image->Width(), h = image->Height();
    try {
        std::map<COLORREF, int> exact;
        for (int y = 0; y < h && exact.size() <= 256; ++y)
            for (int x = 0; x < w && exact.size() <= 256; ++x)
                exact.emplace(image->PixelColor(x, y), 0);
        const bool ownColours = exact.size() <= 256;
        std::vector<RGBQUAD> palette;
        if (ownColours) {
            for (auto& [colour, index] : exact) {
                index = static_cast<int>(palette.size());
                palette.push_back(RGBQUAD{GetBValue(colour), GetGValue(colour), GetRValue(colour), 0});
            }
        } else {
            for (int r = 0; r < 6; ++r)
                for (int g = 0; g < 7; ++g)
                    for (int b = 0; b < 6; ++b)
                        palette.push_back(RGBQUAD{CubeLevel(b, 6), CubeLevel(g, 7), CubeLevel(r, 6), 0});
        }
        ImageBitmap result;
        const int made = result.Allocate(w, h, 8);
        if (made != IMAGE_SUCCESS)
            return made;
        std::vector<RGBQUAD> full(256, RGBQUAD{});
        std::copy(palette.begin(), palette.end(), full.begin());
        result.SetPalette(full.data(), 256);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const COLORREF c = image->PixelColor(x, y);
                result.SetRawPixel(x, y, static_cast<uint32_t>(ownColours ? exact[c] : NearestCubeIndex(c)));
            }
        image->TakePixels(result);
        return IMAGE_SUCCESS;
    } catch (const std::bad_alloc&) {
        return IMAGE_ERROR_NO_MEMORY;
    }
}
