// Colours, 16.16 fixed-point values, points and pixels, case copies and global memory blocks
// as the device layer converts them.
#pragma once

#include <windows.h>

#include <cstdint>

#include "rte_document.h"

// The value callers give for "no colour" (a text background left undrawn): it becomes the
// unset colour, every channel 0xFFFF.
constexpr COLORREF RTE_NO_COLOUR = 0xFFFFFE;

// A channel v that is not 0 becomes v x 256 + 255; back, the high byte of each channel.
void RteColorFromRGB(COLORREF rgb, RteColor* out);
void RteColorToRGB(const RteColor* colour, COLORREF* out);

// 16.16 products with rounding and the operands' sign; quotients (0 for a divisor of 0); the
// ratio with the divisor taken as 16 bits.
int32_t RteFixMul(int32_t a, int32_t b);
int32_t RteFixDiv(int32_t a, int32_t b);
int32_t RteFixRatio(int32_t a, int32_t b);

// 16.16 points to whole pixels at the document's vertical resolution, and pixels to 16.16
// points; a resolution of 0 leaves the value as it is.
int32_t RtePointsToPixels(RteHandle doc, int32_t points);
int32_t RtePixelsToPoints(RteHandle doc, int32_t pixels);
// The same for whole points and whole pixels.
int32_t RtePointsToPixelsInt(RteHandle doc, int32_t points);
int32_t RtePixelsToPointsInt(RteHandle doc, int32_t pixels);

// Copies bytes, ASCII letters turned to upper case (upper) or lower case.
void RteCaseCopy(const uint8_t* source, int32_t length, uint8_t* target, bool upper);

// A global memory block becomes an engine handle in place (behind a handle header), and back.
RteHandle RteHandleFromGlobal(RteMemContext* context, HGLOBAL block, int16_t elementSize);
HGLOBAL RteHandleToGlobal(RteHandle handle);
