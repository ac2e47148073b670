// Blinking text (document slot 11): runs whose style has the blink mark show inverted while the
// environment's blink phase is 1.
#pragma once

#include "rte_gdi.h"

// What the idle call tells the hook: a second passed (the phase changed), or not.
constexpr intptr_t RTE_BLINK_SECOND = 1;
constexpr intptr_t RTE_BLINK_SAME_SECOND = 2;

// Slot 11: (document, tick). On each new second every blinking run of the laid-out text is
// inverted once more, while the document is active.
intptr_t RteBlinkRedraw(RteHandle doc, intptr_t tick, intptr_t, intptr_t, intptr_t, intptr_t);
// A blinking run just drawn into its rect of the DC: inverted while the phase is 1.
void RteDrawBlink(const RteEnvironment* env, HDC dc, const RECT& area);
