// The tab spacing, the spaces around paragraphs, tab stops and the keep-together bit set
// through the paragraph messages, read back and seen where the text is laid out.
#include "control_fixture.h"
#include "rte_areas.h"
#include "rte_typed.h"
#include "rte_undo.h"

namespace {

TEST_F(ControlTest, ParagraphValuesReadBack)
{
    HWND control = MakeControl();
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("un\rdeux"));
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(4, 4));
    struct Case {
        UINT set;
        UINT get;
        LPARAM value;
        int changes;  // notifications of the change, each with a new undo record
    } cases[] = {
        {RTEM_SETPARVALUE1, RTEM_GETPARVALUE1, 40, 1},
        {RTEM_SETPARVALUE2, RTEM_GETPARVALUE2, 12, 0},
        {RTEM_SETPARVALUE3, RTEM_GETPARVALUE3, 7, 0},
    };
    for (const Case& c : cases) {
        SendMessageA(control, EM_EMPTYUNDOBUFFER, 0, 0);
        notifications_.clear();
        SendMessageA(control, c.set, 1, c.value);
        EXPECT_EQ(SendMessageA(control, c.get, 0, 0), c.value) << std::hex << c.set;
        EXPECT_EQ(Count(WM_COMMAND), c.changes) << std::hex << c.set;
        EXPECT_EQ(SendMessageA(control, RTEM_UNDOKIND, 0, 0), c.changes ? RTE_UNDO_RESTYLE : 0) << std::hex << c.set;
    }
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(0, 0));
    EXPECT_NE(SendMessageA(control, RTEM_GETPARVALUE1, 0, 0), 40) << "only the selection's paragraph";
    EXPECT_EQ(SendMessageA(control, RTEM_GETPARVALUE2, 0, 0), 0);
    EXPECT_EQ(SendMessageA(control, RTEM_GETPARVALUE3, 0, 0), 0);
}

TEST_F(ControlTest, SpaceBeforeAndAfterMoveTheLines)
{
    HWND control = MakeControl();
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("un\rdeux\rtrois"));
    int32_t second = CaretRect(control, 3).top;
    int32_t third = CaretRect(control, 8).top;
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(3, 3));
    SendMessageA(control, RTEM_SETPARVALUE2, 1, 12);
    EXPECT_EQ(CaretRect(control, 3).top, second) << "the room comes within the second paragraph's line";
    EXPECT_EQ(CaretRect(control, 8).top - third, 12) << "room above the second paragraph";
    SendMessageA(control, RTEM_SETPARVALUE3, 1, 5);
    EXPECT_EQ(CaretRect(control, 8).top - third, 17) << "and below it";
}

TEST_F(ControlTest, TabStopsSetCountedAndRead)
{
    HWND control = MakeControl(ES_MULTILINE, 400, 120);
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("a\tb\rc\td"));
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(0, 0));
    EXPECT_EQ(SendMessageA(control, RTEM_GETTABCOUNT, 0, 0), 0);
    RteTab at100{RTE_TAB_LEFT, 0, 100, 0};
    notifications_.clear();
    SendMessageA(control, RTEM_SETTAB, 1, reinterpret_cast<LPARAM>(&at100));
    EXPECT_EQ(Count(WM_COMMAND), 1);
    EXPECT_EQ(SendMessageA(control, RTEM_UNDOKIND, 0, 0), RTE_UNDO_RESTYLE);
    EXPECT_EQ(SendMessageA(control, RTEM_GETTABCOUNT, 0, 0), 1);
    EXPECT_EQ(CaretRect(control, 2).left, 100) << "the text after the tab starts at the stop";
    EXPECT_LT(CaretRect(control, 6).left, 100) << "the other paragraph has no stop";

    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(5, 5));
    RteTab at150{RTE_TAB_RIGHT, 0, 150, 0};
    SendMessageA(control, RTEM_SETTAB, 0, reinterpret_cast<LPARAM>(&at150));
    SendMessageA(control, RTEM_SELECTALL, 0, 0);
    SendMessageA(control, RTEM_SETTAB, 0, reinterpret_cast<LPARAM>(&at100));
    ASSERT_EQ(SendMessageA(control, RTEM_GETTABCOUNT, 0, 0), 2);
    RteTab tabs[2] = {};
    EXPECT_EQ(SendMessageA(control, RTEM_GETTABS, 0, reinterpret_cast<LPARAM>(tabs)), 2);
    int32_t flags[2] = {};
    EXPECT_EQ(SendMessageA(control, RTEM_GETTABFLAGS, 0, reinterpret_cast<LPARAM>(flags)), 2);
    for (int i = 0; i < 2; ++i) {
        bool everywhere = tabs[i].position == 100;
        EXPECT_TRUE(tabs[i].position == 100 || (tabs[i].position == 150 && tabs[i].kind == RTE_TAB_RIGHT)) << i;
        EXPECT_EQ(flags[i], everywhere ? -1 : 0) << "stop at " << tabs[i].position;
    }
    RteTab none150{RTE_TAB_NONE, 0, 150, 0};
    SendMessageA(control, RTEM_SETTAB, 0, reinterpret_cast<LPARAM>(&none150));
    EXPECT_EQ(SendMessageA(control, RTEM_GETTABCOUNT, 0, 0), 1) << "a stop of no kind removes it";
}

// Two narrow columns, the control's page: the second paragraph, too long for what is left of the
// first column, starts in the next once it is kept together.
TEST_F(ControlTest, AParagraphKeptTogetherMovesToTheNextPage)
{
    HWND control = MakeControl(ES_MULTILINE, 140, 200);
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("un\rdeux trois quatre cinq six sept huit neuf"));
    int32_t lineHeight = CaretRect(control, 0).bottom - CaretRect(control, 0).top;
    RECT page{0, 0, 140, 3 * lineHeight + 2};
    SendMessageA(control, RTEM_SETRECT, 0, reinterpret_cast<LPARAM>(&page));
    SendMessageA(control, RTEM_SETCOLUMNS, 0, MAKELPARAM(2, 10));
    const int32_t secondColumn = 70;
    constexpr int32_t kSecondWord = 8;
    EXPECT_LT(CaretRect(control, kSecondWord).left, secondColumn) << "the paragraph starts in the first column";
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(SendMessageA(control, RTEM_GETPARBIT, 0, 0), 0);
    SendMessageA(control, RTEM_SETPARBIT, 1, 1);
    EXPECT_EQ(SendMessageA(control, RTEM_GETPARBIT, 0, 0), 1);
    EXPECT_GE(CaretRect(control, kSecondWord).left, secondColumn) << "kept together, it starts in the second";
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(0, 0));
    EXPECT_EQ(SendMessageA(control, RTEM_GETPARBIT, 0, 0), 0) << "only the selection's paragraph";
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(5, 5));
    SendMessageA(control, RTEM_SETPARBIT, 1, 0);
    EXPECT_EQ(SendMessageA(control, RTEM_GETPARBIT, 0, 0), 0);
    EXPECT_LT(CaretRect(control, kSecondWord).left, secondColumn);
}

}  // namespace
