// Engine rects in the Windows order and within the 16-bit device space of the drawing layer.
#include "device_rects.h"

#include "scaling.h"

#include <algorithm>

namespace {

// The sum of an edge and its offset is clamped as a whole, so that it cannot wrap into range.
int32_t ClampSum(int32_t edge, int32_t offset)
{
    return std::clamp<int64_t>(int64_t{edge} + offset, -RTE_DEVICE_COORD_LIMIT, RTE_DEVICE_COORD_LIMIT);
}

}  // namespace

int16_t RteClampCoord(int32_t value)
{
    return static_cast<int16_t>(ClampSum(value, 0));
}

void RteSwapRectOrder(const RteRect* source, RteWinRect* destination)
{
    *destination = {source->left, source->top, source->right, source->bottom};
}

void RteSwapRectOrder(const RteWinRect* source, RteRect* destination)
{
    *destination = {source->top, source->left, source->bottom, source->right};
}

void RteRectToWin(const RteRect* rect, const RtePoint* offset, RteWinRect* out)
{
    const RtePoint by = offset ? *offset : RtePoint{0, 0};
    *out = {ClampSum(rect->left, by.h), ClampSum(rect->top, by.v), ClampSum(rect->right, by.h),
            ClampSum(rect->bottom, by.v)};
}

void RteScaleWinRect(const RteScaling* scaling, RteWinRect* rect)
{
    RteRect engineRect;
    RteSwapRectOrder(rect, &engineRect);
    RteScaleRect(scaling, nullptr, &engineRect);
    RteRectToWin(&engineRect, nullptr, rect);
}
