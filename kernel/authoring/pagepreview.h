// The page preview of the open-file dialog: a window of the class "KernPreviewPageWindow"
// paints, scaled into a square, the page that a second kernel shows on a hidden window.
#pragma once

#include "../runtime/qxkernel.h"

constexpr const char* QX_PREVIEW_PAGE_CLASS = "KernPreviewPageWindow";
constexpr int QX_PREVIEW_PAGE_WIDTH = 640;
constexpr int QX_PREVIEW_PAGE_HEIGHT = 480;

// Kept by the opener of the file dialog and handed to it as the preview's user value; window
// long 0 of the visible window points at it.
struct KERNPREVIEWPAGE {
    HWND preview;     // the visible window
    HWND host;        // the hidden window of the preview kernel
    KERNEL* kernel;   // null until the file dialog's preview has made it
    KERNEL* opener;   // whose plug-ins the preview kernel uses; set by KernGetOpenFileNamePreview
};

// Registers the window class; a class registered already counts as success.
QXCORE_EXPORT BOOL KernRegisterPreviewPageClass();
// Registers the class and creates the two windows, 1 x 1 at (0, 0), children of `dialog` (the
// window that opens the file dialog), with the record cleared and hung on the visible one.
// FALSE when either window cannot be made (none is left behind).
QXCORE_EXPORT BOOL KernCreatePreviewPageWindows(HWND dialog, KERNPREVIEWPAGE* record);
QXCORE_EXPORT LRESULT CALLBACK KernPreviewPageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Draws the kernel's current page, scaled, into the rectangle of the device context.
QXCORE_EXPORT void KernPaintPreviewPage(KERNEL* kernel, HDC dc, int x, int y, int width, int height);
// The preview callback of the open-file dialog (QXPREVIEW_CALLBACK) for a KERNPREVIEWPAGE in
// `record`: builds the preview kernel when the pane is ready, shows the selected page file in
// it, and takes everything down when the dialog ends. 0 leaves the code to the dialog's own
// preview (no record, or a file that is not a page).
QXCORE_EXPORT int KernPreviewPageCallback(char code, HANDLE handle, const RECT* area, const char* file,
                                          LPARAM record);
