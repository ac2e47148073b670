// The drawing port on GDI: binding, acquiring the device context, the port hook that brackets
// every drawing operation, mappings, clipping, scrolling, erasing and regions.
#pragma once

#include "rte_gdi.h"

// Binds a port to a window or an explicit DC (one that counts as acquired), or to neither: it
// then measures with the screen DC.
void RtePortInit(RteEnvironment* env, HWND window, HDC dc, RteDrawPort* port);
void RtePortFree(RteDrawPort* port);
// Binds a document's own port to an explicit DC.
void RteSetPortDC(RteHandle doc, HDC dc);

// A print or metafile DC that the document draws into between the two calls below, in the
// document's mapping for that device; each pair brackets its drawing with the port hook.
void RteSetPrintDC(RteHandle doc, HDC dc);
void RteUseSubstituteDC(RteHandle doc);
void RteEndSubstituteDC(RteHandle doc);

// One acquisition: the first of a window port takes GetDC, the last gives it back.
HDC RtePortGetDC(RteGdiPort* port);
void RtePortReleaseDC(RteGdiPort* port);

// Document slot 28: 1 pushes the port's state and makes it current, 0 pops it.
void RtePortHook(RteHandle doc, int32_t push);

void RteApplyMapping(HDC dc, int32_t factor);
void RteApplyDocMapping(RteHandle doc, HDC dc, int32_t xdpi, int32_t ydpi);
void RteResetMapping(HDC dc);

// Mode 0: the port's own region, rebuilt when the areas or the scroll moved; mode 1: a region
// of the rect list's bounds for this call. The view area stands for a null list.
constexpr int32_t RTE_CLIP_KEPT = 0;
constexpr int32_t RTE_CLIP_TEMPORARY = 1;
void RteSetClip(RteHandle doc, int32_t mode, RteRectList list);

// Scrolls the rect's pixels, fills what was uncovered and answers its region (the port's
// update region, grown by it, when one is installed); its bounds in engine order when asked.
HRGN RteScrollPixels(RteHandle doc, const RteRect* rect, int32_t dx, int32_t dy, RteRect* uncovered);
// A port's update region: clipping keeps within it and scrolling adds to it. The port owns it.
void RteSetUpdateRegion(RteHandle doc, HRGN region);
void RteEraseRect(RteEnvironment* env, const RteRect* rect);
HBRUSH RteBackgroundBrush(const RteGdiPort* port);
bool RteRegionIsEmpty(HRGN region);
void RteSetRectRegion(HRGN region, const RteWinRect* rect);
// The wrap area as displayed (every copy of a repeating area that the view shows, each cut to
// its page margins), and the extra area when it meets the view (1 when the region is not empty).
void RteWrapRegion(RteHandle doc, const RteScaling* scaling, HRGN region);
int32_t RteExtraRegion(RteHandle doc, const RteScaling* scaling, HRGN region);
// Positive amounts shrink the region by that many pixels on each side, negative ones grow it.
void RteInsetRegion(HRGN region, int32_t dx, int32_t dy);
