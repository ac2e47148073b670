// The program options dialog "EXEOPTIONS": parameters or verb, window state, execution mode,
// and for a dependent program the list of return-code branches, each row owning a copy of
// its branch until OK hands the copies to the edited branch.
#include "progoptions.h"

#include "branchedit_res.h"
#include "condbranch.h"
#include "../runtime/help.h"
#include "qxfiletypes.h"
#include "qxpath.h"
#include "qxsupport.h"

#include <algorithm>
#include <initializer_list>

namespace {

constexpr int FileChars = 500;
constexpr char LayoutProperty[] = "PROGDEP";
constexpr char DefaultVerb[] = "open";

// The dependent layout shows the return-code list below the options: the dialog is this much
// taller, and only one of the two button rows shows.
constexpr int ListLayoutHeight = 165;
constexpr int DependentLayout = 1;
constexpr int IndependentLayout = 0;
constexpr int ShortLayoutItems[] = {IDC_EXE_SHORT_OK, IDC_EXE_SHORT_CANCEL, IDC_EXE_SHORT_HELP};
constexpr int ListLayoutItems[] = {IDC_EXE_LIST_GROUP, IDC_EXE_CODE_HEAD, IDC_EXE_BRANCH_HEAD, IDC_EXE_LIST, IDC_EXE_EDIT,
                                   IDC_EXE_DELETE, IDC_EXE_ADD, IDOK, IDCANCEL, IDC_EXE_HELP};

constexpr struct {
    int id;
    int state;
} WindowStateButtons[] = {{IDC_EXE_MINIMISED, SW_SHOWMINIMIZED}, {IDC_EXE_NORMAL, SW_SHOWNORMAL}, {IDC_EXE_MAXIMISED, SW_SHOWMAXIMIZED}};

HWND List(HWND dialog) { return GetDlgItem(dialog, IDC_EXE_LIST); }
int Rows(HWND dialog) { return static_cast<int>(SendMessageA(List(dialog), LB_GETCOUNT, 0, 0)); }
int SelectedRow(HWND dialog) { return static_cast<int>(SendMessageA(List(dialog), LB_GETCURSEL, 0, 0)); }

BRANCH* RowBranch(HWND dialog, int row)
{
    const LRESULT data = SendMessageA(List(dialog), LB_GETITEMDATA, static_cast<WPARAM>(row), 0);
    return data == LB_ERR ? nullptr : reinterpret_cast<BRANCH*>(data);
}

bool IsProgram(const char* target)
{
    QXSTRING extension;
    QXfnsplitStr(target, nullptr, nullptr, nullptr, &extension);
    return lstrcmpiA(extension, ".exe") == 0;
}

QXSTRING RowText(const BRANCH& branch)
{
    const bool action = branch.gadget && branch.gadget->id != 0;
    const char* what = action ? branch.gadget->label : static_cast<const char*>(branch.target);
    const char* prefix = action ? QX_GADGET_PREFIX : "";
    QXSTRING text;
    if (branch.defaultCode)
        text.Format("%s\t%s%s", static_cast<const char*>(KernString(IDS_DEFAULT_CODE_ROW)), prefix, what);
    else
        text.Format("%d\t\t%s%s", static_cast<int>(branch.code), prefix, what);
    return text;
}

// The widest row decides how far the list scrolls sideways.
void MeasureRows(HWND dialog)
{
    const HWND list = List(dialog);
    HDC dc = GetDC(list);
    const HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)));
    int widest = 0;
    for (int row = 0; row < Rows(dialog); ++row) {
        const QXSTRING text = RowText(*RowBranch(dialog, row));
        widest = std::max(widest, static_cast<int>(LOWORD(GetTabbedTextExtentA(dc, text, text.length(), 0, nullptr))));
    }
    SelectObject(dc, oldFont);
    ReleaseDC(list, dc);
    SendMessageA(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest), 0);
}

