// The frame layout on real windows: the application view's style, place and size for each
// frame kind, its scroll bars when the publication is larger than the screen, full screen and
// the z-order; the background window placed behind it; the player mode that lays it out.
#include "player.h"

#include "test_window.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char TestClass[] = "QxLayoutTestWindow";

int paints = 0;  // WM_PAINT messages of the background window

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        ++paints;
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int Metric(int index) { return GetSystemMetrics(index); }

RECT WindowRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT ClientRect(HWND window)
{
    RECT rect{};
    GetClientRect(window, &rect);
    return rect;
}

LONG_PTR Style(HWND window) { return GetWindowLongPtrA(window, GWL_STYLE); }

// The player's windows as the player makes them (main.cpp), on a class of the test.
class Layout : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.frame = Make(WS_OVERLAPPEDWINDOW, nullptr);
        app.background = Make(WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, app.frame);
        app.appView = Make(WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, nullptr);
        app.view = Make(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, app.appView);
        app.kernel = KernConstructeur(app.frame, nullptr, "", "", "");
        ASSERT_TRUE(app.kernel);
        SetPubDefaults(app.settings);
        sw = Metric(SM_CXSCREEN);
        sh = Metric(SM_CYSCREEN);
        ASSERT_GT(sw, 400);
        ASSERT_GT(sh, 300);
    }

    void TearDown() override
    {
        if (app.kernel) KernDestructeur(app.kernel);
        DestroyWindow(app.appView);
        DestroyWindow(app.frame);
    }

    HWND Make(DWORD style, HWND parent) { return CreateTestWindow(TestClass, CountingProc, style, parent); }

    void Lay(bool caption, int frame, bool centre, int x, int y, int w, int h, bool fullScreen = false,
             bool topMost = false)
    {
        LayoutFrame(app, "Titre", caption, frame, topMost, centre, fullScreen, x, y, w, h);
    }

    PLAYERAPP app;
    int sw = 0, sh = 0;
};

}  // namespace

TEST_F(Layout, EachFrameKindGetsItsStyleAndItsOuterRectangle)
{
    const int w = 400, h = 300;
    const int cx = (sw - w) / 2, cy = (sh - h) / 2;  // the centred place
    const int bx = Metric(SM_CXBORDER), by = Metric(SM_CYBORDER);
    const int fx = Metric(SM_CXFRAME), fy = Metric(SM_CYFRAME);
    const int caption = Metric(SM_CYCAPTION);
    struct Case {
        const char* name;
        bool caption;
        int frame;
        bool centre;
        RECT outer;  // left, top, right, bottom
        LONG_PTR set, clear;
        bool viewSized;  // the view window is placed at w x h
    } cases[] = {
        {"no frame", false, 0, true, {cx, cy, cx + w, cy + h}, 0, WS_BORDER | WS_CAPTION | WS_THICKFRAME, true},
        {"no frame, where the settings say", false, 0, false, {30, 40, 30 + w, 40 + h}, 0, WS_BORDER, true},
        {"border", false, 1, true, {cx - bx, cy - by, cx + w + bx, cy + h + by}, WS_BORDER,
         WS_DLGFRAME | WS_THICKFRAME, true},
        // A caption: the client area keeps its place, the caption goes above it.
        {"caption", true, 1, true,
         {cx - bx, cy - caption, cx + w + bx, cy - caption + h + caption - by + 2 * by},
         WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, WS_THICKFRAME | WS_MAXIMIZEBOX, true},
        {"caption without frame", true, 0, true,
         {cx - bx, cy - caption, cx + w + bx, cy - caption + h + caption - by + 2 * by},
         WS_CAPTION | WS_BORDER, WS_THICKFRAME, true},
        {"resizable", false, 2, true, {cx - fx, cy - fy, cx - fx + w + 2 * fx, cy - fy + h + 2 * fy},
         WS_THICKFRAME | WS_MAXIMIZEBOX, WS_DLGFRAME | WS_HSCROLL | WS_VSCROLL, false},
        // Another frame kind gets neither borders nor scroll bars.
        {"unknown kind", false, 7, true, {cx, cy, cx + w, cy + h}, 0,
         WS_BORDER | WS_THICKFRAME | WS_HSCROLL | WS_VSCROLL, false},
    };
    for (const auto& c : cases) {
        SetWindowPos(app.view, nullptr, 0, 0, 10, 10, SWP_NOZORDER);
        Lay(c.caption, c.frame, c.centre, 30, 40, w, h);
        const RECT outer = WindowRect(app.appView);
        EXPECT_EQ(c.outer.left, outer.left) << c.name;
        EXPECT_EQ(c.outer.top, outer.top) << c.name;
        EXPECT_EQ(c.outer.right, outer.right) << c.name;
        EXPECT_EQ(c.outer.bottom, outer.bottom) << c.name;
        const LONG_PTR style = Style(app.appView);
        EXPECT_EQ(c.set, style & c.set) << c.name << std::hex << " style " << style;
        EXPECT_EQ(0, style & c.clear) << c.name << std::hex << " style " << style;
        EXPECT_TRUE(style & WS_POPUP) << c.name;
        EXPECT_FALSE(IsWindowVisible(app.appView)) << c.name << ": shown once a page is on screen";
        // The view lies at the top left of the client area.
        const RECT view = WindowRect(app.view);
        POINT origin{0, 0};
        ClientToScreen(app.appView, &origin);
        EXPECT_EQ(origin.x, view.left) << c.name;
        EXPECT_EQ(origin.y, view.top) << c.name;
        EXPECT_EQ(c.viewSized ? w : 10, view.right - view.left) << c.name;
        EXPECT_EQ(c.viewSized ? h : 10, view.bottom - view.top) << c.name;
        EXPECT_EQ("Titre", std::string(app.kernel->appTitle)) << c.name;
        char text[50] = "";
        GetWindowTextA(app.appView, text, sizeof text);
        EXPECT_STREQ("Titre", text) << c.name;
    }
}

