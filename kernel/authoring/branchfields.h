// The target, sound and parameter controls that the branch dialog and the conditional branch
// dialog share: filling them, their commands, and reading them back at OK.
#pragma once

#include "branchstate.h"

// Each dialog keeps its own action-text flag: set just before the dialog itself writes a
// "GADGET: label" text into the target field, so that the edit notification this causes does
// not take the built-in action away; cleared by that notification.
using ACTIONTEXTFLAG = int;

// Shows the state's target, sound and parameter string; hides the programmer button, and the
// parameter string unless the kernel's program options are on.
void ShowBranchFields(HWND dialog, const BRANCHDIALOG& state, ACTIONTEXTFLAG& actionText);
// Runs the shared command `id`; false when the command is not one of them.
bool OnBranchFieldCommand(HWND dialog, BRANCHDIALOG& state, int id, int notify, ACTIONTEXTFLAG& actionText);
// At OK: a target that fails the check is emptied after a warning; the sound, and the
// parameter string while the program options are on, are read into the working copy.
void ReadBranchFields(HWND dialog, KERNEL* kernel, BRANCH& working);

// What a dialog built on these fields adds to them: its own controls, filled before the shared
// ones, its OK, and its own action-text flag.
struct BRANCHFIELDSDIALOG {
    void (*showOwnFields)(HWND dialog, const BRANCH& branch);
    void (*onOk)(HWND dialog, BRANCHDIALOG& state);
    ACTIONTEXTFLAG actionText;
};
// The messages of such a dialog: the state (the WM_INITDIALOG parameter) is hung on it, IDOK
// goes to the dialog's OK and every other command to the shared fields.
INT_PTR BranchFieldsDialogMessage(BRANCHFIELDSDIALOG& form, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
