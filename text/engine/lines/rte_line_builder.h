// The line builder: a text block's text laid out into lines in the containers of the wrap
// area, each line cut into pieces at style and paragraph runs, measured and justified.
#pragma once

#include <cstdint>
#include <vector>

#include "rte_line_piece.h"
#include "rte_runs.h"

// What a layout changed: the first and last text offsets whose place may differ, and the lines
// and pieces laid out (-1 when not counted).
struct RteLayoutChange {
    uint32_t flags;
    int32_t first;
    int32_t last;
    int32_t lines;
    int32_t pieces;
};

// Piece flags the builder adds to those of the line pieces.
constexpr uint16_t RTE_PIECE_LATER = 0x800;          // a piece after its line's first
constexpr uint16_t RTE_PIECE_CONTAINER_BREAK = 0x8;
constexpr uint16_t RTE_PIECE_PAGE_BREAK = 0x4;
constexpr uint16_t RTE_PIECE_SOFT_BREAK = 0x2000;
constexpr uint16_t RTE_PIECE_HIDDEN = 0x2;  // hidden text that takes no room

// Block flag: the block's text is all hidden; its one line takes no room.
constexpr uint32_t RTE_BLOCK_NO_VISIBLE_LINES = 0x20;
// Block flag: the last container was used up before the block (a break ended the block before
// it there) and nothing repeats: its one line takes no room, just below the wrap bounds.
constexpr uint32_t RTE_BLOCK_DID_NOT_FIT = 0x100;
// Block flag: the block's last line ends only because the block does, with room left for the
// first word of the next block, which goes on with its paragraph.
constexpr uint32_t RTE_BLOCK_ENDS_OPEN = 0x400;

// While a block is laid out a layout's bottom is open: the last container reaches this far.
constexpr int32_t RTE_OPEN_BOTTOM = 0x7FFFFFF0;

// The builder of one block's lines, handed to the fill and fits hooks (slots 1 and 3).
struct RteLineBuilder {
    RteStyleWalk walker;   // over the document, paragraphs included
    int32_t block;
    int32_t blockStart;
    int32_t length;
    const uint8_t* text;
    const int32_t* positions;  // length + 1 values
    const int16_t* types;      // the measuring hook's types, one a byte
    std::vector<RteLinePiece> pieces;
    int32_t lineStart;     // the byte that starts the line being filled
    int32_t lineEnd;       // where the fill hook ended it
    size_t firstPiece;     // the line's first piece
    RteRect line;          // the line rect: its top, the container's left and right
    int32_t container;     // 1-based
    int32_t containers;
    bool lastBlock;
    bool paragraphStart;   // the line starts a paragraph
    int32_t roomLeft;      // beyond the line's text when the block's text ran out on it, else
                           // -1; RTE_LINES_TAKEN_BACK when the old lines were taken back
};
constexpr int32_t RTE_LINES_TAKEN_BACK = -2;

// A container by its number (from 1) counted on through the repeated copies of the wrap area,
// within the margins that the page-margins hook (slot 29) gives its copy (from 1).
RteRect RteRepeatedContainer(RteHandle doc, int32_t number);
// Lays out the block and the blocks before it that still need layout.
void RteLayoutBlock(RteHandle doc, int32_t block, RteLayoutChange* change, bool force);
// Every block of the document laid out.
void RteLayoutDocument(RteHandle doc);
// Slot 1: fills the builder's line from its start.
intptr_t RteDefaultFillLine(RteHandle doc, void* builder);
// Slot 3: 1 when the filled line stays where it is; 0 when it was moved on and must be filled
// again.
intptr_t RteDefaultLineFits(RteHandle doc, void* builder);
// Document flag: every line is as high as the document's first character style.
constexpr uint32_t RTE_DOC_FIXED_LINE_HEIGHT = 0x40000000;
// Paragraph format units (of units140to141, 32-bit units 140 and 141): the minimum and the exact
// line height, 0 for none.
constexpr int RTE_PAR_MINIMUM_LINE_HEIGHT = 0;
constexpr int RTE_PAR_EXACT_LINE_HEIGHT = 1;
// A line's height and the room below its baseline.
struct RteLineHeight {
    int32_t height;
    int32_t below;
};
// The height of a line whose tallest runs reach the descent given: the document's fixed line
// height, else the paragraph's minimum (the leading then counts for nothing), else its exact
// height, which a line takes whether taller or lower.
void RteApplyLineHeight(RteHandle doc, const RteParFormat& format, int32_t descent, RteLineHeight* line);
// The line grown to the style at the walker: the tallest ascent, descent and leading so far.
void RteLineMetrics(RteHandle doc, RteStyleWalk* walker, int16_t* ascent, int16_t* descent, int16_t* leading);
// The paragraph format's indents applied to a line rect.
void RteLineIndents(const RteStyleWalk* walker, RteRect* line, bool paragraphFirst);
