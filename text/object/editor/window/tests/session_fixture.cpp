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

namespace {

void Show(PageHost& host)
{
    ShowWindow(host.view, SW_SHOWNA);
    ShowWindow(host.host, SW_SHOWNA);
    ASSERT_EQ(1, host.Go("a.pag"));
}

// The target's edit in the kernel's branch dialog.
constexpr int KernelTarget = 104;

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
            Pump();
            script(Editor{frame, GetDlgItem(frame, IDC_EDIT_TEXT), ToolsOf(frame)});
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

std::pair<int, int> EditorSession::Selection(HWND control)
{
    int32_t pair[2]{};
    SendMessageA(control, RTEM_GETSEL, 0, reinterpret_cast<LPARAM>(pair));
    return {pair[0], pair[1]};
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
    Select(editor.control, start, end);
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
