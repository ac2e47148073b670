// The settings dialog "D_SOUND" of a sound. It edits a working copy whose pointer lies in a
// movable global block, the dialog's parameter, kept on the dialog as the property "DATA".
#pragma once

#include <windows.h>

// Ends with 1 for "OK" (the copy holds the new settings) and 0 for "Annuler".
INT_PTR CALLBACK SoundDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
