// The user function a branch may call in a DLL of the publication before it goes on.
#pragma once

#include "qxkernel.h"

// What KernCallBranchFunction answers when no function was called.
constexpr int QX_BRANCH_FUNCTION_NOT_CALLED = -1;

// Calls the branch's DLL function with (source window, parameter string) when the branch
// names both and the DLL is a local ".DLL" that loads and exports it; its answer (0 stops the
// branch), or QX_BRANCH_FUNCTION_NOT_CALLED.
int KernCallBranchFunction(KERNEL* kernel, BRANCH* branch);
