// The highlight of the selection's ranges: its area, and its drawing by inversion on the port.
#pragma once

#include "rte_document.h"

// A new rect list of the characters of every range, in document coordinates; null when the
// selection is a caret.
RteRectList RteSelectionArea(RteHandle doc);
// Inverts the highlight on the port (a second call takes it away again).
void RteDrawSelection(RteHandle doc);
