// The four thin handle windows that frame the selection's extent, through which the whole
// selection is sized: each object keeps its place and size in proportion to the extent.
#include "selectionhandles.h"

#include "authoring.h"
#include "rubberband.h"
#include "selection.h"
#include "undo.h"
#include "windowgeometry.h"
#include "../runtime/kernel.h"
#include "../runtime/kernelprocess.h"
#include "../runtime/kerntree.h"
#include "../runtime/objet.h"
#include "qxrubber.h"
#include "qxutil.h"
#include "qxwindowptr.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr const char* SideProperty = "SIDE";
enum Side { Left = 1, Top = 2, Right = 3, Bottom = 4 };
// How far from a handle's end its corner zone reaches, in pixels.
constexpr int CornerZone = 20;
constexpr COLORREF HandleGrey = RGB(125, 125, 125);

KERNEL* KernelOf(HWND handle) { return static_cast<KERNEL*>(GetQORVEXpointer(handle)); }

int SideOf(HWND handle) { return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(handle, SideProperty))); }

// Which part of the extent a point of the handle grabs: a band mode, 0 top-left to
// 7 bottom-right, by the side and whether the point lies near one of the handle's ends.
int GrabMode(HWND handle, int x, int y)
{
    RECT client;
    GetClientRect(handle, &client);
    const int frameX = _GetSystemMetrics(SM_CXFRAME);
    switch (SideOf(handle)) {
    case Left:
        return y <= CornerZone ? 0 : y > client.bottom - CornerZone - 1 ? 5 : 3;
    case Right:
        return y <= CornerZone ? 2 : y > client.bottom - CornerZone - 1 ? 7 : 4;
    case Top:
        return x < CornerZone + 1 - frameX ? 0 : x > client.right - frameX - CornerZone - 1 ? 2 : 1;
    default:
        return x < CornerZone + 1 - frameX ? 5 : x > client.right - frameX - CornerZone - 1 ? 7 : 6;
    }
}

LPCSTR CursorOf(int mode)
{
    switch (mode) {
    case 0:
    case 7:
        return IDC_SIZENWSE;
    case 2:
    case 5:
        return IDC_SIZENESW;
    case 3:
    case 4:
        return IDC_SIZEWE;
    default:
        return IDC_SIZENS;
    }
}

// The handle holds the band while it sizes the selection.
bool Sizing(KERNEL* kernel, HWND handle) { return kernel->rubber && GetCapture() == handle; }

void OnPaint(HWND handle)
{
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(handle, &paint);
    RECT client;
    GetClientRect(handle, &client);
    const HBRUSH brush = CreateSolidBrush(HandleGrey);
    const HGDIOBJ previousBrush = SelectObject(dc, brush);
    const HGDIOBJ previousPen = SelectObject(dc, GetStockObject(NULL_PEN));
    // Without a pen the rectangle stops one pixel short of its right and bottom edges.
    Rectangle(dc, 0, 0, client.right + 2, client.bottom + 2);
    SelectObject(dc, previousPen);
    SelectObject(dc, previousBrush);
    DeleteObject(brush);
    EndPaint(handle, &paint);
}

void OnButtonDown(KERNEL* kernel, HWND handle, int x, int y)
{
    if (kernel->rubber && !kernel->rubberCapture)
        KernDestroyRubber(kernel);
    if (kernel->rubber)
        return;
    POINT grab = {x, y};
    ClientToScreen(handle, &grab);
    SetCapture(handle);
    kernel->rubber = new RUBBER(handle, grab.x, grab.y, kernel->selLeft, kernel->selTop, kernel->selRight,
                                kernel->selBottom, GrabMode(handle, x, y));
    kernel->rubberCapture = 1;
}

void OnSizingMove(KERNEL* kernel, HWND handle, int x, int y, int keys)
{
    POINT cursor = {x, y};
    ClientToScreen(handle, &cursor);
    // The band stays on the page.
    if (OBJET* top = KernGetTopObjet(kernel); top && top->window) {
        RECT page;
        GetWindowRect(top->window, &page);
        cursor.x = std::max(page.left, std::min(cursor.x, page.right));
        cursor.y = std::max(page.top, std::min(cursor.y, page.bottom));
    }
    KernMoveRubber(kernel, cursor.x, cursor.y, keys);
}