// The row that owns `branch`, at `row` or at the end (-1); the row's index, or a negative
// value when the list could not take it.
int InsertRow(HWND dialog, int row, BRANCH* branch)
{
    const QXSTRING text = RowText(*branch);
    const auto index = static_cast<int>(
        SendMessageA(List(dialog), LB_INSERTSTRING, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(static_cast<const char*>(text))));
    if (index >= 0)
        SendMessageA(List(dialog), LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(branch));
    return index;
}

void SelectRow(HWND dialog, int row)
{
    SendMessageA(List(dialog), LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_EXE_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(List(dialog)));
}

void ShowItems(HWND dialog, std::initializer_list<int> ids, bool show)
{
    for (const int id : ids)
        ShowWindow(GetDlgItem(dialog, id), show ? SW_SHOW : SW_HIDE);
}

void SwitchLayout(HWND dialog, int layout)
{
    auto* current = static_cast<int*>(GetPropA(dialog, LayoutProperty));
    if (!current || *current == layout)
        return;
    RECT frame;
    GetWindowRect(dialog, &frame);
    const int height = frame.bottom - frame.top + (layout == DependentLayout ? ListLayoutHeight : -ListLayoutHeight);
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (const int id : ShortLayoutItems)
        ShowWindow(GetDlgItem(dialog, id), layout == IndependentLayout ? SW_SHOW : SW_HIDE);
    for (const int id : ListLayoutItems)
        ShowWindow(GetDlgItem(dialog, id), layout == DependentLayout ? SW_SHOW : SW_HIDE);
    *current = layout;
}

// The verbs registered for the document's type, "open" alone when it has none; the first
// verb that begins with the branch's verb is selected, else "open", else the first.
void FillVerbs(HWND dialog, const BRANCH& branch)
{
    const HWND verbs = GetDlgItem(dialog, IDC_EXE_VERB);
    qutl_CRegFileType type;
    qutil_CActionList actions;
    if (type.SetFileName(branch.target) == QX_FILETYPE_OK)
        type.GetActions(&actions);
    for (int i = 0; i < actions.Items(); ++i)
        SendMessageA(verbs, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<const char*>(static_cast<QXStringNode*>(actions.GetItem(i))->string)));
    if (actions.Items() == 0)
        SendMessageA(verbs, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(DefaultVerb));
    const int count = static_cast<int>(SendMessageA(verbs, CB_GETCOUNT, 0, 0));
    const int wanted = branch.secondText.length();
    int chosen = -1;
    for (int i = 0; i < count && chosen < 0 && wanted > 0; ++i) {
        char verb[FileChars] = "";
        if (SendMessageA(verbs, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) < FileChars)
            SendMessageA(verbs, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(verb));
        if (_strnicmp(verb, branch.secondText, static_cast<size_t>(wanted)) == 0)
            chosen = i;
    }
    if (chosen < 0)
        chosen = static_cast<int>(SendMessageA(verbs, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(DefaultVerb)));
    SendMessageA(verbs, CB_SETCURSEL, static_cast<WPARAM>(chosen < 0 ? 0 : chosen), 0);
}

