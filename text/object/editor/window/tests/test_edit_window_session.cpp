// Whole editing sessions on a shown page: a link made with the branch dialog on typed text,
// text typed after it, bold, another face and a colour, OK, the page saved and read by another
// kernel, the text edited again as it was typed and its link followed on the page; an emptied
// text refused; the question of a modified text on closing.
#include "edit_window_fixture.h"

#include "dialogsres.h"
#include "editwindow_res.h"

#include <colordlg.h>

namespace {

constexpr const char* LinkMessage = "Vers la page B";
// The target field of the kernel's branch dialog.
constexpr int KernelBranchTarget = 104;

// The text's branch dialog answered as an author makes a link: its target button opens the
// kernel's branch dialog, where the page is typed and confirmed; back in the text's dialog the
// hover message is typed and confirmed. Any question is answered No. The fields are filled from
// thread timers, once each dialog runs its own loop (timers come after every posted message).
struct LINKSCRIPT {
    std::string target;
    HWND branchDialog = nullptr;
    HWND kernelDialog = nullptr;
} g_link;

void CALLBACK ConfirmBranchDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (!IsWindow(g_link.branchDialog))
        return;
    SetDlgItemTextA(g_link.branchDialog, IDC_BRANCH_TIP_TEXT, LinkMessage);
    PostMessageA(g_link.branchDialog, WM_COMMAND, IDOK, 0);
}

void CALLBACK ConfirmKernelDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (!IsWindow(g_link.kernelDialog))
        return;
    SetDlgItemTextA(g_link.kernelDialog, KernelBranchTarget, g_link.target.c_str());
    SendMessageA(g_link.kernelDialog, WM_COMMAND, MAKEWPARAM(KernelBranchTarget, EN_CHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(g_link.kernelDialog, KernelBranchTarget)));
    PostMessageA(g_link.kernelDialog, WM_COMMAND, IDOK, 0);
    SetTimer(nullptr, 0, 1, ConfirmBranchDialog);
}

std::function<int(HWND)> LinkTo(const std::string& target)
{
    g_link.target = target;
    return [](HWND dialog) {
        // The kernel's dialog has controls of the same numbers as the text's.
        if (WindowText(dialog) == "Options de branchement") {
            g_link.kernelDialog = dialog;
            SetTimer(nullptr, 0, 1, ConfirmKernelDialog);
            return 0;
        }
        if (IsBranchDialog(dialog)) {
            g_link.branchDialog = dialog;
            return IDC_BRANCH_TARGET_BUTTON;
        }
        return GetDlgItem(dialog, IDNO) ? IDNO : IDOK;
    };
}

// Whether the control's selection carries a branch, as the palette's menu tells it.
bool SelectionIsLink(HWND control, HWND tools, int start, int end)
{
    Select(control, start, end);
    SendMessageA(control, WM_LBUTTONUP, 0, 0);
    Pump();
    return !(GetMenuState(GetMenu(tools), CMD_MODIFY_BRANCH, MF_BYCOMMAND) & MF_GRAYED);
}

// The middle of the character at the offset, in the control's client area, which lies over the
// object window's.
POINT CharacterCentre(HWND control, int offset)
{
    RteCaretRecord left{offset, {}, 0, 0}, right{offset + 1, {}, 0, 0};
    SendMessageA(control, RTEM_CARETRECT, 0, reinterpret_cast<LPARAM>(&left));
    SendMessageA(control, RTEM_CARETRECT, 0, reinterpret_cast<LPARAM>(&right));
    return POINT{(left.rect.left + right.rect.left) / 2, (left.rect.top + left.rect.bottom) / 2};
}

void ClickAt(HWND window, POINT at)
{
    PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    Pump();
}

std::string FaceOf(HWND control)
{
    char face[LF_FACESIZE * 2] = "";
    SendMessageA(control, RTEM_GETFONTNAME, 0, reinterpret_cast<LPARAM>(face));
    return face;
}

