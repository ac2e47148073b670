// The caret of a document's window: made, placed, shown and destroyed by the caret hook
// (document slot 10) in the modes the selection code passes.
#pragma once

#include "rte_gdi.h"

constexpr intptr_t RTE_CARET_IDLE = 1;
constexpr intptr_t RTE_CARET_IDLE_AGAIN = 2;
constexpr intptr_t RTE_CARET_SHOW = 3;
constexpr intptr_t RTE_CARET_HIDE = 4;
constexpr intptr_t RTE_CARET_HIDE_AGAIN = 5;
constexpr intptr_t RTE_CARET_PLACE = 6;
constexpr intptr_t RTE_CARET_CHANGED = 7;
constexpr intptr_t RTE_CARET_CHANGED_PLACE = 8;
constexpr intptr_t RTE_CARET_POINT = 9;

// Second document flag: the caret is suppressed.
constexpr uint32_t RTE_DOC2_NO_CARET = 0x2000000;

// Slot 10: (document, mode, the selection point the caret stands at).
intptr_t RteCaretHook(RteHandle doc, intptr_t mode, intptr_t point, intptr_t, intptr_t, intptr_t);
// Makes the caret of a height, once for each height; 1.
int32_t RteMakeCaret(RteHandle doc, int32_t height);
// Places the caret at the point by the mode: shown, destroyed, or only noted in the point.
void RtePlaceCaret(RteHandle doc, RteSelectPoint* point, intptr_t mode);
