// The highlight region of a range and the lines of the second kind, read through the text
// messages and checked against the caret rects and the display lines.
#include "control_fixture.h"
#include "rte_runs.h"

namespace {

RECT RegionBox(HRGN region)
{
    RECT box = {};
    GetRgnBox(region, &box);
    DeleteObject(region);
    return box;
}

TEST_F(ControlTest, HighlightRegionOfARangeInTheWindow)
{
    HWND control = ScrollingControl(20);
    int32_t line5 = static_cast<int32_t>(SendMessageA(control, EM_LINEINDEX, 5, 0));
    RteRange range{line5 + 2, line5 + 5};
    RteRect from = CaretRect(control, range.start);
    RteRect to = CaretRect(control, range.end);
    HRGN region = reinterpret_cast<HRGN>(SendMessageA(control, RTEM_GETHILITERGN, 0, reinterpret_cast<LPARAM>(&range)));
    ASSERT_NE(region, nullptr);
    RECT box = RegionBox(region);
    EXPECT_EQ(box.left, from.left);
    EXPECT_EQ(box.right, to.left);
    EXPECT_EQ(box.top, from.top);
    EXPECT_EQ(box.bottom, from.bottom);

    // Scrolled, the region follows the text in the window.
    SendMessageA(control, EM_LINESCROLL, 0, MAKELPARAM(0, 3));
    RteRect scrolled = CaretRect(control, range.start);
    ASSERT_LT(scrolled.top, from.top);
    region = reinterpret_cast<HRGN>(SendMessageA(control, RTEM_GETHILITERGN, 0, reinterpret_cast<LPARAM>(&range)));
    ASSERT_NE(region, nullptr);
    EXPECT_EQ(RegionBox(region).top, scrolled.top);

    RteRange empty{line5 + 2, line5 + 2};
    EXPECT_EQ(SendMessageA(control, RTEM_GETHILITERGN, 0, reinterpret_cast<LPARAM>(&empty)), 0) << "a caret shows no range";
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(line5, line5 + 3));
    region = reinterpret_cast<HRGN>(SendMessageA(control, RTEM_GETHILITERGN, 0, 0));
    ASSERT_NE(region, nullptr) << "no range: the selection's";
    EXPECT_EQ(RegionBox(region).left, CaretRect(control, line5).left);
}

TEST_F(ControlTest, SecondLinesAreTheDisplayLines)
{
    HWND control = MakeControl(ES_MULTILINE, 80, 200);
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("un deux trois quatre\rcinq\rsix sept huit"));
    auto lines = static_cast<int32_t>(SendMessageA(control, EM_GETLINECOUNT, 0, 0));
    ASSERT_GT(lines, 3) << "the narrow control wraps the paragraphs";
    EXPECT_EQ(SendMessageA(control, RTEM_SECONDCOUNT, 0, 0), lines);
    for (int32_t line = 0; line < lines; ++line) {
        auto start = static_cast<int32_t>(SendMessageA(control, EM_LINEINDEX, line, 0));
        EXPECT_EQ(SendMessageA(control, RTEM_SECONDRANGE, 0, line + 1), start) << "line " << line + 1;
        EXPECT_EQ(SendMessageA(control, RTEM_SECONDAT, 0, start + 1), line + 1) << "line " << line + 1;
    }
    EXPECT_EQ(SendMessageA(control, RTEM_PARLINECOUNT, 0, 0), 3) << "beside the three paragraph lines";
}

}  // namespace
