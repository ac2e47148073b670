// Text-block upkeep: blocks made, merged and split so that each stays within the size that
// measuring and layout handle in one piece, and their text turned into 16-bit characters and back.
#pragma once

#include <cstdint>

#include "rte_runs.h"
#include "rte_text_blocks.h"

// The most bytes a block holds once balanced.
constexpr int32_t RTE_MAX_BLOCK_BYTES = 4096;
// Block flag: the block is to be merged into the one after it.
constexpr uint32_t RTE_BLOCK_MERGE_NEXT = 0x10;

// A block record for bytes about to be inserted, flagged for layout; its text handle belongs to
// the document.
RteTextBlock RteNewTextBlock(RteDocument* doc, const uint8_t* bytes, int32_t length);

// The first position in [from, from + length) of the block whose character has a class bit of
// the mask, as the position just after it and its continuation bytes; 0 when none. The walker
// is one the caller began; it is moved.
int32_t RteFindBreakIn(RteHandle doc, int32_t block, RteStyleWalk* walker, int32_t from, int32_t length,
                       intptr_t mask);
// Document hook slot 9: where an over-long block is best split (0: nowhere).
int32_t RteDefaultSplitPoint(RteHandle doc, int32_t block);

// Merges blocks flagged for it and empty blocks, splits blocks over the maximum; 1 when
// anything changed.
int32_t RteBalanceTextBlocks(RteHandle doc);

// A block's text as 16-bit characters, converted run by run through each character style's
// widening hook (slot 15) into a new array of 2-byte elements that replaces it; text that is
// 16-bit already only loses a leading byte-order mark. The length becomes the character count.
// The block is a record, not an index, so that a copy can be widened while the document keeps
// its own text; start is its offset, where its runs are found.
void RteWidenBlockText(RteHandle doc, int32_t start, RteTextBlock* block);
// The reverse, in the same handle: 16-bit text (a leading byte-order mark obeyed) narrowed
// through each style's narrowing hook (slot 16), the runs counting the bytes it is to have.
void RteNarrowBlockText(RteHandle doc, int32_t start, RteTextBlock* block);
