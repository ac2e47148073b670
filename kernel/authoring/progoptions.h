// The program options dialog "EXEOPTIONS": how a branch starts its program or opens its
// document, and the branches taken on a dependent program's return codes.
#pragma once

#include "branchstate.h"

// Modal over `owner` on the state's branch; 1 after OK, else 0.
INT_PTR RunExeOptions(HWND owner, BRANCHDIALOG* state);
// Whether a row of the dialog's return-code list other than `row` (and other than the
// default row) takes `code` already.
bool IsReturnCodeTaken(HWND exeOptions, unsigned int code, int row);
