// The selection: one or more ranges, each a pair of select points, set from offsets or from
// points hit by the mouse, and moved by navigation codes.
#pragma once

#include <cstdint>

#include "rte_document.h"
#include "rte_runs.h"

// Modifiers of selection and clicks.
constexpr uint32_t RTE_SELECT_EXTEND = 0x1;
constexpr uint32_t RTE_SELECT_WORD = 0x2;
constexpr uint32_t RTE_SELECT_PARAGRAPH = 0x4;
constexpr uint32_t RTE_SELECT_LINE = 0x8;
constexpr uint32_t RTE_SELECT_VERTICAL = 0x10;
constexpr uint32_t RTE_SELECT_ADD = 0x20;
constexpr uint32_t RTE_SELECT_STYLE_RUN = 0x40;
constexpr uint32_t RTE_SELECT_CLASS_RUN = 0x80;   // selection units: a run of one character class
constexpr uint32_t RTE_SELECT_LEFT_ONLY = 0x80;   // hit test: only boundaries left of the point
constexpr uint32_t RTE_SELECT_LEFT_ONLY_TOO = 0x100;
constexpr uint32_t RTE_SELECT_BEYOND_ANCHOR = 0x4000;
// A point that a modifier widened to its unit.
constexpr uint32_t RTE_SELECT_WIDENED = 0x10;
// Both points of the first range: an embedded object holds the click being tracked.
constexpr uint32_t RTE_SELECT_ON_OBJECT = 0x20;
// Second document flags: the document's view does not scroll by itself, horizontally or
// vertically (to follow a drag or bring a character into view).
constexpr uint32_t RTE_DOC2_NO_AUTO_HSCROLL = 0x80000;
constexpr uint32_t RTE_DOC2_NO_AUTO_VSCROLL = 0x100000;
// Second document flag: a click is being tracked.
constexpr uint32_t RTE_DOC2_TRACKING = 0x40000;

// Click modes.
constexpr int32_t RTE_CLICK_PRESS = 0;
constexpr int32_t RTE_CLICK_DRAG = 1;
constexpr int32_t RTE_CLICK_RELEASE = 2;

// Navigation codes of RteMoveSelection, and the bit that extends instead of moving.
constexpr int32_t RTE_MOVE_TEXT_START = 0;
constexpr int32_t RTE_MOVE_TEXT_END = 1;
constexpr int32_t RTE_MOVE_LINE_START = 2;
constexpr int32_t RTE_MOVE_LINE_END = 3;
constexpr int32_t RTE_MOVE_NEXT_WORD = 4;
constexpr int32_t RTE_MOVE_PREVIOUS_WORD = 5;
constexpr int32_t RTE_MOVE_EXTEND = 0x8000;

// Slot 12: the select point of a point in document coordinates; hit mode 1 counts only the
// character boundaries left of the point.
intptr_t RteHitTest(RteHandle doc, intptr_t point, intptr_t out, intptr_t mode, intptr_t, intptr_t);
// The offset under a point (window coordinates, the pair added first).
int32_t RteOffsetAtPoint(RteHandle doc, const RtePoint* point, const RtePoint* pair);

// The offset at a window point: in the view the hit test's, above the text 0, else the text's
// length; with style, the run's style there and its extent (its end within the text).
int32_t RteCharAtPoint(RteHandle doc, const RtePoint* point, int32_t mode, RteCharStyle* style, RteRange* run);

void RteSetSelection(RteHandle doc, int32_t start, int32_t end, uint32_t modifiers, int16_t redraw);
void RteGetSelection(RteHandle doc, int32_t* start, int32_t* end);
// Ranges that are not carets.
int32_t RteSelectionRangeCount(RteHandle doc);
void RteSetCaretQuiet(RteHandle doc, int32_t offset);
void RteMoveSelection(RteHandle doc, int32_t code, bool draw);
// Moves one end of the selection by delta (the last end forwards when ranges exist, else the
// first point; with 0x4000 the end beyond the caret anchor), by a shift-click at its character
// when asked, else by setting the selection from the fixed end with the modifiers.
void RteExtendSelection(RteHandle doc, int32_t delta, uint32_t modifiers, bool byPoint);
// The selection replaced by ranges (pairs of offsets), each moved by the base and pinned.
void RteSetSelectionRanges(RteHandle doc, const RteRange* ranges, int32_t count, int32_t base, bool draw);
// Every select point stale and the document changed.
void RteInvalidateSelection(RteHandle doc, bool hide);
// The blocks from start to end laid out again, the points from the first of them stale.
void RteInvalidateRange(RteHandle doc, int32_t start, int32_t end);
// A window point in document coordinates: unscaled, then scrolled.
void RteWindowToDoc(RteHandle doc, RtePoint* point);
// The selection changed by a hit point: extended (its free end moved, whole units kept) or
// started anew (added with 0x20); with draw the caret and only the changed highlight redrawn.
void RteTrackSelection(RteHandle doc, const RteSelectPoint& hit, uint32_t modifiers, bool extend, bool draw);
// Mode 0 press, 1 drag, 2 release, the point in window coordinates; answers nonzero when
// something other than the selection took the click. A press on an embedded object goes to
// the click hook of its style (slot 13, with the mode and an RteObjectClick); when it takes
// the press the object is selected and told of the drags and the release.
int32_t RteClick(RteHandle doc, const RtePoint* point, int32_t mode, uint32_t modifiers, intptr_t data, bool autoscroll);

// What an object's click hook receives: the point in document coordinates, inside the object,
// and the click's data.
struct RteObjectClick {
    RtePoint point;
    intptr_t data;
};
// The run holding the offset, and its style; true when the style carries an object with a
// click hook.
bool RteObjectRunAt(RteHandle doc, int32_t offset, RteRange* run, RteCharStyle* style);
// Sets or clears RTE_SELECT_ON_OBJECT on the selection's first two points.
void RteMarkObjectClick(RteHandle doc, bool held);
