// The branch editor: the branch dialog "RC_D_KERNBRANCH" on a working copy of a branch, the
// branch straight to a chosen page, the branch of the selected object, and the check of a
// typed target. KernBranchTo, KernBranchToPage and KernSetBranchSelectObject are declared
// with the other authoring entry points.
#pragma once

#include "authoring.h"

// With an empty target the built-in action goes and the result is 0; a target that names no
// usable file gives 0 too. The dialog's program options button (107) is enabled only for a
// usable file that is not a page; a page or an unusable file also loses its program options.
QXCORE_EXPORT int KernValidateBranchTarget(HWND dialog, BRANCH* branch);
