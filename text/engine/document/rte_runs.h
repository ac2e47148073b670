// Style runs: the character-run and paragraph-run tables that attach styles to text, the walk
// that applies a change over a range, the clean-up that keeps the tables minimal, the style
// walker, and range lists.
//
// A run table is sorted by offset; its first run starts at 0, its last entry is a sentinel at
// the text length + 2 naming the last run's record; no run is empty, no two neighbours name the
// same record, and every entry (the sentinel too) holds one use of the record it names.
#pragma once

#include "rte_document.h"

// The run holding the offset, with the table left locked (the caller unlocks it).
RteStyleRun* RteFindRun(RteHandle runs, int32_t offset, int32_t* index);
RteStyleRun* RteCharRunAt(RteHandle doc, int32_t offset, int32_t* index);
RteStyleRun* RteParRunAt(RteHandle doc, int32_t offset, int32_t* index);
// The record in force at an offset; its table stays locked (the caller unlocks it).
RteCharStyle* RteCharStyleAt(RteHandle doc, int32_t offset);
RteParFormat* RteParFormatAt(RteHandle doc, int32_t offset);

// What a run-apply step works with. The step returns the record index a run is to carry.
struct RteRunStep {
    RteDocument* doc;
    bool paragraph;
    int32_t changed;  // runs whose record changed
    const void* data;
};
typedef int32_t (*RteRunStepProc)(RteRunStep* step, const RteStyleRun& run);
void RteRunApply(RteHandle runs, RteRunStep* step, RteRunStepProc proc, int32_t start, int32_t end);

// The indices at an offset; with addUse each record gains a use (kept through a deletion).
void RteRunIndexAt(RteHandle doc, int32_t offset, int16_t* charIndex, int16_t* parIndex, bool addUse);
// After a deletion: the character run at the offset carries the char index, the paragraph that
// holds it the par index (par index -1: the paragraph side is left alone).
void RteSetRunsAt(RteHandle doc, int16_t charIndex, int16_t parIndex, int32_t offset);
void RteRunCleanup(RteHandle doc, bool characters, bool paragraphs);
// The same on a document the caller holds locked.
void RteCleanupRuns(RteDocument* doc, bool characters, bool paragraphs);

// The walker: callers read offset, nextRunStart and end.
struct RteStyleWalk {
    int32_t offset;
    int32_t nextRunStart;
    int32_t end;  // the text length
    RteDocument* doc;
    RteCharStyle* style;
    RteParFormat* format;  // with paragraphs only
    RteFont* font;
    int32_t charRun;
    int32_t parRun;
    int32_t nextParStart;
    RteStyleRun* charRuns;
    RteStyleRun* parRuns;
    RteCharStyle* styles;
    RteFont* fonts;
    RteParFormat* formats;
    int32_t fontIndex;  // -3 until one is resolved
    uint32_t flags2;
    int16_t unit22;
    bool paragraphs;
};
// Locks the tables and places the walker; a null walker unlocks what the same call locked.
void RteStyleWalkBegin(RteHandle doc, int32_t offset, RteStyleWalk* walker, bool paragraphs);
void RteStyleWalkEnd(RteHandle doc, bool paragraphs);
int32_t RteStyleWalkMove(RteStyleWalk* walker, int32_t delta);
int32_t RteStyleWalkNext(RteStyleWalk* walker);
int32_t RteStyleWalkPrev(RteStyleWalk* walker);
int32_t RteStyleWalkSet(RteStyleWalk* walker, int32_t offset);
// The context of the character at the walker's offset (the walker stays there): its length,
// the bytes after it that may be read, and the font of the run before when it starts a run.
RteCharContext RteStyleWalkCharContext(const RteStyleWalk* walker, int32_t length, int32_t after);

// Ranges as start/end pairs.
struct RteRange {
    int32_t start;
    int32_t end;
};
// The pairs of a range or of the selection, normalised; null when there is nothing to list. With
// trim, a selection whose end point asks for it loses its trailing blanks.
RteHandle RteRangeList(RteHandle doc, const RteRange* range, bool force, bool trim);
RteHandle RteMakeRangeList(RteDocument* doc, const RteRange* range, bool force, bool trim);
void RteRangeListToParagraphs(RteHandle doc, RteHandle list);
// Orders each pair, sorts the pairs and makes them follow one another.
void RteNormalizeRangeList(RteHandle list);
// The selection is a single empty range.
bool RteSelectionIsCaret(const RteDocument* doc);
int32_t RteSelectionStart(const RteDocument* doc);

// From the run holding *offset, the first run whose style matches; *offset becomes its start and
// *end the end of the matching runs after it. 0 when none matches or the offset is at the end.
int32_t RteGetStyleRun(RteHandle doc, int32_t* offset, int32_t* end, const RteCharStyle* values,
                       const RteCharStyle* mask, const RteCharStyle* andMask);
// The masked match of a style over its units.
bool RteStyleMatches(const RteCharStyle& style, const RteCharStyle* values, const RteCharStyle* mask,
                     const RteCharStyle* andMask);

void RteSetInsertionStyle(RteHandle doc, const RteCharStyle* style, const RteFont* font);
void RteRederiveInsertionStyle(RteHandle doc);