void OnInit(HWND dialog, BRANCHDIALOG* state)
{
    SetPropA(dialog, BRANCHDIALOG_PROPERTY, state);
    SetPropA(dialog, LayoutProperty, new int(DependentLayout));
    BRANCH& branch = *state->branch;
    if (IsProgram(branch.target)) {
        ShowItems(dialog, {IDC_EXE_VERB_LABEL, IDC_EXE_VERB}, false);
        SendDlgItemMessageA(dialog, IDC_EXE_PARAMS, EM_LIMITTEXT, FileChars - 1, 0);
        SetDlgItemTextA(dialog, IDC_EXE_PARAMS, branch.secondText);
    } else {
        ShowItems(dialog, {IDC_EXE_PARAMS_LABEL, IDC_EXE_PARAMS}, false);
        FillVerbs(dialog, branch);
    }
    const int stateButton = branch.windowState == SW_SHOWMAXIMIZED   ? IDC_EXE_MAXIMISED
                            : branch.windowState == SW_SHOWMINIMIZED ? IDC_EXE_MINIMISED
                                                                     : IDC_EXE_NORMAL;
    CheckDlgButton(dialog, stateButton, BST_CHECKED);
    const bool dependent = branch.execMode == QX_EXEC_DEPENDENT;
    CheckDlgButton(dialog, dependent ? IDC_EXE_DEPENDENT : IDC_EXE_INDEPENDENT, BST_CHECKED);
    SwitchLayout(dialog, dependent ? DependentLayout : IndependentLayout);
    // Every dependent program has its default branch: made here, and kept even on cancel.
    if (branch.codeBranches.Items() == 0) {
        auto* fallback = new BRANCH(state->kernel);
        fallback->defaultCode = 1;
        branch.codeBranches.AddTail(fallback);
    }
    for (int i = 0; i < branch.codeBranches.Items(); ++i) {
        auto copy = WorkingCopy(state->kernel, *branch.GetCodeBranch(i));
        if (InsertRow(dialog, -1, copy.get()) >= 0)
            copy.release();
    }
    MeasureRows(dialog);
    SelectRow(dialog, 0);
    if (Rows(dialog) == 0) {
        EnableWindow(GetDlgItem(dialog, IDC_EXE_EDIT), FALSE);
        EnableWindow(GetDlgItem(dialog, IDC_EXE_DELETE), FALSE);
    }
}

void OnSelectionChange(HWND dialog)
{
    const int row = SelectedRow(dialog);
    const BRANCH* branch = row >= 0 ? RowBranch(dialog, row) : nullptr;
    EnableWindow(GetDlgItem(dialog, IDC_EXE_EDIT), branch != nullptr);
    EnableWindow(GetDlgItem(dialog, IDC_EXE_DELETE), branch && !branch->defaultCode);
}

void OnEdit(HWND dialog, const BRANCHDIALOG& state)
{
    const int row = SelectedRow(dialog);
    BRANCH* branch = row >= 0 ? RowBranch(dialog, row) : nullptr;
    if (!branch)
        return;
    auto edited = WorkingCopy(state.kernel, *branch);
    BRANCHDIALOG rowState{row, 0, state.kernel, edited.get()};
    if (!RunConditionalBranch(dialog, &rowState))
        return;
    *branch = *edited;
    SendMessageA(List(dialog), LB_DELETESTRING, static_cast<WPARAM>(row), 0);
    InsertRow(dialog, row, branch);
    MeasureRows(dialog);
    SelectRow(dialog, row);
}

void OnAdd(HWND dialog, const BRANCHDIALOG& state)
{
    auto added = std::make_unique<BRANCH>(state.kernel);
    BRANCHDIALOG rowState{-1, 0, state.kernel, added.get()};
    if (!RunConditionalBranch(dialog, &rowState))
        return;
    const int row = InsertRow(dialog, -1, added.get());
    if (row < 0) {
        EnableWindow(GetDlgItem(dialog, IDC_EXE_EDIT), FALSE);
        EnableWindow(GetDlgItem(dialog, IDC_EXE_DELETE), FALSE);
        return;
    }
    added.release();
    SelectRow(dialog, row);
    MeasureRows(dialog);
}

// The default row stays: it is what a dependent program takes on any other code.
void OnDelete(HWND dialog)
{
    const int row = SelectedRow(dialog);
    BRANCH* branch = row >= 0 ? RowBranch(dialog, row) : nullptr;
    if (!branch || branch->defaultCode) {
        EnableWindow(GetDlgItem(dialog, IDC_EXE_DELETE), FALSE);
        return;
    }
    delete branch;
    SendMessageA(List(dialog), LB_DELETESTRING, static_cast<WPARAM>(row), 0);
    MeasureRows(dialog);
    const int rows = Rows(dialog);
    SelectRow(dialog, row < rows ? row : rows - 1);
    if (rows == 0)
        EnableWindow(GetDlgItem(dialog, IDC_EXE_EDIT), FALSE);
}

