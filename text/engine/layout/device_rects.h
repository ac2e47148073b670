// Engine rects in the Windows order and within the 16-bit device space of the drawing layer.
#pragma once

#include "geometry_types.h"

constexpr int32_t RTE_DEVICE_COORD_LIMIT = 16380;

// The value limited to -16380..16380.
int16_t RteClampCoord(int32_t value);
// Between the engine order and the Windows order; the same swap serves both directions.
void RteSwapRectOrder(const RteRect* source, RteWinRect* destination);
void RteSwapRectOrder(const RteWinRect* source, RteRect* destination);
// Each edge plus the offset pair (v, h), clamped into the device space.
void RteRectToWin(const RteRect* rect, const RtePoint* offset, RteWinRect* out);
// Scales a Windows-order rect without offset, clamping the result into the device space.
void RteScaleWinRect(const RteScaling* scaling, RteWinRect* rect);
