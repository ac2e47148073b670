// The separate help program QXASSIST started on a help page.
#pragma once

#include "qxkernel.h"

// Starts the help program on the page; tells the user when it cannot be found or started.
QXCORE_EXPORT void KernHelp(KERNEL* kernel, const char* page);
// The command line: the quoted program, " " (or " -N " without internet access), the help
// folder and the page. Written only when it fits in size; the buffer is left as it was
// otherwise or when no program is found. The page must be a bare name (no '\').
QXCORE_EXPORT void KernGetHelpCmdLine(KERNEL* kernel, char* buffer, int size, const char* page, int askForCd,
                                      int warn);
// The same into a string: emptied when no command line is made, unchanged for an empty page
// or one holding a '\'.
QXCORE_EXPORT void KernGetHelpCmdLineStr(KERNEL* kernel, QXSTRING* line, const char* page, int askForCd, int warn);
