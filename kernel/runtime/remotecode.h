// Code named by a publication (user DLLs of branches, programs, the page's procedure DLL, the
// publication's data module) is run only from local or network paths: a page read from a
// server must not make the machine run what the server hands it. Exported for the page
// plug-in and the player, which load such code themselves.
#pragma once

#include "qxkernel.h"

// 1 for an FTP or HTTP address.
QXCORE_EXPORT int KernIsRemoteCode(const char* name);
// Tells the user that the code was not run; caption "Erreur de branchement".
QXCORE_EXPORT void KernAlertRemoteCode(KERNEL* kernel, const char* name);
