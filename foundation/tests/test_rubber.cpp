// RUBBER driven the way the kernel drives it: a real window whose mouse messages create the
// band at the press, move it on every move and read and destroy it at the release. The
// messages are sent synthetically; the band's inverted outline is read back from the window.
#include "qxrubber.h"

#include <windowsx.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

struct Point {
    int x, y;
    int keys = 0;
};

struct Rect {
    int left, top, right, bottom;
    bool operator==(const Rect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

std::ostream& operator<<(std::ostream& out, const Rect& r)
{
    return out << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
}

// What the window procedure does with the band; filled by each test before it sends messages.
struct Session {
    int mode = RUBBER::FromPoint;
    Rect rect{};
    int gridX = 0, gridY = 0, stepX = 0, stepY = 0;
    bool simple = false;  // track with move(x, y)
    RUBBER* band = nullptr;
    Rect result{};
};

Session* current = nullptr;

LRESULT CALLBACK BandWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Session* s = current;
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_LBUTTONDOWN:
        if (s->mode == RUBBER::FromPoint)
            s->band = new RUBBER(window, x, y);
        else
            s->band = new RUBBER(window, x, y, s->rect.left, s->rect.top, s->rect.right, s->rect.bottom, s->mode);
        return 0;
    case WM_MOUSEMOVE:
        if (s->band) {
            if (s->simple)
                s->band->move(x, y);
            else
                s->band->move(x, y, static_cast<int>(wParam), s->gridX, s->gridY, s->stepX, s->stepY);
        }
        return 0;
    case WM_LBUTTONUP:
        if (s->band) {
            s->band->GetCoords(s->result.left, s->result.top, s->result.right, s->result.bottom);
            delete s->band;
            s->band = nullptr;
        }
        return 0;
    case WM_PAINT:
        ValidateRect(window, nullptr);  // the band must not be painted over
        return 0;
    case WM_ERASEBKGND:
        return 1;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

class RubberWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = BandWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "RubberTestWindow";
        RegisterClassA(&wc);
        window = CreateWindowExA(0, "RubberTestWindow", "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 400, nullptr, nullptr,
                                 wc.hInstance, nullptr);
        ASSERT_NE(nullptr, window);
        current = &session;
        HDC dc = GetDC(window);
        RECT all{0, 0, 400, 400};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        ReleaseDC(window, dc);
        ValidateRect(window, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(window);
        current = nullptr;
    }

    // Press at `press`, move through `moves`, release at the last point; the band's result.
    Rect Drag(Point press, const std::vector<Point>& moves)
    {
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
        Point last = press;
        for (const Point& p : moves) {
            SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON | p.keys, MAKELPARAM(p.x, p.y));
            last = p;
        }
        SendMessageA(window, WM_LBUTTONUP, last.keys, MAKELPARAM(last.x, last.y));
        return session.result;
    }

    COLORREF PixelAt(int x, int y)
    {
        HDC dc = GetDC(window);
        COLORREF pixel = GetPixel(dc, x, y);
        ReleaseDC(window, dc);
        return pixel & 0xFFFFFF;
    }

    HWND window = nullptr;
    Session session;
};

}  // namespace

TEST_F(RubberWindow, SnapsDraggedEdgesToTheGrid)
{
    struct Case {
        int mode;
        Rect rect;
        Point press;
        int step;
        Point to;
        Rect expected;
    };
    const Case cases[] = {
        // Right edge, origin 0, step 10.
        {RUBBER::Right, {0, 0, 50, 50}, {50, 25}, 10, {14, 25}, {0, 0, 10, 50}},
        {RUBBER::Right, {0, 0, 50, 50}, {50, 25}, 10, {15, 25}, {0, 0, 20, 50}},
        {RUBBER::Right, {0, 0, 50, 50}, {50, 25}, 10, {-3, 25}, {0, 0, 10, 50}},  // positive snapping
        {RUBBER::Right, {0, 0, 50, 50}, {50, 25}, 0, {37, 25}, {0, 0, 37, 50}},   // step 0: no snapping
        // Grab offsets are kept: grabbed 3 pixels inside the edge.
        {RUBBER::Right, {0, 0, 50, 50}, {47, 25}, 10, {61, 25}, {0, 0, 60, 50}},
        {RUBBER::Left, {20, 0, 80, 50}, {20, 25}, 10, {34, 25}, {30, 0, 80, 50}},
        {RUBBER::Top, {0, 20, 50, 80}, {25, 20}, 10, {25, 46}, {0, 50, 50, 80}},
        {RUBBER::Bottom, {0, 20, 50, 80}, {25, 80}, 10, {25, 104}, {0, 20, 50, 100}},
        {RUBBER::TopLeft, {10, 10, 60, 40}, {10, 10}, 10, {24, 26}, {20, 30, 60, 40}},
        {RUBBER::BottomRight, {10, 10, 60, 40}, {60, 40}, 10, {74, 85}, {10, 10, 70, 90}},
        {RUBBER::Whole, {10, 10, 60, 40}, {20, 20}, 10, {47, 34}, {40, 20, 90, 50}},
        {RUBBER::FromPoint, {}, {30, 30}, 10, {80, 55}, {30, 30, 80, 60}},
    };
    for (const Case& c : cases) {
        session.mode = c.mode;
        session.rect = c.rect;
        session.stepX = session.stepY = c.step;
        EXPECT_EQ(c.expected, Drag(c.press, {{c.to.x, c.to.y, 0}})) << "mode " << c.mode << " to " << c.to.x << ","
                                                                     << c.to.y;
    }
}

