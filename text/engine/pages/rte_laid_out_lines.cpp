// Every line of every block, the document laid out first.
#include "rte_laid_out_lines.h"

#include "rte_line_builder.h"
#include "rte_text_blocks.h"
#include "rte_typed.h"

std::vector<RteLaidOutLine> RteLaidOutLines(RteHandle doc)
{
    RteLayoutDocument(doc);
    std::vector<RteLaidOutLine> lines;
    RteLocked<RteDocument> locked(doc);
    RteLocked<RteTextBlock> blocks(locked->blocks);
    for (int32_t b = 0, start = 0; b < blocks.size(); start += blocks[b].length, ++b) {
        RteLocked<RteLinePiece> pieces(blocks[b].lines);
        int32_t count = RtePieceCount(pieces.get(), pieces.size());
        for (int32_t i = 0; i < count; ++i) {
            const RteLinePiece& piece = pieces[i];
            if (piece.flags & RTE_PIECE_LINE_FIRST) {
                RteLaidOutLine line = {start + piece.offset, start + blocks[b].length, {}, piece.container, piece.flags, 0};
                RteLineRect(&piece, &line.rect);
                lines.push_back(line);
            }
            if (i + 1 < count && (pieces[i + 1].flags & RTE_PIECE_LINE_FIRST))
                lines.back().end = start + pieces[i + 1].offset;
            if (piece.flags & RTE_PIECE_LINE_LAST)
                lines.back().lastFlags = piece.flags;
        }
    }
    return lines;
}
