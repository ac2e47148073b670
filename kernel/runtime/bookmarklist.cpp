// The bookmark dialog's list, subclassed: a press on an entry starts a drag that moves the
// entry under the mouse, scrolling when the mouse leaves the list above or below; in the
// editing mode the page of the entry under the mouse shows in a tooltip.
#include "bookmarklist.h"

#include "kernel.h"
#include "kernelprocess.h"
#include "qxmsgwind.h"
#include "qxwindowptr.h"

#include <windowsx.h>

#include <string>

namespace {

constexpr int TooltipPoints = 8;
constexpr COLORREF TooltipBackground = 0x80FFFF;
// The mode in which the tooltip shows.
constexpr int TooltipMode = QX_MODE_EDIT_BIT;

// One drag and one tooltip for the process: only one list can have the mouse.
struct LISTSTATE {
    int tooltipEntry = -1;  // the entry whose page shows, -1 for none
    bool dragging = false;
    MSGWIND tooltip;
};

LISTSTATE& State()
{
    static LISTSTATE state;
    return state;
}

WNDPROC PreviousProc(HWND list)
{
    return reinterpret_cast<WNDPROC>(GetQORVEXXpointer(GetParent(list), QXKEY_LIST_PROC_1, QXKEY_LIST_PROC_2));
}

LRESULT Previous(HWND list, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(PreviousProc(list), list, message, wParam, lParam);
}

int SelectedCount(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETSELCOUNT, 0, 0)); }

int FirstSelected(HWND list)
{
    int index = -1;
    return SendMessageA(list, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&index)) == 1 ? index : -1;
}

// The entry at a point of the list's client area, -1 outside the entries.
int EntryAt(HWND list, POINT point)
{
    RECT client;
    GetClientRect(list, &client);
    if (!PtInRect(&client, point))
        return -1;
    const LRESULT found = SendMessageA(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    return HIWORD(found) ? -1 : LOWORD(found);
}

void RemoveTooltip(HWND list)
{
    LISTSTATE& state = State();
    if (state.tooltipEntry < 0)
        return;
    state.tooltipEntry = -1;
    state.tooltip.DetruireFenetre();
    if (GetCapture() == list)
        ReleaseCapture();
}

void ShowTooltip(HWND list, int entry)
{
    const std::string text = KernBookmarkListEntry(list, entry);
    const size_t tab = text.find('\t');
    if (tab == std::string::npos)
        return;
    LOGFONTA font{};
    lstrcpynA(font.lfFaceName, "MS Sans Serif", LF_FACESIZE);
    const HDC screen = GetDC(nullptr);
    font.lfHeight = -MulDiv(TooltipPoints, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    // The class that the pop-up registers owns the brush from then on.
    const HBRUSH background = CreateSolidBrush(TooltipBackground);
    if (State().tooltip.AfficherFenetre(nullptr, text.c_str() + tab + 1, Color{0, 0, 0, 0}, &font, 0, 0,
                                        GetParent(list), KernProcess().module, 0, background) != MSGWIND_SHOWN) {
        DeleteObject(background);
        return;
    }
    State().tooltipEntry = entry;
    SetCapture(list);
}

// The dragged entry goes where the mouse is.
void Drag(HWND list, POINT point)
{
    RECT client;
    GetClientRect(list, &client);
    if (point.y < client.top || point.y >= client.bottom) {
        const int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
        SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(point.y < client.top ? (top > 0 ? top - 1 : 0) : top + 1), 0);
        return;
    }
    const int target = EntryAt(list, point);
    const int dragged = FirstSelected(list);
    if (target < 0 || dragged < 0 || target == dragged)
        return;
    const std::string entry = KernBookmarkListEntry(list, dragged);
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(dragged), 0);
    SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(target), reinterpret_cast<LPARAM>(entry.c_str()));
    SendMessageA(list, LB_SETSEL, TRUE, target);
}

void OnMouseMove(HWND list, KERNEL* kernel, POINT point)
{
    LISTSTATE& state = State();
    if (state.tooltipEntry >= 0 && EntryAt(list, point) != state.tooltipEntry)
        RemoveTooltip(list);
    if (state.dragging) {
        Drag(list, point);
    } else if (kernel->mode == TooltipMode && state.tooltipEntry < 0) {
        const int entry = EntryAt(list, point);
        if (entry >= 0)
            ShowTooltip(list, entry);
    }
}

void OnButtonDown(HWND list, WPARAM wParam, LPARAM lParam)
{
    RemoveTooltip(list);
    LISTSTATE& state = State();
    if (state.dragging)
        return;
    Previous(list, WM_LBUTTONDOWN, wParam, lParam);
    if (SelectedCount(list) != 1)
        return;
    // The list ends its own selection tracking; the drag takes the mouse from here.
    Previous(list, WM_LBUTTONUP, wParam, lParam);
    SetCapture(list);
    state.dragging = true;
    PostMessageA(list, WM_MOUSEMOVE, wParam, lParam);
}

void Reset(HWND list)
{
    State().dragging = false;
    RemoveTooltip(list);
    if (GetCapture() == list)
        ReleaseCapture();
}

LRESULT CALLBACK BookmarkListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* kernel = static_cast<KERNEL*>(GetQORVEXpointer(GetParent(list)));
    if (!kernel)
        return Previous(list, message, wParam, lParam);
    const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_LBUTTONDOWN:
        OnButtonDown(list, wParam, lParam);
        return 0;
    case WM_LBUTTONUP:
        if (!State().dragging)
            break;
        State().dragging = false;
        ReleaseCapture();
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(list, kernel, point);
        if (State().dragging)
            return 0;
        break;
    case WM_CAPTURECHANGED:
        // Another window took the mouse: neither the drag nor the tooltip can follow it.
        if (reinterpret_cast<HWND>(lParam) != list) {
            State().dragging = false;
            RemoveTooltip(list);
        }
        break;
    case WM_CANCELMODE:
        Reset(list);
        break;
    case WM_DESTROY: {
        Reset(list);
        const WNDPROC previous = PreviousProc(list);
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        ClearQORVEXXpointer(GetParent(list), reinterpret_cast<void*>(previous), QXKEY_LIST_PROC_1, QXKEY_LIST_PROC_2);
        return CallWindowProcA(previous, list, message, wParam, lParam);
    }
    default:
        break;
    }
    return Previous(list, message, wParam, lParam);
}

}  // namespace

std::string KernBookmarkListEntry(HWND list, int index)
{
    // Room for a title, a TAB and a page name of the longest a file holds.
    constexpr int EntryChars = 1100;
    char text[EntryChars] = "";
    if (SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0) < EntryChars)
        SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

void KernSubclassBookmarkList(HWND dialog, HWND list)
{
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BookmarkListProc)));
    SetQORVEXXpointer(dialog, QXKEY_LIST_PROC_1, reinterpret_cast<void*>(previous), QXKEY_LIST_PROC_2);
}
