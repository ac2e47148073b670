// The ruler windows: the class shared by every ruler of the process, their creation, showing
// and painting of the grid and the stops.
#include "tabruler.h"

#include "editor_res.h"

namespace {

// Rulers alive in the process: the class lives as long as one of them.
int rulerUsers = 0;

constexpr const char* MarkNames[4] = {QX_BMP_LEFTTAB, QX_BMP_CENTERTAB, QX_BMP_RIGHTTAB, QX_BMP_DECIM};

// The grid: a tick every spacing, every fourth one long.
void PaintTicks(HDC dc, const RECT& client, int spacing)
{
    if (spacing <= 0)
        return;
    const int middle = client.bottom / 2;
    int tick = 1;
    for (int x = spacing; x < client.right; x += spacing, ++tick) {
        MoveToEx(dc, x, tick % 4 == 0 ? middle - 2 : middle, nullptr);
        LineTo(dc, x, middle + 2);
    }
}

// The stops in table order; the first one outside the ruler ends the drawing, as the rulers
// always showed it, even when a later stop would fit.
void PaintStops(HDC dc, const RECT& client, TABRULER* ruler)
{
    for (int i = 0; i < ruler->count && i < RTE_MAX_TABS; ++i) {
        const RteTab& tab = ruler->tabs[i];
        if (tab.position >= client.right)
            return;
        const int kind = tab.kind & 0xFFF;
        if (kind >= 1 && kind <= 4 && ruler->marks[kind - 1])
            ruler->marks[kind - 1]->Draw(dc, tab.position, 1, SRCCOPY, 0);
    }
}

void Paint(HWND window, TABRULER* ruler)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (ruler) {
        HGDIOBJ old = SelectObject(dc, GetStockObject(BLACK_PEN));
        PaintTicks(dc, client, ruler->tickSpacing);
        SelectObject(dc, old);
        PaintStops(dc, client, ruler);
    }
    EndPaint(window, &paint);
}

LRESULT CALLBACK RulerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        Paint(window, reinterpret_cast<TABRULER*>(GetWindowLongPtrA(window, 0)));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterRulerClass(HINSTANCE module)
{
    WNDCLASSA wc{};
    wc.style = CS_PARENTDC | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = RulerProc;
    wc.cbWndExtra = 40;  // window long 0: the TABRULER, pointer-sized
    wc.hInstance = module;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = QX_TABRULER_CLASS;
    RegisterClassA(&wc);
}

HWND CreateRuler(TABRULER* ruler, HWND parent, int x, int y, int width)
{
    HWND window = CreateWindowExA(0, QX_TABRULER_CLASS, "", WS_CHILD | WS_BORDER, x, y, width, QX_RULER_HEIGHT,
                                  parent, nullptr, ruler->module, nullptr);
    if (window)
        SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(ruler));
    return window;
}

}  // namespace

TABRULER::TABRULER(HINSTANCE module, int tickSpacing) : module(module), tickSpacing(tickSpacing)
{
    for (int i = 0; i < 4; ++i) {
        marks[i] = new BMP;
        if (marks[i])
            marks[i]->LoadResourceDIB(module, MarkNames[i]);
    }
    if (rulerUsers++ == 0)
        RegisterRulerClass(module);
}

TABRULER::~TABRULER()
{
    for (HWND window : windows)
        if (window && IsWindow(window))
            DestroyWindow(window);
    for (BMP* mark : marks)
        delete mark;
    if (--rulerUsers == 0)
        UnregisterClassA(QX_TABRULER_CLASS, module);
}

int CreateRulerWindows(TABRULER* ruler, HWND editWindow, int leftMargin, int rightMargin)
{
    if (!ruler || !editWindow)
        return 0;
    ruler->windows[0] = CreateRuler(ruler, editWindow, 0, 0, 0);
    ruler->windows[1] = CreateRuler(ruler, editWindow, 0, 0, 0);
    PlaceRulerWindows(ruler, editWindow, leftMargin, rightMargin);
    return ruler->windows[0] && ruler->windows[1];
}

void PlaceRulerWindows(TABRULER* ruler, HWND editWindow, int leftMargin, int rightMargin)
{
    if (!ruler || !editWindow)
        return;
    RECT client;
    GetClientRect(editWindow, &client);
    const int x = leftMargin + 9;
    const int width = client.right - leftMargin - rightMargin - 19;
    const int y[2] = {1, static_cast<int>(client.bottom) - QX_RULER_HEIGHT};
    for (int i = 0; i < 2; ++i)
        if (ruler->windows[i])
            SetWindowPos(ruler->windows[i], nullptr, x, y[i], width, QX_RULER_HEIGHT, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ShowRulers(TABRULER* ruler, int showCommand)
{
    if (!ruler)
        return;
    for (HWND window : ruler->windows) {
        if (!window)
            continue;
        ShowWindow(window, showCommand);
        InvalidateRect(window, nullptr, showCommand != SW_HIDE);
    }
}