TEST_F(Layout, APublicationLargerThanTheScreenGetsScrollBarsOverTheHiddenPart)
{
    const int cxv = Metric(SM_CXVSCROLL), cyh = Metric(SM_CYHSCROLL);
    struct Case {
        const char* name;
        int w, h;
        bool horizontal, vertical;
        int outerW, outerH;
    } cases[] = {
        {"wider and taller", sw + 100, sh + 80, true, true, sw, sh},
        {"wider", sw + 100, sh / 2, true, false, sw, sh / 2 + cyh},
        {"taller", sw / 2, sh + 80, false, true, sw / 2 + cxv, sh},
        // The bar of the other direction takes what the screen had left.
        {"taller, and too wide once the bar is there", sw - cxv / 2, sh + 80, true, true, sw, sh},
        {"fits", sw / 2, sh / 2, false, false, sw / 2, sh / 2},
    };
    for (const auto& c : cases) {
        app.scrollMaxX = app.scrollMaxY = -1;
        Lay(false, 0, false, 0, 0, c.w, c.h);
        const RECT outer = WindowRect(app.appView);
        EXPECT_EQ(c.outerW, outer.right - outer.left) << c.name;
        EXPECT_EQ(c.outerH, outer.bottom - outer.top) << c.name;
        const LONG_PTR style = Style(app.appView);
        const RECT client = ClientRect(app.appView);
        const struct {
            int bar;
            bool wanted;
            LONG_PTR style;
            int hidden;  // the part of the publication outside the client area
            int maximum;
        } bars[] = {{SB_HORZ, c.horizontal, WS_HSCROLL, c.w - client.right, app.scrollMaxX},
                    {SB_VERT, c.vertical, WS_VSCROLL, c.h - client.bottom, app.scrollMaxY}};
        for (const auto& b : bars) {
            EXPECT_EQ(b.wanted, (style & b.style) != 0) << c.name << " bar " << b.bar;
            if (!b.wanted) continue;
            int low = -1, high = -1;
            GetScrollRange(app.appView, b.bar, &low, &high);
            EXPECT_EQ(0, low) << c.name << " bar " << b.bar;
            EXPECT_EQ(b.hidden, high) << c.name << " bar " << b.bar;
            EXPECT_EQ(high, b.maximum) << c.name << " bar " << b.bar;
            EXPECT_GT(high, 0) << c.name << " bar " << b.bar;
            EXPECT_EQ(0, GetScrollPos(app.appView, b.bar)) << c.name << " bar " << b.bar;
        }
        // The view keeps the publication's full size and scrolls inside the application view.
        const RECT view = WindowRect(app.view);
        EXPECT_EQ(c.w, view.right - view.left) << c.name;
        EXPECT_EQ(c.h, view.bottom - view.top) << c.name;
        EXPECT_EQ(0, app.scrollX) << c.name;
        EXPECT_EQ(0, app.scrollY) << c.name;
    }
}

