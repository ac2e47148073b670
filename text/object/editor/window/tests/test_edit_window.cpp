// The text editor end to end on a shown page: Modify() runs the edit frame, which the tests drive
// with keys posted through TranslateMessage, the palette's buttons and the Ctrl shortcuts; OK
// gives the object the text, which the page saves and another kernel reads again.
#include "edit_window_fixture.h"

#include "dialogsres.h"
#include "editwindow_res.h"

namespace {

TEST_F(EditWindow, ShowsTheTextInItsControlOverTheObject)
{
    std::string shown;
    RECT control{}, object{};
    const int result = Edit(host_, [&](HWND, HWND edit, HWND tools) {
        shown = TextOf(edit);
        GetWindowRect(edit, &control);
        EXPECT_NE(nullptr, tools);
        Click(tools, CMD_CLOSE);
    });
    EXPECT_EQ(0, result);
    EXPECT_FALSE(Asked("Texte modifi\xE9"));
    EXPECT_EQ("", shown);
    GetWindowRect(TextOfPage(host_)->window, &object);
    EXPECT_EQ(object.left, control.left);
    EXPECT_EQ(object.top, control.top);
}

TEST_F(EditWindow, TypingIsUndoneAtOnceByCtrlZ)
{
    std::string typed, undone;
    bool bold = false;
    Edit(host_, [&](HWND, HWND edit, HWND tools) {
        Type(edit, "bonjour");
        Select(edit, 0, 7);
        Click(tools, CMD_BOLD);
        bold = IsDlgButtonChecked(tools, CMD_BOLD) == BST_CHECKED;
        Select(edit, 7, 7);
        Type(edit, "abc");
        typed = TextOf(edit);
        CtrlKey(edit, 'Z');
        undone = TextOf(edit);
        Click(tools, CMD_CANCEL);
    });
    EXPECT_TRUE(bold);
    EXPECT_EQ("bonjourabc", typed);
    EXPECT_EQ("bonjour", undone);
}

TEST_F(EditWindow, OkGivesTheTypedTextToTheObjectAndItComesBackFromTheSavedPage)
{
    const int result = Edit(host_, [&](HWND, HWND edit, HWND tools) {
        Type(edit, "bonjour");
        Click(tools, CMD_OK);
    });
    EXPECT_EQ(1, result);
    TEXTE* text = TextOfPage(host_);
    ASSERT_NE(nullptr, text);
    EXPECT_NE(nullptr, text->document);
    ASSERT_EQ(1, KernSave(host_));

    PageHost again;
    ReadEditorPagesAgain(host_, again);
    EXPECT_EQ("bonjour", EditedText(again));
}

TEST_F(EditWindow, CancelAsksOnlyWhenTheTextChanged)
{
    int asked = 0;
    const int result = Edit(
        host_,
        [&](HWND, HWND edit, HWND tools) {
            Type(edit, "x");
            Click(tools, CMD_CLOSE);
        },
        [&](HWND) {
            ++asked;
            return IDNO;
        });
    EXPECT_EQ(1, asked);
    EXPECT_TRUE(Asked("Texte modifi\xE9"));
    EXPECT_EQ(0, result);
}

TEST_F(EditWindow, MakesALinkWithTheBranchDialogAndOffersToModifyIt)
{
    const std::string target = host_.Page("b.pag");
    bool hinted = false, modifyOffered = false;
    std::string label;
    Edit(
        host_,
        [&](HWND, HWND edit, HWND tools) {
            Type(edit, "bonjour lien");
            // Without a selection there is only a hint.
            Click(tools, CMD_BRANCH);
            Pump();
            Select(edit, 8, 12);
            Click(tools, CMD_BRANCH);
            Pump();
            modifyOffered = !(GetMenuState(GetMenu(tools), CMD_MODIFY_BRANCH, MF_BYCOMMAND) & MF_GRAYED);
            label = ItemText(tools, CMD_BRANCH);
            Click(tools, CMD_CLOSE);
        },
        [&](HWND dialog) {
            if (!IsBranchDialog(dialog))
                return GetDlgItem(dialog, IDNO) ? IDNO : IDOK;
            SetDlgItemTextA(dialog, IDC_BRANCH_TARGET, target.c_str());
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_BRANCH_TARGET, EN_CHANGE),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_BRANCH_TARGET)));
            SetDlgItemTextA(dialog, IDC_BRANCH_TIP_TEXT, "Vers la page B");
            return IDOK;
        });
    hinted = Asked("Brancher \xE0 ... : Conseil");
    EXPECT_TRUE(hinted);
    EXPECT_TRUE(modifyOffered);
    EXPECT_EQ("Modifier le branchement", label);
}

}  // namespace
