// The state that the branch dialogs share: which branch they edit for which kernel, hung on
// each dialog window while it runs, and the working copies through which they change the branch.
#pragma once

#include "../runtime/branch.h"
#include "../runtime/kernelprocess.h"
#include "qxsupport.h"

#include <memory>

struct BRANCHDIALOG {
    int row;           // row of the return-code list being edited; -1 for a new conditional branch
    int creatorIndex;  // the kernel's page creator that "Nouvelle page" calls
    KERNEL* kernel;
    BRANCH* branch;    // the branch being edited: the working copy of the dialog's caller
};

// The window property that holds the state on each branch dialog.
constexpr char BRANCHDIALOG_PROPERTY[] = "DATA";

inline BRANCHDIALOG* GetBranchDialog(HWND dialog)
{
    return static_cast<BRANCHDIALOG*>(GetPropA(dialog, BRANCHDIALOG_PROPERTY));
}

// Runs the kernel's dialog `name` modal over `owner` on the state's branch; the dialog's
// result, 0 for a state without a branch or a dialog that could not be shown.
inline INT_PTR RunBranchDialog(HWND owner, const char* name, DLGPROC procedure, BRANCHDIALOG* state)
{
    if (!state || !state->branch)
        return 0;
    const MODALDIALOG dialog(KernProcess().module, owner, name, procedure, reinterpret_cast<LPARAM>(state));
    return dialog.result > 0 ? dialog.result : 0;
}

// A fresh branch of the kernel (window state 1, independent, no action) made equal to `branch`.
inline std::unique_ptr<BRANCH> WorkingCopy(KERNEL* kernel, const BRANCH& branch)
{
    auto copy = std::make_unique<BRANCH>(kernel);
    *copy = branch;
    return copy;
}

// A built-in action is chosen: the kernel's empty action (id 0) counts as none.
inline bool HasAction(const BRANCH& branch) { return branch.gadget && branch.gadget->id != 0; }

inline void ClearAction(BRANCH& branch)
{
    delete branch.gadget;
    branch.gadget = nullptr;
}

// The action goes with the target, which held its text or a file it replaces.
inline void ClearActionAndTarget(BRANCH& branch)
{
    ClearAction(branch);
    branch.target = "";
}