TEST_F(RubberWindow, ShiftKeepsTheProportionsOfACornerDrag)
{
    struct Case {
        int mode;
        Rect rect;
        Point press;
        Point to;
        Rect expected;
    };
    const Case cases[] = {
        {RUBBER::BottomRight, {0, 0, 100, 50}, {100, 50}, {200, 60}, {0, 0, 200, 100}},   // x follows
        {RUBBER::BottomRight, {0, 0, 100, 50}, {100, 50}, {120, 100}, {0, 0, 200, 100}},  // y follows
        {RUBBER::TopRight, {0, 0, 100, 50}, {100, 0}, {200, -40}, {0, -50, 200, 50}},
        {RUBBER::BottomLeft, {0, 0, 100, 50}, {0, 50}, {-100, 80}, {-100, 0, 100, 100}},
        {RUBBER::TopLeft, {100, 100, 200, 150}, {100, 100}, {0, 90}, {0, 50, 200, 150}},
    };
    for (const Case& c : cases) {
        session.mode = c.mode;
        session.rect = c.rect;
        EXPECT_EQ(c.expected, Drag(c.press, {{c.to.x, c.to.y, MK_SHIFT}})) << "mode " << c.mode;
    }
}

TEST_F(RubberWindow, ShiftOnAFlatReferenceFallsBackToTheFreeCornerDrag)
{
    // The band is flat when Shift goes down: its proportions give no line to follow, so the
    // corner moves as it would without Shift.
    struct Case {
        int mode;
        Rect rect;
        Point press;
        Point to;
        Rect expected;
    };
    const Case cases[] = {
        {RUBBER::BottomRight, {0, 20, 100, 20}, {100, 20}, {150, 60}, {0, 20, 150, 60}},
        {RUBBER::TopRight, {0, 20, 100, 20}, {100, 20}, {150, -10}, {0, -10, 150, 20}},
        {RUBBER::BottomLeft, {0, 20, 100, 20}, {0, 20}, {-50, 70}, {-50, 20, 100, 70}},
        {RUBBER::TopLeft, {0, 20, 100, 20}, {0, 20}, {-30, -30}, {-30, -30, 100, 20}},
    };
    for (const Case& c : cases) {
        session.mode = c.mode;
        session.rect = c.rect;
        EXPECT_EQ(c.expected, Drag(c.press, {{c.to.x, c.to.y, MK_SHIFT}})) << "mode " << c.mode;
    }
    // A new rectangle with Shift held from its first move: the collapsed reference has no
    // width, so the slope is 1 and the band stays square.
    session.mode = RUBBER::FromPoint;
    EXPECT_EQ((Rect{10, 10, 50, 50}), Drag({10, 10}, {{50, 30, MK_SHIFT}}));
}

TEST_F(RubberWindow, ShiftLocksAMoveToOneAxis)
{
    session.mode = RUBBER::Whole;
    session.rect = {10, 10, 60, 40};
    const int threshold = GetSystemMetrics(SM_CXSCREEN) / 128;
    // Mostly horizontal: locked horizontal, the reference top and bottom kept.
    EXPECT_EQ((Rect{50, 10, 100, 40}), Drag({20, 20}, {{60, 23, MK_SHIFT}}));
    // Once locked it stays horizontal while away enough from the start, even on a vertical motion.
    const int away = 20 + threshold + 30;
    EXPECT_EQ((Rect{away - 10, 10, away + 40, 40}),
              Drag({20, 20}, {{away, 21, MK_SHIFT}, {away, 120, MK_SHIFT}}));
    // Back near the start horizontally, a vertical motion relocks vertical.
    EXPECT_EQ((Rect{10, 110, 60, 140}), Drag({20, 20}, {{away, 21, MK_SHIFT}, {20, 21, MK_SHIFT}, {21, 120, MK_SHIFT}}));
    // Without Shift the move is free.
    EXPECT_EQ((Rect{35, 65, 85, 95}), Drag({20, 20}, {{45, 75, 0}}));
}

