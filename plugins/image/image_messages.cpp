// Messages of the image window and kernel messages of the image.
#include "image.h"

#include "accessors.h"
#include "branch.h"
#include "filefetch.h"
#include "filefind.h"
#include "kernel.h"
#include "kerntree.h"
#include "objgeometry.h"
#include "qxplugin.h"

void IMAGE::FollowTopParentClient()
{
    RECT area{};
    KernGetClientToScreen(KernGetTopParentObjet(kernel, this), &area);
    if (parent && parent->window)
        MapWindowPoints(nullptr, parent->window, reinterpret_cast<POINT*>(&area), 2);
    OBJET::SetXYWH(area.left, area.top, area.right - area.left, area.bottom - area.top);
}

LRESULT IMAGE::OnShown(MSGL* msg)
{
    // A fitted picture does not cover its whole rectangle.
    SetInvisibility(keepRatio);
    if (sizeMode == 3)
        FollowTopParentClient();
    if (!window) {
        window = CreateShownObjectWindow(*this, "image.pag", "IMAGE");
        KernFindFileStr(kernel, &fileName, 1);
    }
    if (showDelay == 0.0 && GetBranch(0) && GetBranch(0)->delay != 0.0)
        KernAddBranchTimer(kernel, GetBranch(0));
    if (!picture)
        LoadPicture();
    if (sizeMode == 3 && window)
        MoveWindow(window, x, y, w, h, TRUE);
    return OBJET::KernelMessage(msg);
}

LRESULT IMAGE::OnExtent(MSGL* msg)
{
    OBJET* root = KernGetTopParentObjet(kernel, this);
    if (root && !root->sizeDep) {
        if (sizeMode == 1) {
            PixelsFromUnits(this);
        } else if (parent && parent->window) {
            RECT client{};
            GetClientRect(parent->window, &client);
            OBJET::SetXYWH(0, 0, client.right, client.bottom);
        }
        if (window) {
            const int frameX = selected ? GetSystemMetrics(SM_CXFRAME) : 0;
            const int frameY = selected ? GetSystemMetrics(SM_CYFRAME) : 0;
            MoveWindow(window, x - frameX, y - frameY, w + 2 * frameX, h + 2 * frameY, TRUE);
        }
    } else {
        UnitsFromPixels(this);
    }
    return OBJET::KernelMessage(msg);
}

LRESULT IMAGE::OnPaintTo(MSGL* msg)
{
    if (reinterpret_cast<HWND>(msg->wParam) == window)
        return 1;
    const auto* record = reinterpret_cast<const KERNDRAW*>(msg->lParam);
    if (delayTimer || !record || !window)
        return OBJET::KernelMessage(msg);
    RECT own{};
    GetWindowRect(window, &own);
    if (selected)
        InflateRect(&own, -GetSystemMetrics(SM_CXFRAME), -GetSystemMetrics(SM_CYFRAME));
    RECT common{};
    if (!IntersectRect(&common, &own, &record->page))
        return 0;
    const int atX = own.left - record->page.left, atY = own.top - record->page.top;
    if (picture)
        Paint(picture, record->dc, atX, atY, false);
    else
        PaintFromFile(record->dc, atX, atY, false);
    return OBJET::KernelMessage(msg);
}

LRESULT IMAGE::OnFileReady(MSGL* msg)
{
    const auto* record = reinterpret_cast<const GETFILE_STRUCT*>(msg->lParam);
    if (!record)
        return 1;
    if (msg->wParam != QX_FILE_ARRIVED) {
        localPath = "";
        if (loadedName.length() && lstrcmpiA(loadedName, fileName) != 0) {
            // The dialog's new name failed: back to the picture the page names.
            fileName = loadedName;
            LoadPicture();
        } else {
            loadedName = "";
            paintThrough = 0;
        }
        return 0;
    }
    if (!localPath.length()) {
        paintThrough = 1;
        localPath = record->localFile;
        SetInvisibility(0);
        LoadPicture();
        if (window)
            InvalidateRect(window, nullptr, FALSE);
    }
    return 0;
}

LRESULT IMAGE::KernelMessage(MSGL* msg)
{
    switch (msg->message) {
    case KM_SHOWN:
        return OnShown(msg);
    case KM_EXTENT:
        return OnExtent(msg);
    case KM_PAINTTO:
        return OnPaintTo(msg);
    case KM_REALIZEPALETTE:
        return 1;
    case KM_FILEREADY:
        return OnFileReady(msg);
    case KM_ENABLE:
        if (msg->wParam == 0) {
            FreePicture();
            localPath = "";
        }
        break;
    case KM_RELINK:
        ArmBranchTimerAfterDelayedShow(this);
        break;
    case WM_PALETTECHANGED:
        if (reinterpret_cast<HWND>(msg->wParam) == window)
            break;
        [[fallthrough]];
    case WM_QUERYNEWPALETTE:
        if (window)
            InvalidateRect(window, nullptr, TRUE);
        break;
    default:
        break;
    }
    return OBJET::KernelMessage(msg);
}

LRESULT IMAGE::WindowsMessage(MSGL* msg)
{
    BRANCH* branch = GetBranch(0);
    switch (msg->message) {
    case WM_MOVE:
    case WM_SIZE:
        FollowMoveOrSize(this, msg);
        return 0;
    case WM_PAINT: {
        if (sizeMode == 3) {
            FollowTopParentClient();
            if (window)
                MoveWindow(window, x, y, w, h, FALSE);
        }
        HDC dc = reinterpret_cast<HDC>(msg->wParam);
        if (picture)
            Paint(picture, dc, 0, 0, true);
        else
            PaintFromFile(dc, 0, 0, true);
        return 0;
    }
    case WM_MOUSEMOVE:
        if (branch && branch->IsBranchingSomewhere() && KernGetMode(kernel) == QX_MODE_PRESENTATION)
            KernSetHand(kernel);
        return 0;
    case WM_LBUTTONDOWN:
        if (!(msg->mode & QX_MODE_EDIT_BIT) && branch && branch->IsBranchingSomewhere()) {
            branch->source = window;
            KernSetBranch(kernel, branch);
        }
        return 0;
    case QX_IMAGE_SETFILE:
        return SetProperties(1000, reinterpret_cast<const char*>(msg->lParam));
    default:
        return DefWindowProcA(msg->window, msg->message, msg->wParam, msg->lParam);
    }
}
