// "QXFileName": a read-only field in a sunken frame that shows the file-name part of the
// path it holds, with the whole path as its tooltip, and that tells its parent of text
// changes as an edit control does (EN_UPDATE when set, EN_CHANGE once painted).
#include "controls_internal.h"
#include "qxstring.h"
#include "qxwindowptr.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>

namespace {

constexpr int TextIndentLeft = 4;
constexpr int TextIndentRight = 8;
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Shadow = RGB(128, 128, 128);
constexpr COLORREF Light = RGB(192, 192, 192);

struct FileNameRecord {
    bool enabled = true;
    HFONT font = nullptr;  // the parent's, set by WM_SETFONT; never deleted here
    bool changed = false;  // set since the last paint: EN_CHANGE is still due
    QXSTRING text;
    ControlTooltip popup;
};

FileNameRecord* RecordOf(HWND window) { return static_cast<FileNameRecord*>(GetQORVEXpointer(window)); }

// What follows the last '\' (or, without one, the last '/'); the whole text when there is no
// separator or when the text ends with it.
const char* FileNamePart(const char* text)
{
    const char* separator = std::strrchr(text, '\\');
    if (!separator)
        separator = std::strrchr(text, '/');
    return separator && separator[1] ? separator + 1 : text;
}

void Notify(HWND window, WORD code)
{
    SendMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), code),
                 reinterpret_cast<LPARAM>(window));
}

// A line through the points, the last one left out as GDI lines leave it.
void Line(HDC dc, COLORREF colour, std::initializer_list<POINT> points)
{
    SetDCPenColor(dc, colour);
    Polyline(dc, points.begin(), static_cast<int>(points.size()));
}

// A white outline, grey and black inside it along the left and top, light grey along the
// inner bottom and right: a sunken field.
void PaintFrame(HDC dc, int w, int h)
{
    SetDCPenColor(dc, White);
    Rectangle(dc, 0, 0, w, h);
    Line(dc, Shadow, {{0, h - 1}, {0, 0}, {w - 1, 0}});
    Line(dc, Black, {{1, h - 2}, {1, 1}, {w - 2, 1}});
    Line(dc, Light, {{1, h - 2}, {w - 2, h - 2}, {w - 2, 0}});
}

void PaintText(HDC dc, const FileNameRecord& record, RECT area)
{
    const char* shown = FileNamePart(record.text);
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    SetBkMode(dc, TRANSPARENT);
    if (record.enabled) {
        SetTextColor(dc, Black);
        DrawTextA(dc, shown, -1, &area, format);
        return;
    }
    SetTextColor(dc, White);
    DrawTextA(dc, shown, -1, &area, format);
    OffsetRect(&area, -1, -1);
    SetTextColor(dc, Shadow);
    DrawTextA(dc, shown, -1, &area, format);
}

void Paint(HWND window, const FileNameRecord& record, HDC dc, bool erase)
{
    if (erase)
        SendMessageA(GetParent(window), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client{};
    GetClientRect(window, &client);
    const int saved = SaveDC(dc);
    SelectObject(dc, GetStockObject(DC_PEN));
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    if (record.font)
        SelectObject(dc, record.font);
    PaintFrame(dc, client.right, client.bottom);
    PaintText(dc, record, RECT{TextIndentLeft, 0, client.right - TextIndentRight, client.bottom});
    RestoreDC(dc, saved);
}

LRESULT OnCreate(HWND window, const CREATESTRUCTA& create)
{
    auto* record = new FileNameRecord;
    if (!record)
        return -1;
    record->enabled = (create.style & WS_DISABLED) == 0;
    record->text.GetWindowTextA(window);  // a dialog template's text is the first path
    SetQORVEXpointer(window, record);
    return 0;
}

void OnDestroy(HWND window, FileNameRecord* record)
{
    SetQORVEXpointer(window, nullptr);
    delete record;
}

void OnSetText(HWND window, FileNameRecord& record, const char* text)
{
    record.text = text;
    Notify(window, EN_UPDATE);
    record.changed = true;
    InvalidateRect(window, nullptr, TRUE);
}

void OnPaint(HWND window, FileNameRecord& record)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    Paint(window, record, dc, paint.fErase != FALSE);
    EndPaint(window, &paint);
    if (record.changed) {
        record.changed = false;
        Notify(window, EN_CHANGE);
    }
}

LRESULT OnGetText(const FileNameRecord& record, WPARAM size, char* buffer)
{
    if (!buffer || size == 0)
        return 0;
    const size_t copied = std::min<size_t>(static_cast<size_t>(record.text.length()), size - 1);
    std::memcpy(buffer, static_cast<const char*>(record.text), copied);
    buffer[copied] = '\0';
    return static_cast<LRESULT>(copied);
}

void OnMouseMove(HWND window, FileNameRecord& record, POINT point)
{
    if (record.text.length() == 0 && GetCapture() != window)
        return;
    record.popup.Track(window, record.text, point, true);
}

LRESULT Dispatch(HWND window, FileNameRecord& record, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETTEXT:
        OnSetText(window, record, reinterpret_cast<const char*>(lParam));
        return TRUE;
    case WM_GETTEXT:
        return OnGetText(record, wParam, reinterpret_cast<char*>(lParam));
    case WM_GETTEXTLENGTH:
        return record.text.length();
    case WM_PAINT:
        OnPaint(window, record);
        return 0;
    case WM_PRINTCLIENT:
        Paint(window, record, reinterpret_cast<HDC>(wParam), (lParam & PRF_ERASEBKGND) != 0);
        return 0;
    case WM_SETFONT:
        record.font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            InvalidateRect(window, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(record.font);
    case WM_ENABLE:
        record.enabled = wParam != 0;
        InvalidateRect(window, nullptr, TRUE);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(window, record, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_DESTROY:
        OnDestroy(window, &record);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK QXFileNameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
        return OnCreate(window, *reinterpret_cast<const CREATESTRUCTA*>(lParam));
    FileNameRecord* record = RecordOf(window);
    return record ? Dispatch(window, *record, message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}
