// Clipping, scrolling, erasing and regions of a document's port.
#include <algorithm>

#include "device_rects.h"
#include "rect_list_region.h"
#include "rect_ops.h"
#include "rte_areas.h"
#include "rte_document_internal.h"
#include "rte_gdi_port.h"
#include "scaling.h"

using namespace rte_document;

namespace {

constexpr uint32_t kDocOwnBackground = 0x20000;
constexpr uint32_t kWrapClips = 0x4;
constexpr uint32_t kWrapClipsNot = 0x40;

RteRect BoundsOf(RteRectList list)
{
    RteRectIterator rects(list);
    return rects.Bounds();
}

RteWinRect WindowRect(const RteDocument* doc, RteRect rect)
{
    if (doc->scaling.factor)
        RteScaleRect(&doc->scaling, nullptr, &rect);
    RteWinRect win;
    RteRectToWin(&rect, nullptr, &win);
    return win;
}

bool AreaIsEmpty(RteRectList list)
{
    RteRect bounds = BoundsOf(list);
    return bounds.top == bounds.bottom || bounds.left == bounds.right;
}

// The port's own region: the view bounds, within the wrap area when the document asks, less
// the extra area that text keeps out of.
void RebuildClip(RteDocument* doc, RteGdiPort* port, const RteWinRect& view)
{
    RteSetRectRegion(port->clip, &view);
    if ((doc->flags & kWrapClips) && !(doc->flags & kWrapClipsNot)) {
        HRGN wrap = CreateRectRgn(0, 0, 0, 0);
        RteRectListToRegion(doc->wrapArea, 0, 0, doc->scaling.factor ? &doc->scaling : nullptr, 0, nullptr, wrap);
        CombineRgn(port->clip, port->clip, wrap, RGN_AND);
        DeleteObject(wrap);
    }
    if (!AreaIsEmpty(doc->extraArea)) {
        HRGN extra = CreateRectRgn(0, 0, 0, 0);
        RteRectListToRegion(doc->extraArea, 0, 0, doc->scaling.factor ? &doc->scaling : nullptr, 0, nullptr, extra);
        CombineRgn(port->clip, port->clip, extra, RGN_DIFF);
        DeleteObject(extra);
    }
    port->clipView = BoundsOf(doc->viewArea);
    port->clipWrap = BoundsOf(doc->wrapArea);
    port->clipScroll = doc->scroll;
    port->factor = doc->scaling.factor;
    port->clipBuilt = true;
}

bool ClipStale(RteDocument* doc, const RteGdiPort* port)
{
    return !port->clipBuilt || port->clipView != BoundsOf(doc->viewArea) || port->clipWrap != BoundsOf(doc->wrapArea) ||
           port->clipScroll != doc->scroll || port->factor != doc->scaling.factor;
}

COLORREF Background(const RteDocument* doc, const RteGdiPort* port)
{
    if (!(doc->flags & kDocOwnBackground))
        return GetSysColor(COLOR_WINDOW);
    return RGB(doc->backColor.red >> 8, doc->backColor.green >> 8, doc->backColor.blue >> 8) | port->colourFlag;
}

// Where the document's origin stands in the window.
RtePoint DisplayOffset(const RteDocument* doc)
{
    return RtePoint{doc->port.origin.v - doc->scroll.v, doc->port.origin.h - doc->scroll.h};
}

// A copy's region cut to the page margins the margins hook gives it (none when all are 0).
void CutToMargins(RteDocument* doc, int32_t copy, const RteRect& wrap, const RtePoint& at, const RteScaling* scaling,
                  HRGN region)
{
    RteRect margins{};
    // The hook numbers the copies from 1, as the line builder asks it.
    doc->hooks.pageMargins(doc->self, copy + 1, reinterpret_cast<intptr_t>(&margins));
    if (margins == RteRect{})
        return;
    RteRect page{wrap.top + margins.top + at.v, wrap.left + margins.left + at.h, wrap.bottom - margins.bottom + at.v,
                 wrap.right - margins.right + at.h};
    if (scaling && scaling->factor)
        RteScaleRect(scaling, nullptr, &page);
    RteWinRect win;
    RteRectToWin(&page, nullptr, &win);
    HRGN cut = CreateRectRgn(win.left, win.top, win.right, win.bottom);
    CombineRgn(region, region, cut, RGN_AND);
    DeleteObject(cut);
}

}  // namespace

void RteWrapRegion(RteHandle handle, const RteScaling* scaling, HRGN region)
{
    DocLock doc(handle);
    RtePoint offset = DisplayOffset(doc.get());
    RteRect wrap = BoundsOf(doc->wrapArea);
    RtePoint step = RteRepeatStep(handle);
    if (step == RtePoint{}) {
        RteRectListToRegion(doc->wrapArea, offset.h, offset.v, scaling, 0, nullptr, region);
        return;
    }
    SetRectRgn(region, 0, 0, 0, 0);
    RteRect view = BoundsOf(doc->viewArea);
    int32_t stepV = step.v;
    int32_t stepH = step.h;
    // The first copy the view shows, then each next one until a copy lies past the view.
    int32_t copy = 0;
    if (stepV > 0)
        copy = std::max(0, (view.top - offset.v - wrap.top) / stepV);
    else if (stepH > 0)
        copy = std::max(0, (view.left - offset.h - wrap.left) / stepH);
    for (;; ++copy) {
        RtePoint at{offset.v + stepV * copy, offset.h + stepH * copy};
        if (wrap.top + at.v >= view.bottom || wrap.left + at.h >= view.right)
            break;
        HRGN part = CreateRectRgn(0, 0, 0, 0);
        RteRectListToRegion(doc->wrapArea, at.h, at.v, scaling, 0, nullptr, part);
        CutToMargins(doc.get(), copy, wrap, at, scaling, part);
        CombineRgn(region, region, part, RGN_OR);
        DeleteObject(part);
    }
}

