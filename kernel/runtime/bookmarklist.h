// The list of the bookmark dialog: entries reordered by dragging, and, while authoring, a
// tooltip with the page of the entry under the mouse.
#pragma once

#include "qxkernel.h"

#include <string>

// Subclasses the dialog's list; the dialog carries its KERNEL* as its object pointer.
void KernSubclassBookmarkList(HWND dialog, HWND list);
// The text of an entry ("title\tpage"); "" when it is too long to be a bookmark's.
std::string KernBookmarkListEntry(HWND list, int index);
