// Link ranges (table A, "Link") and marked ranges (table B, "Mark"): added, found, named,
// removed, given their looks, and following the text through every edit.
#pragma once

#include <cstdint>

#include "rte_document.h"
#include "rte_link_range.h"
#include "rte_runs.h"

constexpr int RTE_LINK_TABLE = 0;
constexpr int RTE_MARK_TABLE = 1;

// After a change of delta bytes at an offset: ranges move with the text, text inserted at a
// range's start or end stays outside it, a range whose text went is removed and told (code 3).
void RteLinkRangesShifted(RteHandle doc, int32_t at, int32_t delta);

// Table A.
int32_t RteAddLinkRange(RteHandle doc, const RteRange* range, const char* name, const char* text, RteLinkProc callback,
                        int16_t kind0, int16_t kind1, int16_t kind2, int16_t redraw);
// The range holding the offset changed: with new text its old text is replaced; a new range,
// name or callback replaces the old; non-zero style ids replace theirs (kind 0 also the current).
void RteChangeLinkRange(RteHandle doc, int32_t offset, const RteRange* range, const char* name, const char* text,
                        RteLinkProc callback, int16_t kind0, int16_t kind1, int16_t kind2, int16_t redraw);
void RteRemoveLinkRange(RteHandle doc, int32_t offset, int16_t redraw);
int32_t RteGetLinkRange(RteHandle doc, int32_t offset, bool next, RteLinkRange* out);
int32_t RteInLinkRange(RteHandle doc, int32_t offset);
int32_t RteGetLinkRangeName(RteHandle doc, int32_t offset, char* buffer, int32_t size);
// With scroll the view is scrolled (mode 9) until the found range's first character lies in the
// view inset by 8 vertically and 16 horizontally.
int32_t RteFindLinkRange(RteHandle doc, int32_t from, int32_t* end, const char* name, bool prefix, bool ignoreCase,
                         bool scroll = false);
int32_t RteLinkRangeAtPoint(RteHandle doc, const RtePoint* point);
void RteSetLinkStyleKind(RteHandle doc, int32_t offset, int32_t kind, int16_t redraw);
void RteSetLinkCallbacks(RteHandle doc, RteLinkProc links, RteLinkProc marks);

// Table B.
int32_t RteAddMarkRange(RteHandle doc, const RteRange* range, const char* name, RteLinkProc callback, int16_t kind0,
                        int16_t redraw);
void RteChangeMarkRange(RteHandle doc, int32_t offset, const RteRange* range, const char* name, RteLinkProc callback,
                        int16_t kind0, int16_t redraw);
void RteRemoveMarkRange(RteHandle doc, int32_t offset, int16_t redraw);
int32_t RteGetMarkRange(RteHandle doc, int32_t offset, bool next, RteLinkRange* out);
int32_t RteInMarkRange(RteHandle doc, int32_t offset);
int32_t RteGetMarkRangeName(RteHandle doc, int32_t offset, char* buffer, int32_t size);
int32_t RteFindMarkRange(RteHandle doc, int32_t from, int32_t* end, const char* name, bool prefix, bool ignoreCase,
                         bool scroll = false);
int32_t RteMarkRangeAtPoint(RteHandle doc, const RtePoint* point);
void RteSetMarkStyleKind(RteHandle doc, int32_t offset, int32_t kind, int16_t redraw);

// Table A's default callback: an activated range shows its kind-1 look, every other its kind 0.
void RteDefaultLinkProc(RteHandle doc, const RteLinkRange* range, int32_t code, int32_t start, const char* name);
