// What the files of the preview pane share inside the library.
#pragma once

#include "qxpreview.h"

// Window classes of the preview.
constexpr char PreviewImageClass[] = "QXVIEWImage";
constexpr char PreviewMCIClass[] = "QXVIEWMCIWnd";

// The pane's picture area: its client area inset by 2, inside the sunken border.
constexpr int PreviewPaneInset = 2;

// The process-wide switch of the "Activer l'aperçu" check box: on at start, and kept from one
// dialog to the next.
bool PreviewSwitchOn();
void SetPreviewSwitch(bool on);

// The library's own module, which holds the preview's texts and dialog template.
HINSTANCE PreviewLibrary();

// Places the preview's rectangle on `dialog` as `placement` says, growing the dialog when the
// placement asks for room; false for an unknown placement.
bool PlacePreviewArea(HWND dialog, char placement, const RECT& rect, RECT* area);

// Closes the media preview of the process, the media-server object and the MCI device alike.
void CloseMediaPreview();
