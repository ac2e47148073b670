// A page of the publication run as a modal dialog: a second kernel shows the page inside the
// dialog frame, and the caller's procedure, handed to the page's root, sees the page's
// messages; the page's objects are its items (dialogitems.h).
#pragma once

#include "../runtime/qxkernel.h"

// The caller's procedure, called as a page procedure is: the window is the page's root window.
using KERNDIALOGPROC = LRESULT (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The page's root window receives KM_DIALOGEND (1039) first, with wParam 0 and `value` in
// lParam. 0 without running for a null kernel, name or procedure; else 1 once the dialog
// has ended.
QXCORE_EXPORT int KernDialogBox(KERNEL* kernel, const char* page, KERNDIALOGPROC procedure, LPARAM value);
QXCORE_EXPORT INT_PTR CALLBACK KernDialogBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
