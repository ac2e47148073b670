// A page drawn into a bitmap by its objects (kernel message 1028): what printing and the page
// snapshot make of a page.
#pragma once

#include "qxkernel.h"

// A bitmap compatible with `reference` of the area's size, light grey, with every object of
// the page under `root` drawn into it; `area` is in screen coordinates. Null on failure.
QXCORE_API HBITMAP KernRenderPage(KERNEL* kernel, OBJET* root, const RECT& area, HDC reference);
