// Keys posted and pumped through TranslateMessage, and clicks and drags at the points the
// control gives for its characters.
#include <cstring>

#include "control_fixture.h"
#include "rte_control_internal.h"

namespace {

int32_t SelStart(HWND control)
{
    int32_t sel[2] = {};
    SendMessageA(control, RTEM_GETSEL, 0, reinterpret_cast<LPARAM>(sel));
    return sel[0];
}

int32_t SelEnd(HWND control)
{
    int32_t sel[2] = {};
    SendMessageA(control, RTEM_GETSEL, 0, reinterpret_cast<LPARAM>(sel));
    return sel[1];
}

LPARAM PointOf(HWND control, int32_t offset)
{
    RteCaretRecord record{offset, {}, 0, 0};
    SendMessageA(control, RTEM_CARETRECT, 0, reinterpret_cast<LPARAM>(&record));
    return MAKELPARAM(record.rect.left + 1, (record.rect.top + record.rect.bottom) / 2);
}

TEST_F(ControlTest, TypedKeysBecomeTextWithOneUndoRun)
{
    HWND control = MakeControl();
    SetFocus(control);
    Type(control, "Le Chat");
    EXPECT_EQ(Text(control), "Le Chat");
    EXPECT_EQ(Count(WM_COMMAND), 7) << "one change per character";
    PressKey(control, VK_BACK);
    EXPECT_EQ(Text(control), "Le Cha");
    PressKey(control, VK_HOME);
    EXPECT_EQ(SelStart(control), 0);
    PressKey(control, VK_DELETE);
    EXPECT_EQ(Text(control), "e Cha");
    PressKey(control, VK_END, true);
    EXPECT_EQ(SelEnd(control), 5) << "Shift+End extends";
    EXPECT_EQ(SelStart(control), 0);
    PressKey(control, VK_RIGHT);
    EXPECT_EQ(SelStart(control), SelEnd(control));
    SendMessageA(control, EM_UNDO, 0, 0);
    EXPECT_EQ(Text(control), "Le Cha") << "the forward delete undone";
}

TEST_F(ControlTest, TextLimitCaseStylesAndTheParentsVeto)
{
    struct Case {
        DWORD style;
        int limit;
        uint32_t notify;
        LRESULT veto;
        const char* typed;
        const char* expected;
    } cases[] = {
        {ES_MULTILINE, 0, 0, 0, "AbC", "AbC"},
        {ES_MULTILINE | ES_UPPERCASE, 0, 0, 0, "AbC", "ABC"},
        {ES_MULTILINE | ES_LOWERCASE, 0, 0, 0, "AbC", "abc"},
        {ES_MULTILINE, 2, 0, 0, "AbC", "Ab"},
        {ES_MULTILINE, 0, RTEN_FLAG_CHAR, 1, "AbC", ""},
        {ES_MULTILINE, 0, RTEN_FLAG_CHAR, 0, "AbC", "AbC"},
    };
    for (const Case& c : cases) {
        notifications_.clear();
        answers_ = {{RTEN_CHAR, c.veto}};
        HWND control = MakeControl(c.style);
        SendMessageA(control, EM_LIMITTEXT, static_cast<WPARAM>(c.limit), 0);
        SendMessageA(control, RTEM_SETNOTIFY, 0, c.notify);
        SetFocus(control);
        Type(control, c.typed);
        EXPECT_EQ(Text(control), c.expected) << c.typed << " style " << std::hex << c.style;
        EXPECT_EQ(Count(RTEN_CHAR), c.notify ? 3 : 0);
        if (c.veto) {
            EXPECT_EQ(SendMessageA(control, EM_CANUNDO, 0, 0), 0) << "nothing typed, no undo record";
        }
        DestroyWindow(control);
    }
}

TEST_F(ControlTest, AtTheLimitBackspaceAndArrowsStillWork)
{
    HWND control = MakeControl();
    SetFocus(control);
    SendMessageA(control, EM_LIMITTEXT, 3, 0);
    Type(control, "abcd");
    EXPECT_EQ(Text(control), "abc");
    PressKey(control, VK_LEFT);
    EXPECT_EQ(SelStart(control), 2);
    PressKey(control, VK_BACK);
    EXPECT_EQ(Text(control), "ac");
}

TEST_F(ControlTest, ClicksAndDragsSelect)
{
    HWND control = MakeControl(ES_MULTILINE | WS_VISIBLE);
    ShowWindow(parent_, SW_SHOWNOACTIVATE);
    SetFocus(control);
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("un deux trois"));
    SendMessageA(control, RTEM_SETNOTIFY, 0, RTEN_FLAG_CLICK | RTEN_FLAG_DBLCLICK | RTEN_FLAG_BUTTONUP);
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, PointOf(control, 3));
    SendMessageA(control, WM_LBUTTONUP, 0, PointOf(control, 3));
    EXPECT_EQ(SelStart(control), 3);
    EXPECT_EQ(SelEnd(control), 3);
    ASSERT_EQ(Count(RTEN_CLICK), 1);
    EXPECT_EQ(Count(RTEN_BUTTONUP), 1);
    const auto& click = *reinterpret_cast<const RteMouseNotify*>(notifications_[notifications_.size() - 2].record.data());
    EXPECT_EQ(click.selStart, 3);
    EXPECT_EQ(click.doubleClick, 0);

    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, PointOf(control, 3));
    SendMessageA(control, WM_MOUSEMOVE, MK_LBUTTON, PointOf(control, 10));
    SendMessageA(control, WM_LBUTTONUP, 0, PointOf(control, 10));
    EXPECT_EQ(SelStart(control), 3);
    EXPECT_EQ(SelEnd(control), 10) << "the drag selects";

    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, PointOf(control, 4));
    SendMessageA(control, WM_LBUTTONUP, 0, PointOf(control, 4));
    SendMessageA(control, WM_LBUTTONDBLCLK, MK_LBUTTON, PointOf(control, 4));
    SendMessageA(control, WM_LBUTTONUP, 0, PointOf(control, 4));
    EXPECT_EQ(Count(RTEN_DBLCLICK), 1);
    EXPECT_EQ(SelStart(control), 3);
    EXPECT_GE(SelEnd(control), 7) << "a double click selects the word";
    EXPECT_LE(SelEnd(control), 8);
}

