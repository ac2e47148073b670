// The fast path after typing: the new characters drawn where the position cache puts them on
// their line, without laying out or erasing anything else.
#include <algorithm>

#include "rect_ops.h"
#include "rte_gdi_text.h"
#include "rte_highlight.h"
#include "rte_line_builder.h"
#include "rte_position_cache.h"
#include "rte_position_queries.h"
#include "rte_redisplay.h"
#include "rte_typed.h"

namespace {

// Break classes of characters that are drawn together with their neighbour.
constexpr intptr_t kJoinsBefore = 0x1000;
constexpr intptr_t kJoinsAfter = 0x0800;

}  // namespace

void RteDrawInPlace(RteHandle doc, int32_t offset, int32_t count, int16_t mode)
{
    if (mode == RTE_REDRAW_NONE || count <= 0)
        return;
    offset = RtePinOffset(doc, offset);
    // A character joined to the one before it is drawn with it; one joined to the next waits
    // for it.
    if (offset > 0 && RteCharInfo(doc, offset, kJoinsBefore)) {
        --offset;
        ++count;
    }
    if (count > 1 && RteCharInfo(doc, offset + count - 1, kJoinsAfter))
        --count;
    int32_t index = 0;
    int32_t blockStart = RteFindTextBlock(doc, offset, &index, true, true);
    RteTextBlock block;
    RtePoint scroll;
    RteHookTable hooks;
    {
        RteLocked<RteDocument> locked(doc);
        RteGetElement(locked->blocks, index, &block);
        scroll = locked->scroll;
        hooks = locked->hooks;
    }
    int32_t end = std::min(offset + count, blockStart + block.length) - blockStart;
    hooks.port(doc, 1);
    RteHandle positions = nullptr, types = nullptr;
    const int32_t* x = RteBlockPositions(doc, index, &positions, &types);
    RteStyleWalk walker;
    RteStyleWalkBegin(doc, offset, &walker, false);
    {
        RteLocked<RteLinePiece> pieces(block.lines);
        RteLocked<uint8_t> text(block.text);
        int32_t pieceCount = RtePieceCount(pieces.get(), pieces.size());
        // Piece by piece, and within a piece style run by style run.
        for (int32_t at = offset - blockStart; at < end;) {
            int32_t piece = RtePieceAt(pieces.get(), pieceCount, at);
            const RteLinePiece& line = pieces[piece];
            int32_t pieceEnd = piece + 1 < pieceCount ? pieces[piece + 1].offset : block.length;
            RteStyleWalkSet(&walker, blockStart + at);
            int32_t stop = std::min({end, pieceEnd, walker.nextRunStart - blockStart});
            // A character that ends its line (a break) is never drawn.
            int32_t drawn = stop;
            while (drawn > at && text[drawn - 1] < ' ')
                --drawn;
            RteRect rect = line.rect;
            RteOffsetRect(&rect, -scroll.h, -scroll.v);
            RteDrawRun run{text.get() + at, drawn - at, blockStart, at, rect.left + x[at] - x[line.offset],
                           rect.bottom - line.spaceAfter, rect, RteDecodeExtra(line.extra), 0, 0};
            if (run.count > 0)
                walker.style->hooks.draw(doc, walker.style, reinterpret_cast<intptr_t>(&run), 0, 0, 0);
            at = std::max(stop, at + 1);
        }
    }
    RteStyleWalkEnd(doc, false);
    RteReleasePositions(doc, positions);
    if (RteLocked<RteDocument>(doc)->flags & RTE_DOC_CARET_SHOWN)
        RteShowCaret(doc, RTE_CARET_CHANGED_PLACE);
    hooks.port(doc, 0);
}
