// The programmer options dialog "PROGOPTIONS": names the user library, the function in it and
// the parameter string; warns at OK when the library or the function cannot be found.
#include "programmer.h"

#include "branchedit_res.h"
#include "branchfiles.h"
#include "../runtime/help.h"
#include "../runtime/kernelres.h"
#include "qxsupport.h"

namespace {

constexpr int FileChars = 500;
constexpr int FunctionChars = 50;

QXSTRING ItemText(HWND dialog, int id, int size)
{
    char text[FileChars] = "";
    GetDlgItemTextA(dialog, id, text, size);
    return text;
}

void SetIfNotEmpty(HWND dialog, int id, const QXSTRING& text)
{
    if (text.length() > 0)
        SetDlgItemTextA(dialog, id, text);
}

void OnInit(HWND dialog, BRANCHDIALOG* state)
{
    SetPropA(dialog, BRANCHDIALOG_PROPERTY, state);
    SendDlgItemMessageA(dialog, IDC_PROG_FUNCTION, EM_LIMITTEXT, FunctionChars - 1, 0);
    SetIfNotEmpty(dialog, IDC_PROG_DLL, state->branch->dll);
    SetIfNotEmpty(dialog, IDC_PROG_FUNCTION, state->branch->function);
    SetIfNotEmpty(dialog, IDC_PROG_PARAMS, state->branch->parameter);
}

// Only warns: the names are kept whatever the check finds. The library is mapped without
// running its start-up code, since all that is wanted is its list of exports.
void WarnWhenUnreachable(HWND dialog, const char* dll, const char* function)
{
    const HMODULE library = LoadLibraryExA(dll, nullptr, DONT_RESOLVE_DLL_REFERENCES);
    if (!library) {
        if (GetLastError() == ERROR_BAD_EXE_FORMAT)
            KernAlert(dialog, IDS_DLL_NOT_FOUND_CAPTION, IDS_DLL_WRONG_ARCHITECTURE, dll);
        else
            KernAlert(dialog, IDS_DLL_NOT_FOUND_CAPTION, IDS_DLL_NOT_FOUND);
        return;
    }
    if (*function && !GetProcAddress(library, function))
        KernAlert(dialog, IDS_FUNCTION_NOT_FOUND_CAPTION, IDS_FUNCTION_NOT_FOUND);
    FreeLibrary(library);
}

void OnOk(HWND dialog, BRANCH& branch)
{
    const QXSTRING dll = ItemText(dialog, IDC_PROG_DLL, FileChars);
    const QXSTRING function = ItemText(dialog, IDC_PROG_FUNCTION, FunctionChars);
    const QXSTRING parameter = ItemText(dialog, IDC_PROG_PARAMS, FileChars);
    if (dll.length() > 0)
        WarnWhenUnreachable(dialog, dll, function);
    branch.dll = dll;
    branch.function = function;
    branch.parameter = parameter;
    EndDialog(dialog, 1);
}

void OnBrowse(HWND dialog, const BRANCHDIALOG& state)
{
    QXSTRING chosen;
    if (AskLibraryFile(dialog, state.kernel, state.branch->dll, &chosen))
        SetDlgItemTextA(dialog, IDC_PROG_DLL, chosen);
}

INT_PTR CALLBACK ProgrammerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInit(dialog, reinterpret_cast<BRANCHDIALOG*>(lParam));
        return TRUE;
    case WM_COMMAND: {
        BRANCHDIALOG* state = GetBranchDialog(dialog);
        if (!state)
            return TRUE;
        switch (LOWORD(wParam)) {
        case IDOK:
            OnOk(dialog, *state->branch);
            break;
        case IDCANCEL:
            EndDialog(dialog, 0);
            break;
        case IDC_PROG_BROWSE:
            OnBrowse(dialog, *state);
            break;
        case IDC_PROG_REMOVE_DLL:
            SetDlgItemTextA(dialog, IDC_PROG_DLL, "");
            break;
        case IDC_PROG_HELP:
            KernHelp(state->kernel, "index.pag");
            break;
        }
        return TRUE;
    }
    case WM_DESTROY:
        RemovePropA(dialog, BRANCHDIALOG_PROPERTY);
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR RunProgrammerOptions(HWND owner, BRANCHDIALOG* state)
{
    return RunBranchDialog(owner, "PROGOPTIONS", ProgrammerProc, state);
}
