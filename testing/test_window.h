// Windows of a class of the test: a test that needs a window procedure of its own (a host that
// hands the kernel its messages, a window that counts its paints) makes its windows here.
#pragma once

#include <windows.h>

// A window of the class `className` of this program, registered with `procedure` on first use.
HWND CreateTestWindow(const char* className, WNDPROC procedure, DWORD style, HWND parent, int width = 0,
                      int height = 0);
