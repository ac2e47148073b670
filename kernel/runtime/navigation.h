// Moving through the publication from the kernel's own branch: the default forward and back
// branches of a page, home, back, quitting, and the visited-page test.
#pragma once

#include "qxkernel.h"

// Take the page's first branch of kind -1 (forward) or -2 (back); 1 when one was requested.
QXCORE_EXPORT int KernEventAvancer(KERNEL* kernel);
QXCORE_EXPORT int KernEventReculer(KERNEL* kernel);
// Built-in actions. Home and back go to the first and the second-last page of the history
// (1 without doing anything when it holds one page); 0 when the user keeps a modified page.
QXCORE_EXPORT int KernGoHome(KERNEL* kernel);
QXCORE_EXPORT int KernGoBack(KERNEL* kernel);
// Closes the application view (SC_CLOSE to the parent of the host window); 1.
QXCORE_EXPORT int KernQuit(KERNEL* kernel);
// KernQuit after the user said yes; 1 then, else 0.
QXCORE_EXPORT int KernQuitConfirm(KERNEL* kernel);
// The slide show steps through its own functions: nothing, 0.
QXCORE_EXPORT int KernGadgetNextPage(KERNEL* kernel);
// 1 when the page was ever pushed as a new page of the history.
QXCORE_EXPORT int KernIsInStack(KERNEL* kernel, const char* name);
