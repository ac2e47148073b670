// The editor on a shown page for the rulers, tabs, bullets and navigation tests.
#include <gtest/gtest.h>

#include "session_fixture.h"

#include "dialogdriver.h"
#include "dialogsres.h"
#include "editwindow_res.h"
#include "pagefiles.h"
#include "plugintest.h"
#include "rte_edit_control.h"
#include "tabruler.h"

#include <cctype>

namespace {

// A text object of the page without text yet.
RecordLines EmptyTextRecord()
{
    return ObjectRecord("QXTEXT.DLL", 0, "texte", NoBranch(),
                        {"TEXTE {", "20.00     20.00     300.00    120.00", "NULL", "0       0       0       0",
                         "100.00", "255     255     255     0", "TXBRMSG [", "]", "}"});
}

void Show(PageHost& host)
{
    ShowWindow(host.view, SW_SHOWNA);
    ShowWindow(host.host, SW_SHOWNA);
    ASSERT_EQ(1, host.Go("a.pag"));
}

// The target's edit in the kernel's branch dialog.
constexpr int KernelTarget = 104;

// The palette, found by its size list and embedding note among the thread's windows.
HWND ToolsWindow()
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
    return found;
}

// The palette and the font list's box are shown on their own: no one answers them.
bool IsAnswered(HWND dialog)
{
    if (GetDlgItem(dialog, IDC_EMBEDDING_NOTE))
        return false;
    return GetDlgItem(dialog, IDOK) || GetDlgItem(dialog, IDYES) || GetDlgItem(dialog, IDNO);
}

}  // namespace

void EditorSession::SetUp()
{
    PluginModule("qxtext40.dll");
    host_ = std::make_unique<PageHost>();
    host_->pub.Write("b.pag", PageFile({ObjectRecord("QXSHEET.DLL", 0, "page", NoBranch(), PageBlock("B", 1, 2, 3))}));
    host_->pub.Write("a.pag", PageFile({ObjectRecord("QXSHEET.DLL", 1, "page", NoBranch(), PageBlock("A", 255, 255, 255)),
                                        EmptyTextRecord()}));
    Show(*host_);
}

int EditorSession::Edit(const Script& script, const Answer& answer) { return Edit(*host_, script, answer); }

int EditorSession::Edit(PageHost& host, const Script& script, const Answer& answer)
{
    TEXTE* text = TextOfPage(host);
    EXPECT_NE(nullptr, text);
    if (!text)
        return -1;
    DialogDriver driver(
        IDC_EDIT_TEXT,
        [&](HWND frame) {
            // The script runs before the modal loop first goes idle, where it would show the
            // frame: shown here so that what the frame holds paints.
            ShowWindow(frame, SW_SHOWNA);
            Pump();
            script(Editor{frame, GetDlgItem(frame, IDC_EDIT_TEXT), ToolsWindow()});
        },
        [&](HWND dialog) { return IsAnswered(dialog) ? answer(dialog) : 0; });
    const int result = text->Modify();
    EXPECT_TRUE(driver.Ran());
    return result;
}

void EditorSession::Reload()
{
    ASSERT_EQ(1, KernSave(*host_));
    auto again = std::make_unique<PageHost>();
    for (const char* page : {"a.pag", "b.pag"})
        again->pub.Write(page, host_->pub.Read(page));
    Show(*again);
    host_ = std::move(again);
}

TEXTE* EditorSession::TextOfPage(PageHost& host)
{
    OBJET* top = KernGetTopObjet(host);
    return top && top->GetChildItems() ? static_cast<TEXTE*>(top->GetChild(0)) : nullptr;
}

void EditorSession::Pump()
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

void EditorSession::Key(HWND control, UINT key, bool ctrl, bool shift)
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

void EditorSession::Type(HWND control, const std::string& text)
{
    for (char c : text)
        Key(control, c == '\r' ? VK_RETURN : static_cast<UINT>(std::toupper(static_cast<unsigned char>(c))));
}

void EditorSession::Command(const Editor& editor, int command)
{
    PostMessageA(editor.tools, WM_COMMAND, command, 0);
    Pump();
}

void EditorSession::ClickAt(HWND control, POINT point)
{
    const LPARAM at = MAKELPARAM(point.x, point.y);
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(control, WM_LBUTTONUP, 0, at);
    Pump();
}

std::string EditorSession::TextOf(HWND control)
{
    char text[256] = "";
    SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

std::pair<int, int> EditorSession::Selection(HWND control)
{
    int32_t pair[2]{};
    SendMessageA(control, RTEM_GETSEL, 0, reinterpret_cast<LPARAM>(pair));
    return {pair[0], pair[1]};
}

void EditorSession::Select(HWND control, int start, int end)
{
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(start, end));
}

POINT EditorSession::PointOf(HWND control, int offset)
{
    RteCaretRecord record{};
    record.offset = offset;
    SendMessageA(control, RTEM_CARETRECT, 0, reinterpret_cast<LPARAM>(&record));
    return {record.rect.left, (record.rect.top + record.rect.bottom) / 2};
}

std::vector<HWND> EditorSession::Rulers(HWND frame)
{
    std::vector<HWND> rulers;
    for (HWND ruler = FindWindowExA(frame, nullptr, QX_TABRULER_CLASS, nullptr); ruler;
         ruler = FindWindowExA(frame, ruler, QX_TABRULER_CLASS, nullptr))
        rulers.push_back(ruler);
    return rulers;
}

BranchLinker::BranchLinker(std::string target) : target_(std::move(target)) { active = this; }

BranchLinker::~BranchLinker() { active = nullptr; }

void BranchLinker::Link(const EditorSession::Editor& editor, int start, int end, const char* tip)
{
    tip_ = tip;
    EditorSession::Select(editor.control, start, end);
    EditorSession::Command(editor, CMD_BRANCH);
}

int BranchLinker::Answer(HWND dialog)
{
    // Both dialogs have a control 117: they are told apart by their captions.
    const std::string caption = WindowText(dialog);
    if (caption == "Branchement") {
        SetText(dialog, IDC_BRANCH_TIP_TEXT, tip_);
        branchDialog_ = dialog;
        return IDC_BRANCH_TARGET_BUTTON;
    }
    if (caption == "Options de branchement") {
        SetText(dialog, KernelTarget, target_);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(KernelTarget, EN_CHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, KernelTarget)));
        kernelDialog_ = dialog;
        SetTimer(nullptr, 0, 1, ConfirmOnceTargetChosen);
    }
    return IDOK;
}

void CALLBACK BranchLinker::ConfirmOnceTargetChosen(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (!active || IsWindow(active->kernelDialog_))
        return;
    KillTimer(nullptr, timer);
    PostMessageA(active->branchDialog_, WM_COMMAND, IDOK, 0);
}
