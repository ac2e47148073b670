// The character position cache: the measured left edge of every character of the three text
// blocks used last, shared by all documents of the environment, kept up to date by insertions
// and deletions instead of measuring again.
#pragma once

#include <cstdint>

#include "rte_document.h"
#include "rte_runs.h"

// What a style's measuring hook (slot 2) is handed, as its first argument, for one step: it
// writes positions[1..count] from positions[0] on and, when asked, a type per character (0 for
// a character that takes no special part, 1 a blank, 64 and more a control character). The
// step counter runs from 0 and is -1 for the last step. It answers the step's width.
// The cache measures in text order (direction 0, scaling 0): every step goes on from the end of
// the one before, which a step placed on a line may not keep. A placed step (direction 1 or
// -1) of a right-to-left font, on a system that reads from left to right, has its first
// position take the last one's value, and with -1 its last the first's. With scaling
// RTE_MEASURE_UNSCALED the widths are mapped back through the document's scale.
constexpr int32_t RTE_MEASURE_UNSCALED = 2;
struct RteMeasureStep {
    const uint8_t* text;
    int32_t count;
    int32_t* positions;
    int16_t* types;
    int32_t step;
    int32_t direction = 0;
    int32_t scaling = 0;
};

// The most characters measured in one step, whatever the style.
constexpr int32_t RTE_MAX_MEASURE_STEP = 4096;

// The locked positions of a block (its length + 1 values), with their handle and the types'
// handle. A fourth block asked for while three are held is measured into an entry of its own,
// freed when released.
int32_t* RteBlockPositions(RteHandle doc, int32_t block, RteHandle* positions, RteHandle* types);
// Gives back one hold of the positions; nothing when no entry holds the handle.
void RteReleasePositions(RteHandle doc, RteHandle positions);
void RteDropPositions(RteHandle doc, int32_t entry);
void RteDropDocPositions(RteHandle doc);

// After count characters were inserted at an offset of a block (the text already holds them):
// the cached entry gains their positions and every later one moves by their width; an
// insertion that changes how its neighbours measure drops the entry instead.
void RtePositionsInserted(RteHandle doc, int32_t block, int32_t offset, int32_t count);
// After count characters at an offset of a block were deleted: the entry loses them and
// every later position moves back by their width.
void RtePositionsDeleted(RteHandle doc, int32_t block, int32_t offset, int32_t count);

// Positions of count characters from an offset of a block, in a new handle of count + 1 values
// from 0, for justifying and drawing a line; those past the block's end repeat its last. Unless
// the line flags (those of its first piece) make it a paragraph's first line, the blanks it
// starts with take no width: a wrapped line's text begins at its left edge, while blanks typed
// at a paragraph's start indent it.
RteHandle RteMeasureLine(RteHandle doc, int32_t block, int32_t offset, int32_t count, uint16_t lineFlags);
// Places one run on a line: positions[0..n] of the characters from an offset of a block, from
// 0, measured as one step of the given direction and scaling (see RteMeasureStep), so that a
// right-to-left run reads from its right edge without touching any other run's positions.
// Stops at the end of the style run, of a sub-run, of the block and of a measuring step;
// answers n.
int32_t RteMeasurePlacedRun(RteHandle doc, int32_t block, int32_t offset, int32_t count, int32_t direction,
                            int32_t scaling, int32_t* positions);
// Steps back from a text position towards the limit while the character there is a
// continuation byte of a multi-byte character: where a break may fall.
int32_t RteBackToBreak(RteHandle doc, RteStyleWalk* walker, int32_t position, int32_t limit);

// Block flags that marking lines reads and sets. The line table's completeness shares its bit
// with RTE_BLOCK_LINES_SAVED of the bound-text release.
constexpr uint32_t RTE_BLOCK_LINES_COMPLETE = 0x4;
constexpr uint32_t RTE_BLOCK_LAYOUT_WHOLE = 0x80;
constexpr uint32_t RTE_BLOCK_LINES_AND_TEXT_CHANGED = 0x4001;
// Flags of the line pieces (the block's lines handle) that marking reads and clears.
constexpr uint16_t RTE_LINE_STARTS_PARAGRAPH = 0x400;
constexpr uint16_t RTE_LINE_LAID_OUT = 0x800;
constexpr uint16_t RTE_LINE_BREAK_KINDS = 0x2000 | 0x4000;
constexpr uint16_t RTE_LINE_PARAGRAPH_END = 0x8000;
// After an edit of change characters (negative: deleted) at an offset of a block, the lines it
// touches lose their laid-out mark, from the first line of its paragraph to the paragraph's
// end; answers the text offset from which layout must be redone.
int32_t RteMarkLinesChanged(RteHandle doc, int32_t block, int32_t offset, int32_t change);
// The largest ascent + descent of the styles of the paragraph that holds a line piece.
int32_t RteParagraphHeight(RteHandle doc, int32_t block, int32_t piece);

// The most characters of a style measured in one step: 4096, or 32500 / the width of "W" when
// that is above 5, so that a step stays within 16-bit device coordinates.
int32_t RteMeasureChunkLimit(RteHandle doc, RteCharStyle* style);
// Measures the text [from, from + count) of a document, style by style, into positions
// (count + 1 values; positions[0] is where the first character starts) and types (or null).
void RteMeasureRange(RteHandle doc, const uint8_t* text, int32_t from, int32_t count, int32_t* positions,
                     int16_t* types);

// Helpers of the batch reader: the 1-based place of the first byte equal to a value (0 for
// none); the text offset of the last such byte in the last block (-1 for none); an empty
// handle gets one entry whose second 16-bit field is the value, answering value + 1 (a filled
// handle is left alone, answering 0).
int32_t RteFindByte(const uint8_t* bytes, int32_t count, uint8_t byte);
int32_t RteLastByteOffset(RteHandle doc, uint8_t byte);
int32_t RteStartTable(RteHandle handle, int16_t value);
