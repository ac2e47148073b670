// The text editor end to end on a shown page: Modify() runs the edit frame, which the tests drive
// with keys posted through TranslateMessage, the palette's buttons and the Ctrl shortcuts; OK
// gives the object the text, which the page saves and another kernel reads again.
#include "dialogdriver.h"
#include "dialogsres.h"
#include "editwindow_res.h"
#include "pagefiles.h"
#include "plugintest.h"
#include "rte_edit_control.h"
#include "texte.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr const char* Module = "qxtext40.dll";

// A text object of the page without text yet.
RecordLines EmptyTextRecord()
{
    return ObjectRecord("QXTEXT.DLL", 0, "texte", NoBranch(),
                        {"TEXTE {", "20.00     20.00     300.00    120.00", "NULL", "0       0       0       0",
                         "100.00", "255     255     255     0", "TXBRMSG [", "]", "}"});
}

void Pump()
{
    MSG msg;
    for (int idle = 0; idle < 3; ++idle) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            idle = 0;
        }
        Sleep(1);
    }
}

// A key pressed and released on the control, as the keyboard would put it in the queue.
void Key(HWND control, UINT key)
{
    PostMessageA(control, WM_KEYDOWN, key, 1);
    PostMessageA(control, WM_KEYUP, key, 0xC0000001);
    Pump();
}

void Type(HWND control, const std::string& letters)
{
    for (char c : letters)
        Key(control, static_cast<UINT>(std::toupper(static_cast<unsigned char>(c))));
}

void CtrlKey(HWND control, UINT key)
{
    PostMessageA(control, WM_KEYDOWN, VK_CONTROL, 1);
    PostMessageA(control, WM_KEYDOWN, key, 1);
    Pump();
    PostMessageA(control, WM_KEYUP, key, 0xC0000001);
    PostMessageA(control, WM_KEYUP, VK_CONTROL, 0xC0000001);
    Pump();
}

std::string TextOf(HWND control)
{
    char text[256] = "";
    SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

void Select(HWND control, int start, int end) { SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(start, end)); }

HWND ToolsOf(HWND frame)
{
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM out) {
            if (GetDlgItem(window, IDC_EMBEDDING_NOTE) && GetDlgItem(window, CMD_SIZE_LIST)) {
                *reinterpret_cast<HWND*>(out) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    (void)frame;
    return found;
}

bool IsBranchDialog(HWND dialog)
{
    return GetDlgItem(dialog, IDC_BRANCH_TIP_TEXT) && GetDlgItem(dialog, IDC_BRANCH_TARGET) &&
           !GetDlgItem(dialog, IDC_EMBEDDING_NOTE);
}

class EditWindow : public testing::Test {
protected:
    void SetUp() override
    {
        PluginModule(Module);
        host_.pub.Write("b.pag", PageFile({ObjectRecord("QXSHEET.DLL", 0, "page", NoBranch(), PageBlock("B", 1, 2, 3))}));
        Show(host_, EmptyTextRecord());
    }

    static void Show(PageHost& host, const RecordLines& text)
    {
        host.pub.Write("a.pag", PageFile({ObjectRecord("QXSHEET.DLL", 1, "page", NoBranch(),
                                                       PageBlock("A", 255, 255, 255)),
                                          text}));
        ShowWindow(host.view, SW_SHOWNA);
        ShowWindow(host.host, SW_SHOWNA);
        ASSERT_EQ(1, host.Go("a.pag"));
    }
    static TEXTE* TextOfPage(PageHost& host)
    {
        OBJET* top = KernGetTopObjet(host);
        return top && top->GetChildItems() ? static_cast<TEXTE*>(top->GetChild(0)) : nullptr;
    }

    // Runs the editor on the page's text with the script; what Modify() answered.
    int Edit(PageHost& host, const std::function<void(HWND frame, HWND control, HWND tools)>& script,
             std::function<int(HWND)> answer = [](HWND) { return 0; })
    {
        TEXTE* text = TextOfPage(host);
        EXPECT_NE(nullptr, text);
        if (!text)
            return -1;
        DialogDriver driver(
            IDC_EDIT_TEXT,
            [&](HWND frame) {
                Pump();
                script(frame, GetDlgItem(frame, IDC_EDIT_TEXT), ToolsOf(frame));
            },
            [&](HWND dialog) {
                shown_.push_back(dialog);
                // The palette and the font list's box are no questions.
                if (IsBranchDialog(dialog))
                    return answer(dialog);
                if (GetDlgItem(dialog, IDC_EMBEDDING_NOTE) ||
                    (!GetDlgItem(dialog, IDOK) && !GetDlgItem(dialog, IDYES) && !GetDlgItem(dialog, IDNO) &&
                     !IsBranchDialog(dialog)))
                    return 0;
                return answer(dialog);
            });
        const int result = text->Modify();
        EXPECT_TRUE(driver.Ran());
        shownCaptions_.clear();
        for (const ShownDialog& dialog : driver.Shown())
            shownCaptions_.push_back(dialog.caption);
        return result;
    }

    bool Asked(const std::string& caption) const
    {
        for (const std::string& shown : shownCaptions_)
            if (shown == caption)
                return true;
        return false;
    }

    PageHost host_;
    std::vector<HWND> shown_;
    std::vector<std::string> shownCaptions_;
};

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
    again.pub.Write("a.pag", host_.pub.Read("a.pag"));
    ShowWindow(again.view, SW_SHOWNA);
    ShowWindow(again.host, SW_SHOWNA);
    ASSERT_EQ(1, again.Go("a.pag"));
    std::string read;
    Edit(again, [&](HWND, HWND edit, HWND tools) {
        read = TextOf(edit);
        Click(tools, CMD_CANCEL);
    });
    EXPECT_EQ("bonjour", read);
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
