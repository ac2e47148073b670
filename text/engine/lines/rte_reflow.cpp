// Lines taken back after an edit.
#include "rte_reflow.h"

#include <algorithm>

#include "rect_list.h"
#include "rte_areas.h"
#include "rte_line_builder.h"
#include "rte_position_cache.h"
#include "rte_text_blocks.h"
#include "rte_typed.h"

namespace {

RteRect WrapBounds(RteDocument* doc) { return RteRectIterator(doc->wrapArea).Bounds(); }

// Shaped wrap areas, obstacles and repeated pages place lines by what lies around them: there a
// block is laid out whole.
bool PlainAreas(RteHandle handle, RteDocument* doc)
{
    constexpr int kShaped = RTE_SHAPE_WIDTHS_DIFFER | RTE_SHAPE_CONTINUED;
    RtePoint step = RteRepeatStep(handle);
    return RteEmptyRectList(doc->extraArea) && !(RteRectListShape(doc->wrapArea) & kShaped) && step == RtePoint{};
}

}  // namespace

// Block flags of lines that must be built again, whole or in part.
constexpr uint32_t kStale = RTE_BLOCK_RELAYOUT | RTE_BLOCK_LAYOUT_WHOLE | 0x4000 | RTE_BLOCK_DIRECTION_CHANGED;

bool RteLinesStand(const RteTextBlock& block) { return block.lines && !(block.flags & kStale); }

void RteNoteEdit(RteHandle handle, int32_t block, int32_t offset, int32_t count, bool linesStood)
{
    RteLocked<RteDocument> doc(handle);
    RteReflow& note = doc->reflow;
    RteTextBlock record;
    RteGetElement(doc->blocks, block, &record);
    bool noted = linesStood && record.lines;
    note.pending = false;
    if (!record.lines)
        return;
    {
        RteLocked<RteLinePiece> pieces(record.lines);
        int32_t n = RtePieceCount(pieces.get(), pieces.size());
        for (int32_t i = 0; i < n; ++i) {
            int32_t at = pieces[i].offset;
            if (at > offset)
                pieces[i].offset = static_cast<uint16_t>(std::max(offset, at + count));
        }
    }
    if (noted)
        note = RteReflow{true, block, offset, count > 0 ? offset + count : offset, WrapBounds(doc.get()),
                         RteRectListCount(doc->wrapArea)};
}

bool RteTakeReusableLines(RteHandle handle, int32_t block, RteReusableLines* out)
{
    RteLocked<RteDocument> doc(handle);
    RteReflow note = doc->reflow;
    doc->reflow.pending = false;
    if (!note.pending || note.block != block || note.wrap != WrapBounds(doc.get()) ||
        note.containers != RteRectListCount(doc->wrapArea) || !PlainAreas(handle, doc.get()))
        return false;
    RteTextBlock record;
    RteGetElement(doc->blocks, block, &record);
    if (!record.lines || !record.text || (record.flags & (kStale & ~RTE_BLOCK_RELAYOUT)))
        return false;
    {
        RteLocked<RteLinePiece> pieces(record.lines);
        out->pieces.assign(pieces.get(), pieces.get() + RtePieceCount(pieces.get(), pieces.size()));
    }
    // Lines read from the right keep their pieces in the order drawn: their starts are not the
    // offsets of their first pieces.
    auto byOffset = [](const RteLinePiece& a, const RteLinePiece& b) { return a.offset < b.offset; };
    if (!std::is_sorted(out->pieces.begin(), out->pieces.end(), byOffset))
        return false;
    // The edited paragraph as the old lines have it (a paragraph end of hidden text ends none),
    // begun before the edit: a line that starts at it may have followed deleted text.
    out->rebuildFrom = 0;
    for (const RteLinePiece& piece : out->pieces) {
        bool starts = (piece.flags & RTE_PIECE_LINE_FIRST) && (piece.flags & RTE_PIECE_PAR_FIRST);
        if (starts && piece.offset < note.edit)
            out->rebuildFrom = piece.offset;
    }
    out->after = note.editEnd;
    return true;
}

int32_t RteReusableLineAt(const RteReusableLines& lines, int32_t offset, int32_t container, int32_t top)
{
    if (offset <= lines.after)
        return -1;
    for (size_t i = 0; i < lines.pieces.size(); ++i) {
        const RteLinePiece& piece = lines.pieces[i];
        if (piece.offset > offset)
            break;
        if (piece.offset == offset && (piece.flags & RTE_PIECE_LINE_FIRST) && piece.container == container &&
            piece.rect.top == top)
            return static_cast<int32_t>(i);
    }
    return -1;
}
