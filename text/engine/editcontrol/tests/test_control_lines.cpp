// Lines, words, paragraphs, caret placement and whole documents through the control's messages.
#include <cstring>

#include "clipboard_turn.h"
#include "control_fixture.h"
#include "rte_control_internal.h"

namespace {

constexpr char kText[] = "un\rdeux trois\rquatre";

int32_t Caret(HWND control)
{
    int32_t sel[2] = {};
    SendMessageA(control, RTEM_GETSEL, 0, reinterpret_cast<LPARAM>(sel));
    return sel[1];
}

TEST_F(ControlTest, EditLineMessages)
{
    HWND control = MakeControl();
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kText));
    EXPECT_EQ(SendMessageA(control, EM_GETLINECOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(control, EM_LINEINDEX, 1, 0), 3);
    EXPECT_EQ(SendMessageA(control, EM_LINEINDEX, 2, 0), 14);
    EXPECT_EQ(SendMessageA(control, EM_LINEFROMCHAR, 5, 0), 1);
    EXPECT_EQ(SendMessageA(control, EM_LINEFROMCHAR, 15, 0), 2);
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(4, 4));
    EXPECT_EQ(SendMessageA(control, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 1) << "the selection's line";
    EXPECT_EQ(SendMessageA(control, EM_LINELENGTH, 15, 0), 6);
    char buffer[32] = {};
    uint16_t room = 4;
    std::memcpy(buffer, &room, sizeof room);
    EXPECT_EQ(SendMessageA(control, EM_GETLINE, 1, reinterpret_cast<LPARAM>(buffer)), 4);
    EXPECT_EQ(std::string(buffer, 4), "deux");
    room = 30;
    std::memcpy(buffer, &room, sizeof room);
    EXPECT_EQ(SendMessageA(control, EM_GETLINE, 2, reinterpret_cast<LPARAM>(buffer)), 6);
    EXPECT_EQ(SendMessageA(control, EM_GETLINE, 9, reinterpret_cast<LPARAM>(buffer)), 0);
}

TEST_F(ControlTest, WordsParagraphsAndCopiedText)
{
    HWND control = MakeControl();
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kText));
    int32_t word[3] = {5, 0, 0};
    SendMessageA(control, RTEM_WORDBOUNDS, 0, reinterpret_cast<LPARAM>(word));
    EXPECT_EQ(word[1], 3);
    EXPECT_EQ(word[2], 7);
    int32_t paragraph[3] = {5, 0, 0};
    SendMessageA(control, RTEM_PARBOUNDS, 0, reinterpret_cast<LPARAM>(paragraph));
    EXPECT_EQ(paragraph[1], 3);
    EXPECT_EQ(paragraph[2], 14);
    int32_t range[2] = {3, 13};
    HGLOBAL block = reinterpret_cast<HGLOBAL>(SendMessageA(control, RTEM_COPYTEXT, 0, reinterpret_cast<LPARAM>(range)));
    ASSERT_NE(block, nullptr);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(block)), "deux trois");
    GlobalUnlock(block);
    GlobalFree(block);
}

TEST_F(ControlTest, CaretCodes)
{
    HWND control = MakeControl();
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kText));
    struct Case {
        WPARAM code;
        LPARAM value;
        int32_t from;
        int32_t expected;
    } cases[] = {
        {0, 5, 0, 5}, {1, 2, 4, 6}, {1, -1, 4, 4}, {2, 0, 5, 0}, {3, 0, 5, 20},
        {4, 0, 5, 3}, {6, 0, 15, 0}, {9, 0, 5, 5},
    };
    for (const Case& c : cases) {
        SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(c.from, c.from + 1));
        SendMessageA(control, RTEM_SETCARET, c.code, c.value);
        int32_t sel[2] = {};
        SendMessageA(control, RTEM_GETSEL, 0, reinterpret_cast<LPARAM>(sel));
        EXPECT_EQ(sel[0], sel[1]) << "code " << c.code << " collapses";
        EXPECT_EQ(sel[1], c.expected) << "code " << c.code;
    }
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(5, 5));
    SendMessageA(control, RTEM_CARETRIGHT, 1, 0);
    EXPECT_EQ(Caret(control), 6);
    SendMessageA(control, RTEM_CARETLEFT, 1, 0);
    SendMessageA(control, RTEM_CARETLEFT, 1, 0);
    EXPECT_EQ(Caret(control), 4);
}

