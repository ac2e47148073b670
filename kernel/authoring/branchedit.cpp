// The branch dialog "RC_D_KERNBRANCH" and the entry points that edit a branch.
#include "branchedit.h"

#include "branchedit_res.h"
#include "branchfields.h"
#include "branchfiles.h"
#include "undo.h"
#include "../runtime/kernel.h"
#include "../runtime/kernelres.h"
#include "../runtime/objet.h"
#include "qxsupport.h"

#include <cstdio>
#include <memory>

namespace {

constexpr int DelayChars = 5;

// The radio buttons of the kinds, in the order in which OK reads them: the last one checked wins.
constexpr struct {
    int id;
    int kind;
} KindButtons[] = {
    {IDC_BRANCH_KIND_NONE, QX_BRANCH_ORDINARY},
    {IDC_BRANCH_KIND_FORWARD, QX_BRANCH_DEFAULT_FORWARD},
    {IDC_BRANCH_KIND_BACK, QX_BRANCH_DEFAULT_BACK},
};

void ShowOwnFields(HWND dialog, const BRANCH& branch)
{
    char delay[32];
    std::snprintf(delay, sizeof delay, "%-5.1lf", branch.delay);
    SendDlgItemMessageA(dialog, IDC_BRANCH_DELAY, EM_LIMITTEXT, DelayChars, 0);
    SetDlgItemTextA(dialog, IDC_BRANCH_DELAY, delay);
    for (const auto& button : KindButtons) {
        if (button.kind == branch.kind)
            CheckDlgButton(dialog, button.id, BST_CHECKED);
    }
}

// A delay outside 0 to 60 seconds is brought inside: a negative one would arm a timer of
// nearly fifty days. Text that does not start with a number leaves the delay as it was.
void ReadDelay(HWND dialog, BRANCH& working)
{
    char text[500] = "";
    GetDlgItemTextA(dialog, IDC_BRANCH_DELAY, text, sizeof text);
    double delay = 0.0;
    if (std::sscanf(text, "%lf", &delay) != 1)
        return;
    working.delay = QxBoundedDelay(delay);
}

void OnOk(HWND dialog, BRANCHDIALOG& state)
{
    auto working = WorkingCopy(state.kernel, *state.branch);
    for (const auto& button : KindButtons) {
        if (IsDlgButtonChecked(dialog, button.id) == BST_CHECKED)
            working->kind = button.kind;
    }
    ReadDelay(dialog, *working);
    ReadBranchFields(dialog, state.kernel, *working);
    *state.branch = *working;
    EndDialog(dialog, 1);
}

// The delay and kind controls; the action-text flag is this dialog's own (the conditional
// branch dialog has another).
BRANCHFIELDSDIALOG form{ShowOwnFields, OnOk, 0};

INT_PTR CALLBACK BranchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return BranchFieldsDialogMessage(form, dialog, message, wParam, lParam);
}

// A page has at most one default forward and one default back branch.
void ResetOtherDefault(KERNEL* kernel, const BRANCH* edited, int kind)
{
    if (BRANCH* other = KernPageBranchOfKind(kernel, kind, edited))
        other->kind = QX_BRANCH_ORDINARY;
}

// The first branch the user made on the object, null when none.
BRANCH* UserBranch(OBJET* object)
{
    for (int i = 0; i < object->GetBranchItems(); ++i) {
        BRANCH* branch = object->GetBranch(i);
        if (branch && branch->pluginMark == 0)
            return branch;
    }
    return nullptr;
}

}  // namespace

INT_PTR KernBranchTo(KERNEL* kernel, HWND owner, BRANCH* branch)
{
    if (!kernel || !branch)
        return 0;
    auto working = WorkingCopy(kernel, *branch);
    BRANCHDIALOG state{0, 0, kernel, working.get()};
    const INT_PTR result = RunBranchDialog(owner, "RC_D_KERNBRANCH", BranchDialogProc, &state);
    if (!result)
        return 0;
    if (working->kind == QX_BRANCH_DEFAULT_FORWARD || working->kind == QX_BRANCH_DEFAULT_BACK)
        ResetOtherDefault(kernel, branch, working->kind);
    *branch = *working;
    return result;
}

INT_PTR KernBranchToPage(KERNEL* kernel, HWND owner, BRANCH* branch)
{
    if (!kernel || !branch)
        return 0;
    auto working = WorkingCopy(kernel, *branch);
    if (HasAction(*working))
        ClearActionAndTarget(*working);
    QXSTRING chosen;
    if (!AskBranchFile(owner, kernel, working->target, {IDS_PAGE_FILTER}, &chosen) ||
        !IsBranchablePage(owner, kernel, chosen))
        return 0;
    working->target = chosen;
    *branch = *working;
    return 1;
}

void KernSetBranchSelectObject(KERNEL* kernel)
{
    if (!kernel)
        return;
    const int selected = kernel->selection.Items();
    if (selected != 1) {
        BranchWarning(KernGetAppWindow(kernel), IDS_WARNING, selected == 0 ? IDS_SELECT_ONE_OBJECT : IDS_SELECT_ONLY_ONE_OBJECT);
        return;
    }
    OBJET* object = kernel->selection.GetObjet(0);
    BRANCH* branch = object ? UserBranch(object) : nullptr;
    if (!branch)
        return;
    // The object's record is kept before the dialog can change it, and listed only when it did.
    auto before = std::make_unique<UNDO_MODIFY>(object);
    if (!KernBranchTo(kernel, KernGetAppWindow(kernel), branch))
        return;
    KernUndoPush(kernel, new UNDO_MARK_BEGIN(kernel));
    KernUndoPush(kernel, before.release());
    KernUndoPush(kernel, new UNDO_MARK_END(kernel));
}
