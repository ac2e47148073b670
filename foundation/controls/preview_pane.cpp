// The image pane of a preview: its background, the picture its preview draws, and its sunken
// border. The pane owns its preview from creation on: destroying the pane deletes it.
#include "preview_parts.h"

namespace {

QXPREVIEW* PaneOwner(HWND pane) { return reinterpret_cast<QXPREVIEW*>(GetWindowLongPtrA(pane, 0)); }

void Line(HDC dc, HPEN pen, int fromX, int fromY, int toX, int toY)
{
    const HGDIOBJ previous = SelectObject(dc, pen);
    MoveToEx(dc, fromX, fromY, nullptr);
    LineTo(dc, toX, toY);
    SelectObject(dc, previous);
}

// Grey outside and black inside along the left and top, white along the bottom and right.
void DrawSunkenBorder(HDC dc, const RECT& client)
{
    const int right = client.right - 1, bottom = client.bottom - 1;
    const HPEN grey = CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
    const HPEN black = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    const HPEN white = static_cast<HPEN>(GetStockObject(WHITE_PEN));
    Line(dc, grey, 0, bottom, 0, 0);
    Line(dc, grey, 0, 0, client.right, 0);
    Line(dc, black, 1, bottom - 1, 1, 1);
    Line(dc, black, 1, 1, right, 1);
    Line(dc, white, 0, bottom, client.right, bottom);
    Line(dc, white, right, 0, right, client.bottom);
    DeleteObject(grey);
}

bool Greyed(const QXPREVIEW* preview) { return preview->GetHwnd(QXPREVIEW_CHECKBOX) && !PreviewSwitchOn(); }

void PaintPane(HWND pane, HDC dc)
{
    QXPREVIEW* preview = PaneOwner(pane);
    RECT client{};
    GetClientRect(pane, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(Greyed(preview) ? LTGRAY_BRUSH : WHITE_BRUSH)));
    RECT picture = client;
    InflateRect(&picture, -PreviewPaneInset, -PreviewPaneInset);
    preview->DoCallback(QXPREVIEW_PAINT, dc, &picture);
    DrawSunkenBorder(dc, client);
}

}  // namespace

LRESULT CALLBACK QXPREVIEW::ImageProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) {
        void* preview = reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams;
        if (!preview)
            return -1;
        SetWindowLongPtrA(pane, 0, reinterpret_cast<LONG_PTR>(preview));
        return 0;
    }
    QXPREVIEW* preview = PaneOwner(pane);
    if (!preview)
        return DefWindowProcA(pane, message, wParam, lParam);
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(pane, &paint);
        PaintPane(pane, dc);
        EndPaint(pane, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintPane(pane, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_DESTROY:
        SetWindowLongPtrA(pane, 0, 0);
        preview->hwndImage = nullptr;
        delete preview;
        return 0;
    default:
        return DefWindowProcA(pane, message, wParam, lParam);
    }
}
