// The kernel's open and save dialogs: a local file the author picks must lie on the
// publication's disk, or be copied there (KernGetOpenFileName and its relatives are declared
// in authoring.h).
#pragma once

#include "../runtime/qxkernel.h"

// The names an open dialog returned in `buffer` (of `size` bytes; with `several`, the folder
// followed by the names, each ended by a zero). 1 when they may be used, the buffer then naming
// the copies made on the publication's disk; 0 otherwise, the buffer unchanged.
QXCORE_EXPORT int KernValidateOFNScnDrive(KERNEL* kernel, char* buffer, int size, int several);
