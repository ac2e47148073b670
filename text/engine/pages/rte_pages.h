// Paragraph indents and tab marks, pages of the laid-out text in a target rect, line tops and
// paragraph line counts.
#pragma once

#include <cstdint>

#include "rte_document.h"
#include "rte_runs.h"

// Document flag: paragraph lines are counted.
constexpr uint32_t RTE_DOC_COUNT_LINES = 0x20;
// Tab stop kinds keep their kind proper in the low 12 bits, marks above.
constexpr int32_t RTE_TAB_KIND_BITS = 0xFFF;

struct RteIndents {
    int32_t left;
    int32_t right;
    int32_t first;  // relative to the left indent
};

// The first paragraph's indents; the mask (when asked) says which are the same over the range.
void RteGetIndents(RteHandle doc, const RteRange* range, RteIndents* out, RteIndents* mask);
void RteSetIndents(RteHandle doc, const RteRange* range, const RteIndents* indents, const RteIndents* mask,
                   int16_t redraw);
// The width lines of the paragraph at an offset have: the wrap bounds less the indents, plus
// what a negative first-line indent reaches left.
int32_t RteLineWidthAt(RteHandle doc, int32_t offset);
// Each paragraph's n-th stop kind takes the first value of the n-th 16-byte record of flags.
void RteMarkTabs(RteHandle doc, const RteRange* range, const RteTab* flags, int32_t count, bool relayout,
                 int16_t redraw);
void RteUnmarkTabs(RteHandle doc, const RteRange* range, bool relayout, int16_t redraw);
// Every paragraph format matching the values under the masks takes the six hooks and the two
// caller values; the whole text laid out and redrawn again when asked.
void RteSetParHooks(RteHandle doc, const RteParFormat* values, const RteParFormat* mask,
                    const RteParFormat* andMask, const RteParFormatHooks* hooks, int32_t valueA, int32_t valueB,
                    bool relayout, int16_t redraw);

// Draws from an offset into a target rect as if its line were at the rect's top; answers the
// first offset that did not fit, 0 when the text ended on this page.
int32_t RteDrawPage(RteHandle doc, const RteDrawPort* port, int32_t from, const RteRect* target, int16_t redraw);
int32_t RtePageCount(RteHandle doc, const RteRect* target);
// The start of page n (from 1); 0 when the text has fewer pages.
int32_t RtePageStart(RteHandle doc, int32_t page, const RteRect* target);
// The number (from 1) of the repeated copy of the wrap area that holds the text's last line;
// with a rect, the wrap bounds moved to that copy.
int32_t RteLastPageNumber(RteHandle doc, RteRect* rect);
// The top of the line holding an offset, from the top of its container.
int32_t RteLineTopAt(RteHandle doc, int32_t offset);

// Lines that start paragraphs (0 unless the document counts lines).
int32_t RteParagraphLineCount(RteHandle doc);
int32_t RteParagraphNumberAt(RteHandle doc, int32_t offset, bool atEnd);
int32_t RteParagraphLineRange(RteHandle doc, int32_t number, int32_t* start, int32_t* end);

// Lines of the second kind: every display line (0 unless the document counts lines).
int32_t RteSecondLineCount(RteHandle doc);
int32_t RteSecondNumberAt(RteHandle doc, int32_t offset);
int32_t RteSecondLineRange(RteHandle doc, int32_t number, int32_t* start, int32_t* end);
// The bounds of the n-th line of either kind (its range's bounds; the second kind's end pulled
// back by one); 0 when there is no such line.
int32_t RteSecondLineRect(RteHandle doc, int32_t number, bool window, bool scaled, RteRect* rect);
int32_t RteParagraphLineRect(RteHandle doc, int32_t number, bool window, bool scaled, RteRect* rect);

// RteContainerRectAt's tab bases besides a horizontal shift of 0 or more.
constexpr int32_t RTE_CONTAINER_FIRST = -1;    // the first container of the line's copy
constexpr int32_t RTE_CONTAINER_UNMOVED = -2;  // the line's container where the wrap area has it
// The wrap-area rect holding the line of an offset, moved to its repeated copy.
void RteContainerRectAt(RteHandle doc, int32_t offset, int32_t tabBase, RteRect* rect);
// RteDisplay from the start of paragraph line first to the end of paragraph line last (numbered
// from 1, as the paragraph counts number them); nothing when either is not there.
void RteDisplayParagraphs(RteHandle doc, int32_t first, int32_t last, const RteDrawPort* port, RteRectList view,
                          RteRectList wrap, const RtePoint* offset, int16_t mode);
