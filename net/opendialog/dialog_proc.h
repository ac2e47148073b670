// The window procedure that the extended open-file dialog gets in place of its own: it
// draws the Internet combo, hands the FTP view its messages and runs the Internet actions,
// and passes everything else on to the dialog's own procedure.
#pragma once

#include <windows.h>

LRESULT CALLBACK OfnDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
