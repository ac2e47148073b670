// Sizing, styling and placing the application view from the publication settings, and placing
// the background window behind it.
#include "player.h"

#include "accessors.h"

namespace {

int Metric(int index) { return GetSystemMetrics(index); }

void SetScrollRange0(HWND window, int bar, int maximum)
{
    SetScrollRange(window, bar, 0, maximum, FALSE);
    SetScrollPos(window, bar, 0, FALSE);
}

}  // namespace

int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

void PlaceByPosition(int code, int& x, int& y, int bw, int bh, int aw, int ah)
{
    switch (code) {
    case 0: x = aw - bw; y = (ah - bh) / 2; break;
    case 1: x = (aw - bw) / 2; y = (ah - bh) / 2; break;
    case 2: x = (aw - bw) / 2; y = ah - bh; break;
    case 3: x = aw - bw; y = ah - bh; break;
    case 4: x = (aw - bw) / 2; break;
    case 5: y = (ah - bh) / 2; break;
    case 6: y = ah - bh; break;
    case 7: x = aw - bw; break;
    default: break;
    }
}

void SetPlayerMode(PLAYERAPP& app, int mode)
{
    if (mode == -1) {
        PostMessageA(app.frame, WM_CLOSE, 0, 0);
        return;
    }
    PUBSETTINGS& s = app.settings;
    if (s.layoutPending)
        LayoutFrame(app, s.title, s.caption, s.frame, s.topMost, s.center, s.fullScreen, s.x, s.y, s.w, s.h);
    s.layoutPending = false;
    app.playerMode = mode;
    if (app.kernel) KernSetMode(app.kernel, mode);
}

void LayoutFrame(PLAYERAPP& app, const std::string& title, bool caption, int frameType, bool topMost, bool centre,
                 bool fullScreen, int x, int y, int w, int h)
{
    const int sw = ScreenWidth(), sh = ScreenHeight();
    if (centre) {
        x = sw >= w ? (sw - w) / 2 : 0;
        y = sh >= h ? (sh - h) / 2 : 0;
    }
    if (frameType == 2) {
        w = w < sw ? w : sw;
        h = h < sh ? h : sh;
    }
    int outerW = w, outerH = h;
    DWORD style = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (caption) {
        style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
        y += Metric(SM_CYBORDER) - Metric(SM_CYCAPTION);
        outerH = h + Metric(SM_CYCAPTION) - Metric(SM_CYBORDER);
    }
    bool scrollH = false, scrollV = false;
    if (frameType == 2) {
        style |= WS_THICKFRAME | WS_MAXIMIZEBOX;
        x -= Metric(SM_CXFRAME);
        y -= Metric(SM_CYFRAME);
        outerH += 2 * Metric(SM_CYFRAME);
        outerW = w + 2 * Metric(SM_CXFRAME);
    } else if (frameType == 0 || frameType == 1) {
        bool border = frameType == 1 || caption;
        if (border)
            style |= WS_BORDER;
        else
            style &= ~WS_BORDER;
        scrollH = sw < w;
        scrollV = sh < h;
        if (sw < w + Metric(SM_CXVSCROLL) * scrollV - 1) {
            outerW = sw;
            scrollH = true;
            style |= WS_HSCROLL;
        } else {
            outerW = w + Metric(SM_CXVSCROLL) * scrollV;
        }
        if (sh < h + Metric(SM_CYHSCROLL) * scrollH - 1) {
            outerH = sh;
            style |= WS_VSCROLL;
        } else {
            outerH += Metric(SM_CYHSCROLL) * scrollH;
        }
        if (border) {
            x -= Metric(SM_CXBORDER);
            y -= Metric(SM_CYBORDER);
            outerW += 2 * Metric(SM_CXBORDER);
            outerH += 2 * Metric(SM_CYBORDER);
        }
    }
    if (centre && (outerW > sw || outerH > sh)) {
        x = sw >= outerW ? (sw - outerW) / 2 : 0;
        y = sh >= outerH ? (sh - outerH) / 2 : 0;
    }
    if (fullScreen) {
        x = y = 0;
        outerW = w = sw;
        outerH = h = sh;
    }
    if (app.kernel) KernSetAppTitle(app.kernel, title.c_str());
    SetWindowLongPtrA(app.appView, GWL_STYLE, static_cast<LONG_PTR>(style & ~WS_VISIBLE));
    HWND order = topMost ? HWND_TOPMOST : HWND_NOTOPMOST;
    SetWindowPos(app.appView, order, x, y, outerW, outerH, SWP_HIDEWINDOW | SWP_FRAMECHANGED);
    SetWindowPos(app.background, order, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE);
    RECT client;
    GetClientRect(app.appView, &client);
    if (style & WS_HSCROLL) {
        app.scrollMaxX = w - client.right;
        SetScrollRange0(app.appView, SB_HORZ, app.scrollMaxX);
    }
    if (style & WS_VSCROLL) {
        app.scrollMaxY = h - client.bottom;
        SetScrollRange0(app.appView, SB_VERT, app.scrollMaxY);
    }
    app.scrollX = app.scrollY = 0;
    SetWindowPos(app.view, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    if (frameType == 0 || frameType == 1) {
        SetWindowPos(app.view, nullptr, 0, 0, w, h, SWP_NOZORDER);
        ShowWindow(app.view, SW_SHOW);
    }
    SetWindowTextA(app.appView, title.c_str());
    PlaceBackgroundWindow(app, true);
}

void PlaceBackgroundWindow(PLAYERAPP& app, bool force)
{
    PUBSETTINGS& s = app.settings;
    if (s.background) return;
    RECT target = s.backgroundType == 0 ? RECT{-1, -1, 1, 1} : RECT{0, 0, ScreenWidth(), ScreenHeight()};
    if (!force) {
        RECT window, client;
        GetWindowRect(app.background, &window);
        GetClientRect(app.background, &client);
        if (window.left == target.left && window.top == target.top && client.right == target.right &&
            client.bottom == target.bottom)
            return;
    }
    MoveWindow(app.background, target.left, target.top, target.right, target.bottom, TRUE);
    InvalidateRect(app.background, nullptr, TRUE);
    UpdateWindow(app.background);
}
