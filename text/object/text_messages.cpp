// What the kernel and the object window tell a text: shown, extent changed, painted into other
// objects' pictures, hovered, a fetched file, enabled; its own window's painting and scrolling.
#include "texte.h"

#include "branch.h"
#include "filefetch.h"
#include "kernel.h"
#include "kerntree.h"
#include "objgeometry.h"
#include "qxplugin.h"
#include "qxsupport.h"
#include "qxwindowptr.h"
#include "rte_scrolling.h"
#include "text_document.h"

namespace {

bool PageScales(TEXTE* text)
{
    OBJET* root = KernGetTopParentObjet(text->GetKernel(), text);
    return !(root && root->sizeDep);
}

}  // namespace

LRESULT TEXTE::KernelMessage(MSGL* msg)
{
    switch (msg->message) {
    case KM_SHOWN: {
        if (!window) {
            window = CreateShownObjectWindow(*this, QX_TEXT_HELP_PAGE, "TEXTE");
            if (document && PageScales(this))
                SetScaling();
            if (fileName.length() && !importOnShow.length()) {
                RebuildDocument();
                LoadText();
            }
        } else if ((!document || !paintThrough) && fileName.length() && !importOnShow.length()) {
            // The text went with its page (disabled), or its fetch failed and left it undrawn,
            // which no paint reads again: this show reads it again, links and all.
            paintThrough = 1;
            RebuildDocument();
            LoadText();
        }
        if (showDelay == 0.0)
            ArmBranchTimers(this);
        if (msg->wParam == KM_SHOWN_MODE) {
            if (msg->mode & QX_MODE_EDIT_BIT) {
                if (window) {
                    KillTimer(window, QX_TEXT_HOVER_TIMER);
                    ClearQORVEXXpointer(window, this, QX_KEY_HOVERED_MESSAGE, 0);
                }
                RemoveVisitedStyling();
            } else {
                ApplyVisitedStyling();
            }
        }
        if (importOnShow.length()) {
            RebuildDocument();
            if (document)
                ImportFile(importOnShow);
            importOnShow = "";
            ownsTempFile = external ? 0 : 1;
        }
        SetInvisibility(transparent);
        SetViewAreas();
        UpdateScrollBar();
        if (scrollBar)
            EnableWindow(scrollBar, KernGetMode(kernel) != QX_MODE_EDIT_BIT);
        return OBJET::KernelMessage(msg);
    }
    case KM_EXTENT:
        if (!PageScales(this)) {
            UnitsFromPixels(this);
        } else {
            PixelsFromUnits(this);
            if (window)
                MoveWindow(window, x, y, w, h, TRUE);
            SetScaling();
        }
        SetViewAreas();
        UpdateScrollBar();
        return OBJET::KernelMessage(msg);
    case KM_PAINTTO: {
        if (editControl)
            return 0;
        if (reinterpret_cast<HWND>(msg->wParam) == window)
            return 1;
        const auto* record = reinterpret_cast<const KERNDRAW*>(msg->lParam);
        if (record && window && !delayTimer) {
            RECT own{};
            GetWindowRect(window, &own);
            if (selected)
                InflateRect(&own, -GetSystemMetrics(SM_CXFRAME), -GetSystemMetrics(SM_CYFRAME));
            RECT common{};
            if (IntersectRect(&common, &own, &record->page)) {
                const int atX = own.left - record->page.left, atY = own.top - record->page.top;
                const int saved = SaveDC(record->dc);
                IntersectClipRect(record->dc, common.left - record->page.left, common.top - record->page.top,
                                  common.right - record->page.left, common.bottom - record->page.top);
                if (!transparent) {
                    RECT fill{atX, atY, atX + (own.right - own.left), atY + (own.bottom - own.top)};
                    if (scrollBar)
                        fill.right -= GetSystemMetrics(SM_CXVSCROLL);
                    HBRUSH brush = CreateSolidBrush(background);
                    FillRect(record->dc, &fill, brush);
                    DeleteObject(brush);
                }
                DrawText(record->dc, atX, atY, nullptr);
                RestoreDC(record->dc, saved);
            }
        }
        return OBJET::KernelMessage(msg);
    }
    case KM_HOVERSTART:
        if (!messageActive) {
            OBJET::SetMsgTimer();
            if (window)
                SetQORVEXXpointer(window, QX_KEY_TEXT_OBJECT, this, 0);
        }
        return OBJET::KernelMessage(msg);
    case KM_HOVEREND:
        OBJET::ReleaseMsgTimer();
        OBJET::ReleaseMessage();
        CloseHoveredMessage();
        return OBJET::KernelMessage(msg);
    case KM_FILEREADY: {
        const auto* record = reinterpret_cast<const GETFILE_STRUCT*>(msg->lParam);
        if (!record)
            return 1;
        if (msg->wParam != QX_FILE_ARRIVED) {
            // The next show fetches again.
            localCopy = "";
            paintThrough = 0;
            if (window)
                InvalidateRect(window, nullptr, TRUE);
            return 0;
        }
        if (!localCopy.length()) {
            localCopy = record->localFile;
            RebuildDocument();
            LoadText();
            if (PageScales(this))
                SetScaling();
            SetViewAreas();
            UpdateScrollBar();
        }
        return 0;
    }
    case KM_ENABLE:
        if (msg->wParam == 0) {
            if (document)
                EngineDo([&] { RteDocDestroy(document); });
            document = nullptr;
            localCopy = ownsTempFile ? fileName : QXSTRING();
        }
        return OBJET::KernelMessage(msg);
    case KM_RELINK:
        if (window && showDelay == 0.0 && !delayTimer && !delayPending)
            ArmBranchTimers(this);
        return OBJET::KernelMessage(msg);
    default:
        return OBJET::KernelMessage(msg);
    }
}

