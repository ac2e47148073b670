// Display scaling of coordinates, points and rects about an origin, and 16.16 rounding.
#pragma once

#include "geometry_types.h"

// The packed factor numerator ÷ denominator (numerator in the high 16 bits).
int32_t RtePackFactor(int16_t numerator, int16_t denominator);

// Scales *value about origin in place; returns the scaled value before the origin is added
// back, 0 when the factor is 0. For a negative value the origin's sign is flipped first.
// Results beyond the 32-bit range stay at its ends.
int32_t RteScaleValue(int32_t factor, int32_t origin, int32_t* value);
// The same on a 16-bit value; the stored result stays within the 16-bit range.
int32_t RteScaleShort(int32_t factor, int32_t origin, int16_t* value);
// With an offset pair the offset is scaled together with the point, so that a scrolled point
// lands where the unscrolled one would. Nothing happens when the factor is 0.
void RteScalePoint(const RteScaling* scaling, const RtePoint* offset, RtePoint* point);
// Scales the top-left and the bottom-right corner.
void RteScaleRect(const RteScaling* scaling, const RtePoint* offset, RteRect* rect);
// Scales by numerator ÷ denominator about a drawing origin (a document's, for the document-level
// call), without offset.
void RteScaleRectAbout(const RtePoint* drawingOrigin, RteRect* rect, int16_t numerator, int16_t denominator);
// out = source offset by the pair, then scaled with the same pair. Scaling and offset optional.
void RteCopyOffsetScaleRect(const RteScaling* scaling, const RteRect* source, RteRect* out, const RtePoint* offset);
// RtePtInRect against a copy of the rect scaled (when a scaling is given), then inset by the pair.
int RtePtInRectAdjusted(const RtePoint* point, const RteRect* rect, const RtePoint* inset, const RteScaling* scaling);

// A 16.16 value rounded to a whole number, halves towards +infinity; still 16.16.
int32_t RteRoundFixed(int32_t value);
