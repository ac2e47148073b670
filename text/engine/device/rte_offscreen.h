// Banded off-screen drawing: an area is drawn into a bitmap of at most 48000 bytes at a time,
// each band copied to its place when done, so that a redraw never flickers.
#pragma once

#include "rte_gdi.h"

// Starts drawing the area off-screen (or the next band of it): rect receives the area, offset
// its negation. While active, drawing through the port hook's current port goes to the band,
// in the document's own coordinates.
void RteOffscreenBegin(RteHandle doc, const RteRect* area, RteRect* rect, RtePoint* offset);
// Copies the band to the document's DC; 0 while bands remain (draw again), 1 after the last.
int32_t RteOffscreenEnd(RteHandle doc);
// The band being drawn.
RteRect RteOffscreenBand(const RteEnvironment* env);
