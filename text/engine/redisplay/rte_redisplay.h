// Redisplay: the text between two offsets drawn line by line through the styles' drawing hook,
// only the blocks the view shows, stopping at the first block below it.
#pragma once

#include <cstdint>

#include "rte_document.h"

// Redraw modes.
constexpr int16_t RTE_REDRAW_NONE = 0;
constexpr int16_t RTE_REDRAW_DEFAULT = 1;
constexpr int16_t RTE_REDRAW_OFFSCREEN_FIRST = 5;  // modes 5 to 10 draw with the off-screen flag set
constexpr int16_t RTE_REDRAW_BRACKETED_FIRST = 8;  // modes 8 to 10 tell slot 19 before and after
constexpr int16_t RTE_REDRAW_LAST = 10;

// Document flag: the marks of blanks and line ends are drawn (through slot 14).
constexpr uint32_t RTE_DOC_SHOW_INVISIBLES = 0x80;
// Document flag: the text is drawn page by page into a target rect.
constexpr uint32_t RTE_DOC_PAGE_MODE = 0x00200000;

// What paragraph slot 2 is told in its paragraph mode once the last line of a paragraph has been
// drawn (RTE_PAR_DRAW_PARAGRAPH), with a copy of the paragraph's format. The lines are those
// drawn of the paragraph in the text block that ends it.
struct RteParagraphDrawn {
    RteRect rect;           // the bounds of the drawn lines, in the window
    const RteRect* second;  // the bounds of those that lie in a later container than the first, or null
    int32_t mode;           // the redraw mode
    int32_t block;          // the index of the text block
    int32_t start;          // the text offset where the first line drawn starts
    int32_t end;            // where the last line ends
    uint16_t firstFlags;    // the piece flags of the first line's first piece
    uint16_t lastFlags;     // and of the last line's last piece
};

// Slot 19 codes.
constexpr intptr_t RTE_DRAWING_BEGINS = 0;
constexpr intptr_t RTE_DRAWING_ENDS = 1;

// Draws [from, to) (to -1: the text's end) with the substitutes given (null: the document's own
// port, view area; offset: added to the port's origin). Answers where drawing stopped: the text
// length when everything was drawn, else the start of the first block below the view. The
// containers are drawn after the text when the document asks for it (RTE_DOC2_DRAW_CONTAINERS).
// A highlight shown is taken away first and drawn again after; a caret only with restoreCaret.
int32_t RteRedisplay(RteHandle doc, const RteDrawPort* port, int32_t from, int32_t to, RteRectList view,
                     const RtePoint* offset, int16_t mode, bool restoreCaret);
// The whole text; a substitute wrap area lays the text out for the call and again after it.
void RteDisplay(RteHandle doc, const RteDrawPort* port, RteRectList view, RteRectList wrap, const RtePoint* offset,
                int16_t mode);
// RteDisplay limited to [from, to).
void RteDisplayRange(RteHandle doc, const RteDrawPort* port, RteRectList view, RteRectList wrap,
                     const RtePoint* offset, int16_t mode, int32_t from, int32_t to);
// After typing: count characters from the offset drawn at their cached places on their line
// through their styles' drawing hook, the caret shown again (code 8), inside a port hook pair.
void RteDrawInPlace(RteHandle doc, int32_t offset, int32_t count, int16_t mode);
