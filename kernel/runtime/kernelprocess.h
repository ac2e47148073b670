// What the kernel library keeps once per process, shared by all its KERNELs; touched only on
// the user-interface thread.
#pragma once

#include "qxkernel.h"
#include "qxcache.h"

struct KERNPROCESS {
    HINSTANCE module = nullptr;  // the kernel library: strings, window classes, actions
    int withInternet = 0;        // remote files may be fetched
    int internetBound = 0;       // KernStart opened the internet library
    FILECACHE cache;
    HUGELIST kernels;            // every live KERNEL; the first and the last set up and tear down
    COLORREF customColours[16] = {};  // the copy every kernel's custom colours follow
};

KERNPROCESS& KernProcess();

// The folder of the kernel library's module file, ending with a backslash.
QXSTRING KernModuleFolder();

// A text of the kernel library's string table ("" when missing).
QXSTRING KernString(int id);
// Alert with the caption and text of the string table, the text formatted with one value.
int KernAlert(HWND owner, int caption, int text);
int KernAlert(HWND owner, int caption, int text, const char* value);
// A message box over the owner, whose whole window tree is disabled while it is up; the text
// is the string table's text formatted with the values. The box's answer.
int KernTreeMessageBox(HWND owner, int caption, int text, UINT style, const char* value = nullptr,
                       const char* value2 = nullptr);
