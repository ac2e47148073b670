// The edit frame's tab rulers and the tabs dialog run from the palette: where the rulers
// stand, the stops they draw for the paragraph under the caret as the caret moves, the
// dialog's stops on the selected paragraphs, undone at once, and kept through OK, save and
// reload.
#include "session_fixture.h"

#include "dialogdriver.h"
#include "dialogsres.h"
#include "editwindow_res.h"
#include "tabruler.h"
#include "test_canvas.h"

namespace {

constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);

class EditRulers : public EditorSession {
protected:
    // The tabs dialog's answer: a right stop at the position, the ruler shown or not.
    static Answer RightStopAt(const char* position, bool showRuler)
    {
        return [=](HWND dialog) {
            if (!GetDlgItem(dialog, IDC_TABS_DEFINE))
                return IDOK;
            SetText(dialog, IDC_TABS_POSITION, position);
            CheckRadioButton(dialog, IDC_TABS_LEFT, IDC_TABS_DECIMAL, IDC_TABS_RIGHT);
            Click(dialog, IDC_TABS_DEFINE);
            SetCheck(dialog, IDC_TABS_SHOW_RULER, showRuler);
            return IDOK;
        };
    }

    // The tabs dialog's answer: the default interval typed, the ruler shown.
    static Answer IntervalOf(const char* interval)
    {
        return [=](HWND dialog) {
            if (!GetDlgItem(dialog, IDC_TABS_DEFAULT))
                return IDOK;
            SetText(dialog, IDC_TABS_DEFAULT, interval);
            SetCheck(dialog, IDC_TABS_SHOW_RULER, true);
            return IDOK;
        };
    }

    // The ruler's client area as it paints it, into the canvas.
    static void Paint(HWND ruler, TestCanvas& canvas)
    {
        InvalidateRect(ruler, nullptr, TRUE);
        UpdateWindow(ruler);
        HDC dc = GetDC(ruler);
        BitBlt(canvas.Dc(), 0, 0, canvas.Width(), canvas.Height(), dc, 0, 0, SRCCOPY);
        ReleaseDC(ruler, dc);
    }

    // Whether the ruler draws a right stop at the position: its column at the mark's right
    // edge, its foot along the bottom row, nothing beside the column.
    static bool DrawsRightStop(HWND ruler, int position)
    {
        TestCanvas canvas(200, 6, RGB(1, 2, 3));
        Paint(ruler, canvas);
        EXPECT_EQ(White, canvas.Pixel(position + 1, 1));
        return canvas.Pixel(position + 6, 1) == Black && canvas.Pixel(position, 5) == Black;
    }

    // The columns of the ruler's grid ticks, left to right: its lowest row but one is black there.
    static std::vector<int> Ticks(HWND ruler)
    {
        TestCanvas canvas(200, 6, RGB(1, 2, 3));
        Paint(ruler, canvas);
        std::vector<int> ticks;
        for (int x = 0; x < canvas.Width(); ++x)
            if (canvas.Pixel(x, 4) == Black)
                ticks.push_back(x);
        return ticks;
    }

    // How far after the start of its line the character at the offset stands.
    static int Indent(HWND control, int offset) { return PointOf(control, offset).x - PointOf(control, 0).x; }
};

TEST_F(EditRulers, StandAlongTheTopAndTheBottomOfTheTextHiddenUntilAsked)
{
    std::vector<HWND> rulers;
    RECT client{}, top{}, bottom{};
    bool visible = true;
    Edit([&](const Editor& e) {
        rulers = Rulers(e.frame);
        ASSERT_EQ(2u, rulers.size());
        GetClientRect(e.frame, &client);
        GetWindowRect(rulers[0], &top);
        GetWindowRect(rulers[1], &bottom);
        MapWindowPoints(nullptr, e.frame, reinterpret_cast<POINT*>(&top), 2);
        MapWindowPoints(nullptr, e.frame, reinterpret_cast<POINT*>(&bottom), 2);
        visible = IsWindowVisible(rulers[0]) || IsWindowVisible(rulers[1]);
        Command(e, CMD_CANCEL);
    });
    EXPECT_FALSE(visible) << "a new text's defaults do not show the rulers";
    EXPECT_EQ(9, top.left);
    EXPECT_EQ(1, top.top);
    EXPECT_EQ(QX_RULER_HEIGHT, top.bottom - top.top);
    EXPECT_EQ(client.right - 19, top.right - top.left);
    EXPECT_EQ(client.bottom - QX_RULER_HEIGHT, bottom.top);
    EXPECT_EQ(top.left, bottom.left);
}

