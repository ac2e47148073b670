// Snapshots of the whole system clipboard in temporary files, taken before a cut or a copy
// replaces it, so that undoing the cut or the copy can put back what the clipboard held.
#pragma once

#include <windows.h>

#include "qxlist.h"
#include "qxstring.h"

// One snapshot file: "%d\n" the number of formats present, then for each format kept a line
// "%d\n" with its number, a line "%ul\n" with its size (the digits and the letter l) and the
// raw bytes.
class CLIPBRD : public LNODE {
public:
    QXSTRING file;
    int formats = 0;
};

// Newest last.
class CLIPBRD_LIST : public LIST {};

// Only formats whose data is a global memory block are kept (as the kernel's undo of a copy
// keeps them); of the text family and of the DIBs only the first one met, from which the system
// makes the others again.
// Writes a snapshot named from "????.tlc" into the folder (the kernel's cache folder) and lists
// it; the clipboard is opened for the window. Nothing is listed when the file cannot be written.
int TakeClipboardSnapshot(const char* folder, HWND owner, CLIPBRD_LIST* list);
// Puts the newest snapshot back on the clipboard, then deletes its file and drops it. Nothing
// changes when its file or the clipboard cannot be opened.
int RestoreClipboardSnapshot(HWND owner, CLIPBRD_LIST* list);
// Deletes every snapshot's file, newest first, and empties the list.
void DropClipboardSnapshots(CLIPBRD_LIST* list);
