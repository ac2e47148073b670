// Pens, columns, margins, background colour and paragraph formats set through the control's
// messages, read back and seen in the pixels it draws.
#include <algorithm>
#include <cstring>
#include <optional>

#include "control_fixture.h"
#include "rte_device_units.h"
#include "rect_list.h"
#include "rte_control_internal.h"
#include "test_canvas.h"

namespace {

std::vector<RteRect> WrapRects(HWND control)
{
    RteHandle doc = reinterpret_cast<RteHandle>(SendMessageA(control, RTEM_GETDOC, 0, 0));
    RteRectIterator rects(RteWrapArea(doc));
    return std::vector<RteRect>(rects.Rects().begin(), rects.Rects().end());
}

TEST_F(ControlTest, ColumnsShareTheWrapWidth)
{
    HWND control = MakeControl(ES_MULTILINE, 300, 100);
    SendMessageA(control, RTEM_SETCOLUMNS, 0, MAKELPARAM(3, 10));
    EXPECT_EQ(SendMessageA(control, RTEM_GETCOLUMNS, 0, 0), MAKELONG(3, 10));
    std::vector<RteRect> rects = WrapRects(control);
    ASSERT_EQ(rects.size(), 3u);
    for (size_t i = 0; i < rects.size(); ++i) {
        EXPECT_EQ(rects[i].right - rects[i].left, 90) << i;
        EXPECT_EQ(rects[i].left, rects[0].left + 100 * static_cast<int>(i)) << i;
    }
    SendMessageA(control, RTEM_SETCOLUMNS, 0, 3);
    EXPECT_EQ(SendMessageA(control, RTEM_GETCOLUMNS, 0, 0), MAKELONG(3, 1)) << "gap 0 gives 1";
    SendMessageA(control, RTEM_SETCOLUMNS, 0, 1);
    EXPECT_EQ(WrapRects(control).size(), 1u);
}

TEST_F(ControlTest, MarginsAndPensNarrowTheText)
{
    HWND control = MakeControl(ES_MULTILINE, 300, 100);
    RECT margins{10, 5, 20, 8};
    SendMessageA(control, RTEM_SETMARGINS, 0, reinterpret_cast<LPARAM>(&margins));
    RECT back = {};
    SendMessageA(control, RTEM_GETMARGINS, 0, reinterpret_cast<LPARAM>(&back));
    EXPECT_EQ(std::memcmp(&back, &margins, sizeof back), 0);
    RteRect text = WrapRects(control)[0];
    EXPECT_EQ(text.left, 10);
    EXPECT_EQ(text.top, 5);
    EXPECT_EQ(text.right, 280);
    EXPECT_EQ(text.bottom, 92);
    SendMessageA(control, RTEM_SETFRAMEPEN, PS_SOLID, 0);
    HPEN frame = reinterpret_cast<HPEN>(SendMessageA(control, RTEM_GETFRAMEPEN, 0, 0));
    EXPECT_EQ(GetObjectType(frame), static_cast<DWORD>(OBJ_PEN));
    EXPECT_EQ(WrapRects(control)[0].left, 11) << "the frame pen's width comes off the view";
    HPEN thick = CreatePen(PS_SOLID, 3, RGB(0, 0, 255));
    SendMessageA(control, RTEM_SETFRAMEPEN, 0, reinterpret_cast<LPARAM>(thick));
    EXPECT_EQ(GetObjectType(frame), 0u) << "the replaced pen is deleted";
    EXPECT_EQ(WrapRects(control)[0].left, 13);
    SendMessageA(control, RTEM_SETFRAMEPEN, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(SendMessageA(control, RTEM_GETFRAMEPEN, 0, 0), 0);
    EXPECT_EQ(WrapRects(control)[0].left, 10);
}

TEST_F(ControlTest, ParagraphAndBackgroundMessages)
{
    HWND control = MakeControl();
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("un\rdeux"));
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(4, 4));
    struct Case {
        LPARAM set;
        LPARAM which;
        LRESULT read;
    } cases[] = {{MAKELPARAM(0, 30), 0, 30}, {MAKELPARAM(1, 12), 1, 12}, {MAKELPARAM(2, 0xFFF6), 2, -10}};
    for (const Case& c : cases) {
        SendMessageA(control, RTEM_SETINDENT, 0, c.set);
        EXPECT_EQ(SendMessageA(control, RTEM_GETINDENT, 0, c.which), c.read) << c.which;
    }
    SendMessageA(control, RTEM_SETALIGN, 1, 2);
    EXPECT_EQ(SendMessageA(control, RTEM_GETALIGN, 0, 0), 2);
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(0, 0));
    EXPECT_EQ(SendMessageA(control, RTEM_GETALIGN, 0, 0), 0) << "only the selection's paragraph";
    SendMessageA(control, RTEM_SETBKCOLOR, 0, RGB(250, 240, 200));
    EXPECT_EQ(static_cast<COLORREF>(SendMessageA(control, RTEM_GETBKCOLOR, 0, 0)), RGB(250, 240, 200));
    SendMessageA(control, RTEM_INSERTBREAK, 0, 0);
    EXPECT_EQ(SendMessageA(control, RTEM_GETLENGTH, 0, 0), 8);
    SendMessageA(control, RTEM_INSERTBREAK, 0, 5);
    EXPECT_EQ(SendMessageA(control, RTEM_GETLENGTH, 0, 0), 8) << "other values do nothing";
}