// The colour dialog answered with pure red.
int PickRed(HWND dialog)
{
    SetDlgItemInt(dialog, COLOR_RED, 200, FALSE);
    SetDlgItemInt(dialog, COLOR_GREEN, 0, FALSE);
    SetDlgItemInt(dialog, COLOR_BLUE, 0, FALSE);
    return IDOK;
}

}  // namespace

TEST_F(EditWindow, ALinkAndStylesTypedComeBackFromTheSavedPageAndTheLinkWorksThere)
{
    const std::string target = host_.Page("b.pag");
    bool linkMade = false, spaceIsLink = true;
    const int result = Edit(
        host_,
        [&](HWND, HWND edit, HWND tools) {
            Type(edit, "voir lien");
            Select(edit, 5, 9);
            Click(tools, CMD_BRANCH);
            Pump();
            linkMade = SelectionIsLink(edit, tools, 5, 9);
            // Typed right after the link, the text is no part of it.
            Select(edit, 9, 9);
            Type(edit, " suite");
            spaceIsLink = SelectionIsLink(edit, tools, 9, 11);
            Select(edit, 0, 4);
            Click(tools, CMD_BOLD);
            Select(edit, 10, 15);
            ChooseListedFace(tools, "Liberation Serif");
            Select(edit, 10, 15);
            Click(tools, CMD_COLOUR);
            Click(tools, CMD_OK);
        },
        [&](HWND dialog) { return GetDlgItem(dialog, COLOR_RED) ? PickRed(dialog) : LinkTo(target)(dialog); });
    ASSERT_EQ(1, result);
    EXPECT_TRUE(linkMade);
    EXPECT_FALSE(spaceIsLink);
    ASSERT_EQ(1, KernSave(host_));

    PageHost again;
    ReadEditorPagesAgain(host_, again);
    std::string read, face;
    uint32_t bold = 0, uniform = 0;
    COLORREF colour = 0;
    bool link = false, plainAfter = true;
    POINT onLink{}, onSuite{};
    Edit(again, [&](HWND, HWND edit, HWND tools) {
        read = TextOf(edit);
        Select(edit, 0, 4);
        bold = static_cast<uint32_t>(SendMessageA(edit, RTEM_GETATTRIBUTES, 0, reinterpret_cast<LPARAM>(&uniform)));
        Select(edit, 10, 15);
        face = FaceOf(edit);
        colour = static_cast<COLORREF>(SendMessageA(edit, RTEM_GETTEXTCOLOR, 0, 0));
        link = SelectionIsLink(edit, tools, 5, 9);
        plainAfter = !SelectionIsLink(edit, tools, 9, 11);
        onLink = CharacterCentre(edit, 6);
        onSuite = CharacterCentre(edit, 12);
        Click(tools, CMD_CANCEL);
    });
    EXPECT_EQ("voir lien suite", read);
    EXPECT_EQ(1u, bold & 1u);
    EXPECT_EQ("Liberation Serif", face);
    EXPECT_EQ(RGB(200, 0, 0), colour);
    EXPECT_TRUE(link);
    EXPECT_TRUE(plainAfter);

    TEXTE* text = TextOfPage(again);
    ASSERT_NE(nullptr, text);
    int linkId = 0;
    for (int i = 0; i < text->GetBranchItems(); ++i)
        if (std::string(text->GetBranch(i)->target).find("b.pag") != std::string::npos)
            linkId = text->GetBranch(i)->pluginMark;
    ASSERT_GT(linkId, 0);
    bool messageKept = false;
    for (int i = 0; i < text->messages.Items(); ++i)
        messageKept |= text->Message(i)->branchId == linkId && std::string(text->Message(i)->text) == LinkMessage;
    EXPECT_TRUE(messageKept);

    // On the shown page: the pointer over the link brings its message; a click off it does
    // nothing, a click on it goes to the page.
    PostMessageA(text->window, WM_MOUSEMOVE, 0, MAKELPARAM(onLink.x, onLink.y));
    Pump();
    ASSERT_NE(nullptr, text->hovered);
    EXPECT_STREQ(LinkMessage, text->hovered->text);
    ClickAt(text->window, onSuite);
    EXPECT_EQ("A", again.Shown());
    ClickAt(text->window, onLink);
    EXPECT_EQ("B", again.Shown());
}

