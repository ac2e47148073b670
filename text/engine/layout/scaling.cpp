// Display scaling of coordinates, points and rects about an origin, and 16.16 rounding.
#include "scaling.h"

#include "rect_ops.h"

#include <algorithm>
#include <limits>

namespace {

int32_t Saturate(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

int16_t Denominator(uint32_t magnitude)
{
    return static_cast<int16_t>(magnitude & 0xFFFF);
}

// numerator ÷ denominator as a 16.16 value; the denominator is read as a signed 16-bit value.
int64_t Ratio(uint32_t magnitude)
{
    return (int64_t{magnitude >> 16} << 16) / Denominator(magnitude);
}

// x × r in 16.16: the magnitudes are multiplied and rounded, halves away from zero, then the
// sign is applied.
int64_t MultiplyFixed(int64_t x, int64_t ratio)
{
    const uint64_t magnitude = (static_cast<uint64_t>(x < 0 ? -x : x) * static_cast<uint64_t>(ratio < 0 ? -ratio : ratio) +
                                0x8000) >> 16;
    const bool negative = (x < 0) != (ratio < 0);
    return negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
}

// x ÷ r in 16.16, truncated towards zero; 0 when r is 0.
int64_t DivideFixed(int64_t x, int64_t ratio)
{
    return ratio == 0 ? 0 : x * 65536 / ratio;
}

}  // namespace

int32_t RtePackFactor(int16_t numerator, int16_t denominator)
{
    return static_cast<int32_t>((uint32_t{static_cast<uint16_t>(numerator)} << 16) | static_cast<uint16_t>(denominator));
}

int32_t RteScaleValue(int32_t factor, int32_t origin, int32_t* value)
{
    const uint32_t magnitude = factor < 0 ? 0u - static_cast<uint32_t>(factor) : static_cast<uint32_t>(factor);
    // A zero denominator is never stored; reading one as "no scaling" beats dividing by zero.
    if (factor == 0 || Denominator(magnitude) == 0)
        return 0;
    const int64_t shiftedOrigin = *value < 0 ? -int64_t{origin} : int64_t{origin};
    const int64_t x = *value - shiftedOrigin;
    const int64_t scaled = factor < 0 ? DivideFixed(x, Ratio(magnitude)) : MultiplyFixed(x, Ratio(magnitude));
    *value = Saturate(scaled + shiftedOrigin);
    return Saturate(scaled);
}

int32_t RteScaleShort(int32_t factor, int32_t origin, int16_t* value)
{
    int32_t wide = *value;
    const int32_t scaled = RteScaleValue(factor, origin, &wide);
    *value = static_cast<int16_t>(std::clamp<int32_t>(wide, std::numeric_limits<int16_t>::min(),
                                                      std::numeric_limits<int16_t>::max()));
    return scaled;
}

void RteScalePoint(const RteScaling* scaling, const RtePoint* offset, RtePoint* point)
{
    if (scaling->factor == 0)
        return;
    RtePoint scaled = *point;
    if (offset) {
        scaled.v = RteWrapSub(scaled.v, offset->v);
        scaled.h = RteWrapSub(scaled.h, offset->h);
    }
    RteScaleValue(scaling->factor, scaling->originH, &scaled.h);
    RteScaleValue(scaling->factor, scaling->originV, &scaled.v);
    if (offset) {
        RtePoint scaledOffset = *offset;
        RteScaleValue(scaling->factor, 0, &scaledOffset.h);
        RteScaleValue(scaling->factor, 0, &scaledOffset.v);
        scaled.v = RteWrapAdd(scaled.v, scaledOffset.v);
        scaled.h = RteWrapAdd(scaled.h, scaledOffset.h);
    }
    *point = scaled;
}

void RteScaleRect(const RteScaling* scaling, const RtePoint* offset, RteRect* rect)
{
    if (scaling->factor == 0)
        return;
    RtePoint topLeft{rect->top, rect->left};
    RtePoint bottomRight{rect->bottom, rect->right};
    RteScalePoint(scaling, offset, &topLeft);
    RteScalePoint(scaling, offset, &bottomRight);
    *rect = {topLeft.v, topLeft.h, bottomRight.v, bottomRight.h};
}

void RteScaleRectAbout(const RtePoint* drawingOrigin, RteRect* rect, int16_t numerator, int16_t denominator)
{
    const RteScaling scaling{drawingOrigin->v, drawingOrigin->h, RtePackFactor(numerator, denominator)};
    RteScaleRect(&scaling, nullptr, rect);
}

void RteCopyOffsetScaleRect(const RteScaling* scaling, const RteRect* source, RteRect* out, const RtePoint* offset)
{
    *out = *source;
    if (offset)
        RteOffsetRect(out, offset->h, offset->v);
    if (scaling)
        RteScaleRect(scaling, offset, out);
}

int RtePtInRectAdjusted(const RtePoint* point, const RteRect* rect, const RtePoint* inset, const RteScaling* scaling)
{
    RteRect adjusted = *rect;
    if (scaling)
        RteScaleRect(scaling, nullptr, &adjusted);
    if (inset)
        RteInsetRect(&adjusted, inset->h, inset->v);
    return RtePtInRect(point, &adjusted);
}

int32_t RteRoundFixed(int32_t value)
{
    // The largest values would round past the 32-bit range: they stay at the largest whole one.
    const int64_t rounded = (int64_t{value} + 0x8000) & ~int64_t{0xFFFF};
    return static_cast<int32_t>(std::min<int64_t>(rounded, 0x7FFF0000));
}
