// The pieces of laid-out lines: one per stretch of a line that is placed as a whole, kept in
// the text block's piece array in text order, a line's pieces one after the other.
#pragma once

#include <cstdint>

#include "geometry_types.h"

// Piece flags.
constexpr uint16_t RTE_PIECE_LEFT_TAB = 0x10;      // ends at a left tab
constexpr uint16_t RTE_PIECE_OTHER_TAB = 0x80;     // ends at a centre, right or decimal tab
constexpr uint16_t RTE_PIECE_PAR_FIRST = 0x200;    // its line is the first of its paragraph
constexpr uint16_t RTE_PIECE_LINE_FIRST = 0x400;
constexpr uint16_t RTE_PIECE_RTL = 0x1000;
constexpr uint16_t RTE_PIECE_PAR_LAST = 0x4000;    // its line ends its paragraph
constexpr uint16_t RTE_PIECE_BREAKS = 0x600C;      // the line ends at a break of any kind
constexpr uint16_t RTE_PIECE_LINE_LAST = 0x8000;
constexpr uint16_t RTE_PIECE_SENTINEL = 0xFFFF;  // the flags of the entry that ends a piece array

struct RteLinePiece {
    uint16_t offset;      // from the block start
    uint16_t extra;       // extra spacing (RteEncodeExtra)
    uint16_t spaceAfter;  // grows by the space after a paragraph
    uint16_t flags;
    int32_t container;
    RteRect rect;
};
static_assert(sizeof(RteLinePiece) == 28, "line pieces are kept in 28-byte entries");

// Extra spacing: a 13-bit magnitude with 0x4000 as the sign; a value with 0x8000 or 0x2000 set
// is no spacing and reads as 0. Amounts beyond 13 bits are clamped.
int32_t RteDecodeExtra(uint16_t field);
uint16_t RteEncodeExtra(int32_t amount);

// Pieces in one direction from this one: forwards to the line's last piece, or backwards to its
// first; count 0 for no limit.
int32_t RteDirectionRunLength(const RteLinePiece* piece, int32_t count, bool backwards);
int32_t RteLineHasRtl(const RteLinePiece* first, int32_t count);
// Right-to-left runs of more than one piece read from right to left, keeping their place.
void RteReverseRtlRuns(RteLinePiece* first, int32_t count);
// Every direction run moves to its mirror place within the line rect.
void RteMirrorRuns(const RteRect* line, RteLinePiece* first, int32_t count);
// Each x of the rect becomes outer.right + outer.left - x.
void RteMirrorRectIn(const RteRect* outer, RteRect* rect);
// Pieces of an array before the sentinel that ends it (size: the array's entries).
int32_t RtePieceCount(const RteLinePiece* pieces, int32_t size);
// The last of count pieces that starts at or before an offset of the block (0 for none).
int32_t RtePieceAt(const RteLinePiece* pieces, int32_t count, int32_t offset);
// The union of a line's piece rects up to its last piece.
void RteLineRect(const RteLinePiece* first, RteRect* out);
// How far right of its piece's left edge the caret before the character at an offset of the
// block stands, from the block's character positions: a right-to-left piece places its
// characters from its right edge, so that carets, hit tests and highlights agree.
int32_t RtePieceCaretH(const RteLinePiece& piece, const int32_t* positions, int32_t offset);
