// The default highlight drawing (document slot 7): a region inverted on the port.
#pragma once

#include "rte_gdi.h"

// Slot 7: every rect of the rect list a (document coordinates) that meets the view widened by
// 8 pixels is scrolled, scaled and inverted, clipped to the view.
intptr_t RteInvertHighlight(RteHandle doc, intptr_t list, intptr_t, intptr_t, intptr_t, intptr_t);
