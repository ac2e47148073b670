// Printing the page shown (also the built-in action 7).
#pragma once

#include "qxkernel.h"

// Asks for a printer and prints the page shown on it; 1 when printed, 0 when cancelled or failed.
QXCORE_EXPORT int KernPrintPage(KERNEL* kernel);
// Prints the page bitmap as one document on the printer's context (reported when the
// document or the page cannot be started); 1 when printed.
QXCORE_API int KernPrintPageBitmap(HWND owner, HDC printer, HBITMAP page, const char* document);
// Draws the page bitmap onto the page of a device context.
QXCORE_API int KernDrawPageBitmap(HDC dc, HBITMAP page);