TEST_F(ControlTest, DocumentsCopiedAndInserted)
{
    ClipboardTurn turn;
    HWND from = MakeControl();
    HWND to = MakeControl();
    SendMessageA(from, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kText));
    SendMessageA(from, EM_SETSEL, 0, MAKELPARAM(3, 7));
    SendMessageA(from, RTEM_SETATTRIBUTES, 0, 0x1);
    int32_t range[2] = {3, 7};
    RteHandle copy = reinterpret_cast<RteHandle>(SendMessageA(from, RTEM_COPYDOC, 0, reinterpret_cast<LPARAM>(range)));
    ASSERT_NE(copy, nullptr);
    SendMessageA(to, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("<>"));
    SendMessageA(to, EM_SETSEL, 0, MAKELPARAM(1, 1));
    notifications_.clear();
    SendMessageA(to, RTEM_INSERTDOC, 1, reinterpret_cast<LPARAM>(copy));
    EXPECT_EQ(Text(to), "<deux>");
    EXPECT_EQ(Count(WM_COMMAND), 1);
    SendMessageA(to, EM_SETSEL, 0, MAKELPARAM(1, 5));
    EXPECT_EQ(SendMessageA(to, RTEM_GETATTRIBUTES, 0, 0) & 0x1, 0x1);
    SendMessageA(to, EM_SETSEL, 0, MAKELPARAM(0, 0));
    SendMessageA(to, RTEM_INSERTDOCPLAIN, 0, reinterpret_cast<LPARAM>(copy));
    SendMessageA(to, EM_SETSEL, 0, MAKELPARAM(0, 4));
    EXPECT_EQ(SendMessageA(to, RTEM_GETATTRIBUTES, 0, 0) & 0x1, 0) << "plain text only";
    SendMessageA(to, RTEM_DESTROYDOC, 0, reinterpret_cast<LPARAM>(copy));
    ASSERT_TRUE(OpenClipboard(parent_));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(SendMessageA(to, RTEM_CANPASTE, 0, 0), 0);
    SendMessageA(to, WM_COPY, 0, 0);
    EXPECT_EQ(SendMessageA(to, RTEM_CANPASTE, 0, 0), 1);
    SendMessageA(to, RTEM_SETNOTIFY, 0, RTEN_FLAG_PASTEDATA);
    answers_ = {{RTEN_PASTEDATA, 7}};
    EXPECT_EQ(SendMessageA(to, RTEM_CANPASTE, 0, 0), 7) << "the parent's answer";
}

}  // namespace

namespace {

TEST_F(ControlTest, EditRectAndLineScrolling)
{
    HWND control = ScrollingControl(20);
    SendMessageA(control, EM_LINESCROLL, 0, MAKELPARAM(0, 3));
    int32_t scroll[2] = {};
    SendMessageA(control, RTEM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(scroll));
    EXPECT_GT(scroll[0], 20) << "three lines down";
    EXPECT_EQ(GetScrollPos(control, SB_VERT), scroll[0]) << "the bar follows";
    SendMessageA(control, EM_LINESCROLL, 0, MAKELPARAM(0, 0xFFFD));
    SendMessageA(control, RTEM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(scroll));
    EXPECT_EQ(scroll[0], 0);
    RECT rect{10, 5, 200, 50};
    SendMessageA(control, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&rect));
    RECT back = {};
    SendMessageA(control, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&back));
    EXPECT_EQ(back.left, 10);
    EXPECT_EQ(back.right, 200);
    EXPECT_EQ(back.bottom, 50);
}

}  // namespace
