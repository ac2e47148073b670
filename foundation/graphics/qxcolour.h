// The colour chooser, whose answer may be "transparent", and the custom colours that the
// library's dialogs share.
#pragma once

#include "qxbase.h"

#include <commdlg.h>

// Top byte of a chosen colour: 0xFF a colour, 0x00 transparent.
constexpr COLORREF QX_COLOUR_OPAQUE = 0xFF000000;

// The system colour dialog on the library's template. On entry the top byte of rgbResult
// selects the radio button checked at first (0: "Transparent"); after OK rgbResult holds the
// chosen colour with its top byte, after Cancel the value given on entry. 0 for null, else
// the dialog's result.
QXBASE_API BOOL QXChooseColor(CHOOSECOLORA* choice);
// The hook that QXChooseColor installs; always 0.
QXBASE_API UINT_PTR CALLBACK ChooseCHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The library's 16 custom colours (64 bytes); null pointers are ignored.
QXBASE_API void QXBASE_SetCustomColor(const COLORREF* colours);
QXBASE_API void QXBASE_GetCustomColor(COLORREF* colours);
