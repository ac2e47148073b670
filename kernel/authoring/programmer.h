// The programmer options dialog "PROGOPTIONS": the user library, its function and the
// parameter string that a branch hands to it.
#pragma once

#include "branchstate.h"

// Modal over `owner` on the state's branch; 1 after OK, else 0.
INT_PTR RunProgrammerOptions(HWND owner, BRANCHDIALOG* state);
