// The editor on a shown page for the rulers, tabs, bullets and navigation tests.
#include <gtest/gtest.h>

#include "session_fixture.h"

#include "dialogdriver.h"
#include "dialogsres.h"
#include "editwindow_res.h"
#include "rte_edit_control.h"
#include "tabruler.h"

namespace {

// The target's edit in the kernel's branch dialog.
constexpr int KernelTarget = 104;

}  // namespace

void EditorSession::SetUp()
{
    host_ = std::make_unique<PageHost>();
    SetUpEditorPages(*host_);
}

int EditorSession::Edit(const Script& script, const Answer& answer) { return Edit(*host_, script, answer); }

int EditorSession::Edit(PageHost& host, const Script& script, const Answer& answer)
{
    return RunEditor(host, script, answer);
}

void EditorSession::Reload()
{
    ASSERT_EQ(1, KernSave(*host_));
    auto again = std::make_unique<PageHost>();
    ReadEditorPagesAgain(*host_, *again);
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
