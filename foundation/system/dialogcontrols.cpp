// Enabling and disabling a dialog's controls by id.
#include "qxutil.h"

BOOL EnableWindowInDialog(HWND dialog, int id) { return EnableWindow(GetDlgItem(dialog, LOWORD(id)), TRUE); }

BOOL DisableWindowInDialog(HWND dialog, int id) { return EnableWindow(GetDlgItem(dialog, LOWORD(id)), FALSE); }