TEST_F(EditWindow, AnEmptiedTextIsRefusedAndTheEditorStays)
{
    ASSERT_EQ(1, Edit(host_, [&](HWND, HWND edit, HWND tools) {
                  Type(edit, "abc");
                  Click(tools, CMD_OK);
              }));
    bool stayed = false;
    std::string left;
    const int result = Edit(
        host_,
        [&](HWND frame, HWND edit, HWND tools) {
            Select(edit, 0, 3);
            Key(edit, VK_DELETE);
            Click(tools, CMD_OK);
            stayed = IsWindow(frame) && ToolsOf(frame) == tools;
            left = TextOf(edit);
            Click(tools, CMD_CANCEL);
        },
        [](HWND) { return IDOK; });
    EXPECT_EQ(0, result);
    EXPECT_TRUE(Asked("Texte vide!"));
    EXPECT_TRUE(stayed);
    EXPECT_EQ("", left);
    EXPECT_EQ("abc", EditedText(host_));
}

TEST_F(EditWindow, ClosingAModifiedTextAsksWhatToDoWithIt)
{
    struct Case {
        int answer;
        int result;      // what Modify() answers
        bool stayed;     // the editor still up after the question
        const char* kept;
    };
    for (const Case& c : {Case{IDNO, 0, false, ""}, Case{IDCANCEL, 0, true, ""}, Case{IDYES, 1, false, "x"}}) {
        SCOPED_TRACE(c.answer);
        bool stayed = false;
        const int result = Edit(
            host_,
            [&](HWND frame, HWND edit, HWND tools) {
                Type(edit, "x");
                Click(tools, CMD_CLOSE);
                Pump();
                // The editor's end closes its palette at once.
                stayed = ToolsOf(frame) != nullptr;
                if (stayed)
                    Click(tools, CMD_CANCEL);
            },
            [&](HWND) { return c.answer; });
        EXPECT_EQ(c.result, result);
        EXPECT_TRUE(Asked("Texte modifi\xE9"));
        EXPECT_EQ(c.stayed, stayed);
        EXPECT_EQ(c.kept, EditedText(host_));
    }
}

TEST_F(EditWindow, TheFontDialogRaisesOrLowersTheSelection)
{
    struct Case {
        int box;       // ticked in the dialog; 0 for none
        bool raised;
        bool lowered;
    };
    for (const Case& c : {Case{IDC_FONT_SUPERSCRIPT, true, false}, Case{IDC_FONT_SUBSCRIPT, false, true},
                          Case{0, false, false}}) {
        SCOPED_TRACE(c.box);
        LRESULT shift = 0, before = 1;
        Edit(
            host_,
            [&](HWND, HWND edit, HWND tools) {
                Type(edit, "x2");
                Select(edit, 1, 2);
                before = SendMessageA(edit, RTEM_GETSHIFT, 0, 0);
                Click(tools, CMD_FONT);
                Select(edit, 1, 2);
                shift = SendMessageA(edit, RTEM_GETSHIFT, 0, 0);
                Click(tools, CMD_CANCEL);
            },
            [&](HWND dialog) {
                if (c.box && GetDlgItem(dialog, c.box))
                    Click(dialog, c.box);
                return IDOK;
            });
        EXPECT_EQ(0, before);
        EXPECT_EQ(c.raised, shift < 0) << shift;
        EXPECT_EQ(c.lowered, shift > 0) << shift;
    }
}
