// The check that the branch dialogs run on every change of the target text: whether the
// target can be reached, and whether program options apply to it.
#include "branchedit.h"

#include "branchedit_res.h"
#include "branchstate.h"
#include "qxpath.h"

namespace {

// A page or an unusable target starts no program: its program options go back to those of
// a new branch's program.
void ResetProgramOptions(BRANCH& branch)
{
    branch.windowState = SW_SHOWNORMAL;
    branch.execMode = QX_EXEC_DEPENDENT;
    branch.secondText = "";
}

bool IsPageExtension(const QXSTRING& extension) { return _strnicmp(extension, ".PAG", 4) == 0; }

}  // namespace

int KernValidateBranchTarget(HWND dialog, BRANCH* branch)
{
    if (!branch)
        return 0;
    const HWND options = GetDlgItem(dialog, IDC_BRANCH_PROGRAM_OPTIONS);
    if (branch->target.length() == 0) {
        EnableWindow(options, FALSE);
        ClearAction(*branch);
        return 0;
    }
    if (HasAction(*branch)) {
        EnableWindow(options, FALSE);
        return 1;
    }
    QXSTRING extension;
    if (!ValidateFileNameStr(branch->target, &extension)) {
        ResetProgramOptions(*branch);
        EnableWindow(options, FALSE);
        return 0;
    }
    if (IsPageExtension(extension)) {
        ResetProgramOptions(*branch);
        EnableWindow(options, FALSE);
        return 1;
    }
    EnableWindow(options, TRUE);
    return 1;
}
