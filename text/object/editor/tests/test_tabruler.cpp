// The tab ruler: its class, its grid and stops drawn into pixels, and the stops taken from and
// given to the paragraphs of a real control.
#include <gtest/gtest.h>

#include <vector>

#include "editor_fixture.h"
#include "tabruler.h"
#include "test_canvas.h"

namespace {

constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);

// A ruler of 200 x 6 client pixels on a window of its own, and what it paints.
class RulerPixels : public testing::Test {
protected:
    void SetUp() override
    {
        // 221 wide: the ruler leaves 9 + 10 pixels and its border takes one on each side.
        host_ = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 221, 60, nullptr, nullptr, nullptr, nullptr);
        ruler_ = new TABRULER(GetModuleHandleA(nullptr), 25);
        ASSERT_EQ(1, CreateRulerWindows(ruler_, host_, 0, 0));
        ShowWindow(host_, SW_SHOWNOACTIVATE);
        ShowRulers(ruler_, SW_SHOWNOACTIVATE);
        RECT client;
        GetClientRect(ruler_->windows[0], &client);
        ASSERT_EQ(200, client.right);
        ASSERT_EQ(6, client.bottom);
    }
    void TearDown() override
    {
        delete ruler_;
        DestroyWindow(host_);
    }

    void Paint(TestCanvas& canvas)
    {
        HWND window = ruler_->windows[0];
        InvalidateRect(window, nullptr, TRUE);
        UpdateWindow(window);
        HDC dc = GetDC(window);
        BitBlt(canvas.Dc(), 0, 0, canvas.Width(), canvas.Height(), dc, 0, 0, SRCCOPY);
        ReleaseDC(window, dc);
    }

    void SetTabs(const std::vector<RteTab>& tabs)
    {
        ruler_->count = static_cast<int32_t>(tabs.size());
        for (size_t i = 0; i < tabs.size(); ++i)
            ruler_->tabs[i] = tabs[i];
    }

    HWND host_ = nullptr;
    TABRULER* ruler_ = nullptr;
};

TEST_F(RulerPixels, TicksStandEveryTabSpacingAndEveryFourthIsLong)
{
    TestCanvas canvas(200, 6, RGB(1, 2, 3));
    Paint(canvas);
    // The middle is 3: short ticks cover rows 3 and 4, long ones rows 1 to 4.
    for (int x = 0; x < 200; ++x) {
        const bool tick = x > 0 && x % 25 == 0;
        const bool isLong = x == 100;
        EXPECT_EQ(tick ? Black : White, canvas.Pixel(x, 3)) << x;
        EXPECT_EQ(tick ? Black : White, canvas.Pixel(x, 4)) << x;
        EXPECT_EQ(isLong ? Black : White, canvas.Pixel(x, 1)) << x;
        EXPECT_EQ(isLong ? Black : White, canvas.Pixel(x, 2)) << x;
        EXPECT_EQ(White, canvas.Pixel(x, 0)) << x;
        EXPECT_EQ(White, canvas.Pixel(x, 5)) << x;
    }
}

struct StopCase {
    const char* name;
    std::vector<RteTab> tabs;
    std::vector<bool> drawn;
};

class RulerStops : public RulerPixels, public testing::WithParamInterface<StopCase> {};

