// The colour dialogs of the editor's dialogs, on the kernel's 16 custom colours: read before
// the dialog, written back after it.
#pragma once

#include <windows.h>
#include <commdlg.h>

struct KERNEL;

// A colour record (size from sizeof) of the owner, starting from the record's own colour.
// The custom colours live in the caller's array of 16.
void SetUpColourChoice(CHOOSECOLORA* choice, HWND owner, COLORREF* customColours);
// The foundation's colour dialog, which also offers "&Transparent" (top byte 0 of the result);
// true on OK.
bool ChooseColourOrTransparent(KERNEL* kernel, CHOOSECOLORA* choice);
// The system colour dialog; true on OK.
bool ChooseTextColour(KERNEL* kernel, CHOOSECOLORA* choice);
