// The four windows of the player: the frame "HYPW" (timer, private messages, closing), the
// background "FondWindow", the application view "AppViewWindow" and the view "ViewWindow"
// that hosts the kernel.
#include "player.h"
#include "resource.h"

#include "accessors.h"
#include "bookmarks.h"
#include "filefetch.h"
#include "filefind.h"
#include "kerntree.h"
#include "objet.h"
#include "pagefiles.h"
#include "slideshow.h"

namespace {

void StoreApp(HWND window, LPARAM lParam)
{
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, QXPL_APP, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
}

void OnFrameDestroy(HWND window, PLAYERAPP& app)
{
    SetWindowLongPtrA(window, QXPL_APP, 0);
    KillTimer(window, QX_IDLE_TIMER);
    ResetPublication(app.settings);
    app.settings.kernel = nullptr;
    if (app.kernel) {
        KernSetEventObjetUnSelect(app.kernel, nullptr);
        KernDestructeur(app.kernel);
    }
    app.appWindow = QORVEXWINDOW{};
    app.kernel = nullptr;
    PostQuitMessage(0);
}

void OnFrameCommand(PLAYERAPP& app, int command)
{
    KERNEL* kernel = app.kernel;
    if (!kernel || KernIsRunningDepProcess(kernel)) return;
    bool sliding = KernGetMode(kernel) == 0 && app.slideShow;
    OBJET* root = KernGetTopObjet(kernel);
    switch (command) {
    case IDM_PREVIOUS_SLIDE:
        if (sliding) KernPreviousSlide(kernel);
        break;
    case IDM_NEXT_SLIDE:
        if (sliding) KernNextSlide(kernel);
        break;
    case IDM_NEXT_FOCUS:
        if (root) KernSetNextWindowFocus(kernel, root->window);
        break;
    case IDM_PREVIOUS_FOCUS:
        if (root) KernSetPrevWindowFocus(kernel, root->window);
        break;
    default:
        break;
    }
}

void OnFramePositionChanged(HWND window, PLAYERAPP& app)
{
    if (IsIconic(window)) return;
    if (!IsZoomed(window)) {
        RECT r;
        GetWindowRect(window, &r);
        app.preferences.applicationX1 = r.left;
        app.preferences.applicationY1 = r.top;
        app.preferences.applicationX2 = r.right;
        app.preferences.applicationY2 = r.bottom;
    }
    RECT client;
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    app.frameClient = RECT{origin.x, origin.y, client.right, client.bottom};
}

// One scroll step of the application view; returns the new position.
int Scrolled(int code, int track, int position, int maximum, int page)
{
    int next = position;
    switch (code) {
    case SB_LINEUP:
        if (position > 0) next = position - 25;
        break;
    case SB_LINEDOWN:
        if (position < maximum) next = position + 25;
        break;
    case SB_PAGEUP:
        if (position > 0) next = position - page;
        break;
    case SB_PAGEDOWN:
        if (position < maximum) next = position + page;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        next = track;
        break;
    default:
        break;
    }
    return next < 0 ? 0 : next > maximum ? maximum : next;
}

void OnScroll(HWND window, PLAYERAPP& app, int bar, WPARAM wParam)
{
    int code = LOWORD(wParam);
    if (code > SB_THUMBTRACK) return;
    RECT client;
    GetClientRect(window, &client);
    if (bar == SB_HORZ)
        app.scrollX = Scrolled(code, HIWORD(wParam), app.scrollX, app.scrollMaxX, client.right);
    else
        app.scrollY = Scrolled(code, HIWORD(wParam), app.scrollY, app.scrollMaxY, client.bottom);
    SetWindowPos(app.view, nullptr, -app.scrollX, -app.scrollY, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetScrollPos(window, bar, bar == SB_HORZ ? app.scrollX : app.scrollY, TRUE);
}

void OnViewCreate(HWND window, PLAYERAPP& app, const CREATESTRUCTA& create)
{
    char key[500] = {}, environment[100] = {}, cdrom[100] = {};
    LoadStringA(app.instance, IDS_REGISTRY_KEY, key, sizeof key);
    LoadStringA(app.instance, IDS_ENVIRONMENT, environment, sizeof environment);
    LoadStringA(app.instance, IDS_CDROM, cdrom, sizeof cdrom);
    app.kernel = KernConstructeur(window, &app, key, environment, cdrom);
    if (!app.kernel) return;
    SetWindowLongPtrA(window, QX_HOSTWL_KERNEL, reinterpret_cast<LONG_PTR>(app.kernel));
    KernSetAppPath(app.kernel, app.programFolder.c_str());
    KernSetAppIsEditor(app.kernel, 0);
    KernAddSeekPath(app.kernel, app.programFile.c_str());
    KernSetFilterMsg(app.kernel, FilterMsg);
    KernSetFilterBranch(app.kernel, FilterBranch);
    KernSetEventSlideShowMode(app.kernel, EventSlideShowMode);
    KernSetAppExtent(app.kernel, 0, 0, create.cx - 2 * GetSystemMetrics(SM_CXFRAME),
                     create.cy - 2 * GetSystemMetrics(SM_CYFRAME));
}

}  // namespace

void IdleTick(PLAYERAPP& app)
{
    KERNEL* kernel = app.kernel;
    if (!kernel) return;
    if (app.playerMode != 0 || KernGetAutoBranch(kernel) == 0) {
        app.idleState = app.idleCounter = 0;
        return;
    }
    if (app.idleState == 0) {
        if (app.settings.idleTime > 0 && ++app.idleCounter > app.settings.idleTime) {
            app.idleCounter = 0;
            app.idleState = 1;
            if (KernGetActiveWindow(kernel)) KernBroadCastToObjet(kernel, KernGetTopObjet(kernel), KM_IDLERETURN, 0, 0);
        }
        return;
    }
    app.idleState = 0;
    KernClearAllLoaded(kernel);
    KernLoad(kernel, app.firstPage.c_str(), nullptr, 0);
    if (!app.settings.bookmarkFile.empty()) {
        KernLoadBookmarks(kernel, app.settings.bookmarkFile.c_str());
        if (app.settings.bookMarkGo) KernStartSlideShow(kernel);
    }
}

LRESULT CALLBACK FrameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (KernCommand(window, message, wParam, lParam)) return 0;
    if (message == WM_CREATE) {
        StoreApp(window, lParam);
        SetTimer(window, QX_IDLE_TIMER, 1000, nullptr);
        return 0;
    }
    PLAYERAPP* app = AppOf(window);
    if (!app) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_DESTROY:
        OnFrameDestroy(window, *app);
        return 0;
    case WM_CLOSE:
        if (app->kernel) KernKillInternetJobs(app->kernel);
        break;
    case WM_SETCURSOR:
    case WM_PARENTNOTIFY:
        app->idleCounter = 0;
        break;
    case WM_WINDOWPOSCHANGED:
        OnFramePositionChanged(window, *app);
        break;
    case WM_COMMAND:
        OnFrameCommand(*app, LOWORD(wParam));
        return 0;
    case WM_TIMER:
        IdleTick(*app);
        break;
    case WM_QX_OPENPUBLICATION:
        OpenPublication(*app);
        return 0;
    case WM_QX_CLOSEPLAYER:
        if (app->kernel) KernKillInternetJobs(app->kernel);
        DestroyWindow(window);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK FondWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) {
        StoreApp(window, lParam);
        return 0;
    }
    PLAYERAPP* app = AppOf(window);
    if (!app) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_DESTROY:
        SetWindowLongPtrA(window, QXPL_APP, 0);
        return 0;
    case WM_PAINT: {
        PlaceBackgroundWindow(*app, false);
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        PaintBackground(app->settings, window, dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_SHOWWINDOW:
        if (app->publicationOpened && app->playerMode == -1) {
            if (wParam)
                LayoutFrame(*app, "", false, 0, false, true, false, 0, 0, 540, 380);
            else if (IsWindowVisible(app->appView))
                LayoutFrame(*app, "", true, 0, false, true, false, 0, 0, 540, 380);
        }
        break;
    case WM_SETCURSOR:
        if (app->kernel && app->kernel->syncTransfer) SetCursor(app->kernel->netArrowCursor);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            PostMessageA(app->frame, WM_CLOSE, 0, 0);
            return 0;
        }
        break;
    case WM_MOUSEMOVE:
        if (app->kernel && app->kernel->hovered) {
            KernObjetOut(app->kernel);
            SetCursor(app->kernel->arrowCursor);
        }
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK AppViewWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (KernCommand(window, message, wParam, lParam)) return 0;
    if (message == WM_CREATE) {
        StoreApp(window, lParam);
        return 0;
    }
    PLAYERAPP* app = AppOf(window);
    if (!app) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_MOVE:
    case WM_SIZE:
        if (app->settings.frame == 2 && app->view) {
            RECT client;
            GetClientRect(window, &client);
            MoveWindow(app->view, 0, 0, client.right, client.bottom, FALSE);
        }
        break;
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcA(window, message, wParam, lParam);
        OBJET* root = app->kernel ? KernGetTopObjet(app->kernel) : nullptr;
        if (app->kernel && app->kernel->history.Items() == 1 && root && root->window && !IsWindowVisible(window))
            ShowWindow(window, SW_SHOWNORMAL);
        return result;
    }
    case WM_WININICHANGE:
        PlaceBackgroundWindow(*app, false);
        break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            if (app->playerMode == -1)
                PostMessageA(app->frame, WM_CLOSE, 0, 0);
            else
                SetPlayerMode(*app, -1);
            return 0;
        }
        break;
    case WM_HSCROLL:
        OnScroll(window, *app, SB_HORZ, wParam);
        return 0;
    case WM_VSCROLL:
        OnScroll(window, *app, SB_VERT, wParam);
        return 0;
    case WM_EXITSIZEMOVE: {
        RECT r;
        GetWindowRect(window, &r);
        SetWindowPos(app->frame, nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetFocus(window);
        break;
    }
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK ViewWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) {
        StoreApp(window, lParam);
        if (PLAYERAPP* app = AppOf(window)) OnViewCreate(window, *app, *reinterpret_cast<CREATESTRUCTA*>(lParam));
        return 0;
    }
    if (KernCommand(window, message, wParam, lParam)) return 0;
    PLAYERAPP* app = AppOf(window);
    if (!app) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_SETTEXT:
    case WM_GETTEXT:
        return SendMessageA(GetParent(window), message, wParam, lParam);
    case WM_CLOSE:
        if (app->kernel) {
            if (KernIsRunningDepProcess(app->kernel)) app->kernel->depProcessRunning = 0;
            KernKillInternetJobs(app->kernel);
        }
        return 0;
    case WM_WINDOWPOSCHANGED:
        if (app->kernel) {
            RECT client;
            GetClientRect(window, &client);
            KernSetAppExtent(app->kernel, 0, 0, client.right, client.bottom);
        }
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterPlayerClasses(HINSTANCE instance)
{
    struct ClassRow {
        const char* name;
        UINT style;
        WNDPROC procedure;
        bool icon;
        bool blackBrush;
    };
    const ClassRow rows[] = {{"HYPW", CS_HREDRAW | CS_VREDRAW, FrameWindowProc, true, true},
                             {"ViewWindow", CS_HREDRAW | CS_VREDRAW, ViewWindowProc, false, true},
                             {"AppViewWindow", CS_HREDRAW | CS_VREDRAW, AppViewWindowProc, true, true},
                             {"FondWindow", CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, FondWindowProc, false, false}};
    for (const ClassRow& row : rows) {
        WNDCLASSA wc{};
        wc.style = row.style;
        wc.lpfnWndProc = row.procedure;
        wc.cbWndExtra = QX_PLAYER_WINDOW_EXTRA;
        wc.hInstance = instance;
        wc.hIcon = row.icon ? LoadIconA(instance, "AHYPW") : nullptr;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = row.blackBrush ? static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)) : nullptr;
        wc.lpszClassName = row.name;
        if (!RegisterClassA(&wc)) return false;
    }
    return true;
}
