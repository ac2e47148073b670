// Lines taken back after an edit: the old lines of a block that start after the edited text
// stand as they were once a line built again starts where one of them starts, in the same
// container at the same top.
#pragma once

#include <cstdint>
#include <vector>

#include "rte_document.h"
#include "rte_line_piece.h"
#include "rte_text_blocks.h"

// Whether the block's lines stand as laid out, nothing marked in it since: to be asked before
// an edit marks it.
bool RteLinesStand(const RteTextBlock& block);
// After count bytes were inserted (count < 0: deleted) at a block offset: the block's lines
// that start beyond it follow the text and, when they stood before the edit, the edit is noted
// for the block's next layout; otherwise (a second edit before that layout) the note goes.
void RteNoteEdit(RteHandle doc, int32_t block, int32_t offset, int32_t count, bool linesStood);

// The old lines a layout of the block may take back, and from where it builds lines again.
struct RteReusableLines {
    std::vector<RteLinePiece> pieces;  // the block's old pieces, without the sentinel
    int32_t rebuildFrom = 0;           // the start of the edited paragraph in the block
    int32_t after = 0;                 // only lines that start beyond this are taken back
};
// Takes the note for the block when nothing else changed since: false (and nothing to take
// back) when the block must be laid out whole. The note goes either way.
bool RteTakeReusableLines(RteHandle doc, int32_t block, RteReusableLines* out);
// The index of the old piece that starts a line at the offset, in the container at the top;
// -1 when none does.
int32_t RteReusableLineAt(const RteReusableLines& lines, int32_t offset, int32_t container, int32_t top);
