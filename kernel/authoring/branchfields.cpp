// The target and sound controls shared by the two branch dialogs, and the messages of both.
#include "branchfields.h"

#include "branchedit.h"
#include "branchedit_res.h"
#include "branchfiles.h"
#include "gadgetdialog.h"
#include "progoptions.h"
#include "programmer.h"
#include "soundchooser.h"
#include "../runtime/accessors.h"
#include "../runtime/help.h"
#include "../runtime/kernel.h"

namespace {

constexpr int FileChars = 500;
constexpr int TargetLimit = 499;

QXSTRING ItemText(HWND dialog, int id)
{
    char text[FileChars] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void EnableIfText(HWND dialog, int button, const char* text) { EnableWindow(GetDlgItem(dialog, button), *text != '\0'); }

void ShowTarget(HWND dialog, const char* target)
{
    SetDlgItemTextA(dialog, IDC_BRANCH_TARGET, target);
    EnableIfText(dialog, IDC_BRANCH_REMOVE, target);
}

void ShowActionText(HWND dialog, const BRANCH& branch, ACTIONTEXTFLAG& actionText)
{
    QXSTRING text;
    text.Format("%s%s", QX_GADGET_PREFIX, branch.gadget ? branch.gadget->label : "");
    actionText = 1;
    ShowTarget(dialog, text);
}

void ShowSound(HWND dialog, const char* sound)
{
    SetDlgItemTextA(dialog, IDC_BRANCH_SOUND, sound);
    EnableIfText(dialog, IDC_BRANCH_REMOVE_SOUND, sound);
}

void OnNewPage(HWND dialog, BRANCHDIALOG& state)
{
    auto* creator = static_cast<BASEOBJ*>(state.kernel->baseObjects.GetItem(state.creatorIndex));
    if (!creator || !creator->create)
        return;
    // The target may come from a page file of any length: the creator gets its buffer's worth.
    char page[FileChars];
    lstrcpynA(page, state.branch->target, sizeof page);
    if (!creator->create(state.kernel, page, sizeof page, dialog))
        return;
    state.branch->SetFilename(page);
    ClearAction(*state.branch);
    ShowTarget(dialog, page);
}

void OnExistingFile(HWND dialog, BRANCHDIALOG& state)
{
    // The action and its target go only once a file is taken.
    auto working = WorkingCopy(state.kernel, *state.branch);
    if (HasAction(*working))
        ClearActionAndTarget(*working);
    QXSTRING chosen;
    if (!AskBranchFile(dialog, state.kernel, working->target, {IDS_PAGE_FILTER, IDS_PROGRAM_FILTER, IDS_REGISTERED_TYPES_FILTER},
                       &chosen) ||
        (HasPageExtension(chosen) && !IsBranchablePage(dialog, state.kernel, chosen)))
        return;
    working->target = chosen;
    *state.branch = *working;
    ShowTarget(dialog, chosen);
}

void OnSpecial(HWND dialog, BRANCHDIALOG& state, ACTIONTEXTFLAG& actionText)
{
    auto working = WorkingCopy(state.kernel, *state.branch);
    if (!RunGadgetDialog(dialog, working.get()))
        return;
    *state.branch = *working;
    ShowActionText(dialog, *state.branch, actionText);
}

void OnRemove(HWND dialog, BRANCH& branch)
{
    ClearActionAndTarget(branch);
    ShowTarget(dialog, "");
}

void OnTargetEdited(HWND dialog, BRANCH& branch, ACTIONTEXTFLAG& actionText)
{
    if (!actionText && HasAction(branch)) {
        // Typing over an action's text starts a new target from nothing.
        ClearActionAndTarget(branch);
        actionText = 1;
        ShowTarget(dialog, "");
    }
    actionText = 0;
    branch.target = ItemText(dialog, IDC_BRANCH_TARGET);
    KernValidateBranchTarget(dialog, &branch);
}

void OnSoundFile(HWND dialog, const BRANCHDIALOG& state)
{
    QXSTRING chosen;
    if (AskSoundFile(dialog, state.kernel, ItemText(dialog, IDC_BRANCH_SOUND), &chosen))
        ShowSound(dialog, chosen);
}

void OnLibrarySound(HWND dialog, const BRANCHDIALOG& state)
{
    char sound[FileChars] = "";
    if (KernChooseSoundTemplate(dialog, state.kernel, sound))
        ShowSound(dialog, sound);
}

}  // namespace

void ShowBranchFields(HWND dialog, const BRANCHDIALOG& state, ACTIONTEXTFLAG& actionText)
{
    const BRANCH& branch = *state.branch;
    // A flag left set by a dialog that ended before its field told of its last text.
    actionText = 0;
    SendDlgItemMessageA(dialog, IDC_BRANCH_TARGET, EM_LIMITTEXT, TargetLimit, 0);
    if (HasAction(branch))
        ShowActionText(dialog, branch, actionText);
    else
        ShowTarget(dialog, branch.target);
    ShowSound(dialog, branch.sound);
    ShowWindow(GetDlgItem(dialog, IDC_BRANCH_PROGRAMMER), SW_HIDE);
    if (KernGetProgOptions(state.kernel)) {
        char parameter[FileChars];
        lstrcpynA(parameter, branch.parameter, sizeof parameter);
        if (*parameter)
            SetDlgItemTextA(dialog, IDC_BRANCH_PARAMS, parameter);
    } else {
        for (const int id : {IDC_BRANCH_PARAMS_FRAME, IDC_BRANCH_PARAMS_LABEL, IDC_BRANCH_PARAMS})
            ShowWindow(GetDlgItem(dialog, id), SW_HIDE);
    }
}

bool OnBranchFieldCommand(HWND dialog, BRANCHDIALOG& state, int id, int notify, ACTIONTEXTFLAG& actionText)
{
    switch (id) {
    case IDC_BRANCH_NEW_PAGE:
        OnNewPage(dialog, state);
        return true;
    case IDC_BRANCH_EXISTING:
        OnExistingFile(dialog, state);
        return true;
    case IDC_BRANCH_SPECIAL:
        OnSpecial(dialog, state, actionText);
        return true;
    case IDC_BRANCH_REMOVE:
        OnRemove(dialog, *state.branch);
        return true;
    case IDC_BRANCH_TARGET:
        if (notify == EN_CHANGE)
            OnTargetEdited(dialog, *state.branch, actionText);
        return true;
    case IDC_BRANCH_SOUND_FILE:
        OnSoundFile(dialog, state);
        return true;
    case IDC_BRANCH_LIBRARY_SOUND:
        OnLibrarySound(dialog, state);
        return true;
    case IDC_BRANCH_REMOVE_SOUND:
        ShowSound(dialog, "");
        return true;
    case IDC_BRANCH_PROGRAMMER:
        RunProgrammerOptions(dialog, &state);
        return true;
    case IDC_BRANCH_PROGRAM_OPTIONS:
        RunExeOptions(dialog, &state);
        return true;
    case IDC_BRANCH_HELP:
        KernHelp(state.kernel, "advbrnch.pag");
        return true;
    case IDCANCEL:
        EndDialog(dialog, 0);
        return true;
    default:
        return false;
    }
}

void ReadBranchFields(HWND dialog, KERNEL* kernel, BRANCH& working)
{
    if (!HasAction(working) && working.target.length() > 0 && !KernValidateBranchTarget(dialog, &working)) {
        BranchWarning(dialog, IDS_BAD_BRANCH_FILE_CAPTION, IDS_BAD_BRANCH_FILE);
        working.target = "";
    }
    working.sound = ItemText(dialog, IDC_BRANCH_SOUND);
    if (KernGetProgOptions(kernel))
        working.parameter = ItemText(dialog, IDC_BRANCH_PARAMS);
}

INT_PTR BranchFieldsDialogMessage(BRANCHFIELDSDIALOG& form, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        auto* state = reinterpret_cast<BRANCHDIALOG*>(lParam);
        SetPropA(dialog, BRANCHDIALOG_PROPERTY, state);
        state->creatorIndex = 0;
        form.showOwnFields(dialog, *state->branch);
        ShowBranchFields(dialog, *state, form.actionText);
        return TRUE;
    }
    case WM_COMMAND:
        if (BRANCHDIALOG* state = GetBranchDialog(dialog)) {
            if (LOWORD(wParam) == IDOK)
                form.onOk(dialog, *state);
            else
                OnBranchFieldCommand(dialog, *state, LOWORD(wParam), HIWORD(wParam), form.actionText);
        }
        return TRUE;
    case WM_DESTROY:
        RemovePropA(dialog, BRANCHDIALOG_PROPERTY);
        return FALSE;
    default:
        return FALSE;
    }
}
