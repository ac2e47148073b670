// Conversions of the device layer.
#include "rte_device_units.h"

#include <cstdlib>

#include "rte_typed.h"

namespace {

constexpr uint16_t kGlobalGrowth = 8;

uint16_t Widen(uint8_t channel) { return channel ? static_cast<uint16_t>(channel * 256 + 255) : 0; }

int32_t ResolutionOf(RteHandle doc) { return RteLocked<RteDocument>(doc)->resolution & 0xFFFF; }

}  // namespace

void RteColorFromRGB(COLORREF rgb, RteColor* out)
{
    if (rgb == RTE_NO_COLOUR) {
        *out = RteColor{0xFFFF, 0xFFFF, 0xFFFF};
        return;
    }
    *out = RteColor{Widen(GetRValue(rgb)), Widen(GetGValue(rgb)), Widen(GetBValue(rgb))};
}

void RteColorToRGB(const RteColor* colour, COLORREF* out)
{
    *out = RGB(colour->red >> 8, colour->green >> 8, colour->blue >> 8);
}

int32_t RteFixMul(int32_t a, int32_t b)
{
    if (!a || !b)
        return 0;
    uint64_t product = static_cast<uint64_t>(std::llabs(a)) * static_cast<uint64_t>(std::llabs(b)) + 0x8000;
    auto result = static_cast<int32_t>(product >> 16);
    return (a < 0) != (b < 0) ? -result : result;
}

int32_t RteFixDiv(int32_t a, int32_t b) { return b ? static_cast<int32_t>((static_cast<int64_t>(a) << 16) / b) : 0; }

int32_t RteFixRatio(int32_t a, int32_t b) { return RteFixDiv(a, static_cast<int16_t>(b)); }

int32_t RtePointsToPixels(RteHandle doc, int32_t points)
{
    int32_t resolution = ResolutionOf(doc);
    if (!resolution)
        return points;
    return static_cast<int32_t>((static_cast<int64_t>(points) * resolution / 72 + 0x8000) >> 16);
}

int32_t RtePixelsToPoints(RteHandle doc, int32_t pixels)
{
    int32_t resolution = ResolutionOf(doc);
    if (!resolution)
        return pixels;
    return static_cast<int32_t>((static_cast<int64_t>(pixels) << 16) * 72 / resolution);
}

int32_t RtePointsToPixelsInt(RteHandle doc, int32_t points) { return RtePointsToPixels(doc, points << 16); }

int32_t RtePixelsToPointsInt(RteHandle doc, int32_t pixels) { return RtePixelsToPoints(doc, pixels) >> 16; }

void RteCaseCopy(const uint8_t* source, int32_t length, uint8_t* target, bool upper)
{
    for (int32_t i = 0; i < length; ++i) {
        uint8_t c = source[i];
        if (upper && c >= 'a' && c <= 'z')
            c = static_cast<uint8_t>(c - 32);
        else if (!upper && c >= 'A' && c <= 'Z')
            c = static_cast<uint8_t>(c + 32);
        target[i] = c;
    }
}

RteHandle RteHandleFromGlobal(RteMemContext* context, HGLOBAL block, int16_t elementSize)
{
    RteHandle handle = RteAdoptBlock(context, static_cast<RteBlock>(block), elementSize);
    RteSetGrowBy(handle, kGlobalGrowth);
    return handle;
}

HGLOBAL RteHandleToGlobal(RteHandle handle) { return static_cast<HGLOBAL>(RteReleaseBlock(handle)); }
