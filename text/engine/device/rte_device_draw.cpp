// Measuring DCs and drawing onto another device.
#include "rte_device_draw.h"

#include "rte_document_internal.h"
#include "rte_gdi_port.h"
#include "rte_text_blocks.h"

using namespace rte_document;

namespace {

void SetFontMarks(RteGdiEnv* gdi, bool marked)
{
    RteLocked<RteFontCacheEntry> fonts(gdi->fontCache);
    for (int32_t i = 0; i < fonts.size(); ++i) {
        if (marked)
            fonts[i].flags |= RTE_FONT_OTHER_DEVICE;
        else
            fonts[i].flags &= ~RTE_FONT_OTHER_DEVICE;
    }
}

}  // namespace

HDC RteMeasureDC(RteHandle handle, int32_t* saved)
{
    RteGdiPort* port = RteGdiPortOf(&DocLock(handle)->port);
    HDC dc = RtePortGetDC(port);
    *saved = port->substituteDc ? SaveDC(dc) : 0;
    RteResetMapping(dc);
    return dc;
}

void RteEndMeasureDC(RteHandle handle, int32_t saved)
{
    RteGdiPort* port = RteGdiPortOf(&DocLock(handle)->port);
    if (saved)
        RestoreDC(port->substituteDc ? port->substituteDc : port->dc, saved);
    else if (port->factor)
        RteApplyMapping(port->dc, port->factor);
    RtePortReleaseDC(port);
}

void RteBeginDeviceDraw(RteHandle handle, RteDeviceTarget* target, int32_t offset, const RteRect* area)
{
    DocLock doc(handle);
    RteGdiPort* port = RteGdiPortOf(&doc->port);
    if (!target->dc)
        target->dc = RtePortGetDC(port);
    if (!target->resolution)
        target->resolution = GetDeviceCaps(target->dc, LOGPIXELSY);
    int32_t height = area->bottom - area->top;
    target->blocks = 0;
    RteLocked<RteTextBlock> blocks(doc->blocks);
    int32_t used = 0;
    for (int32_t i = 0, start = 0; i < blocks.size(); start += blocks[i].length, ++i) {
        if (start + blocks[i].length <= offset && i + 1 < blocks.size())
            continue;
        used += blocks[i].bounds.bottom - blocks[i].bounds.top;
        if (used > height && target->blocks > 0)
            break;
        ++target->blocks;
    }
    RteApplyDocMapping(handle, target->dc, target->resolution, target->resolution);
    RteMarkFontCache(doc->env);
}

void RteEndDeviceDraw(RteHandle handle, RteDeviceTarget* target)
{
    DocLock doc(handle);
    RteGdiPort* port = RteGdiPortOf(&doc->port);
    RteResetMapping(target->dc);
    if (target->dc == port->dc)
        RtePortReleaseDC(port);
    SetFontMarks(RteGdiOf(doc->env), false);
}

void RteMarkFontCache(RteEnvironment* env) { SetFontMarks(RteGdiOf(env), true); }
