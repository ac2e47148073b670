// The button's settings dialog "D_BOUTON", run on a copy of the button, and what the module
// keeps for it from one dialog to the next.
#pragma once

#include "bouton.h"

// Runs the dialog on the copy, owned by the kernel's application window: 1 after OK (the
// copy holds the edits), 0 after Cancel.
INT_PTR RunButtonDialog(BOUTON* copy);

// The procedure of the preview windows "EXBOUTON"; window long 0 holds the dialog copy.
LRESULT CALLBACK ButtonPreviewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The label texts typed in the dialogs of the process, offered again in later dialogs.
void AddLabelToHistory(const char* text);
void FillLabelCombo(HWND combo);
void ForgetLabelHistory();