LRESULT TEXTE::WindowsMessage(MSGL* msg)
{
    switch (msg->message) {
    case WM_MOVE:
    case WM_SIZE:
        FollowMoveOrSize(this, msg);
        if (scrollBar && window) {
            RECT client{};
            GetClientRect(window, &client);
            const int width = GetSystemMetrics(SM_CXVSCROLL);
            MoveWindow(scrollBar, client.right - width, 0, width, client.bottom, TRUE);
        }
        SetViewAreas();
        return 0;
    case WM_PAINT: {
        painting = 1;
        HDC target = reinterpret_cast<HDC>(msg->wParam);
        RECT client{};
        GetClientRect(window, &client);
        HDC dc = CreateCompatibleDC(target);
        HBITMAP picture = CreateCompatibleBitmap(target, client.right > 0 ? client.right : 1,
                                                 client.bottom > 0 ? client.bottom : 1);
        HGDIOBJ old = SelectObject(dc, picture);
        if (transparent) {
            DrawWindowBackground(dc);
        } else {
            HBRUSH brush = CreateSolidBrush(background);
            FillRect(dc, &client, brush);
            DeleteObject(brush);
        }
        DrawText(dc, 0, 0, nullptr);
        BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
        SelectObject(dc, old);
        DeleteObject(picture);
        DeleteDC(dc);
        painting = 0;
        return 0;
    }
    case WM_VSCROLL: {
        if (!document)
            return 0;
        const int code = LOWORD(msg->wParam);
        int32_t step = 0;
        switch (code) {
        case SB_LINEUP: step = 1; break;
        case SB_LINEDOWN: step = -1; break;
        case SB_PAGEUP: step = 2; break;
        case SB_PAGEDOWN: step = -2; break;
        case SB_TOP: step = 3; break;
        case SB_BOTTOM: step = 4; break;
        default: break;
        }
        if (step) {
            EngineDo([&] { RteScrollStep(document, 0, step, 0); });
        } else if (code == SB_THUMBPOSITION && scrollBar) {
            // The 32-bit track position: texts taller than 65,535 units scroll where the thumb is.
            SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
            GetScrollInfo(scrollBar, SB_CTL, &info);
            EngineDo([&] {
                int32_t h = 0, v = 0, hMax = 0, vMax = 0;
                RteGetScrollValues(document, &h, &v, &hMax, &vMax);
                RteScrollToValue(document, h, info.nTrackPos, true, 0);
            });
        }
        if (code != SB_THUMBTRACK && code != SB_ENDSCROLL) {
            UpdateScrollBar();
            RECT text{};
            GetClientRect(window, &text);
            if (scrollBar)
                text.right -= GetSystemMetrics(SM_CXVSCROLL);
            InvalidateRect(window, &text, FALSE);
        }
        return 0;
    }
    case WM_MOUSEMOVE:
        OnMouseMove(msg);
        return 0;
    case WM_LBUTTONDOWN:
        OnLeftButtonDown(msg);
        return 0;
    case TM_REFRESHSCROLL:
        UpdateScrollBar();
        return 0;
    default:
        return DefWindowProcA(msg->window, msg->message, msg->wParam, msg->lParam);
    }
}
