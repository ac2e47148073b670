// Code named by a publication (user DLLs of branches, programs) is run only from local or
// network paths: a page read from a server must not make the machine run what the server
// hands it.
#pragma once

#include "qxkernel.h"

// 1 for an FTP or HTTP address.
int KernIsRemoteCode(const char* name);
// Tells the user that the code was not run; caption "Erreur de branchement".
void KernAlertRemoteCode(KERNEL* kernel, const char* name);
