// Kernel entries of the navigation history and the visited stamp. They are looked up by name
// in the loaded kernel library, so that the button also runs with a kernel that does not
// offer them yet; a missing entry does nothing and answers 0.
#pragma once

#include "qxkernel.h"

int LateIsInStack(KERNEL* kernel, const char* name);
void LateDrawPost(KERNEL* kernel, HDC dc, int x, int y);
