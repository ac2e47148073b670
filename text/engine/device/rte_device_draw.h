// Measuring in device units, and drawing a document onto another device (a printer page): the
// DC, its resolution and mapping, and how many text blocks the page holds.
#pragma once

#include "rte_gdi.h"

// The port's DC for measuring, in MM_TEXT; the state is saved first while a substitute DC is
// in use (saved receives the SaveDC number, 0 otherwise).
HDC RteMeasureDC(RteHandle doc, int32_t* saved);
void RteEndMeasureDC(RteHandle doc, int32_t saved);

struct RteDeviceTarget {
    HDC dc;
    int32_t resolution;  // taken from the DC when 0
    int32_t blocks;      // text blocks from the offset's that fit the area's height
};
void RteBeginDeviceDraw(RteHandle doc, RteDeviceTarget* target, int32_t offset, const RteRect* area);
void RteEndDeviceDraw(RteHandle doc, RteDeviceTarget* target);
// Marks every font made so far as made for the screen while another device draws.
void RteMarkFontCache(RteEnvironment* env);
