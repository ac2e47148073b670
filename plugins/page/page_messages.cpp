// Messages of the page window and kernel messages of the page.
#include "page.h"

#include "accessors.h"
#include "branch.h"
#include "filefind.h"
#include "kernel.h"
#include "kerntree.h"
#include "objgeometry.h"

namespace {

RECT WindowRectIn(HWND window, HWND parent)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

void PAGE::FillBackground(HDC dc, const RECT& area, bool clipChildren)
{
    HRGN clip = nullptr;
    if (clipChildren) {
        // The children that paint their own rectangle are left out of the fill.
        clip = CreateRectRgnIndirect(&area);
        for (int i = 0; i < GetChildItems(); ++i) {
            OBJET* child = GetChild(i);
            if (!child->window || !IsWindowVisible(child->window) || child->Invisibility())
                continue;
            const RECT rect = WindowRectIn(child->window, window);
            HRGN hole = CreateRectRgnIndirect(&rect);
            CombineRgn(clip, clip, hole, RGN_DIFF);
            DeleteObject(hole);
        }
        SaveDC(dc);
        ExtSelectClipRgn(dc, clip, RGN_AND);
    }
    HBRUSH brush = CreateSolidBrush(RGB(red, green, blue));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, area.left, area.top, area.right + 1, area.bottom + 1);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
    if (clip) {
        RestoreDC(dc, -1);
        DeleteObject(clip);
    }
}

LRESULT PAGE::WindowsMessage(MSGL* msg)
{
    if (procHook) {
        if (const LRESULT answer = procHook(msg->window, msg->message, msg->wParam, msg->lParam))
            return answer;
    }
    switch (msg->message) {
    case WM_MOVE:
    case WM_SIZE: {
        int newX = x, newY = y, newW = w, newH = h;
        if (msg->message == WM_MOVE) {
            newX = static_cast<short>(LOWORD(msg->lParam));
            newY = static_cast<short>(HIWORD(msg->lParam));
        } else {
            newW = static_cast<short>(LOWORD(msg->lParam));
            newH = static_cast<short>(HIWORD(msg->lParam));
        }
        if (selected)
            SetXYWH(newX, newY, newW, newH);
        else
            OBJET::SetXYWH(newX, newY, newW, newH);
        return 0;
    }
    case WM_PAINT:
        if (!noFill) {
            RECT client{};
            GetClientRect(msg->window, &client);
            FillBackground(reinterpret_cast<HDC>(msg->wParam), client, !(effectId && effectPending));
        }
        return 0;
    case WM_WINDOWPOSCHANGING:
        return 1;
    case WM_NCLBUTTONDOWN:
        KernUnSelectAllObjects(kernel);
        break;
    case WM_MOUSEMOVE:
        if (KernGetMode(kernel) == QX_MODE_PRESENTATION && ClickBranch() && ClickBranch()->IsBranchingSomewhere())
            KernSetHand(kernel);
        return 0;
    case WM_LBUTTONDOWN:
        if (!(msg->mode & QX_MODE_EDIT_BIT) && ClickBranch() && ClickBranch()->IsBranchingSomewhere()) {
            ClickBranch()->source = window;
            KernSetBranch(kernel, ClickBranch());
        }
        return 0;
    case WM_PALETTECHANGED:
        if (reinterpret_cast<HWND>(msg->wParam) == msg->window)
            break;
        [[fallthrough]];
    case WM_QUERYNEWPALETTE:
        InvalidateRect(msg->window, nullptr, FALSE);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(msg->window, msg->message, msg->wParam, msg->lParam);
}

LRESULT PAGE::OnShown(MSGL* msg)
{
    BindPageHook();
    bool created = false;
    if (!window) {
        if (sizeDep ? sizeMode == 3 : (sizeMode == 3 || w == 0 || h == 0))
            OBJET::SetXYWH(0, 0, kernel->appWidth, kernel->appHeight);
        DWORD style = 0;
        RECT outer{};
        GetFrameStyle(frameType, x, y, w, h, &style, &outer);
        window = KernCreateBaseWindow(kernel, this, title, style, outer.left, outer.top,
                                                   outer.right - outer.left, outer.bottom - outer.top, "page.pag");
        if (window) {
            SetWindowPos(window, nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
            created = true;
        }
        KernFindFileStr(kernel, &pageFile, 1);
    }
    if (ClickBranch() && ClickBranch()->delay != 0.0)
        KernAddBranchTimer(kernel, ClickBranch());
    if (msg->mode & QX_MODE_EDIT_BIT)
        Select();
    else
        UnSelect();
    const LRESULT answer = OBJET::KernelMessage(msg);
    if (created)
        PostMessageA(window, QX_PAGE_CREATED, 0, reinterpret_cast<LPARAM>(this));
    return answer;
}

LRESULT PAGE::OnExtent(MSGL* msg)
{
    if (sizeDep) {
        if (sizeMode == 3)
            OBJET::SetXYWH(0, 0, kernel->appWidth, kernel->appHeight);
        UnitsFromPixels(this);
        if (sizeMode != 3)
            return OBJET::KernelMessage(msg);
        UnSelect();
    } else {
        if (sizeMode == 1)
            PixelsFromUnits(this);
        else
            OBJET::SetXYWH(0, 0, kernel->appWidth, kernel->appHeight);
        UnSelect();
    }
    if (window) {
        DWORD style = 0;
        RECT outer{};
        GetFrameStyle(frameType, x, y, w, h, &style, &outer);
        MoveWindow(window, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top, TRUE);
    }
    return OBJET::KernelMessage(msg);
}

LRESULT PAGE::OnPaintTo(MSGL* msg)
{
    if (!noFill) {
        if (reinterpret_cast<HWND>(msg->wParam) == window)
            return 1;
        const auto* record = reinterpret_cast<const KERNDRAW*>(msg->lParam);
        if (record && window && !delayTimer) {
            RECT client{};
            GetClientRect(window, &client);
            MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
            RECT common{};
            if (!IntersectRect(&common, &client, &record->page))
                return 0;
            OffsetRect(&client, -record->page.left, -record->page.top);
            FillBackground(record->dc, client, false);
        }
    }
    return OBJET::KernelMessage(msg);
}

LRESULT PAGE::KernelMessage(MSGL* msg)
{
    switch (msg->message) {
    case KM_SHOWN:
        return OnShown(msg);
    case KM_EXTENT:
        return OnExtent(msg);
    case KM_PAINTTO:
        return OnPaintTo(msg);
    case WM_PALETTECHANGED:
        if (reinterpret_cast<HWND>(msg->wParam) == window)
            break;
        [[fallthrough]];
    case WM_QUERYNEWPALETTE:
        if (window)
            InvalidateRect(window, nullptr, FALSE);
        break;
    default:
        break;
    }
    return OBJET::KernelMessage(msg);
}
