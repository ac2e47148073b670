// Painting an object window: plainly, through the object's transition effect at its first
// show, or clipped to what its children leave in the editing modes.
#pragma once

#include "qxkernel.h"

LRESULT KernPaintObjet(KERNEL* kernel, OBJET* object, MSGL* msg);
