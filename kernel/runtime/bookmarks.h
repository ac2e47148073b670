// The kernel's bookmarks (a page under a title), which are also the slide-show sequence, and
// the bookmark file ".QXB" that keeps them with the slide-show settings.
#pragma once

#include "qxkernel.h"

// 1 when appended; 0 for a null or empty argument or a bookmark of the same title and page.
QXCORE_EXPORT int KernAddBookMark(KERNEL* kernel, const char* page, const char* title);
QXCORE_EXPORT void KernDeleteBookMark(KERNEL* kernel, int index);
// The file replaces the list (a file of an older version is brought up to date first); 1 when
// read. A file of no known form is refused (0), the list and the file left as they were.
QXCORE_EXPORT int KernLoadBookmarks(KERNEL* kernel, const char* file);
// 1 when written; the file is replaced only once the new one is whole.
QXCORE_EXPORT int KernSaveBookmarks(KERNEL* kernel, const char* file);
// Rewrites a bookmark file in the current form, every line whole and its page names located
// again; the file is replaced only once the new one is whole. 1 on success; 0, the file as it
// was, when that failed or the file is of no known form.
QXCORE_EXPORT int KernRefreshBookMark(KERNEL* kernel, const char* file);
// The bookmark dialog over the host window; 1 when the user chose a bookmark and the kernel
// went to its page, else 0 (also without a page shown).
QXCORE_EXPORT int KernBookMark(KERNEL* kernel);
QXCORE_EXPORT INT_PTR CALLBACK KernBookMarkDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The last bookmark file loaded or saved.
QXCORE_EXPORT const char* KernGetBookmarkFile(KERNEL* kernel);
QXCORE_EXPORT QXSTRING* KernGetBookmarkFileStr(KERNEL* kernel);