TEST_F(Layout, ALargeCentredWindowIsCentredAgainOnItsOuterSize)
{
    // 6 pixels narrower than the screen: centred on w it would start at 3, 2 with its border;
    // the scroll bars and the border make it larger than the screen, so it starts at 0, 0.
    ASSERT_GT(Metric(SM_CXVSCROLL), 7);
    Lay(false, 1, true, 0, 0, sw - 6, sh + 80);
    const RECT outer = WindowRect(app.appView);
    EXPECT_EQ(0, outer.left);
    EXPECT_EQ(0, outer.top);
}

TEST_F(Layout, FullScreenCoversTheScreenWhateverTheSettingsSay)
{
    Lay(false, 1, false, 30, 40, 400, 300, true);
    const RECT outer = WindowRect(app.appView);
    EXPECT_EQ(0, outer.left);
    EXPECT_EQ(0, outer.top);
    EXPECT_EQ(sw, outer.right);
    EXPECT_EQ(sh, outer.bottom);
    const RECT view = WindowRect(app.view);
    EXPECT_EQ(sw, view.right - view.left);
    EXPECT_EQ(sh, view.bottom - view.top);
}

TEST_F(Layout, TopMostPutsTheViewAndTheBackgroundAboveOtherWindowsAndBack)
{
    for (bool topMost : {true, false}) {
        Lay(false, 1, true, 0, 0, 400, 300, false, topMost);
        EXPECT_EQ(topMost, (GetWindowLongPtrA(app.appView, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) << topMost;
        EXPECT_EQ(topMost, (GetWindowLongPtrA(app.background, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) << topMost;
        EXPECT_TRUE(IsWindowVisible(app.background)) << "the background keeps its visibility";
    }
}

TEST_F(Layout, TheBackgroundWindowCoversTheScreenOrLiesOutOfSight)
{
    struct Case {
        int type;
        RECT place;
    } cases[] = {{0, {-1, -1, 0, 0}}, {1, {0, 0, sw, sh}}, {3, {0, 0, sw, sh}}, {0, {-1, -1, 0, 0}}};
    for (const Case& c : cases) {
        app.settings.backgroundType = c.type;
        PlaceBackgroundWindow(app, false);
        const RECT place = WindowRect(app.background);
        EXPECT_EQ(c.place.left, place.left) << c.type;
        EXPECT_EQ(c.place.top, place.top) << c.type;
        EXPECT_EQ(c.place.right, place.right) << c.type;
        EXPECT_EQ(c.place.bottom, place.bottom) << c.type;
    }
}

TEST_F(Layout, TheBackgroundIsPaintedAgainOnlyWhenItMovesOrIsForced)
{
    app.settings.backgroundType = 1;
    PlaceBackgroundWindow(app, true);
    paints = 0;
    PlaceBackgroundWindow(app, false);  // in place already
    EXPECT_EQ(0, paints);
    PlaceBackgroundWindow(app, true);
    EXPECT_EQ(1, paints);
    // A painted background stays as it is: its bitmap is the screen's picture.
    app.settings.background = CreateBitmap(1, 1, 1, 1, nullptr);
    app.settings.backgroundType = 0;
    paints = 0;
    PlaceBackgroundWindow(app, true);
    EXPECT_EQ(0, paints);
    EXPECT_EQ(sw, WindowRect(app.background).right);
    DeleteObject(app.settings.background);
    app.settings.background = nullptr;
}

TEST_F(Layout, ThePlayerModeLaysOutPendingSettingsOnceAndTellsTheKernel)
{
    app.settings.w = 400;
    app.settings.h = 300;
    app.settings.frame = 0;
    app.settings.caption = false;
    app.settings.layoutPending = true;
    SetPlayerMode(app, 0);
    EXPECT_FALSE(app.settings.layoutPending);
    EXPECT_EQ(0, app.playerMode);
    EXPECT_EQ(0, KernGetMode(app.kernel));
    EXPECT_EQ(400, WindowRect(app.appView).right - WindowRect(app.appView).left);
    // Without pending settings the frame stays as it is.
    app.settings.w = 500;
    SetPlayerMode(app, 1);
    EXPECT_EQ(1, app.playerMode);
    EXPECT_EQ(1, KernGetMode(app.kernel));
    EXPECT_EQ(400, WindowRect(app.appView).right - WindowRect(app.appView).left);
}

TEST_F(Layout, PlayerModeMinusOneClosesTheProgramAndChangesNothingElse)
{
    app.playerMode = 0;
    app.settings.layoutPending = true;
    SetPlayerMode(app, -1);
    EXPECT_EQ(0, app.playerMode);
    EXPECT_TRUE(app.settings.layoutPending);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, app.frame, WM_CLOSE, WM_CLOSE, PM_REMOVE));
    EXPECT_EQ(app.frame, msg.hwnd);
}
