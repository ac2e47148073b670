// The handle windows around the selection's extent ("SIDE" 1 left, 2 top, 3 right, 4 bottom),
// children of the page window; dragging one sizes the whole selection.
#pragma once

#include "../runtime/qxkernel.h"

// Creates each handle window the kernel lacks; CalculedExtent places them.
void KernCreateSelectionHandles(KERNEL* kernel);