int32_t RteExtraRegion(RteHandle handle, const RteScaling* scaling, HRGN region)
{
    DocLock doc(handle);
    RteRect extra = BoundsOf(doc->extraArea);
    RteRect view = BoundsOf(doc->viewArea);
    if (!RteRectsMeet(&extra, &view, nullptr)) {
        SetRectRgn(region, 0, 0, 0, 0);
        return 0;
    }
    RtePoint offset = DisplayOffset(doc.get());
    RteRectListToRegion(doc->extraArea, offset.h, offset.v, scaling, 0, nullptr, region);
    return RteRegionIsEmpty(region) ? 0 : 1;
}

void RteSetClip(RteHandle handle, int32_t mode, RteRectList list)
{
    DocLock doc(handle);
    RteGdiPort* port = RteGdiPortOf(&doc->port);
    HDC dc = RtePortGetDC(port);
    RteWinRect bounds = WindowRect(doc.get(), BoundsOf(list ? list : doc->viewArea));
    HRGN region = port->clip;
    if (mode == RTE_CLIP_TEMPORARY) {
        region = CreateRectRgn(bounds.left, bounds.top, bounds.right, bounds.bottom);
    } else if (ClipStale(doc.get(), port)) {
        RebuildClip(doc.get(), port, bounds);
    }
    if (port->update) {
        HRGN within = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(within, region, port->update, RGN_AND);
        SelectClipRgn(dc, within);
        DeleteObject(within);
    } else {
        SelectClipRgn(dc, region);
    }
    if (region != port->clip)
        DeleteObject(region);
    RtePortReleaseDC(port);
}

void RteSetUpdateRegion(RteHandle handle, HRGN region)
{
    DocLock doc(handle);
    RteGdiPort* port = RteGdiPortOf(&doc->port);
    if (port->update)
        DeleteObject(port->update);
    port->update = region;
}

HRGN RteScrollPixels(RteHandle handle, const RteRect* rect, int32_t dx, int32_t dy, RteRect* uncovered)
{
    DocLock doc(handle);
    RteGdiPort* port = RteGdiPortOf(&doc->port);
    HDC dc = RtePortGetDC(port);
    RteWinRect area;
    RteRectToWin(rect, nullptr, &area);
    RECT scroll{area.left, area.top, area.right, area.bottom};
    HRGN exposed = CreateRectRgn(0, 0, 0, 0);
    int saved = SaveDC(dc);
    if (port->factor)
        RteResetMapping(dc);
    ScrollDC(dc, dx, dy, &scroll, &scroll, exposed, nullptr);
    HBRUSH brush = CreateSolidBrush(Background(doc.get(), port));
    FillRgn(dc, exposed, brush);
    DeleteObject(brush);
    RestoreDC(dc, saved);
    RtePortReleaseDC(port);
    if (uncovered) {
        RECT box;
        GetRgnBox(exposed, &box);
        *uncovered = RteRect{box.top, box.left, box.bottom, box.right};
    }
    if (!port->update)
        return exposed;
    CombineRgn(port->update, port->update, exposed, RGN_OR);
    DeleteObject(exposed);
    return port->update;
}

HBRUSH RteBackgroundBrush(const RteGdiPort* port)
{
    LOGBRUSH brush{BS_SOLID,
                   RGB(port->background.red >> 8, port->background.green >> 8, port->background.blue >> 8) |
                       port->colourFlag,
                   0};
    return CreateBrushIndirect(&brush);
}

void RteEraseRect(RteEnvironment* env, const RteRect* rect)
{
    if (rect->top >= rect->bottom || rect->left >= rect->right)
        return;
    RteGdiPort* port = RteGdiOf(env)->current;
    if (!port)
        return;
    RteWinRect win;
    RteRectToWin(rect, nullptr, &win);
    RECT area{win.left, win.top, win.right, win.bottom};
    HBRUSH brush = RteBackgroundBrush(port);
    FillRect(RtePortGetDC(port), &area, brush);
    RtePortReleaseDC(port);
    DeleteObject(brush);
}

bool RteRegionIsEmpty(HRGN region)
{
    RECT box;
    return GetRgnBox(region, &box) == NULLREGION;
}

void RteSetRectRegion(HRGN region, const RteWinRect* rect)
{
    SetRectRgn(region, rect->left, rect->top, rect->right, rect->bottom);
}

void RteInsetRegion(HRGN region, int32_t dx, int32_t dy)
{
    auto combine = [region](int32_t ox, int32_t oy, int mode) {
        for (int32_t sign : {-1, 1}) {
            HRGN shifted = CreateRectRgn(0, 0, 0, 0);
            CombineRgn(shifted, region, nullptr, RGN_COPY);
            OffsetRgn(shifted, sign * ox, sign * oy);
            CombineRgn(region, region, shifted, mode);
            DeleteObject(shifted);
        }
    };
    if (dx)
        combine(dx > 0 ? dx : -dx, 0, dx > 0 ? RGN_AND : RGN_OR);
    if (dy)
        combine(0, dy > 0 ? dy : -dy, dy > 0 ? RGN_AND : RGN_OR);
}
