// "QXButton": a bitmap button for dialog templates that pushes or toggles, takes the space
// bar and shows a tooltip. Its record hangs on the window as the pointer pair.
#include "qxbutton_record.h"

#include "qxcontrols.h"
#include "qxwindowptr.h"

#include <windowsx.h>

namespace {

QXButtonRecord* RecordOf(HWND window) { return static_cast<QXButtonRecord*>(GetQORVEXpointer(window)); }

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

void Redraw(HWND window) { InvalidateRect(window, nullptr, FALSE); }

// An auto-repeated key-down: the key was already down.
bool Repeated(LPARAM lParam) { return (lParam & (1 << 30)) != 0; }

LRESULT OnCreate(HWND window, const CREATESTRUCTA& create)
{
    auto* record = new QXButtonRecord;
    if (!record)
        return -1;
    SetQORVEXpointer(window, record);
    record->image = ImageFromStyle(create.style);
    record->toggle = (create.style & QXBS_TOGGLE) != 0;
    record->enabled = (create.style & WS_DISABLED) == 0;
    QXSTRING text;
    text.GetWindowTextA(window);
    TakeButtonText(window, *record, text);
    return 0;
}

void OnDestroy(HWND window, QXButtonRecord* record)
{
    SetQORVEXpointer(window, nullptr);
    delete record;  // its tooltip goes with it
}

void OnSetText(HWND window, QXButtonRecord& record, const char* text)
{
    TakeButtonText(window, record, text ? text : "");
    Redraw(window);
}

void OnPaint(HWND window, QXButtonRecord& record)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    PaintButton(window, record, dc);
    EndPaint(window, &paint);
}

void OnSetCheck(HWND window, QXButtonRecord& record, int checked)
{
    if (checked != record.checked) {
        record.checked = checked;
        Redraw(window);
    }
}

void OnFocus(HWND window, QXButtonRecord& record, bool focused)
{
    record.focused = focused;
    Redraw(window);
}

void OnEnable(HWND window, QXButtonRecord& record, bool enabled)
{
    record.popup.Hide();
    record.enabled = enabled;
    Redraw(window);
}

void Press(HWND window, QXButtonRecord& record)
{
    record.popup.Hide();
    if (!record.enabled)
        return;
    SetFocus(window);
    SetCapture(window);
    record.inside = true;
    record.tracking = true;
    record.checked = record.toggle ? !record.checked : 1;
    Redraw(window);
}

// `onButton`: released over the button (always so for the space bar).
void Release(HWND window, QXButtonRecord& record, bool onButton)
{
    record.popup.Hide();
    if (!record.enabled)
        return;
    record.inside = false;
    ReleaseCapture();
    if (!record.toggle)
        record.checked = 0;
    Redraw(window);
    if (record.tracking && onButton)
        PostMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), BN_CLICKED),
                     reinterpret_cast<LPARAM>(window));
    record.tracking = false;
}

void OnMouseMove(HWND window, QXButtonRecord& record, POINT point)
{
    if ((record.tooltip.length() == 0 && GetCapture() != window) || record.spaceHeld)
        return;
    record.popup.Track(window, record.tooltip, point, !record.tracking);
    // During a press the button shows whether releasing now would command: a push button is
    // down only while the pointer is over it, a toggle shows its state to come only then.
    // Without a press, hovering changes nothing.
    if (!record.tracking)
        return;
    const bool inside = PointInClient(window, point);
    if (inside != record.inside) {
        record.inside = inside;
        record.checked = record.toggle ? !record.checked : inside;
        Redraw(window);
    }
}

void OnKeyDown(HWND window, QXButtonRecord& record, WPARAM key, LPARAM flags)
{
    // The key's auto-repeat is one press: a held space bar must not flip a toggle on and off.
    if (key != VK_SPACE || !record.enabled || Repeated(flags))
        return;
    record.spaceHeld = true;
    Press(window, record);
}

void OnKeyUp(HWND window, QXButtonRecord& record, WPARAM key)
{
    if (key != VK_SPACE || !record.enabled)
        return;
    record.spaceHeld = false;
    Release(window, record, true);
}

LRESULT Dispatch(HWND window, QXButtonRecord& record, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETTEXT:
        OnSetText(window, record, reinterpret_cast<const char*>(lParam));
        return TRUE;  // the text only names the pictures and the tooltip: none is kept
    case WM_PAINT:
        OnPaint(window, record);
        return 0;
    case WM_PRINTCLIENT:
        PaintButton(window, record, reinterpret_cast<HDC>(wParam));
        return 0;
    case BM_GETCHECK:
        return record.checked;
    case BM_SETCHECK:
        OnSetCheck(window, record, static_cast<int>(wParam));
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        OnFocus(window, record, message == WM_SETFOCUS);
        return 0;
    case WM_ENABLE:
        OnEnable(window, record, wParam != 0);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // the class takes double-clicks: the second click is a press too
        Press(window, record);
        return 0;
    case WM_LBUTTONUP:
        Release(window, record, PointInClient(window, PointOf(lParam)));
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(window, record, wParam, lParam);
        return 0;
    case WM_KEYUP:
        OnKeyUp(window, record, wParam);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(window, record, PointOf(lParam));
        return 0;
    case WM_DESTROY:
        OnDestroy(window, &record);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK QXButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
        return OnCreate(window, *reinterpret_cast<const CREATESTRUCTA*>(lParam));
    QXButtonRecord* record = RecordOf(window);
    return record ? Dispatch(window, *record, message, wParam, lParam)
                  : DefWindowProcA(window, message, wParam, lParam);
}
