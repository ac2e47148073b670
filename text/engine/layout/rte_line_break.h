// The engine's default line-break hook (document slot 5) and the Far-East classifier (slot 30):
// where a line really ends once a character no longer fits.
#pragma once

#include <cstdint>

#include "rte_far_east.h"
#include "rte_runs.h"

// Character-information bits that line breaking asks for.
constexpr intptr_t RTE_BREAK_BLANK = RTE_CLASS_BLANK;
constexpr intptr_t RTE_BREAK_WORD = RTE_CLASS_WORD_BREAK;  // a word may end here
constexpr intptr_t RTE_BREAK_TAB = RTE_CLASS_TAB_BREAK;
constexpr intptr_t RTE_BREAK_AFTER = 0x10;      // a line may end just after it
constexpr intptr_t RTE_BREAK_CONTINUATION = RTE_CLASS_CONTINUATION;
constexpr intptr_t RTE_BREAK_MASK = 0x3301B;

// Style class bits (the style's first second-part unit).
constexpr uint32_t RTE_STYLE_NO_BREAK_SEARCH = 0x2;  // passed over when looking for a break
constexpr uint32_t RTE_STYLE_ONE_PIECE = 0x8;        // a break falls only at its edges

// Document flag: a tab is no break opportunity.
constexpr uint32_t RTE_DOC_TABS_DONT_BREAK = 0x2000;

// What the hook gets as its first argument. Indices count bytes from the block's start.
struct RteLineBreak {
    int32_t blockStart;
    int32_t blockEnd;
    RteStyleWalk* walker;     // walks the document's styles; moved by the hook
    const uint8_t* text;      // the block's text
    int32_t lineStart;
    int32_t breakIndex;       // in: the first character that did not fit; out: where the line ends
    const int32_t* positions; // the block's character positions
    int32_t tabWidth;         // out: the width of the tab the line ends at
    int32_t force;            // 1: no break found leaves the break at the line start
};

// Slot 5: moves the break back to where the line ends; 1 when it ends at a tab.
intptr_t RteDefaultLineBreak(RteHandle doc, intptr_t request, intptr_t, intptr_t, intptr_t, intptr_t);
// Slot 30: the bits of a character (its length in bytes), with the Far-East classes of the
// font's character set.
intptr_t RteFarEastBreakClass(RteHandle doc, intptr_t character, intptr_t length, intptr_t, intptr_t font,
                              intptr_t bits);
