// The conditional branch dialog "IDD_PROGCONDBRANCH": one branch taken when a dependent
// program ends with a given return code (or with any code no other branch takes).
#pragma once

#include "branchstate.h"

// Modal over the program options dialog `owner`, whose list of return-code branches the new
// code is checked against; 1 after OK with the state's branch changed, else 0.
INT_PTR RunConditionalBranch(HWND owner, BRANCHDIALOG* state);
