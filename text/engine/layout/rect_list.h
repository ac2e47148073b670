// Rect lists: the engine's areas (view, wrap, extra, highlight and update areas) as lists of
// rects whose entry 0 holds the bounds of the rest.
//
// A list always holds at least two entries; one whose entries are all zero is the empty area.
// Rects are numbered from 1. They may overlap, except after RteUnionRectIntoList and
// RteDiffRectLists, which leave them disjoint.
#pragma once

#include "geometry_types.h"
#include "rect_list_memory.h"

#include <span>

constexpr int32_t RTE_RECT_LIST_NEW_ENTRIES = 2;
constexpr uint16_t RTE_RECT_LIST_GROWTH = 8;

// Bits of RteRectListShape. Any of the last four makes the area shaped for layout.
constexpr int RTE_SHAPE_SEVERAL = 1;        // more than one rect
constexpr int RTE_SHAPE_WIDTHS_DIFFER = 2;  // a rect's width differs from rect 1's
constexpr int RTE_SHAPE_OVERLAPPING = 4;    // a rect starts above the bottom of the one before
constexpr int RTE_SHAPE_INTERSECTING = 8;   // ... and truly intersects it
constexpr int RTE_SHAPE_CONTINUED = 16;     // a rect continues the one before (below or beside)
constexpr int RTE_SHAPE_ALL = 31;

// A locked view of a list: its bounds and its rects. Insertions and deletions go through it,
// as they may move the list. Unlocks when it goes.
class RteRectIterator {
public:
    explicit RteRectIterator(RteRectList list);
    ~RteRectIterator();
    RteRectIterator(const RteRectIterator&) = delete;
    RteRectIterator& operator=(const RteRectIterator&) = delete;

    RteRectList List() const { return list_; }
    int32_t Count() const { return count_; }
    RteRect& Bounds() { return entries_[0]; }
    RteRect& Rect(int32_t number) { return entries_[number]; }
    std::span<RteRect> Rects() { return {entries_ + 1, static_cast<size_t>(count_)}; }

    // The rect becomes rect number; number = Count() + 1 appends.
    void Insert(int32_t number, const RteRect& rect);
    void Append(const RteRect& rect);
    void Delete(int32_t number);
    // Deletes the rect, or zeroes it when it is the only one, as a list keeps one rect.
    void Remove(int32_t number);
    // The list becomes the rect alone, as bounds and rect 1 (the empty area for a zero rect).
    void SetSingle(const RteRect& rect);

private:
    RteRectList list_;
    RteRect* entries_;
    int32_t count_;
};

// With a rect: bounds and rect 1 are that rect; without: the empty area.
RteRectList RteNewRectList(RteMemContext* context, const RteRect* rect);
// Back to two entries, holding the rect or zeros.
void RteSetRectList(RteRectList list, const RteRect* rect);
void RteFreeRectList(RteRectList list);
// Copies the bounds.
void RteRectListFirst(RteRectList list, RteRect* out);
int32_t RteRectListCount(RteRectList list);
// 1 when the list has fewer than two entries or its bounds are empty.
int RteEmptyRectList(RteRectList list);
// Same count and the same contents, bounds included.
int RteEqualRectLists(RteRectList a, RteRectList b);
// Bounds rebuilt from the rects; a list of fewer than two entries becomes the empty area.
void RteRecalcListBounds(RteRectList list);

// Quick add: merges the rect into a rect it extends exactly, else appends it; the bounds
// widen. Rects may overlap afterwards.
void RteAddRectToList(RteRectList list, const RteRect* rect);
// Region union: afterwards no two rects of the list meet (overlap or touch side by side).
void RteUnionRectIntoList(RteRectList list, const RteRect* rect);
// With out: out becomes the intersection area, 1 when it is not empty. Without: 1 when any
// rect of a intersects any rect of b. Out may be a or b.
int RteSectRectLists(RteRectList a, RteRectList b, RteRectList out);
// out becomes b minus a as disjoint rects; when a is empty or the bounds miss, out becomes a
// copy of b as it stands. Out may be a or b.
void RteDiffRectLists(RteRectList a, RteRectList b, RteRectList out);

// Number of the first rect that intersects the rect, writing the intersection; 0 when none.
int32_t RteListRectSecting(RteRectList list, const RteRect* rect, RteRect* out);
// Number of the first rect that meets the rect, writing the common part; 0 when none.
int32_t RteListRectMeeting(RteRectList list, const RteRect* rect, RteRect* out);
// 1 when a rect of the list intersects the rect offset by the pair, writing the intersection.
int RteRectListSect(RteRectList list, const RteRect* rect, const RtePoint* offset, RteRect* out);
// Number of the first rect that holds the point less the offset, each rect scaled and inset
// first (RtePtInRectAdjusted); 0 when none or when there is no list.
int32_t RteRectListIndexAtPoint(RteRectList list, const RtePoint* point, const RtePoint* offset,
                                const RtePoint* inset, const RteScaling* scaling);

// Every entry, bounds included.
void RteOffsetRectList(RteRectList list, int32_t dh, int32_t dv);
// Insets the outline: an edge that another rect continues stays, so a column of stacked
// rects is inset as one. The bounds are kept as they were.
void RteInsetRectList(RteRectList list, int32_t dh, int32_t dv);
// Scales every rect by numerator ÷ denominator about a drawing origin (a document's, for the
// document-level call) and rebuilds the bounds.
void RteScaleRectListAbout(const RtePoint* drawingOrigin, RteRectList list, int16_t numerator, int16_t denominator);
// RTE_SHAPE_* bits; 0 for a single rect.
int RteRectListShape(RteRectList list);
// Merges what can merge, rebuilds the bounds and sorts the rects by top (equal tops keep
// their order).
void RteNormalizeRectList(RteRectIterator& rects);

// b minus a as up to four pieces (above, left, right, below): the number of pieces, -1 when a
// contains b, 0 when they do not intersect (b is left whole).
int RteRectMinusRect(const RteRect* a, const RteRect* b, RteRect pieces[4]);

// Fits a line into a column of stacked rects from rect *number on: the line takes the
// narrowest edges of the rects it spans until it is tall enough. Writes back the rect
// reached and the line's left and right; 1 when the line fits at least minWidth wide.
int RteFitLineInRects(RteRectList list, RteRect* line, int32_t minWidth, int32_t* number, const RtePoint* offset);
