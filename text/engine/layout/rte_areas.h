// The document's areas: the wrap area's rects are containers that lines fill in order and that
// may repeat like pages; the view area shows them; the extra area's rects cut spans out of lines.
#pragma once

#include <cstdint>

#include "rte_document.h"

// Layout flags of a document.
constexpr uint32_t RTE_LAYOUT_REPEAT_DOWN = 0x1;
constexpr uint32_t RTE_LAYOUT_REPEAT_ACROSS = 0x2;
constexpr uint32_t RTE_LAYOUT_KEEP_LAST_HEIGHT = 0x4;
constexpr uint32_t RTE_LAYOUT_KEEP_CARET_IN_VIEW = 0x400;  // a scroll takes the caret along
constexpr uint32_t RTE_LAYOUT_VIEW_CONTAINERS = 0x10000000;

// Area change flags.
constexpr uint32_t RTE_AREA_WRAP_CHANGED = 0x1;
constexpr uint32_t RTE_AREA_VIEW_CHANGED = 0x2;
constexpr uint32_t RTE_AREA_EXTRA_CHANGED = 0x4;

// Container hook modes.
constexpr int32_t RTE_CONTAINER_OPEN = 0;
constexpr int32_t RTE_CONTAINER_CLOSE = 1;
constexpr int32_t RTE_CONTAINER_DRAW = 2;

void RteGetAreaBounds(RteHandle doc, RteRect* wrap, RteRect* view);
// Either area becomes a single rect; a new wrap rect whose top, left or right moved marks the
// text for layout.
void RteSetAreaRects(RteHandle doc, const RteRect* wrap, const RteRect* view);
int32_t RteContainerCount(RteHandle doc);
void RteGetContainer(RteHandle doc, int32_t number, bool window, bool scaled, RteRect* out);
// Rect n (0: the bounds) of one of the document's areas, less the scroll for the window, mapped
// through the document's scaling when asked.
void RteAreaRect(RteHandle doc, RteRectList area, int32_t number, bool window, bool scaled, RteRect* out);
// The distance from one copy of the wrap area to the next ((0, 0) when it does not repeat).
RtePoint RteRepeatStep(RteHandle doc);
// The rect index within one copy of the wrap area of a 0-based repetition number, and the
// offset of that copy.
int32_t RteContainerRepeat(RteHandle doc, int32_t repetition, RtePoint* offset);
// Calls the container hook for the container at a repetition number, its rect moved by the
// copy's offset and the pair.
void RteCallContainerHook(RteHandle doc, int32_t repetition, const RtePoint* offset, int32_t mode, intptr_t a,
                          intptr_t b);
// A place in the containers: a 0-based container (repetitions counted on) and a vertical position.
struct RteContainerPoint {
    int32_t container;
    int32_t v;
};
// Opens and draws every container between two places (from the first container, to the last
// rect or, repeating downwards, one copy on), then closes the walk.
void RteWalkContainers(RteHandle doc, intptr_t a, intptr_t b, const RteContainerPoint* from,
                       const RteContainerPoint* to);
// Reports the rects of a list that meet the clip (every rect without one) to the container hook.
void RteContainersInArea(RteHandle doc, RteRectList list, intptr_t a, intptr_t b, const RteRect* clip);

// Containers changed one at a time, each with its value; the text is laid out again (redraw
// modes wait for redisplay). A new container goes after the first `position` ones; a position
// past the end appends it.
void RteInsertContainer(RteHandle doc, const RteRect* rect, int32_t position, int32_t value, int16_t redraw);
void RteRemoveContainer(RteHandle doc, int32_t number, int16_t redraw);
void RteReplaceContainer(RteHandle doc, const RteRect* rect, int32_t number, int16_t redraw);
void RteSwapContainers(RteHandle doc, int32_t a, int32_t b, int16_t redraw);
int32_t RteGetContainerValue(RteHandle doc, int32_t number);
void RteSetContainerValue(RteHandle doc, int32_t number, int32_t value);
// The rect index (0-based within one copy of the wrap area) under a point in document
// coordinates, repetition taken into account, -1 for none; the repetition number and the copy's
// offset are written.
int32_t RteContainerIndexAtPoint(RteHandle doc, const RtePoint* point, int32_t* repetition, RtePoint* offset);
// Tells every character style, then every paragraph format, of the tables the verb, through
// their table hooks.
void RteBroadcastStyles(RteHandle doc, int32_t argument, intptr_t verb, RteHandle styles, RteHandle formats);
// The container under a window point (display scaling undone, scroll added), 0 for none.
int32_t RteContainerAtPoint(RteHandle doc, const RtePoint* point, const RtePoint* inset);
// The number of the rect of one of the document's areas that holds a window point (mapped back
// through the scaling, the scroll added), 0 for none.
int32_t RteAreaRectAtPoint(RteHandle doc, RteRectList area, const RtePoint* point, const RtePoint* inset);
// 1 when the geometry changed since the last reset; with reset, remembers it as it is now.
// Layout flag 0x40 leaves the wrap bounds out of the comparison.
constexpr uint32_t RTE_LAYOUT_WRAP_NOT_COMPARED = 0x40;
int32_t RteAreasChanged(RteHandle doc, bool reset);

// Moves the view area so that its corner is the view origin moved by to - from (from defaults
// to (0, 0), to to the scroll position).
void RteMoveViewArea(RteHandle doc, const RtePoint* from, const RtePoint* to);
// Rescales the wrap area (when asked), the extra area, every style and paragraph format about
// the drawing origin, and lays the text out again.
void RteScaleDocument(RteHandle doc, int16_t numerator, int16_t denominator, bool wrapToo);
// Scales the format's horizontal measures, its tab stops about the drawing origin's h.
void RteScaleParFormat(RteHandle doc, RteParFormat* format, int32_t numerator, int32_t denominator);

// The container that holds the laid-out line of an offset (-1: the selection's first point),
// and the first offset placed in a container (-1 when none is).
int32_t RteContainerOfLine(RteHandle doc, int32_t offset);
int32_t RteFirstOffsetInContainer(RteHandle doc, int32_t number);

void RteUpdateTextBoundsFromWrap(RteHandle doc);
// The text bounds from the blocks' laid-out bounds; the last container follows the text unless
// the document keeps its height, never less than 1 unit high.
void RteComputeTextBounds(RteHandle doc);

// The spans (RteRect, sorted by left, merged within the minimum width) that the extra area
// takes out of a line at a text offset; the line narrows where an obstacle leaves less than the
// minimum width beside it. Answers their number; the list ends with a sentinel span.
int32_t RteExclusionSpans(RteHandle doc, RteRect* line, int32_t minimum, int32_t* lowestBottom, int32_t offset,
                          RteHandle spans);
void RteSetAnchor(RteHandle doc, int16_t rect, int32_t offset);

// The text ranges (RteRange, in the list handle given) whose laid-out characters lie in the
// area: pieces met from their left or to their right edge count from or to their ends, others
// from the offsets that the hit-test hook finds at the corners of what lies in the area.
void RteRangesInRectList(RteHandle doc, RteRectList area, RteHandle ranges);

RteHandle RteGetDocUserRef(RteHandle doc);
RteHandle RteSetDocUserRef(RteHandle doc, RteHandle ref);
uint64_t RteDocId(RteHandle doc);