TEST_F(ControlTest, AParentAnsweringTheClickEndsIt)
{
    HWND control = MakeControl(ES_MULTILINE | WS_VISIBLE);
    ShowWindow(parent_, SW_SHOWNOACTIVATE);
    SetFocus(control);
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("un deux trois"));
    SendMessageA(control, RTEM_SETNOTIFY, 0, RTEN_FLAG_CLICK | RTEN_FLAG_DRAGMOVE);
    answers_ = {{RTEN_CLICK, 1}};
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, PointOf(control, 3));
    EXPECT_EQ(GetCapture(), nullptr);
    SendMessageA(control, WM_MOUSEMOVE, MK_LBUTTON, PointOf(control, 10));
    EXPECT_EQ(Count(RTEN_DRAGMOVE), 0) << "no tracking after the parent took the click";
}

}  // namespace

namespace {

TEST_F(ControlTest, ScrollBarsAndPageKeysScrollTheText)
{
    HWND control = ScrollingControl(40);
    auto position = [&] {
        int32_t scroll[2] = {};
        SendMessageA(control, RTEM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(scroll));
        return scroll[0];
    };
    SendMessageA(control, WM_VSCROLL, SB_LINEDOWN, 0);
    int32_t line = position();
    EXPECT_GT(line, 0);
    SendMessageA(control, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_GT(position(), line);
    SendMessageA(control, WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(position(), 0);
    SendMessageA(control, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 100), 0);
    EXPECT_EQ(position(), 100);
    EXPECT_EQ(GetScrollPos(control, SB_VERT), 100);
    SetFocus(control);
    PressKey(control, VK_PRIOR);
    EXPECT_LT(position(), 100) << "Page Up scrolls up";
    SendMessageA(control, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_GT(position(), 100);
}

TEST_F(ControlTest, AClickInAnInactiveDocumentOnlyTakesTheFocus)
{
    HWND control = MakeControl(ES_MULTILINE | WS_VISIBLE);
    HWND other = MakeControl(ES_MULTILINE | WS_VISIBLE, 100, 20, 8);
    ShowWindow(parent_, SW_SHOWNOACTIVATE);
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("un deux trois"));
    SetFocus(other);
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(0, 0));
    RteHandle handle;
    RteControl* record = RteControlFromWindow(control, &handle);
    uint32_t flags = RteGetDocFlags(record->document);
    RteUnlock(handle);
    ASSERT_EQ(flags & 0x30000, 0x10000u) << "a control without the focus is inactive";
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, PointOf(control, 8));
    SendMessageA(control, WM_LBUTTONUP, 0, PointOf(control, 8));
    EXPECT_EQ(GetFocus(), control);
    EXPECT_EQ(SelEnd(control), 0) << "the selection stays";
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, PointOf(control, 8));
    SendMessageA(control, WM_LBUTTONUP, 0, PointOf(control, 8));
    EXPECT_EQ(SelEnd(control), 8) << "once active the click places the caret";
}

TEST_F(ControlTest, AnUndoPreparedForTheCallersOwnChange)
{
    HWND control = MakeControl();
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("avant"));
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(5, 5));
    EXPECT_NE(SendMessageA(control, RTEM_PREPAREUNDO, 7, 4), 0);
    int32_t insert[2] = {4, 0};
    std::memcpy(&insert[1], " apr", 4);
    SendMessageA(control, RTEM_INSERT, 0, reinterpret_cast<LPARAM>(insert));
    EXPECT_EQ(Text(control), "avant apr");
    EXPECT_EQ(SendMessageA(control, RTEM_UNDOKIND, 0, 0), 7);
    SendMessageA(control, RTEM_UNDO, 0, 0);
    EXPECT_EQ(Text(control), "avant");
}

}  // namespace
