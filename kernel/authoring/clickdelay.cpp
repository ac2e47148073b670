// The click delay: a press on an object in an editing mode waits a moment. Released sooner
// it is a click, which selects; held longer it draws a selection rectangle from the press.
#include "editmouse.h"

#include "authoring.h"
#include "rubberband.h"
#include "selection.h"
#include "undo.h"
#include "../runtime/kernel.h"
#include "../runtime/objet.h"
#include "qxwindowptr.h"

#include <windowsx.h>

namespace {

// What the page window keeps while a click is pending.
constexpr const char* KeysProperty = "KEY";
constexpr const char* MouseXProperty = "MOUSEX";
constexpr const char* MouseYProperty = "MOUSEY";

void SetIntProperty(HWND window, const char* name, int value)
{
    SetPropA(window, name, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(value)));
}

int IntProperty(HWND window, const char* name)
{
    return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(window, name)));
}

HWND PageWindow(KERNEL* kernel)
{
    OBJET* top = KernGetTopObjet(kernel);
    return top ? top->window : nullptr;
}

// Ends the pending click on the page window: its timer and the clicked object go, and the
// kernel no longer waits. The clicked object, null when none was pending.
OBJET* EndPendingClick(HWND page)
{
    if (!page)
        return nullptr;
    KillTimer(page, QX_TIMER_CLICK_DELAY);
    auto* object = static_cast<OBJET*>(GetQORVEXXpointer(page, QXKEY_CLICKED_OBJECT_1, QXKEY_CLICKED_OBJECT_2));
    if (!object)
        return nullptr;
    ClearQORVEXXpointer(page, object, QXKEY_CLICKED_OBJECT_1, QXKEY_CLICKED_OBJECT_2);
    object->GetKernel()->clickDelay = 0;
    return object;
}

}  // namespace

void KernArmClickDelay(KERNEL* kernel, OBJET* object, MSGL* msg)
{
    HWND page = PageWindow(kernel);
    if (!page)
        return;
    EndPendingClick(page);
    POINT press = {GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)};
    ClientToScreen(msg->window, &press);
    SetQORVEXXpointer(page, QXKEY_CLICKED_OBJECT_1, object, QXKEY_CLICKED_OBJECT_2);
    SetIntProperty(page, KeysProperty, static_cast<int>(msg->wParam));
    SetIntProperty(page, MouseXProperty, press.x);
    SetIntProperty(page, MouseYProperty, press.y);
    kernel->clickDelay = 1;
    SetTimer(page, QX_TIMER_CLICK_DELAY, QX_CLICK_DELAY_MS, KernClickDelayTimerProc);
}

void CALLBACK KernClickDelayTimerProc(HWND window, UINT, UINT_PTR, DWORD)
{
    OBJET* object = EndPendingClick(window);
    KERNEL* kernel = object ? object->GetKernel() : nullptr;
    if (!kernel)
        return;
    if (kernel->rubber && !kernel->rubberCapture) {
        KernEndRubber(window);
        return;
    }
    if (kernel->rubber)
        return;
    // The group closes when the band ends, or when it is dropped.
    KernUndoPush(kernel, new UNDO_MARK_BEGIN(kernel));
    if (!(IntProperty(window, KeysProperty) & MK_CONTROL))
        KernUnSelectAllObjects(kernel);
    KernStartSelectRubber(kernel, window, IntProperty(window, MouseXProperty), IntProperty(window, MouseYProperty));
}

bool KernEditButtonUp(KERNEL* kernel, OBJET* object, MSGL* msg)
{
    if (kernel->clickDelay) {
        OBJET* clicked = EndPendingClick(PageWindow(kernel));
        if (!clicked)
            clicked = object;
        KernUndoPush(kernel, new UNDO_MARK_BEGIN(kernel));
        if (kernel->rubber && !kernel->rubberCapture)
            KernDestroyRubber(kernel);
        if (clicked == KernGetTopObjet(kernel))
            KernUnSelectAllObjects(kernel);
        else
            KernEventSelectObject(kernel, clicked, msg);
        KernUndoPush(kernel, new UNDO_MARK_END(kernel));
        return true;
    }
    if (kernel->rubber && kernel->rubberCapture) {
        KernEndRubber(msg->window);
        return true;
    }
    return false;
}