// The text background given as "no colour" draws the words as if none had been given; a real
// colour is painted behind them.
TEST_F(ControlTest, NoTextBackgroundDrawsTheWordsAsWithoutOne)
{
    const COLORREF yellow = RGB(255, 255, 0);
    auto drawn = [&](std::optional<COLORREF> textBack) {
        HWND control = MakeControl(ES_MULTILINE | WS_VISIBLE, 200, 60);
        ShowWindow(parent_, SW_SHOWNOACTIVATE);
        SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Mots sur le fond"));
        if (textBack) {
            SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(0, 16));
            SendMessageA(control, RTEM_SETBACKCOLOR, 1, *textBack);
            SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(16, 16));
        }
        TestCanvas canvas(200, 60);
        Snapshot(control, canvas);
        DestroyWindow(control);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 200; ++x)
                pixels.push_back(canvas.Pixel(x, y));
        return pixels;
    };
    const std::vector<COLORREF> plain = drawn(std::nullopt);
    EXPECT_EQ(drawn(RTE_NO_COLOUR), plain);
    const std::vector<COLORREF> painted = drawn(yellow);
    EXPECT_NE(std::find(painted.begin(), painted.end(), yellow), painted.end());
}

// A control shown with a frame, two framed columns and a rule: the frame's ink at the view's
// edge, the column frames between the columns, the grey rule under the text.
TEST_F(ControlTest, FrameColumnsAndRuleAreDrawn)
{
    HWND control = MakeControl(ES_MULTILINE | WS_VISIBLE, 300, 120);
    ShowWindow(parent_, SW_SHOWNOACTIVATE);
    RECT margins{6, 6, 6, 20};
    SendMessageA(control, RTEM_SETMARGINS, 0, reinterpret_cast<LPARAM>(&margins));
    SendMessageA(control, RTEM_SETFRAMEPEN, PS_SOLID, 0);
    SendMessageA(control, RTEM_SETCOLUMNPEN, PS_SOLID, 0);
    SendMessageA(control, RTEM_SETRULEPEN, PS_SOLID, 0);
    SendMessageA(control, RTEM_SETCOLUMNS, 1, MAKELPARAM(2, 20));
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Un paragraphe en deux colonnes."));
    TestCanvas canvas(300, 120);
    Snapshot(control, canvas);
    EXPECT_EQ(canvas.Pixel(150, 0), RGB(0, 0, 0)) << "the frame's top";
    EXPECT_EQ(canvas.Pixel(0, 60), RGB(0, 0, 0)) << "the frame's left";
    std::vector<RteRect> columns = WrapRects(control);
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_EQ(canvas.Pixel(columns[0].right + 1, 50), RGB(0, 0, 0)) << "the first column's right side";
    EXPECT_EQ(canvas.Pixel(columns[1].left - 1, 50), RGB(0, 0, 0)) << "the second column's left side";
    EXPECT_EQ(canvas.Pixel((columns[0].right + columns[1].left) / 2, 50), RGB(255, 255, 255)) << "the gap";
    int ruleY = columns[0].bottom + 20;
    EXPECT_EQ(canvas.Pixel(150, ruleY), RGB(128, 128, 128)) << "the rule";
}

}  // namespace

namespace {

TEST_F(ControlTest, ContainersTheTextFlowsThrough)
{
    HWND control = MakeControl(ES_MULTILINE, 300, 200);
    std::string text;
    for (int i = 0; i < 12; ++i)
        text += "ligne " + std::to_string(i) + "\r";
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    EXPECT_EQ(SendMessageA(control, RTEM_CONTAINERCOUNT, 0, 0), 0) << "the computed wrap area";
    RteContainerRecord first{0, RteRect{0, 0, 60, 140}, 0, 0, 0};
    SendMessageA(control, RTEM_SETCONTAINERS, 0, reinterpret_cast<LPARAM>(&first));
    RteContainerRecord second{0, RteRect{0, 150, 200, 290}, 0, 0, 0};
    SendMessageA(control, RTEM_ADDCONTAINER, 0, reinterpret_cast<LPARAM>(&second));
    EXPECT_EQ(SendMessageA(control, RTEM_CONTAINERCOUNT, 0, 0), 2);
    RteContainerRecord read = {};
    SendMessageA(control, RTEM_GETCONTAINER, 2, reinterpret_cast<LPARAM>(&read));
    EXPECT_EQ(read.rect.left, 150) << "the second container";
    RteCaretRecord last{static_cast<int32_t>(text.size()) - 3, {}, 0, 0};
    SendMessageA(control, RTEM_CARETRECT, 0, reinterpret_cast<LPARAM>(&last));
    EXPECT_GE(last.rect.left, 150) << "the last lines flow into the second container";
    EXPECT_EQ(SendMessageA(control, RTEM_CONTAINERATPOINT, 0, MAKELPARAM(200, 100)), 2);
    SendMessageA(control, RTEM_DELCONTAINER, 1, 0);
    EXPECT_EQ(SendMessageA(control, RTEM_CONTAINERCOUNT, 0, 0), 1);
    SendMessageA(control, RTEM_DELCONTAINER, 1, 0);
    EXPECT_EQ(SendMessageA(control, RTEM_CONTAINERCOUNT, 0, 0), 1) << "one container stays";
    SendMessageA(control, RTEM_RESETCONTAINERS, 0, 0);
    EXPECT_EQ(SendMessageA(control, RTEM_CONTAINERCOUNT, 0, 0), 0);
    RECT view = {};
    SendMessageA(control, RTEM_GETVIEWAREA, 0, reinterpret_cast<LPARAM>(&view));
    EXPECT_EQ(view.right, 300);
    RECT smaller{0, 0, 200, 100};
    SendMessageA(control, RTEM_SETRECT, 0, reinterpret_cast<LPARAM>(&smaller));
    SendMessageA(control, RTEM_GETVIEWAREA, 0, reinterpret_cast<LPARAM>(&view));
    EXPECT_EQ(view.right, 200) << "the view follows with the wrap-follows-view flag";
}

}  // namespace
