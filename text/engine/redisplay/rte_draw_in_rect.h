// The text drawn as a picture into a rect.
#pragma once

#include <cstdint>

#include "rte_document.h"

// Document flag while the text is drawn into a rect.
constexpr uint32_t RTE_DOC_DRAWING_IN_RECT = 0x80000;

// Draws the whole text into the rect with the mode, laid out in the wrap rect when one is given
// (else in the wrap area), its corner at the rect's; with another document, on that document's
// port and scaling, within its view. The document keeps its areas, port, scaling, scroll and flags.
void RteDrawInRect(RteHandle doc, RteHandle other, const RteRect* rect, const RteRect* wrapRect, int16_t mode);