QXSTRING ChosenVerb(HWND dialog)
{
    const HWND verbs = GetDlgItem(dialog, IDC_EXE_VERB);
    const auto index = static_cast<int>(SendMessageA(verbs, CB_GETCURSEL, 0, 0));
    char verb[FileChars] = "";
    if (index >= 0 && SendMessageA(verbs, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0) < FileChars)
        SendMessageA(verbs, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(verb));
    return verb;
}

// The rows' branches become the branch's return-code branches, in row order.
void OnOk(HWND dialog, BRANCH& branch)
{
    if (IsProgram(branch.target)) {
        char parameters[FileChars] = "";
        GetDlgItemTextA(dialog, IDC_EXE_PARAMS, parameters, sizeof parameters);
        branch.secondText = parameters;
    } else {
        branch.secondText = ChosenVerb(dialog);
    }
    for (const auto& button : WindowStateButtons) {
        if (IsDlgButtonChecked(dialog, button.id) == BST_CHECKED)
            branch.windowState = button.state;
    }
    branch.execMode = IsDlgButtonChecked(dialog, IDC_EXE_DEPENDENT) == BST_CHECKED ? QX_EXEC_DEPENDENT : QX_EXEC_INDEPENDENT;
    branch.codeBranches.Clear();
    for (int row = 0; row < Rows(dialog); ++row) {
        branch.codeBranches.AddTail(RowBranch(dialog, row));
        SendMessageA(List(dialog), LB_SETITEMDATA, static_cast<WPARAM>(row), 0);
    }
    EndDialog(dialog, 1);
}

// Rows whose copies OK did not hand over are freed with the window.
void OnDestroy(HWND dialog)
{
    for (int row = 0; row < Rows(dialog); ++row)
        delete RowBranch(dialog, row);
    delete static_cast<int*>(RemovePropA(dialog, LayoutProperty));
    RemovePropA(dialog, BRANCHDIALOG_PROPERTY);
}

void OnCommand(HWND dialog, BRANCHDIALOG& state, int id, int notify)
{
    switch (id) {
    case IDC_EXE_LIST:
        if (notify == LBN_SELCHANGE)
            OnSelectionChange(dialog);
        else if (notify == LBN_DBLCLK)
            OnEdit(dialog, state);
        break;
    case IDC_EXE_EDIT:
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_EXE_LIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(List(dialog)));
        break;
    case IDC_EXE_ADD:
        OnAdd(dialog, state);
        break;
    case IDC_EXE_DELETE:
        OnDelete(dialog);
        break;
    case IDC_EXE_DEPENDENT:
        SwitchLayout(dialog, DependentLayout);
        break;
    case IDC_EXE_INDEPENDENT:
        SwitchLayout(dialog, IndependentLayout);
        break;
    case IDOK:
    case IDC_EXE_SHORT_OK:
        OnOk(dialog, *state.branch);
        break;
    case IDCANCEL:
    case IDC_EXE_SHORT_CANCEL:
        EndDialog(dialog, 0);
        break;
    case IDC_EXE_HELP:
    case IDC_EXE_SHORT_HELP:
        KernHelp(state.kernel, "progopts.pag");
        break;
    }
}

INT_PTR CALLBACK ExeOptionsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInit(dialog, reinterpret_cast<BRANCHDIALOG*>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (BRANCHDIALOG* state = GetBranchDialog(dialog))
            OnCommand(dialog, *state, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_DESTROY:
        OnDestroy(dialog);
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR RunExeOptions(HWND owner, BRANCHDIALOG* state)
{
    return RunBranchDialog(owner, "EXEOPTIONS", ExeOptionsProc, state);
}

bool IsReturnCodeTaken(HWND exeOptions, unsigned int code, int row)
{
    for (int i = 0; i < Rows(exeOptions); ++i) {
        const BRANCH* branch = RowBranch(exeOptions, i);
        if (branch && !branch->defaultCode && branch->code == code && i != row)
            return true;
    }
    return false;
}
