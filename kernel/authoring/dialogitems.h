// A page run as a dialog addresses its objects as dialog items: the object whose user ID is
// a decimal number is the item of that number. These are the counterparts of the Win32
// dialog-item functions for such pages; each answers 0 without a kernel or without the item.
#pragma once

#include "../runtime/qxkernel.h"

QXCORE_EXPORT int KernCheckDlgButton(KERNEL* kernel, int id, UINT state);
QXCORE_EXPORT UINT KernIsDlgButtonChecked(KERNEL* kernel, int id);
// Clears every existing item from first to last, then checks `check`; 1 when that item exists.
QXCORE_EXPORT int KernCheckRadioButton(KERNEL* kernel, int first, int last, int check);
QXCORE_EXPORT int KernSetDlgItemText(KERNEL* kernel, int id, const char* text);
QXCORE_EXPORT int KernSetDlgItemInt(KERNEL* kernel, int id, int value);
// The length of the text copied (at most size - 1 characters).
QXCORE_EXPORT int KernGetDlgItemText(KERNEL* kernel, int id, char* buffer, int size);
// At most 499 characters; a null string is left alone.
QXCORE_EXPORT int KernGetDlgItemTextStr(KERNEL* kernel, int id, QXSTRING* text);
// The leading decimal integer of the item's text, 0 for none.
QXCORE_EXPORT int KernGetDlgItemInt(KERNEL* kernel, int id);
QXCORE_EXPORT LRESULT KernSendDlgItemMessage(KERNEL* kernel, int id, UINT message, WPARAM wParam, LPARAM lParam);
// The item number of a command's wParam: an object window gives its object's number (0 when
// it has none), anything else is a command number already and keeps its low 16 bits.
QXCORE_EXPORT int KernIdFromWPARAM(KERNEL* kernel, WPARAM wParam);
// The dialog frame around the page: the parent of the kernel's host window.
QXCORE_EXPORT HWND KernGetDialogHwnd(KERNEL* kernel);
