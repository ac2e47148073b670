// Running the pending branch, and what a host may read or change of a branch before it runs.
#pragma once

#include "qxkernel.h"

// The step an object window takes on its next message while a branch is pending (state 1):
// the host's branch filter may cancel it, otherwise the branch runs (state 2, then 0 or a
// new request). 1 when a pending branch took the message (it then reaches neither the host's
// message filter nor the object), 0 when nothing was pending.
QXCORE_EXPORT int KernRunPendingBranch(KERNEL* kernel);

// Fills each buffer that is given with a non-zero size, cut to it: the target ("GADGET: %d"
// for a built-in action), the logical name and the user string of the source object, the
// parameter string and the target as stored. 0 for a null kernel or branch, else 1.
QXCORE_EXPORT int KernGetBranchParams(KERNEL* kernel, BRANCH* branch, char* target, int targetSize, char* name,
                                      int nameSize, char* userString, int userStringSize, char* parameter,
                                      int parameterSize, char* file, int fileSize);
// Redirects the branch to another target (from the host's branch filter).
QXCORE_EXPORT void KernSetBranchLocation(KERNEL* kernel, BRANCH* branch, const char* file);