TEST_F(EditRulers, ShowTheStopsOfTheParagraphUnderTheCaretAsItMoves)
{
    bool shown = false, inFirst = false, inSecond = true, back = false, undone = true;
    Edit(
        [&](const Editor& e) {
            Type(e.control, "un\rdeux");
            Select(e.control, 0, 0);
            Command(e, CMD_TABS);
            const std::vector<HWND> rulers = Rulers(e.frame);
            ASSERT_EQ(2u, rulers.size());
            shown = IsWindowVisible(rulers[0]) && IsWindowVisible(rulers[1]);
            inFirst = DrawsRightStop(rulers[0], 50) && DrawsRightStop(rulers[1], 50);
            Key(e.control, VK_DOWN);
            inSecond = DrawsRightStop(rulers[0], 50);
            Key(e.control, VK_UP);
            back = DrawsRightStop(rulers[0], 50);
            Key(e.control, 'Z', true);
            undone = DrawsRightStop(rulers[0], 50);
            Command(e, CMD_CANCEL);
        },
        RightStopAt("50", true));
    EXPECT_TRUE(shown);
    EXPECT_TRUE(inFirst);
    EXPECT_FALSE(inSecond) << "the second paragraph has no stop";
    EXPECT_TRUE(back);
    EXPECT_FALSE(undone) << "Undo takes the stop off";
}

TEST_F(EditRulers, StopsStayWithTheTextThroughOkSaveAndReload)
{
    ASSERT_EQ(1, Edit(
                     [&](const Editor& e) {
                         Type(e.control, "un\rdeux");
                         Select(e.control, 0, 0);
                         Command(e, CMD_TABS);
                         Command(e, CMD_OK);
                     },
                     RightStopAt("50", false)));
    Reload();
    // What the tabs dialog lists for the paragraph under the caret, each time it opens.
    std::vector<std::string> listed;
    Edit(
        [&](const Editor& e) {
            Select(e.control, 0, 0);
            Command(e, CMD_TABS);
            Key(e.control, VK_DOWN);
            Command(e, CMD_TABS);
            Command(e, CMD_CANCEL);
        },
        [&](HWND dialog) {
            std::string entries;
            HWND list = GetDlgItem(dialog, IDC_TABS_LIST);
            for (int i = 0, count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)); i < count; ++i) {
                char entry[32] = "";
                SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(entry));
                entries += std::string(i ? " " : "") + entry;
            }
            listed.push_back(entries + (IsDlgButtonChecked(dialog, IDC_TABS_RIGHT) ? " right" : ""));
            return IDCANCEL;
        });
    EXPECT_EQ((std::vector<std::string>{"50 right", ""}), listed);
}

// A new text's tabs step at the author's default interval (25 pixels on a first run), which the
// rulers' grid shows; the dialog's interval lays the tabs out again at once, is undone as one
// step and stays with the text through OK, save and reload.
TEST_F(EditRulers, TabsStepAtTheDefaultIntervalTheDialogSets)
{
    int typed = 0, set = 0, undone = 0;
    std::string text;
    std::vector<int> gridSet, gridUndone;
    ASSERT_EQ(1, Edit(
                     [&](const Editor& e) {
                         Type(e.control, "a");
                         Key(e.control, VK_TAB);
                         Type(e.control, "b");
                         text = TextOf(e.control);
                         typed = Indent(e.control, 2);
                         Command(e, CMD_TABS);
                         set = Indent(e.control, 2);
                         gridSet = Ticks(Rulers(e.frame)[0]);
                         Key(e.control, 'Z', true);
                         undone = Indent(e.control, 2);
                         gridUndone = Ticks(Rulers(e.frame)[0]);
                         Command(e, CMD_TABS);
                         Command(e, CMD_OK);
                     },
                     IntervalOf("40")));
    EXPECT_EQ("a\tb", text);
    EXPECT_EQ(25, typed);
    EXPECT_EQ(40, set);
    EXPECT_EQ((std::vector<int>{40, 80, 120, 160}), gridSet);
    EXPECT_EQ(25, undone) << "Undo takes the interval back";
    EXPECT_EQ((std::vector<int>{25, 50, 75, 100, 125, 150, 175}), gridUndone);
    Reload();
    int reloaded = 0;
    std::string shown;
    Edit(
        [&](const Editor& e) {
            reloaded = Indent(e.control, 2);
            Command(e, CMD_TABS);
            Command(e, CMD_CANCEL);
        },
        [&](HWND dialog) {
            shown = ItemText(dialog, IDC_TABS_DEFAULT);
            return IDCANCEL;
        });
    EXPECT_EQ(40, reloaded);
    EXPECT_EQ("40", shown);
}

}  // namespace
