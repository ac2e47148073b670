// The conditional branch dialog "IDD_PROGCONDBRANCH": the return code, then the same target,
// sound and parameter controls as the branch dialog.
#include "condbranch.h"

#include "branchedit_res.h"
#include "branchfields.h"
#include "branchfiles.h"
#include "progoptions.h"
#include "qxsupport.h"

#include <cctype>
#include <cstdlib>

namespace {

constexpr int CodeChars = 5;

void ShowOwnFields(HWND dialog, const BRANCH& branch)
{
    const HWND code = GetDlgItem(dialog, IDC_CONDBRANCH_CODE);
    SendMessageA(code, EM_LIMITTEXT, CodeChars, 0);
    if (branch.defaultCode) {
        SetWindowTextA(code, KernString(IDS_DEFAULT_CODE_ROW));
        EnableWindow(code, FALSE);
    } else {
        QXSTRING text;
        text.Format("%d", static_cast<int>(branch.code));
        SetWindowTextA(code, text);
        EnableWindow(code, TRUE);
    }
}

// A number, with nothing but white space after it; an empty field is no number either.
bool ReadCode(HWND dialog, unsigned int* code)
{
    char text[32] = "";
    GetDlgItemTextA(dialog, IDC_CONDBRANCH_CODE, text, sizeof text);
    char* rest = nullptr;
    const long value = std::strtol(text, &rest, 10);
    if (rest == text)
        return false;
    while (std::isspace(static_cast<unsigned char>(*rest)))
        ++rest;
    if (*rest)
        return false;
    *code = static_cast<unsigned int>(static_cast<int>(value));
    return true;
}

void OnOk(HWND dialog, BRANCHDIALOG& state)
{
    auto working = WorkingCopy(state.kernel, *state.branch);
    if (!working->defaultCode) {
        unsigned int code = 0;
        if (!ReadCode(dialog, &code)) {
            BranchWarning(dialog, IDS_BAD_CODE_CAPTION, IDS_BAD_CODE);
            return;
        }
        if (IsReturnCodeTaken(GetWindow(dialog, GW_OWNER), code, state.row)) {
            BranchWarning(dialog, IDS_CODE_TAKEN_CAPTION, IDS_CODE_TAKEN);
            return;
        }
        working->code = code;
    }
    ReadBranchFields(dialog, state.kernel, *working);
    *state.branch = *working;
    EndDialog(dialog, 1);
}

// The return code; the action-text flag is this dialog's own (the branch dialog has another).
BRANCHFIELDSDIALOG form{ShowOwnFields, OnOk, 0};

INT_PTR CALLBACK ConditionalBranchProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return BranchFieldsDialogMessage(form, dialog, message, wParam, lParam);
}

}  // namespace

INT_PTR RunConditionalBranch(HWND owner, BRANCHDIALOG* state)
{
    return RunBranchDialog(owner, "IDD_PROGCONDBRANCH", ConditionalBranchProc, state);
}
