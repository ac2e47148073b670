// Bounds around an offset: the word, the run between control characters and the paragraph,
// and offsets kept off the second bytes of characters.
#pragma once

#include <cstdint>

#include "rte_runs.h"

// The word around the offset, delimited by word-end characters; with skip-blanks the blanks
// after it too. Backwards, an empty result takes the character before instead of the one after.
void RteWordBounds(RteHandle doc, int32_t offset, int32_t* start, int32_t* end, bool backwards, bool skipBlanks);
// The run between control characters around the offset, the delimiter included.
void RteCtrlBounds(RteHandle doc, int32_t offset, int32_t* start, int32_t* end, bool backwards);
// The paragraph holding the offset, through the document's paragraph-bounds hook.
void RteParagraphBounds(RteHandle doc, int32_t offset, int32_t* start, int32_t* end);
// 1 when the style of the character before the offset (at 0, the first) is neither hidden nor
// carries an embedded object.
int32_t RteCharBeforeIsPlain(RteHandle doc, int32_t offset);
// The offset moved off continuation bytes: forwards, or backwards with 0x8000 in the direction.
constexpr uint32_t RTE_ALIGN_BACKWARDS = 0x8000;
int32_t RteAlignToChar(RteHandle doc, int32_t offset, uint32_t direction);

// The line of a block's piece: the index moves to the line's first piece, the line's start and
// end offsets in the block are written (the piece's own offset for both past the text's end),
// and its number of pieces is answered.
int32_t RteLineOfPiece(RteHandle doc, int32_t block, int32_t* piece, int32_t* start, int32_t* end);
// The text offsets where the display line holding an offset starts and ends, with the port
// opened around the look; a block not laid out yet counts as one line.
void RteLineBounds(RteHandle doc, int32_t offset, int32_t* start, int32_t* end);
