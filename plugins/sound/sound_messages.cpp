// Kernel messages of the sound and its delayed show.
#include "sound.h"

#include "branch.h"
#include "filefetch.h"
#include "filefind.h"
#include "kernel.h"
#include "kerntree.h"
#include "objgeometry.h"
#include "qxmedia.h"

LRESULT SOUND::OnShown(MSGL* msg)
{
    const bool creation = (msg->mode & QX_MODE_EDIT_BIT) != 0;
    if (!window) {
        window = KernCreateObjetWindow(kernel, this, x, y, w, h, "son.pag");
        if (window)
            SetWindowPos(window, nullptr, 0, 0, 0, 0,
                         (creation ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE |
                             SWP_NOZORDER);
        KernFindFileStr(kernel, &fileName, 1);
    }
    if (showDelay == 0.0 && GetBranch(0) && GetBranch(0)->delay != 0.0)
        KernAddBranchTimer(kernel, GetBranch(0));
    if (window) {
        int goOn = 1;
        if (creation && !IsWindowVisible(window)) {
            KernInvalidateWindowOverObjet(kernel, KernGetTopParentObjet(kernel, this), this, &goOn, nullptr);
            ShowWindow(window, SW_SHOWNA);
        } else if (!creation && IsWindowVisible(window)) {
            SetBeParent(0);
            KernInvalidateWindowOverObjet(kernel, KernGetTopParentObjet(kernel, this), this, &goOn, nullptr);
            ShowWindow(window, SW_HIDE);
        }
    }
    if (creation)
        PostEndOfPlay();
    else if (!playing && !StartSound() && !(delayPending && showDelay != 0.0))
        PostEndOfPlay();
    return OBJET::KernelMessage(msg);
}

LRESULT SOUND::OnFileReady(MSGL* msg)
{
    const auto* record = reinterpret_cast<const GETFILE_STRUCT*>(msg->lParam);
    if (!record)
        return 1;
    if (msg->wParam != QX_FILE_ARRIVED) {
        localPath = "";
        return 0;
    }
    if (lstrcmpiA(record->localFile, localPath) != 0)
        localPath = record->localFile;
    if (shown && !(msg->mode & QX_MODE_EDIT_BIT) && !playing && !StartSound() && !(delayPending && showDelay != 0.0))
        PostEndOfPlay();
    return 0;
}

LRESULT SOUND::OnPaintTo(MSGL* msg)
{
    if (reinterpret_cast<HWND>(msg->wParam) == window)
        return 1;
    const auto* record = reinterpret_cast<const KERNDRAW*>(msg->lParam);
    if (!record || !window || !IsWindowVisible(window) || !SoundIcon())
        return OBJET::KernelMessage(msg);
    RECT own{};
    GetWindowRect(window, &own);
    if (selected)
        InflateRect(&own, -GetSystemMetrics(SM_CXFRAME), -GetSystemMetrics(SM_CYFRAME));
    RECT common{};
    if (!IntersectRect(&common, &own, &record->page))
        return 0;
    HDC memory = CreateCompatibleDC(record->dc);
    HGDIOBJ old = SelectObject(memory, SoundIcon());
    StretchBlt(record->dc, own.left - record->page.left, own.top - record->page.top, w, h, memory, 0, 0, 48, 48,
               SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    return OBJET::KernelMessage(msg);
}

LRESULT SOUND::KernelMessage(MSGL* msg)
{
    switch (msg->message) {
    case KM_SHOWN:
        return OnShown(msg);
    case KM_EXTENT: {
        OBJET* root = KernGetTopParentObjet(kernel, this);
        if (root && !root->sizeDep) {
            PixelsFromUnits(this);
            if (window) {
                const int frameX = selected ? GetSystemMetrics(SM_CXFRAME) : 0;
                const int frameY = selected ? GetSystemMetrics(SM_CYFRAME) : 0;
                MoveWindow(window, x - frameX, y - frameY, w + 2 * frameX, h + 2 * frameY, TRUE);
            }
        } else {
            UnitsFromPixels(this);
        }
        break;
    }
    case KM_PAINTTO:
        return OnPaintTo(msg);
    case KM_IDREQUEST:
        CloseDevice();
        // The kernel takes the device over: the lock is forgotten, not released.
        deviceLock = 0;
        return 1;
    case KM_FILEREADY:
        return OnFileReady(msg);
    case KM_ENABLE:
        if (msg->wParam == 0) {
            delete media;
            media = nullptr;
            CloseDevice();
            ReleaseDevice();
            localPath = "";
        }
        break;
    case KM_RELINK:
        ArmBranchTimerAfterDelayedShow(this);
        break;
    default:
        break;
    }
    return OBJET::KernelMessage(msg);
}

int SOUND::DelaiObjetShow()
{
    const int answer = OBJET::DelaiObjetShow();
    if (window)
        ShowWindow(window, SW_HIDE);
    if (KernGetMode(kernel) == QX_MODE_PRESENTATION)
        StartSound();
    return answer;
}
