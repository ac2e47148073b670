// The rubber band of the editing modes: starting it over the page, the selection or one
// object, following the mouse on the grid, and applying it when it ends.
#include "rubberband.h"

#include "authoring.h"
#include "selection.h"
#include "undo.h"
#include "windowgeometry.h"
#include "../runtime/kernel.h"
#include "../runtime/kerntree.h"
#include "../runtime/objet.h"
#include "qxrubber.h"
#include "qxsupport.h"

namespace {

OBJET* ObjectOfWindow(HWND window)
{
    return window ? reinterpret_cast<OBJET*>(GetWindowLongPtrA(window, QXWL_OBJET)) : nullptr;
}

void SetBandMode(HWND window, int mode)
{
    SetPropA(window, QX_BAND_MODE_PROPERTY, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(mode + 1)));
}

// The mode of the band the window owns; -1 when it owns none.
int BandMode(HWND window)
{
    if (!window)
        return -1;
    return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(window, QX_BAND_MODE_PROPERTY))) - 1;
}

RECT Extent(KERNEL* kernel) { return {kernel->selLeft, kernel->selTop, kernel->selRight, kernel->selBottom}; }

// What a band of the mode starts from, in screen pixels: the page window for the page, the
// selection's extent for a move of the selection, the object's client area for a sizing.
RECT BandStart(KERNEL* kernel, OBJET* object, int mode)
{
    RECT area = {};
    if (object == KernGetTopObjet(kernel))
        GetWindowRect(object->window, &area);
    else if (mode == QX_BAND_MOVE)
        area = Extent(kernel);
    else
        KernGetClientToScreen(object, &area);
    return area;
}

void NewBand(KERNEL* kernel, HWND window, int x, int y, const RECT& area, int mode, int capture)
{
    kernel->rubber = new RUBBER(window, x, y, area.left, area.top, area.right, area.bottom, mode);
    kernel->rubberCapture = capture;
    SetBandMode(window, mode);
    if (capture)
        SetCapture(window);
}

// Moves or sizes one object's window to the band, as one move-size step.
void PlaceByBand(KERNEL* kernel, OBJET* object, const RECT& band, UINT flags)
{
    RECT area = ScreenToPositionParent(object->window, band);
    // A page window's band is its whole window; any other object's band is its client area.
    if (object != KernGetTopObjet(kernel))
        area = AddBorders(object->window, area);
    KernUndoPush(kernel, new UNDO_MARK_MOVE_SIZE_BEGIN(kernel));
    KernUndoPush(kernel, new UNDO_MOVE_SIZE(object));
    PlaceWindow(object->window, area, flags);
    KernUndoPush(kernel, new UNDO_MARK_MOVE_SIZE_END(kernel, 1));
}

void ApplyBand(KERNEL* kernel, OBJET* object, int mode, const RECT& band)
{
    const RECT start = BandStart(kernel, object, mode);
    // A band that ends where it started changes nothing and records nothing.
    if (EqualRect(&band, &start))
        return;
    const bool page = object == KernGetTopObjet(kernel);
    if (mode == QX_BAND_MOVE && !page) {
        // The whole selection moves with the band.
        KernMoveObjet(kernel, band.left - start.left, band.top - start.top);
        return;
    }
    KernUnChainAllObject(kernel);
    KernInvalidateRectObjectSelected(kernel);
    PlaceByBand(kernel, object, band, mode == QX_BAND_MOVE ? SWP_NOSIZE : 0);
    KernChainAllObject(kernel);
    KernInvalidateRectObjectSelected(kernel);
}

// Forgets the band and gives the mouse back; the band's mode property goes with it.
void DropBand(KERNEL* kernel, HWND owner)
{
    delete kernel->rubber;
    kernel->rubber = nullptr;
    if (owner)
        RemovePropA(owner, QX_BAND_MODE_PROPERTY);
    if (kernel->rubberCapture)
        ReleaseCapture();
    kernel->rubberCapture = 0;
}

}  // namespace

void KernStartRubber(HWND objectWindow, int screenX, int screenY, int capture)
{
    OBJET* object = ObjectOfWindow(objectWindow);
    KERNEL* kernel = object ? object->GetKernel() : nullptr;
    if (!kernel || kernel->rubber)
        return;
    NewBand(kernel, objectWindow, screenX, screenY, BandStart(kernel, object, QX_BAND_MOVE), QX_BAND_MOVE, capture);
}

void KernStartSizeRubber(OBJET* object, int mode)
{
    KERNEL* kernel = object ? object->GetKernel() : nullptr;
    if (!kernel || kernel->rubber || !object->window)
        return;
    POINT cursor = {};
    GetCursorPos(&cursor);
    NewBand(kernel, object->window, cursor.x, cursor.y, BandStart(kernel, object, mode), mode, 1);
}

void KernStartSelectRubber(KERNEL* kernel, HWND pageWindow, int screenX, int screenY)
{
    if (!kernel || kernel->rubber)
        return;
    kernel->rubber = new RUBBER(pageWindow, screenX, screenY);
    kernel->rubberCapture = 1;
    SetBandMode(pageWindow, QX_BAND_SELECT);
    SetCapture(pageWindow);
}

void KernMoveRubber(KERNEL* kernel, int screenX, int screenY, int keyState)
{
    if (!kernel || !kernel->rubber)
        return;
    OBJET* top = KernGetTopObjet(kernel);
    if (!kernel->gridActive || !top || !top->window) {
        kernel->rubber->move(screenX, screenY, keyState, 0, 0, 0, 0);
        return;
    }
    // The grid's lattice starts at the page window's client corner.
    POINT origin = {0, 0};
    ClientToScreen(top->window, &origin);
    kernel->rubber->move(screenX, screenY, keyState, origin.x, origin.y, kernel->gridX, kernel->gridY);
}

void KernEndRubber(HWND objectWindow)
{
    OBJET* object = ObjectOfWindow(objectWindow);
    KERNEL* kernel = object ? object->GetKernel() : nullptr;
    if (!kernel || !kernel->rubber)
        return;
    int left = 0, top = 0, right = 0, bottom = 0;
    kernel->rubber->GetCoords(left, top, right, bottom);
    const RECT band = {left, top, right, bottom};
    const int mode = BandMode(objectWindow);
    const int capture = kernel->rubberCapture;
    kernel->rubberCapture = 0;
    DropBand(kernel, objectWindow);
    if (mode == QX_BAND_SELECT) {
        KernSelectObjectInRect(kernel, band.left, band.top, band.right, band.bottom);
        KernUndoPush(kernel, new UNDO_MARK_END(kernel));
    } else if (mode >= 0 && object->window) {
        ApplyBand(kernel, object, mode, band);
    }
    // The capture goes last: giving it back may bring messages of its own.
    if (capture)
        ReleaseCapture();
}

void KernDestroyRubber(KERNEL* kernel)
{
    if (!kernel || !kernel->rubber)
        return;
    OBJET* top = KernGetTopObjet(kernel);
    HWND page = top ? top->window : nullptr;
    const bool selecting = BandMode(page) == QX_BAND_SELECT;
    DropBand(kernel, kernel->rubberCapture ? GetCapture() : nullptr);
    if (!selecting)
        return;
    // The click delay opened a group for the selection the band would have made.
    RemovePropA(page, QX_BAND_MODE_PROPERTY);
    KernUndoPush(kernel, new UNDO_MARK_END(kernel));
}
