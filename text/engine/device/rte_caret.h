// The caret of a document's window: made, placed, shown and destroyed by the caret hook
// (document slot 10) in the modes the selection code passes.
#pragma once

#include "rte_gdi.h"
#include "rte_highlight.h"

// Second document flag: the caret is suppressed.
constexpr uint32_t RTE_DOC2_NO_CARET = 0x2000000;

// Slot 10: (document, mode, the selection point the caret stands at).
intptr_t RteCaretHook(RteHandle doc, intptr_t mode, intptr_t point, intptr_t, intptr_t, intptr_t);
// Makes the caret of a height, once for each height; 1.
int32_t RteMakeCaret(RteHandle doc, int32_t height);
// Places the caret at the point by the mode: shown, destroyed, or only noted in the point.
void RtePlaceCaret(RteHandle doc, RteSelectPoint* point, intptr_t mode);
