// The drawing port on GDI: binding, acquisitions, the port hook and mappings.
#include "rte_gdi_port.h"

#include "rte_document_internal.h"
#include "rte_typed.h"

using namespace rte_document;

namespace {

constexpr uint8_t kSaveStackPriority = 255;
constexpr uint16_t kSaveStackGrowth = 4;

int32_t ResolutionOf(HDC dc) { return GetDeviceCaps(dc, LOGPIXELSY); }

// The resolution a port measures with: its DC's, else its window's, else the screen's.
int32_t PortResolution(HWND window, HDC dc)
{
    if (dc)
        return ResolutionOf(dc);
    if (window) {
        HDC windowDc = GetDC(window);
        int32_t resolution = ResolutionOf(windowDc);
        ReleaseDC(window, windowDc);
        return resolution;
    }
    HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    int32_t resolution = ResolutionOf(display);
    DeleteDC(display);
    return resolution;
}

}  // namespace

void RtePortInit(RteEnvironment* env, HWND window, HDC dc, RteDrawPort* port)
{
    // The save stack first: when it cannot be made, nothing else is.
    RteHandle saveStack = RteAllocOf<RteSaveEntry>(env->context, 0, kSaveStackGrowth, false);
    auto* gdi = new RteGdiPort{};
    port->savedState = gdi;
    gdi->env = RteGdiOf(env);
    port->window = window;
    gdi->window = window;
    gdi->explicitDc = dc;
    gdi->saveStack = saveStack;
    RteSetPurgeFlags(gdi->saveStack, kSaveStackPriority, false);
    gdi->background = env->backColor;
    gdi->resolution = PortResolution(window, dc);
    port->resolution = gdi->resolution;
    gdi->clip = CreateRectRgn(0, 0, 0, 0);
}

void RtePortFree(RteDrawPort* port)
{
    RteGdiPort* gdi = RteGdiPortOf(port);
    if (!gdi)
        return;
    if (gdi->saveStack)
        RteUnlockAllAndFree(gdi->saveStack);
    DeleteObject(gdi->clip);
    if (gdi->update)
        DeleteObject(gdi->update);
    delete gdi;
    port->savedState = nullptr;
    port->dc = nullptr;
}

void RteSetPortDC(RteHandle handle, HDC dc)
{
    DocLock doc(handle);
    // A port borrowed from the environment serves every such document: this one gets its own.
    if (doc->flags & RTE_DOC_BORROWED_PORT) {
        RtePortInit(doc->env, nullptr, dc, &doc->port);
        doc->flags &= ~RTE_DOC_BORROWED_PORT;
    }
    RteGdiPort* gdi = RteGdiPortOf(&doc->port);
    gdi->explicitDc = dc;
    // Without a DC the port draws in its window again: the document measures as it does.
    gdi->resolution = PortResolution(gdi->window, dc);
    doc->port.resolution = gdi->resolution;
    doc->resolution = gdi->resolution;
}

HDC RtePortGetDC(RteGdiPort* port)
{
    if (port->substituteDc)
        return port->substituteDc;
    if (port->explicitDc)
        return port->dc = port->explicitDc;
    if (port->acquires++ > 0)
        return port->dc;
    port->dc = port->window ? GetDC(port->window) : nullptr;
    if (!port->dc)
        return port->dc = port->env->screen;
    port->previousFont = GetCurrentObject(port->dc, OBJ_FONT);
    if (port->palette) {
        port->previousPalette = SelectPalette(port->dc, port->palette, FALSE);
        RealizePalette(port->dc);
        port->colourFlag = RTE_PALETTE_RELATIVE;
    } else {
        port->colourFlag = 0;
    }
    if (port->factor)
        RteApplyMapping(port->dc, port->factor);
    return port->dc;
}

void RtePortReleaseDC(RteGdiPort* port)
{
    if (port->substituteDc || port->explicitDc || port->acquires == 0)
        return;
    if (--port->acquires > 0 || !port->window)
        return;
    SelectObject(port->dc, port->previousFont);
    if (port->previousPalette)
        SelectPalette(port->dc, port->previousPalette, FALSE);
    port->previousPalette = nullptr;
    ReleaseDC(port->window, port->dc);
    port->dc = nullptr;
}

void RtePortHook(RteHandle handle, int32_t push)
{
    DocLock doc(handle);
    RteGdiEnv* env = RteGdiOf(doc->env);
    RteGdiPort* port = RteGdiPortOf(&doc->port);
    if (push) {
        HDC dc = RtePortGetDC(port);
        RteSaveEntry entry{SaveDC(dc), env->current, {}};
        GetClipBox(dc, &entry.clip);
        InsertElement(port->saveStack, RteCount(port->saveStack), entry);
        env->current = port;
        port->background = doc->backColor;
        SetBkColor(dc, RGB(doc->backColor.red >> 8, doc->backColor.green >> 8, doc->backColor.blue >> 8) |
                           port->colourFlag);
        doc->port.dc = dc;
        return;
    }
    int32_t last = RteCount(port->saveStack) - 1;
    if (last < 0)
        return;
    RteSaveEntry entry = ElementOf<RteSaveEntry>(port->saveStack, last);
    env->current = entry.previous;
    if (entry.savedDc)
        RestoreDC(port->substituteDc ? port->substituteDc : port->dc, entry.savedDc);
    RtePortReleaseDC(port);
    RteSetCount(port->saveStack, last);
}

void RteApplyMapping(HDC dc, int32_t factor)
{
    int32_t numerator = (factor >> 16) & 0xFFFF;
    int32_t denominator = factor & 0xFFFF;
    SetMapMode(dc, MM_ISOTROPIC);
    SetWindowExtEx(dc, denominator, denominator, nullptr);
    SetViewportExtEx(dc, numerator, numerator, nullptr);
}

void RteApplyDocMapping(RteHandle handle, HDC dc, int32_t xdpi, int32_t ydpi)
{
    int32_t resolution = RteLocked<RteDocument>(handle)->resolution;
    SetMapMode(dc, MM_ISOTROPIC);
    SetWindowExtEx(dc, (resolution >> 16) ? (resolution >> 16) : resolution, resolution & 0xFFFF, nullptr);
    SetViewportExtEx(dc, xdpi ? xdpi : GetDeviceCaps(dc, LOGPIXELSX), ydpi ? ydpi : GetDeviceCaps(dc, LOGPIXELSY),
                     nullptr);
}

void RteResetMapping(HDC dc)
{
    SetMapMode(dc, MM_TEXT);
    SetWindowExtEx(dc, 1, 1, nullptr);
    SetViewportExtEx(dc, 1, 1, nullptr);
}

void RteSetPrintDC(RteHandle doc, HDC dc) { RteGdiPortOf(&DocLock(doc)->port)->printDc = dc; }

void RteUseSubstituteDC(RteHandle handle)
{
    RteGdiPort* port = RteGdiPortOf(&DocLock(handle)->port);
    if (port->printDc) {
        port->substituteDc = port->printDc;
        ++port->substitutions;
        RteApplyDocMapping(handle, port->substituteDc, 0, 0);
    }
    DocLock(handle)->hooks.port(handle, 1);
}

void RteEndSubstituteDC(RteHandle handle)
{
    DocLock(handle)->hooks.port(handle, 0);
    RteGdiPort* port = RteGdiPortOf(&DocLock(handle)->port);
    if (port->substituteDc) {
        RteResetMapping(port->substituteDc);
        port->substituteDc = nullptr;
    }
}
