// The paragraph layout hooks: spacing and alignment of a line's pieces (document slot 2) and
// where a tab ends (the paragraph format's slot 0), with the tab stops they read.
#pragma once

#include <cstdint>

#include "rte_line_piece.h"
#include "rte_runs.h"

// Paragraph alignments.
constexpr int16_t RTE_ALIGN_NONE = 0;
constexpr int16_t RTE_ALIGN_CENTRE = 1;
constexpr int16_t RTE_ALIGN_RIGHT = 2;
constexpr int16_t RTE_ALIGN_JUSTIFY = 3;

// What the line builder tells the justification hook of the line (its first argument).
constexpr intptr_t RTE_LINE_LAST_OF_TEXT = 0x1;

// Document flag: every tab ends one default spacing further on.
constexpr uint32_t RTE_DOC_FIXED_TABS = 0x10000000;

// Slot 2: (document, line state, a piece of the line, piece count from it, line rect, format):
// the pieces given, one segment of the line between obstacles, are aligned within the rect; the
// paragraph's spacing goes on the whole line with the segment that ends it.
intptr_t RteDefaultJustify(RteHandle doc, intptr_t state, intptr_t piece, intptr_t count, intptr_t line,
                           intptr_t format);

// The x from which tab positions count: the document's tab base when it is 0 or more, the wrap
// bounds' left for -1, else the line's left.
int32_t RteTabBase(RteHandle doc, int32_t lineLeft);
// The stop that applies to a tab at or after x: the nearest stop of the format, or the implicit
// stop at the indent when that comes first, or the next default spacing. Positions count from
// the base.
void RteNextTabStop(const RteParFormat* format, int32_t base, int32_t x, RteTab* out);

// What the tab hook is handed as its first argument.
struct RteTabRequest {
    RteStyleWalk* walker;
    int32_t x;                // where the tab starts
    int32_t offset;           // of the tab character
    int32_t lineLeft;
    const uint8_t* text;      // from the character after the tab
    int32_t count;            // bytes of it
    const int32_t* positions; // of those bytes, in step with text
    int32_t stop;             // out: 0x8000 + the index of the stop used, or 0
};
// The format's slot 0: the x where the tab ends.
intptr_t RteDefaultTab(RteHandle doc, RteParFormat* format, intptr_t request, intptr_t, intptr_t);

// The paragraph format's keep-together bit (in its unit 2): its lines share one container.
constexpr int RTE_PAR_KEEP_UNIT = 0;  // of units2to6
constexpr int16_t RTE_PAR_KEEP_TOGETHER = 0x1;
// Second document flag: the characters that overflow the wrap area are counted.
constexpr uint32_t RTE_DOC2_COUNT_OVERFLOW = 0x2000;

// Slot 25: (document, block, layout record, line-range start, line-range end), after a block is
// laid out. With downward repetition: when a run of kept-together paragraphs, or a paragraph
// with fewer lines than the document's minimum before or after a container break, straddles
// two containers, the document's forced break is set to the line that must begin the next
// container, the blocks from there are marked for layout and 1 is answered: the line builder
// lays the block out again and then clears the forced break. Without repetition, a document
// that counts its overflow and keeps its last container's height gets the count.
intptr_t RteDefaultPostLayout(RteHandle doc, intptr_t block, intptr_t record, intptr_t from, intptr_t to, intptr_t);
