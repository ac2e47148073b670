// The mouse in the editing modes, as the object window procedure hands it over: presses that
// drag or wait for the click delay, and the messages that move, end or drop the band.
#include "editmouse.h"

#include "authoring.h"
#include "rubberband.h"
#include "selection.h"
#include "../runtime/kernel.h"
#include "../runtime/objet.h"

#include <windowsx.h>

namespace {

// The system's drag command: a move started from the caption.
constexpr WPARAM DragMove = SC_MOVE | HTCAPTION;
// The band mode of each sizing command SC_SIZE + n, n from WMSZ_LEFT (1) to WMSZ_BOTTOMRIGHT (8).
constexpr int SizeBandModes[] = {-1, 3, 4, 1, 0, 2, 6, 5, 7};

// The object may handle the press itself; otherwise the press drags its window.
void DragUnlessHandled(OBJET* object, MSGL* msg)
{
    if (object->WindowsMessage(msg) == 0)
        PostMessageA(msg->window, WM_SYSCOMMAND, DragMove, 0);
}

}  // namespace

bool KernBandHoldsClick(KERNEL* kernel)
{
    if (kernel->rubber && !kernel->rubberCapture)
        KernDestroyRubber(kernel);
    return kernel->rubber != nullptr;
}

LRESULT KernEditButtonDown(KERNEL* kernel, OBJET* object, MSGL* msg)
{
    const bool page = object == KernGetTopObjet(kernel);
    if ((msg->wParam & MK_SHIFT) && page && object->sizeMode != QX_SIZE_MAXIMAL) {
        DragUnlessHandled(object, msg);
        return 0;
    }
    // Only a press on an object already selected moves the selection at once.
    if (!kernel->selection.Find(object) || (msg->wParam & MK_CONTROL) || page || object->sizeMode == QX_SIZE_MAXIMAL) {
        KernArmClickDelay(kernel, object, msg);
        return 0;
    }
    DragUnlessHandled(object, msg);
    return 0;
}

bool KernEditMouseMove(KERNEL* kernel, MSGL* msg)
{
    if (!kernel->rubberCapture || !kernel->rubber)
        return false;
    POINT cursor = {GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)};
    ClientToScreen(msg->window, &cursor);
    KernMoveRubber(kernel, cursor.x, cursor.y, static_cast<int>(msg->wParam));
    return true;
}

bool KernEditSysCommand(KERNEL* kernel, OBJET* object, MSGL* msg, LRESULT* answer)
{
    *answer = 0;
    if (kernel->rubber)
        return true;
    if (kernel->mode == QX_MODE_PRESENTATION)
        return false;
    if (msg->wParam == DragMove) {
        POINT cursor = {};
        GetCursorPos(&cursor);
        KernStartRubber(msg->window, cursor.x, cursor.y, 1);
        *answer = 1;
        return true;
    }
    const WPARAM sizing = msg->wParam - SC_SIZE;
    if (msg->wParam > SC_SIZE && sizing <= WMSZ_BOTTOMRIGHT) {
        KernStartSizeRubber(object, SizeBandModes[sizing]);
        *answer = 1;
        return true;
    }
    return false;
}

void KernEditKeyUp(KERNEL* kernel, MSGL* msg)
{
    if (msg->wParam == VK_ESCAPE && kernel->rubber)
        KernDestroyRubber(kernel);
}
