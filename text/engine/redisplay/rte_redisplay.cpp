// The redraw loop over blocks and their line pieces.
#include "rte_redisplay.h"

#include <algorithm>

#include "rect_list.h"
#include "rect_ops.h"
#include "rte_gdi_text.h"
#include "rte_line_builder.h"
#include "rte_text_blocks.h"
#include "rte_typed.h"

namespace {

// The document's port, view area and origin replaced for one call and given back after it.
class Substitutes {
public:
    Substitutes(RteHandle doc, const RteDrawPort* port, RteRectList view, const RtePoint* offset) : doc_(doc)
    {
        RteLocked<RteDocument> locked(doc);
        savedPort_ = locked->port;
        savedView_ = locked->viewArea;
        if (port)
            locked->port = *port;
        if (view)
            locked->viewArea = view;
        if (offset) {
            locked->port.origin.v += offset->v;
            locked->port.origin.h += offset->h;
        }
    }
    ~Substitutes()
    {
        RteLocked<RteDocument> locked(doc_);
        locked->port = savedPort_;
        locked->viewArea = savedView_;
    }
    Substitutes(const Substitutes&) = delete;
    Substitutes& operator=(const Substitutes&) = delete;

private:
    RteHandle doc_;
    RteDrawPort savedPort_;
    RteRectList savedView_;
};

// Trailing bytes a line does not draw: its paragraph end or break, and on a paragraph's last
// line the blanks before it.
int32_t DrawnCount(const uint8_t* text, int32_t count, bool lastOfParagraph)
{
    if (count > 0 && text[count - 1] < ' ')
        --count;
    while (lastOfParagraph && count > 0 && text[count - 1] == ' ')
        --count;
    return count;
}

void DrawPiece(RteHandle doc, RteStyleWalk* walker, const RteTextBlock& block, int32_t blockStart,
               const RteLinePiece* pieces, int32_t index, int32_t count, const RtePoint& scroll)
{
    const RteLinePiece& piece = pieces[index];
    int32_t end = index + 1 < count ? pieces[index + 1].offset : block.length;
    RteStyleWalkSet(walker, blockStart + piece.offset);
    const uint8_t* text = RteLocked<uint8_t>(block.text).get() + piece.offset;
    bool lastOfParagraph = (piece.flags & RTE_PIECE_LINE_LAST) && (piece.flags & RTE_PIECE_PAR_LAST);
    int32_t drawn = DrawnCount(text, end - piece.offset, lastOfParagraph || (piece.flags & RTE_PIECE_BREAKS));
    if (drawn <= 0)
        return;
    RteRect line = piece.rect;
    RteOffsetRect(&line, -scroll.h, -scroll.v);
    RteDrawRun run{text, drawn, blockStart, piece.offset, line.left, line.bottom - piece.spaceAfter, line,
                   RteDecodeExtra(piece.extra), 0, 0};
    walker->style->hooks.draw(doc, walker->style, reinterpret_cast<intptr_t>(&run), 0, 0, 0);
}

void DrawBlock(RteHandle doc, int32_t index, int32_t blockStart, int32_t from, int32_t to, const RtePoint& scroll)
{
    RteTextBlock block;
    RteGetElement(RteLocked<RteDocument>(doc)->blocks, index, &block);
    if (!block.text)
        return;
    RteLocked<RteLinePiece> pieces(block.lines);
    int32_t count = RtePieceCount(pieces.get(), pieces.size());
    RteStyleWalk walker;
    RteStyleWalkBegin(doc, blockStart, &walker, false);
    for (int32_t i = 0; i < count; ++i) {
        int32_t start = blockStart + pieces[i].offset;
        int32_t end = blockStart + (i + 1 < count ? pieces[i + 1].offset : block.length);
        // A piece that ends where drawing starts lies before it, unless it is the empty last one.
        if (end < from || (end == from && start < from) || start > to)
            continue;
        DrawPiece(doc, &walker, block, blockStart, pieces.get(), i, count, scroll);
    }
    RteStyleWalkEnd(doc, false);
}

}  // namespace

int32_t RteRedisplay(RteHandle doc, const RteDrawPort* port, int32_t from, int32_t to, RteRectList view,
                     const RtePoint* offset, int16_t mode, bool)
{
    if (mode == RTE_REDRAW_NONE)
        return from;
    Substitutes substitutes(doc, port, view, offset);
    RteHookTable hooks;
    RteRect viewBounds;
    RtePoint scroll;
    int32_t length = 0;
    int32_t blocks = 0;
    {
        RteLocked<RteDocument> locked(doc);
        hooks = locked->hooks;
        viewBounds = RteRectIterator(locked->viewArea).Bounds();
        scroll = locked->scroll;
        length = locked->textLength;
        blocks = RteCount(locked->blocks);
        if (mode >= RTE_REDRAW_OFFSCREEN_FIRST)
            locked->flags |= RTE_DOC_OFFSCREEN_CONTAINERS;
    }
    to = to < 0 || to > length ? length : to;
    from = std::clamp(from, 0, length);
    bool bracketed = mode >= RTE_REDRAW_BRACKETED_FIRST && mode <= RTE_REDRAW_LAST;
    hooks.port(doc, 1);
    if (bracketed)
        hooks.drawing(doc, RTE_DRAWING_BEGINS, 0, 0, 0, 0);
    int32_t blockStart = 0;
    int32_t first = RteBlockAt(RteLocked<RteDocument>(doc).get(), from, &blockStart);
    int32_t stopped = length;
    for (int32_t i = first; i < blocks && blockStart <= to; ++i) {
        RteLayoutBlock(doc, i, nullptr, false);
        // Laying it out may have handed it the last line of the block before.
        blockStart = RteBlockStart(RteLocked<RteDocument>(doc).get(), i);
        RteTextBlock block;
        RteGetElement(RteLocked<RteDocument>(doc)->blocks, i, &block);
        RteRect shown = block.bounds;
        RteOffsetRect(&shown, -scroll.h, -scroll.v);
        if (shown.top >= viewBounds.bottom) {
            stopped = blockStart;
            break;
        }
        if (shown.bottom > viewBounds.top)
            DrawBlock(doc, i, blockStart, from, to, scroll);
        blockStart += block.length;
    }
    if (bracketed)
        hooks.drawing(doc, RTE_DRAWING_ENDS, 0, 0, 0, 0);
    hooks.port(doc, 0);
    RteLocked<RteDocument>(doc)->flags &= ~RTE_DOC_OFFSCREEN_CONTAINERS;
    return stopped;
}

void RteDisplay(RteHandle doc, const RteDrawPort* port, RteRectList view, RteRectList wrap, const RtePoint* offset,
                int16_t mode)
{
    RteRectList savedWrap = nullptr;
    if (wrap) {
        RteLocked<RteDocument> locked(doc);
        savedWrap = locked->wrapArea;
        locked->wrapArea = wrap;
        RteMarkForLayout(locked.get(), 0, locked->textLength);
    }
    RteRedisplay(doc, port, 0, -1, view, offset, mode, true);
    if (wrap) {
        RteLocked<RteDocument> locked(doc);
        locked->wrapArea = savedWrap;
        RteMarkForLayout(locked.get(), 0, locked->textLength);
    }
}
