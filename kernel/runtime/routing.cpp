// KernObjetCommand, the window procedure of every object window: a pending branch takes the
// next message, the host's filter may drop it, the kernel does the hover and cursor
// handling, authoring takes the mouse in the editing modes (click delay, rubber band), and
// everything else reaches the object as an MSGL.
#include "kernel.h"

#include "branchrun.h"
#include "branch.h"
#include "enclosers.h"
#include "kerntree.h"
#include "objet.h"
#include "objetpaint.h"
#include "qxsupport.h"
#include "../authoring/authoring.h"
#include "../authoring/editmouse.h"
#include "../authoring/selection.h"

#include <exception>

namespace {

// Right-button messages reach objects in presentation and in the editing mode only.
constexpr int EditingMode = 2;

bool HostMinimised(KERNEL* kernel) { return IsIconic(KernGetAppWindow(kernel)) != 0; }

LRESULT OnWindowPosChanging(KERNEL* kernel, OBJET* object, MSGL* msg)
{
    object->WindowsMessage(msg);
    auto* position = reinterpret_cast<WINDOWPOS*>(msg->lParam);
    OBJET* parent = object->GetParent();
    // Each object window stays just below its next sibling, a page's below the next open
    // page's (the page shown below the host's top window); the last object of the page shown
    // stays below the selection handles. Every window of a page being made or moved asks, so
    // the sibling is the list's next node, the next page found by the index of the pages,
    // rather than by its place.
    HWND above = nullptr;
    if (!parent) {
        const OBJET* next = kernel->loadedPages.OpenAfter(object);
        above = next ? next->window : kernel->appTopWindow;
    } else if (const OBJET* sibling = object->NextSibling()) {
        above = sibling->window;
    }
    if (!above && parent && parent == KernGetTopObjet(kernel))
        above = kernel->handles[0];
    if (position)
        position->hwndInsertAfter = above;
    return 0;
}

void SetObjectCursor(KERNEL* kernel, OBJET* object)
{
    if (object->fileWait)
        SetCursor(kernel->cursorChosen ? kernel->netHandCursor : kernel->netArrowCursor);
    else if (!kernel->cursorChosen)
        SetCursor(kernel->arrowCursor);
}

LRESULT OnMouseMove(KERNEL* kernel, OBJET* object, MSGL* msg)
{
    if (KernEditMouseMove(kernel, msg))
        return 0;
    if (object != kernel->hovered) {
        // The object left hears of it before the object entered.
        MSGL hover = *msg;
        if (OBJET* left = kernel->hovered) {
            hover.message = KM_HOVEREND;
            left->KernelMessage(&hover);
        }
        hover.message = KM_HOVERSTART;
        object->KernelMessage(&hover);
        kernel->hovered = object;
    }
    kernel->cursorChosen = 0;
    const LRESULT answer = object->WindowsMessage(msg);
    SetObjectCursor(kernel, object);
    return answer;
}

LRESULT OnLeftButtonDown(KERNEL* kernel, OBJET* object, MSGL* msg)
{
    if (KernBandHoldsClick(kernel))
        return 0;
    SetFocus(msg->window);
    KernObjetOut(kernel);
    kernel->hovered = object;
    if (!(kernel->mode & QX_MODE_EDIT_BIT))
        return object->WindowsMessage(msg);
    return KernEditButtonDown(kernel, object, msg);
}

LRESULT OnSysCommand(KERNEL* kernel, OBJET* object, MSGL* msg)
{
    LRESULT answer = 0;
    return KernEditSysCommand(kernel, object, msg, &answer) ? answer : object->WindowsMessage(msg);
}

LRESULT OnRightButton(KERNEL* kernel, OBJET* object, MSGL* msg, UINT leftMessage)
{
    if (kernel->depProcessRunning || (kernel->mode != QX_MODE_PRESENTATION && kernel->mode != EditingMode))
        return 0;
    if (kernel->mode == EditingMode)
        SendMessageA(msg->window, leftMessage, msg->wParam, msg->lParam);
    return object->WindowsMessage(msg);
}

LRESULT Deliver(KERNEL* kernel, OBJET* object, MSGL* msg)
{
    switch (msg->message) {
    case WM_DESTROY:
        object->window = nullptr;
        return object->WindowsMessage(msg);
    case WM_ENABLE:
        if (!object->GetParent())
            KernBroadCastUntilDone(kernel, object, KM_ENABLE, msg->wParam, msg->lParam);
        return object->WindowsMessage(msg);
    case WM_PAINT:
        return KernPaintObjet(kernel, object, msg);
    case WM_WINDOWPOSCHANGING:
        return OnWindowPosChanging(kernel, object, msg);
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDBLCLK:
        if (!kernel->rubber) {
            KernModifySelectObjects(kernel);
            return object->WindowsMessage(msg);
        }
        [[fallthrough]];
    case WM_MOVE:
    case WM_SIZE:
        if (!HostMinimised(kernel)) {
            object->WindowsMessage(msg);
            CalculedExtent(kernel);
        }
        return 0;
    case WM_KEYUP:
        KernEditKeyUp(kernel, msg);
        return 0;
    case WM_SYSCOMMAND:
        return OnSysCommand(kernel, object, msg);
    case WM_MOUSEMOVE:
        return OnMouseMove(kernel, object, msg);
    case WM_LBUTTONDOWN:
        return OnLeftButtonDown(kernel, object, msg);
    case WM_LBUTTONUP:
        return KernEditButtonUp(kernel, object, msg) ? 0 : object->WindowsMessage(msg);
    case WM_RBUTTONDOWN:
        return OnRightButton(kernel, object, msg, WM_LBUTTONDOWN);
    case WM_RBUTTONUP:
        return OnRightButton(kernel, object, msg, WM_LBUTTONUP);
    default:
        return object->WindowsMessage(msg);
    }
}

// The kernel's rectangles of the enclosing objects follow the object windows: one created
// (objects make theirs when first shown) is added to them; one that goes, moves or changes
// size or frame makes them out of date.
void TellEnclosers(KERNEL* kernel, OBJET* object, UINT message, LPARAM lParam)
{
    constexpr UINT Unmoved = SWP_NOMOVE | SWP_NOSIZE;
    switch (message) {
    case WM_CREATE:
        if (kernel->enclosers)
            kernel->enclosers->Created(object);
        break;
    case WM_DESTROY:
        ++kernel->treeChanges;
        break;
    case WM_WINDOWPOSCHANGED: {
        const auto* place = reinterpret_cast<const WINDOWPOS*>(lParam);
        if ((place->flags & Unmoved) != Unmoved || (place->flags & SWP_FRAMECHANGED))
            ++kernel->treeChanges;
        break;
    }
    default:
        break;
    }
}

LRESULT Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE && lParam) {
        auto* creation = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, QXWL_OBJET, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* object = reinterpret_cast<OBJET*>(GetWindowLongPtrA(window, QXWL_OBJET));
    KERNEL* kernel = object ? object->GetKernel() : nullptr;
    if (!kernel)
        return DefWindowProcA(window, message, wParam, lParam);
    TellEnclosers(kernel, object, message, lParam);
    MSGL msg = {static_cast<WORD>(kernel->mode & 0xFFFF), window, message, wParam, lParam};
    // The message that carries a pending branch reaches neither the filter nor the object.
    if (KernRunPendingBranch(kernel))
        return IsWindow(window) ? DefWindowProcA(window, message, wParam, lParam) : 0;
    if (kernel->filterMsg && !kernel->filterMsg(&msg, kernel->appPointer))
        return 0;
    if ((kernel->mode & QX_MODE_EDIT_BIT) || !kernel->autoBranch)
        KernClearBranchTimer(kernel);
    return Deliver(kernel, object, &msg);
}

}  // namespace

LRESULT CALLBACK KernObjetCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        return Route(window, message, wParam, lParam);
    } catch (const std::exception&) {
        // Nothing thrown by an object crosses the window procedure: the message counts as
        // not handled.
        return 0;
    }
}