TEST_F(RubberWindow, EdgesStayWhileShiftIsHeld)
{
    session.mode = RUBBER::Right;
    session.rect = {0, 0, 50, 50};
    EXPECT_EQ((Rect{0, 0, 50, 50}), Drag({50, 25}, {{90, 25, MK_SHIFT}}));
    EXPECT_EQ((Rect{0, 0, 70, 50}), Drag({50, 25}, {{90, 25, MK_SHIFT}, {70, 25, 0}}));
}

TEST_F(RubberWindow, CornerDraggedOntoItsFixedCornerKeepsOnePixel)
{
    struct Case {
        int mode;
        Point press;
        Point to;
        Rect expected;
    };
    const Case cases[] = {
        {RUBBER::BottomRight, {60, 40}, {10, 10}, {10, 10, 11, 11}},
        {RUBBER::TopLeft, {10, 10}, {60, 40}, {59, 39, 60, 40}},
        {RUBBER::TopRight, {60, 10}, {10, 40}, {10, 39, 11, 40}},
        {RUBBER::BottomLeft, {10, 40}, {60, 10}, {59, 10, 60, 11}},
    };
    for (const Case& c : cases) {
        session.mode = c.mode;
        session.rect = {10, 10, 60, 40};
        EXPECT_EQ(c.expected, Drag(c.press, {{c.to.x, c.to.y, 0}})) << "mode " << c.mode;
    }
}

TEST_F(RubberWindow, ResultIsNormalised)
{
    session.mode = RUBBER::TopLeft;
    session.rect = {10, 10, 60, 40};
    EXPECT_EQ((Rect{60, 40, 100, 90}), Drag({10, 10}, {{100, 90, 0}}));
    session.mode = RUBBER::FromPoint;
    EXPECT_EQ((Rect{5, 7, 30, 30}), Drag({30, 30}, {{5, 7, 0}}));
}

TEST_F(RubberWindow, SimpleTrackingFollowsThePointer)
{
    session.simple = true;
    struct Case {
        int mode;
        Point press;
        Point to;
        Rect expected;
    };
    const Case cases[] = {
        {RUBBER::TopLeft, {12, 12}, {3, 4}, {3, 4, 60, 40}},  // the corner itself follows the point
        {RUBBER::BottomRight, {58, 38}, {77, 88}, {10, 10, 77, 88}},
        {RUBBER::TopRight, {58, 12}, {80, 0}, {10, -2, 82, 40}},
        {RUBBER::BottomLeft, {12, 38}, {0, 50}, {-2, 10, 60, 52}},
        {RUBBER::Left, {12, 20}, {3, 99}, {1, 10, 60, 40}},
        {RUBBER::Bottom, {30, 38}, {99, 43}, {10, 10, 60, 45}},
        {RUBBER::Whole, {20, 20}, {27, 23}, {17, 13, 67, 43}},  // no grid, no snapping
    };
    for (const Case& c : cases) {
        session.mode = c.mode;
        session.rect = {10, 10, 60, 40};
        session.stepX = session.stepY = 10;  // ignored by the simple form
        EXPECT_EQ(c.expected, Drag(c.press, {{c.to.x, c.to.y, 0}})) << "mode " << c.mode;
    }
}

TEST_F(RubberWindow, OutlineIsInvertedAndErasedOnDestruction)
{
    const COLORREF white = 0xFFFFFF, black = 0;
    {
        RUBBER band(window, 100, 100, 20, 30, 120, 90, RUBBER::Whole);
        EXPECT_EQ(white, PixelAt(20, 30));
        EXPECT_EQ(white, PixelAt(70, 30));
        EXPECT_EQ(white, PixelAt(120, 60));
        EXPECT_EQ(white, PixelAt(50, 90));
        EXPECT_EQ(black, PixelAt(70, 60));  // inside stays untouched
        band.move(110, 100);               // erased at the old place, drawn at the new one
        EXPECT_EQ(black, PixelAt(20, 60));
        EXPECT_EQ(white, PixelAt(30, 60));
    }
    EXPECT_EQ(black, PixelAt(30, 60));  // destruction erased the shown band
    EXPECT_EQ(black, PixelAt(130, 60));
    {
        RUBBER band(window, 100, 100, 20, 30, 120, 90, RUBBER::Whole);
        band.Draw();  // shown twice: erased, and destruction leaves the window alone
        EXPECT_EQ(black, PixelAt(20, 30));
    }
    EXPECT_EQ(black, PixelAt(20, 30));
    // Drawn twice by hand with a third draw left shown: destruction must erase exactly once.
    {
        RUBBER band(window, 100, 100, 20, 30, 120, 90, RUBBER::Whole);
        band.Draw();
        band.Draw();
        EXPECT_EQ(white, PixelAt(20, 30));
    }
    EXPECT_EQ(black, PixelAt(20, 30));
}
