// BBUTTON: the window procedure that replaces the system button's, and the tooltip timer.
// The system button's own clicking is never used: it would command with other arguments.
#include "qxbbutton.h"

#include "controls_internal.h"
#include "qxwindowptr.h"

#include <windowsx.h>

namespace {

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

}  // namespace

void BBUTTON::Command() const
{
    PostMessageA(parent, WM_COMMAND, MAKEWPARAM(id, 0), reinterpret_cast<LPARAM>(user));
}

void BBUTTON::OnMouseMove(POINT point)
{
    if (!GetCapture()) {
        SetTimer();
        SetQORVEXXpointer(window, QXKEY_BUTTON_TOOLTIP_1, this, QXKEY_BUTTON_TOOLTIP_2);
    }
    const bool inside = In(point.x, point.y);
    if (!inside && tooltipShown) {
        ReleaseMessage();
        ReleaseTimer();
    }
    if (inside && !hovering) {
        if (!pressing && state == BBUTTON_UP)
            Draw(BBUTTON_HOVER);
        hovering = 1;
        ::SetCapture(window);  // to see the pointer leave
    } else if (!inside && hovering) {
        if (!pressing && state == BBUTTON_UP)
            Draw(state);
        hovering = 0;
        if (!pressing)
            ReleaseCapture();
    }
    if (kind == BBUTTON_PUSH && pressing && enabled) {
        if (inside && state == BBUTTON_UP)
            SetState(BBUTTON_PRESSED, 1);
        else if (!inside && state != BBUTTON_UP)
            SetState(BBUTTON_UP, 1);
    }
}

void BBUTTON::OnButtonDown()
{
    ReleaseTimer();
    ReleaseMessage();
    ::SetCapture(window);
    if (!enabled)
        return;
    Draw(BBUTTON_PRESSED);
    if (kind == BBUTTON_TOGGLE)
        state = state == BBUTTON_ON ? BBUTTON_UP : BBUTTON_ON;
    else
        state = BBUTTON_ON;
    if (kind == BBUTTON_TOGGLE || kind == BBUTTON_LATCH)
        Command();
    pressing = 1;
}

void BBUTTON::OnButtonUp(POINT point)
{
    hovering = 0;
    ReleaseCapture();
    if (enabled) {
        if (kind == BBUTTON_TOGGLE || kind == BBUTTON_LATCH) {
            Draw(state);
        } else {
            // Only a press that began on the button commands, not a drag that ends on it.
            const bool commands = pressing && In(point.x, point.y);
            SetState(BBUTTON_UP, 1);
            if (commands)
                Command();
        }
    }
    pressing = 0;
}

void BBUTTON::OnTooltipDue()
{
    ReleaseTimer();
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(window, &cursor);
    if (!In(cursor.x, cursor.y) || tooltipShown || tooltip.length() == 0)
        return;
    if (AfficherMessage(cursor.x, cursor.y) == MSGWIND_SHOWN)
        ::SetCapture(window);
    else
        ReleaseMessage();
}

void CALLBACK BBUTTON::TimerProc(HWND window, UINT, UINT_PTR timer, DWORD)
{
    auto* button = static_cast<BBUTTON*>(GetQORVEXXpointer(window, QXKEY_BUTTON_TOOLTIP_1, QXKEY_BUTTON_TOOLTIP_2));
    if (button)
        button->OnTooltipDue();
    else
        KillTimer(window, timer);
}

LRESULT CALLBACK BBUTTON::MessageProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* button = static_cast<BBUTTON*>(GetQORVEXpointer(window));
    if (!button)
        return DefWindowProcA(window, msg, wParam, lParam);
    const WNDPROC system = button->buttonProcedure;
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        button->Paint(dc, button->state);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        button->Paint(reinterpret_cast<HDC>(wParam), button->state);
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the picture covers the button
    case WM_MOUSEMOVE:
        button->OnMouseMove(PointOf(lParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // the button class takes double-clicks: the second click is a press too
        button->OnButtonDown();
        return 0;
    case WM_LBUTTONUP:
        button->OnButtonUp(PointOf(lParam));
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (wParam == VK_SPACE)
            return 0;  // the system button would click on it
        break;
    case WM_NCDESTROY:
        button->Forget();
        break;
    }
    return CallWindowProcA(system, window, msg, wParam, lParam);
}
