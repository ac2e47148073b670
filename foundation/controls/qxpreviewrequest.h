// The request that callers hand to an open-file dialog with a preview pane: the foundation's
// own dialog and the internet library's, which also accepts Internet addresses, take the same
// record, so either can stand in for the other.
#pragma once

#include "qxplatform.h"

#include <commdlg.h>

// Preview callback: a code (1 pane ready, 2 preview ends, 3 paint, 4 play, 5 stop), the pane
// window or the device context, the pane's rectangle, the selected file and the caller's value.
// A result of 0 leaves the code to the default handling.
using QXPREVIEW_CALLBACK = int (*)(char code, HANDLE handle, const RECT* rect, const char* file,
                                   LPARAM user);

struct QXPREVIEW_REQUEST {
    OPENFILENAMEA* ofn;  // first, where both dialogs look for the caller's dialog description
    char flags;          // 0x01 image pane, 0x02 play, 0x04 stop, 0x08 preview check box
    QXPREVIEW_CALLBACK callback;
    LPARAM user;
    int options;         // bit 1: the preview follows the dialog's file-type box
};
