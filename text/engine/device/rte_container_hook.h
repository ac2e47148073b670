// The default container hook (document slot 23).
#pragma once

#include "rte_gdi.h"

// Mode 2 with a rect that is not empty: the rect is drawn in the background colour, through a
// banded off-screen pass when the document draws its containers off-screen. Other modes do
// nothing.
void RteDefaultContainerHook(RteHandle doc, int32_t container, const RteRect* rect, intptr_t, intptr_t, int32_t mode,
                             int32_t* state);
