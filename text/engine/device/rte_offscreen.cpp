// Banded off-screen drawing.
#include "rte_offscreen.h"

#include <algorithm>

#include "rte_document_internal.h"
#include "rte_gdi_port.h"

using namespace rte_document;

namespace {

// The band's rows: as many as 48000 bytes of the device's pixels allow.
int32_t BandRows(HDC dc, int32_t width, int32_t height, int32_t limit)
{
    int32_t bytesPerRow = GetDeviceCaps(dc, BITSPIXEL) * (width / 8 + 1);
    bytesPerRow += bytesPerRow & 1;
    if (bytesPerRow * height <= limit)
        return height;
    return std::max(1, limit / bytesPerRow);
}

void SetUpBand(RteDocument* doc, RteGdiEnv* gdi, int32_t top)
{
    RteGdiPort* target = RteGdiPortOf(&doc->port);
    HDC dc = RtePortGetDC(target);
    int32_t width = gdi->whole.right - gdi->whole.left;
    int32_t rows = BandRows(dc, width, gdi->whole.bottom - top, gdi->bandLimit);
    gdi->band = RteRect{top, gdi->whole.left, top + rows, gdi->whole.right};
    gdi->bandDc = CreateCompatibleDC(dc);
    gdi->bandBitmap = CreateCompatibleBitmap(dc, width, rows);
    gdi->bandOld = SelectObject(gdi->bandDc, gdi->bandBitmap);
    // Drawing keeps the document's coordinates: the band's corner is the bitmap's origin.
    SetViewportOrgEx(gdi->bandDc, -gdi->band.left, -gdi->band.top, nullptr);
    gdi->bandTarget = target;
    RteGdiPort* band = RteGdiPortOf(&gdi->offscreen);
    band->explicitDc = gdi->bandDc;
    band->colourFlag = target->colourFlag;
    band->background = doc->backColor;
    gdi->current = band;
    gdi->offscreenActive = true;
    RECT all{gdi->band.left, gdi->band.top, gdi->band.right, gdi->band.bottom};
    HBRUSH brush = RteBackgroundBrush(band);
    FillRect(gdi->bandDc, &all, brush);
    DeleteObject(brush);
}

void FinishBand(RteGdiEnv* gdi)
{
    HDC dc = RtePortGetDC(gdi->bandTarget);
    RteRect& band = gdi->band;
    SetViewportOrgEx(gdi->bandDc, 0, 0, nullptr);
    BitBlt(dc, band.left, band.top, band.right - band.left, band.bottom - band.top, gdi->bandDc, 0, 0, SRCCOPY);
    SelectObject(gdi->bandDc, gdi->bandOld);
    DeleteObject(gdi->bandBitmap);
    DeleteDC(gdi->bandDc);
    gdi->bandDc = nullptr;
    gdi->bandBitmap = nullptr;
    RteGdiPortOf(&gdi->offscreen)->explicitDc = nullptr;
    RtePortReleaseDC(gdi->bandTarget);  // the band's own acquisition
    RtePortReleaseDC(gdi->bandTarget);
    gdi->current = gdi->bandTarget;
    gdi->offscreenActive = false;
}

}  // namespace

void RteOffscreenBegin(RteHandle handle, const RteRect* area, RteRect* rect, RtePoint* offset)
{
    DocLock doc(handle);
    RteGdiEnv* gdi = RteGdiOf(doc->env);
    *rect = *area;
    *offset = RtePoint{-area->top, -area->left};
    // A band that the last end began is already set up.
    if (++gdi->bandNesting == 1 && !gdi->offscreenActive) {
        gdi->whole = *area;
        SetUpBand(doc.get(), gdi, area->top);
    }
    // The display hook hears of each band before it is drawn.
    if (gdi->offscreenActive)
        doc->hooks.display(handle, reinterpret_cast<intptr_t>(&gdi->offscreen), 0,
                           reinterpret_cast<intptr_t>(&gdi->band), reinterpret_cast<intptr_t>(offset), 0, 0);
}

int32_t RteOffscreenEnd(RteHandle handle)
{
    DocLock doc(handle);
    RteGdiEnv* gdi = RteGdiOf(doc->env);
    if (!gdi->offscreenActive) {
        gdi->bandNesting = 0;
        return 1;
    }
    // And after, with the band as its own bitmap holds it.
    RteRect own{0, 0, gdi->band.bottom - gdi->band.top, gdi->band.right - gdi->band.left};
    doc->hooks.display(handle, reinterpret_cast<intptr_t>(&gdi->offscreen), 1, reinterpret_cast<intptr_t>(&own), 0,
                       0, 0);
    if (--gdi->bandNesting > 0)
        return 1;
    int32_t bottom = gdi->band.bottom;
    FinishBand(gdi);
    if (bottom >= gdi->whole.bottom)
        return 1;
    SetUpBand(doc.get(), gdi, bottom);
    return 0;
}

RteRect RteOffscreenBand(const RteEnvironment* env) { return RteGdiOf(env)->band; }
