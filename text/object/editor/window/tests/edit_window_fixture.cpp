// The editor's tests' page, keys and runs of Modify().
#include "edit_window_fixture.h"

#include "dialogsres.h"
#include "editwindow_res.h"

#include <cctype>

namespace {

constexpr const char* Module = "qxtext40.dll";

}  // namespace

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

void Key(HWND control, UINT key, bool ctrl, bool shift)
{
    if (ctrl)
        PostMessageA(control, WM_KEYDOWN, VK_CONTROL, 1);
    if (shift)
        PostMessageA(control, WM_KEYDOWN, VK_SHIFT, 1);
    PostMessageA(control, WM_KEYDOWN, key, 1);
    // The character TranslateMessage makes of the key comes after what waits: the modifiers
    // are let go only once it has come.
    Pump();
    PostMessageA(control, WM_KEYUP, key, 0xC0000001);
    if (shift)
        PostMessageA(control, WM_KEYUP, VK_SHIFT, 0xC0000001);
    if (ctrl)
        PostMessageA(control, WM_KEYUP, VK_CONTROL, 0xC0000001);
    Pump();
}

void Type(HWND control, const std::string& letters)
{
    for (char c : letters)
        Key(control, c == '\r' ? VK_RETURN : static_cast<UINT>(std::toupper(static_cast<unsigned char>(c))));
}

std::string TextOf(HWND control)
{
    char text[256] = "";
    SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

void Select(HWND control, int start, int end) { SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(start, end)); }

bool IsPalette(HWND dialog) { return GetDlgItem(dialog, IDC_EMBEDDING_NOTE) && GetDlgItem(dialog, CMD_SIZE_LIST); }

void ChooseListedFace(HWND tools, const char* face)
{
    HWND faces = GetDlgItem(tools, CMD_FONT_LIST);
    SendMessageA(faces, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(face));
    SendMessageA(tools, WM_COMMAND, MAKEWPARAM(CMD_FONT_LIST, CBN_SELCHANGE), reinterpret_cast<LPARAM>(faces));
}

HWND ToolsOf(HWND)
{
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM out) {
            if (IsPalette(window)) {
                *reinterpret_cast<HWND*>(out) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

bool IsBranchDialog(HWND dialog)
{
    return GetDlgItem(dialog, IDC_BRANCH_TIP_TEXT) && GetDlgItem(dialog, IDC_BRANCH_TARGET) &&
           !GetDlgItem(dialog, IDC_EMBEDDING_NOTE);
}

TEXTE* TextOfPage(PageHost& host)
{
    OBJET* top = KernGetTopObjet(host);
    return top && top->GetChildItems() ? static_cast<TEXTE*>(top->GetChild(0)) : nullptr;
}

namespace {

// "a.pag" of the host shown.
void ShowFirstPage(PageHost& host)
{
    ShowWindow(host.view, SW_SHOWNA);
    ShowWindow(host.host, SW_SHOWNA);
    ASSERT_EQ(1, host.Go("a.pag"));
}

// The palette and the font list's box are no questions.
bool IsAnswered(HWND dialog)
{
    if (IsPalette(dialog))
        return false;
    return GetDlgItem(dialog, IDOK) || GetDlgItem(dialog, IDYES) || GetDlgItem(dialog, IDNO) || IsBranchDialog(dialog);
}

}  // namespace

int RunEditor(PageHost& host, const EditorScript& script, const DialogAnswer& answer, std::vector<std::string>* captions)
{
    TEXTE* text = TextOfPage(host);
    EXPECT_NE(nullptr, text);
    if (!text)
        return -1;
    DialogDriver driver(
        IDC_EDIT_TEXT,
        [&](HWND frame) {
            Pump();
            script(Editor{frame, GetDlgItem(frame, IDC_EDIT_TEXT), ToolsOf(frame)});
        },
        [&](HWND dialog) { return IsAnswered(dialog) ? answer(dialog) : 0; });
    const int result = text->Modify();
    EXPECT_TRUE(driver.Ran());
    if (captions) {
        captions->clear();
        for (const ShownDialog& dialog : driver.Shown())
            captions->push_back(dialog.caption);
    }
    return result;
}

void SetUpEditorPages(PageHost& host)
{
    PluginModule(Module);
    host.pub.Write("b.pag", PageFile({ObjectRecord("QXSHEET.DLL", 0, "page", NoBranch(), PageBlock("B", 1, 2, 3))}));
    host.pub.Write("a.pag", PageFile({ObjectRecord("QXSHEET.DLL", 1, "page", NoBranch(), PageBlock("A", 255, 255, 255)),
                                      EmptyTextRecord()}));
    ShowFirstPage(host);
}

void ReadEditorPagesAgain(const PageHost& saved, PageHost& again)
{
    for (const char* page : {"a.pag", "b.pag"})
        again.pub.Write(page, saved.pub.Read(page));
    ShowFirstPage(again);
}

void EditWindow::SetUp() { SetUpEditorPages(host_); }

int EditWindow::Edit(PageHost& host, const std::function<void(HWND frame, HWND control, HWND tools)>& script,
                     const DialogAnswer& answer)
{
    return RunEditor(
        host, [&](const Editor& editor) { script(editor.frame, editor.control, editor.tools); }, answer,
        &shownCaptions_);
}

bool EditWindow::Asked(const std::string& caption) const
{
    for (const std::string& shown : shownCaptions_)
        if (shown == caption)
            return true;
    return false;
}

std::string EditWindow::EditedText(PageHost& host)
{
    std::string shown;
    Edit(host, [&](HWND, HWND edit, HWND tools) {
        shown = TextOf(edit);
        Click(tools, CMD_CANCEL);
    });
    return shown;
}
