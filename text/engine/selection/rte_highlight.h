// The selection as it shows: the highlight region of its ranges (slot 6 builds it, slot 7
// inverts it on the port) and the caret (slot 10 draws it).
#pragma once

#include <cstdint>

#include "rte_document.h"
#include "rte_runs.h"

// Document flags: no caret, the two inactive switches, the caret drawn.
constexpr uint32_t RTE_DOC_NO_CARET = 0x8;
constexpr uint32_t RTE_DOC_INACTIVE_FIRST = 0x10000;
constexpr uint32_t RTE_DOC_INACTIVE_SECOND = 0x20000;
constexpr uint32_t RTE_DOC_CARET_SHOWN = 0x40000;

// What the caret hook (slot 10) is asked to do.
constexpr intptr_t RTE_CARET_IDLE = 1;
constexpr intptr_t RTE_CARET_IDLE_AGAIN = 2;
constexpr intptr_t RTE_CARET_SHOW = 3;
constexpr intptr_t RTE_CARET_HIDE = 4;
constexpr intptr_t RTE_CARET_HIDE_AGAIN = 5;
constexpr intptr_t RTE_CARET_PLACE = 6;
constexpr intptr_t RTE_CARET_CHANGED = 7;
constexpr intptr_t RTE_CARET_CHANGED_PLACE = 8;
constexpr intptr_t RTE_CARET_POINT = 9;

// Slot 6: adds the rects of every range of the selection (a vertical range: the rectangle
// between its points) to the rect list a, in document coordinates.
intptr_t RteHighlightRects(RteHandle doc, intptr_t list, intptr_t, intptr_t, intptr_t, intptr_t);
// A new rect list of the selection's ranges (through slot 6); null when the selection is a caret.
RteRectList RteSelectionArea(RteHandle doc);
// The highlight area of one range, of a list of ranges (a handle of RteRange) or, with neither,
// of the selection, in window coordinates; 1 when it is not empty.
int32_t RteRangeArea(RteHandle doc, const RteRange* range, RteHandle ranges, RteRectList out);
// The document's highlight region built again when a select point is stale or it is empty.
void RteRefreshHighlight(RteHandle doc);
// Inverts only what differs between the region shown before (null: none) and the document's
// current region, which then counts as shown. Takes the old region.
void RteInvertHighlightChange(RteHandle doc, RteRectList shown);

// Slot 10 called with the caret's select point, placed in document coordinates, when the
// selection is a caret; the caret-shown flag follows what was asked.
void RteShowCaret(RteHandle doc, intptr_t code);
// The same inside a port hook pair.
void RteDrawCaret(RteHandle doc, intptr_t mode);
// The selection drawn: the highlight of its ranges, or the caret with the mode.
void RteDrawSelection(RteHandle doc, intptr_t mode);
// The highlight taken away (the caret hidden); in-port: the caller holds the port already.
void RteHideSelection(RteHandle doc, bool inPort);
// Hides the selection when it shows; answers 1 when it did, for the caller to draw it again.
int32_t RteHideSelectionIfShown(RteHandle doc, bool inPort);
