// Reading what a dialog under test shows: a window's text, a control's text, and the file name
// box of the system's open and save dialogs.
#pragma once

#include <windows.h>

#include <string>

// The window's text (a dialog's caption), whatever its length.
std::string WindowText(HWND window);
// The text of the dialog's control `id`; "" when the dialog has no such control.
std::string ItemText(HWND dialog, int id);
// The window's class name.
std::string WindowClass(HWND window);
// The file name box of the system's open and save dialogs, explorer kind or older; null in
// any other window.
HWND FileNameBox(HWND dialog);