// A left mark is a column and a foot of 7 pixels, a right one its mirror, a centred one a foot
// with its column in the middle: each is known by its foot on row 5 and its column on row 1.
TEST_P(RulerStops, StopsAreDrawnInOrderUntilOneLiesOutside)
{
    SetTabs(GetParam().tabs);
    TestCanvas canvas(200, 6, RGB(1, 2, 3));
    Paint(canvas);
    for (size_t i = 0; i < GetParam().tabs.size(); ++i) {
        const RteTab& tab = GetParam().tabs[i];
        if (tab.position >= 200)
            continue;
        const int column = tab.position + (tab.kind == RTE_TAB_LEFT ? 0 : tab.kind == RTE_TAB_RIGHT ? 6 : 3);
        const COLORREF expected = GetParam().drawn[i] ? Black : White;
        EXPECT_EQ(expected, canvas.Pixel(tab.position, 5)) << "stop " << i;
        EXPECT_EQ(expected, canvas.Pixel(tab.position + 6, 5)) << "stop " << i;
        EXPECT_EQ(expected, canvas.Pixel(column, 1)) << "stop " << i;
        EXPECT_EQ(White, canvas.Pixel(tab.position + 1, 1)) << "stop " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RulerStops,
    testing::Values(StopCase{"AllInside", {{RTE_TAB_LEFT, 0, 30, 0}, {RTE_TAB_CENTRED, 0, 60, 0}}, {true, true}},
                    StopCase{"PastTheWidthEndsTheDrawing",
                             {{RTE_TAB_LEFT, 0, 30, 0}, {RTE_TAB_RIGHT, 0, 250, 0}, {RTE_TAB_CENTRED, 0, 60, 0}},
                             {true, false, false}},
                    StopCase{"AtTheWidthEndsTheDrawing",
                             {{RTE_TAB_RIGHT, 0, 130, 0}, {RTE_TAB_LEFT, 0, 200, 0}, {RTE_TAB_DECIMAL, 0, 160, 0}},
                             {true, false, false}}),
    [](const testing::TestParamInfo<StopCase>& info) { return info.param.name; });

TEST(RulerClass, LivesWhileARulerDoesAndHoldsItsRulerInWindowLongZero)
{
    HWND host = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 300, 100, nullptr, nullptr, nullptr, nullptr);
    HINSTANCE module = GetModuleHandleA(nullptr);
    auto* first = new TABRULER(module, 25);
    auto* second = new TABRULER(module, 25);
    WNDCLASSA wc;
    ASSERT_TRUE(GetClassInfoA(module, QX_TABRULER_CLASS, &wc));
    EXPECT_EQ(0x8Bu, wc.style);
    EXPECT_EQ(40, wc.cbWndExtra);
    EXPECT_EQ(nullptr, wc.hbrBackground);

    ASSERT_EQ(1, CreateRulerWindows(first, host, 5, 7));
    EXPECT_EQ(first, reinterpret_cast<TABRULER*>(GetWindowLongPtrA(first->windows[1], 0)));
    EXPECT_FALSE(IsWindowVisible(first->windows[0]));
    RECT top, bottom;
    GetWindowRect(first->windows[0], &top);
    GetWindowRect(first->windows[1], &bottom);
    EXPECT_EQ(14, top.left);
    EXPECT_EQ(1, top.top);
    EXPECT_EQ(300 - 5 - 7 - 19, top.right - top.left);
    EXPECT_EQ(QX_RULER_HEIGHT, top.bottom - top.top);
    EXPECT_EQ(100 - QX_RULER_HEIGHT, bottom.top);

    delete first;
    EXPECT_TRUE(GetClassInfoA(module, QX_TABRULER_CLASS, &wc)) << "another ruler still lives";
    delete second;
    EXPECT_FALSE(GetClassInfoA(module, QX_TABRULER_CLASS, &wc));
    DestroyWindow(host);
}

using RulerTabs = EditorTest;

TEST_F(RulerTabs, StopsGoToTheSelectedParagraphsAndComeBack)
{
    SendMessageA(control_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("un\rdeux"));
    Select(0, 0);
    TABRULER ruler(GetModuleHandleA(nullptr), 25);
    ruler.tabs[0].position = 99;
    ReadRulerTabs(&ruler, Document());
    EXPECT_EQ(0, ruler.count);
    EXPECT_EQ(99, ruler.tabs[0].position) << "without stops the tables stay as they were";

    ruler.count = 2;
    ruler.tabs[0] = {RTE_TAB_LEFT, 0, 40, 0};
    ruler.tabs[1] = {RTE_TAB_RIGHT, 0, 80, 0};
    ruler.common[0] = ruler.common[1] = -1;
    WriteRulerTabs(&ruler, Document());

    TABRULER read(GetModuleHandleA(nullptr), 25);
    ReadRulerTabs(&read, Document());
    ASSERT_EQ(2, read.count);
    EXPECT_EQ(RTE_TAB_LEFT, read.tabs[0].kind);
    EXPECT_EQ(40, read.tabs[0].position);
    EXPECT_EQ(RTE_TAB_RIGHT, read.tabs[1].kind);
    EXPECT_EQ(80, read.tabs[1].position);
    EXPECT_NE(0, read.common[0]);

    Select(4, 4);  // the second paragraph has none
    ReadRulerTabs(&read, Document());
    EXPECT_EQ(0, read.count);
}

}  // namespace