// A coordinate at the same proportion of the new extent as it was of the old one.
LONG Scale(LONG value, LONG oldStart, LONG oldSize, LONG newStart, LONG newSize)
{
    if (oldSize == 0)
        return newStart + value - oldStart;
    return newStart + std::lround(static_cast<double>(value - oldStart) * newSize / oldSize);
}

RECT ScaleInto(const RECT& area, const RECT& from, const RECT& to)
{
    const LONG fromWidth = from.right - from.left, fromHeight = from.bottom - from.top;
    const LONG toWidth = to.right - to.left, toHeight = to.bottom - to.top;
    return {Scale(area.left, from.left, fromWidth, to.left, toWidth),
            Scale(area.top, from.top, fromHeight, to.top, toHeight),
            Scale(area.right, from.left, fromWidth, to.left, toWidth),
            Scale(area.bottom, from.top, fromHeight, to.top, toHeight)};
}

void ResizeSelection(KERNEL* kernel, const RECT& from, const RECT& to)
{
    OBJSEL_LIST& selection = kernel->selection;
    KernInvalidateRectObjectSelected(kernel);
    KernUnChainAllObject(kernel);
    KernUndoPush(kernel, new UNDO_MARK_MOVE_SIZE_BEGIN(kernel));
    for (int i = 0; i < selection.Items(); ++i) {
        OBJET* object = selection.GetObjet(i);
        if (object->sizeMode == QX_SIZE_MAXIMAL || !object->window)
            continue;
        RECT client;
        KernGetClientToScreen(object, &client);
        const RECT scaled = ScreenToPositionParent(object->window, ScaleInto(client, from, to));
        KernUndoPush(kernel, new UNDO_MOVE_SIZE(object));
        PlaceWindow(object->window, AddBorders(object->window, scaled), 0);
    }
    KernUndoPush(kernel, new UNDO_MARK_MOVE_SIZE_END(kernel, selection.Items()));
    KernChainAllObject(kernel);
    KernInvalidateRectObjectSelected(kernel);
    CalculedExtent(kernel);
}

void OnButtonUp(KERNEL* kernel)
{
    int left = 0, top = 0, right = 0, bottom = 0;
    kernel->rubber->GetCoords(left, top, right, bottom);
    delete kernel->rubber;
    kernel->rubber = nullptr;
    kernel->rubberCapture = 0;
    const RECT extent = {kernel->selLeft, kernel->selTop, kernel->selRight, kernel->selBottom};
    const RECT sized = {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
    if (!EqualRect(&sized, &extent))
        ResizeSelection(kernel, extent, sized);
}

LRESULT CALLBACK HandleProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    KERNEL* kernel = KernelOf(handle);
    if (!kernel)
        return DefWindowProcA(handle, message, wParam, lParam);
    switch (message) {
    case WM_PAINT:
        OnPaint(handle);
        return 0;
    case WM_WINDOWPOSCHANGING:
        // The handles stay above every object.
        reinterpret_cast<WINDOWPOS*>(lParam)->hwndInsertAfter = HWND_TOP;
        return 0;
    case WM_MOUSEMOVE:
        if (Sizing(kernel, handle))
            OnSizingMove(kernel, handle, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), static_cast<int>(wParam));
        else
            SetCursor(LoadCursorA(nullptr, CursorOf(GrabMode(handle, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)))));
        return 0;
    case WM_LBUTTONDOWN:
        OnButtonDown(kernel, handle, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        if (Sizing(kernel, handle))
            OnButtonUp(kernel);
        ReleaseCapture();
        return 0;
    case WM_NCDESTROY:
        SetQORVEXpointer(handle, nullptr);
        RemovePropA(handle, SideProperty);
        break;
    }
    return DefWindowProcA(handle, message, wParam, lParam);
}

HWND NewHandle(KERNEL* kernel, HWND page, int side)
{
    const HWND handle = CreateWindowExA(0, "KernObjetWindow", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                                        page, nullptr, KernProcess().module, nullptr);
    if (!handle)
        return nullptr;
    SetWindowLongPtrA(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HandleProc));
    SetQORVEXpointer(handle, kernel);
    SetPropA(handle, SideProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(side)));
    return handle;
}

}  // namespace

void KernCreateSelectionHandles(KERNEL* kernel)
{
    OBJET* top = KernGetTopObjet(kernel);
    if (!top || !top->window)
        return;
    for (int index = 0; index < QX_SELECTION_HANDLES; ++index) {
        if (!kernel->handles[index])
            kernel->handles[index] = NewHandle(kernel, top->window, index + 1);
    }
}
