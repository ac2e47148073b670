// The built-in action dialog "D_GADGET": picks one of the kernel's built-in actions for a branch.
#pragma once

#include "../runtime/qxkernel.h"

// Modal over `owner`; 1 after OK, with the branch's action replaced by the chosen one, else 0.
INT_PTR RunGadgetDialog(HWND owner, BRANCH* branch);
