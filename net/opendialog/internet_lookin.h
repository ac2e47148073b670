// The second look-in combo of the extended open-file dialog: it shows the dialog's own
// look-in items, which it mirrors, followed by the Internet block (saved FTP servers, saved
// URLs, their headers and add/remove items, and the folders of the remote folder shown).
#pragma once

#include <windows.h>

struct QXOFN32_DATA;

// The hook that the exports give the system's dialog.
UINT_PTR CALLBACK OfnHookProc(HWND hook, UINT message, WPARAM wParam, LPARAM lParam);
// Rebuilds the Internet block at the end of the combo and the two saved-address views.
void FillInternetItems(HWND combo);
// Draws an Internet item of the combo (WM_DRAWITEM).
void DrawInternetItem(const DRAWITEMSTRUCT& item);

// The dialog's controls that the Internet actions use.
HWND OwnLookIn(HWND dialog);
HWND InternetLookIn(HWND dialog);
// The text and item data of a combo item; data 0 and "" for an index out of range.
struct LOOKIN_ITEM {
    char text[1024];
    LRESULT data;
};
LOOKIN_ITEM ReadLookInItem(HWND combo, LRESULT index);
