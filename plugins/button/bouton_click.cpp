// The button's window messages: pressing, toggling and taking its branches, the mouse-over
// look of the bitmap style, painting, and the check state.
#include "bouton.h"

#include "accessors.h"
#include "bouton_draw.h"
#include "branch.h"
#include "objgeometry.h"

#include <windowsx.h>

namespace {

bool InCreationMode(const MSGL& msg) { return (msg.mode & QX_MODE_EDIT_BIT) != 0; }

bool HasOverLook(BOUTON& b) { return b.style == BOUTON_STYLE_BITMAP && b.imageNames[BOUTON_IMAGE_OVER].length() > 0; }

}  // namespace

void BOUTON::TakeBranch(int index)
{
    BRANCH* branch = GetBranch(index);
    if (!branch || !branch->IsBranchingSomewhere())
        return;
    branch->source = window;
    KernSetBranch(kernel, branch);
}

void BOUTON::EndOverLook()
{
    highlighted = 0;
    Repaint();
    if (window && GetCapture() == window)
        ReleaseCapture();
}

LRESULT BOUTON::MouseDown(const MSGL& msg)
{
    ReleaseMessage();
    if (InCreationMode(msg))
        return 0;
    if (highlighted && !held)
        EndOverLook();
    held = 1;
    highlighted = 1;
    Repaint();
    if (window)
        SetCapture(window);
    return 0;
}

LRESULT BOUTON::MouseMove(const MSGL& msg)
{
    if (InCreationMode(msg)) {
        if (highlighted && !held)
            EndOverLook();
        return 0;
    }
    const int inside = In(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
    BRANCH* next = GetBranch(checked ? 1 : 0);
    if (next && next->IsBranchingSomewhere())
        KernSetHand(kernel);
    if (held) {
        if (inside != highlighted) {
            highlighted = inside;
            Repaint();
        }
        return 0;
    }
    if (!HasOverLook(*this))
        return 0;
    if (inside && !highlighted) {
        highlighted = 1;
        Repaint();
        if (window)
            SetCapture(window);
    } else if (highlighted) {
        POINT point{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
        if (window)
            ClientToScreen(window, &point);
        if (!inside || (window && WindowFromPoint(point) != window))
            EndOverLook();
    }
    return 0;
}

LRESULT BOUTON::MouseUp(const MSGL& msg)
{
    if (!held)
        return 0;
    if (window && GetCapture() == window)
        ReleaseCapture();
    held = 0;
    if (In(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam))) {
        checked = !checked;
        TakeBranch(checked ? 0 : 1);
    }
    if (!toggle)
        checked = 0;
    Repaint();
    return 0;
}

LRESULT BOUTON::WindowsMessage(MSGL* msg)
{
    switch (msg->message) {
    case WM_MOVE:
    case WM_SIZE:
        FollowMoveOrSize(this, msg);
        return 0;
    case WM_PAINT:
        DrawButton(*this, reinterpret_cast<HDC>(msg->wParam), 0, 0, w, h, true);
        return 0;
    case WM_SHOWWINDOW:
        if (!msg->wParam) {
            UpdateInvisibility();
            Repaint();
        }
        return 0;
    case BM_GETCHECK:
        return checked;
    case BM_SETCHECK:
        checked = static_cast<int>(msg->wParam);
        Repaint();
        return 0;
    case WM_CHAR:
        if (msg->wParam == VK_RETURN && window)
            PostMessageA(window, WM_LBUTTONDOWN, 0, 0);
        return 0;
    case WM_LBUTTONDOWN:
        return MouseDown(*msg);
    case WM_MOUSEMOVE:
        return MouseMove(*msg);
    case WM_LBUTTONUP:
        return MouseUp(*msg);
    case WM_QUERYNEWPALETTE:
    case WM_PALETTECHANGED:
        if (style == BOUTON_STYLE_BITMAP &&
            (msg->message == WM_QUERYNEWPALETTE || reinterpret_cast<HWND>(msg->wParam) != window))
            Repaint();
        return 0;
    default:
        return msg->window ? DefWindowProcA(msg->window, msg->message, msg->wParam, msg->lParam) : 0;
    }
}
