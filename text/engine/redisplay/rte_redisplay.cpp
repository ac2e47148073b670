// The redraw loop over blocks and their line pieces.
#include "rte_redisplay.h"

#include <algorithm>
#include <vector>

#include "rect_list.h"
#include "rect_ops.h"
#include "rte_areas.h"
#include "rte_containers.h"
#include "rte_gdi_port.h"
#include "rte_gdi_text.h"
#include "rte_highlight.h"
#include "rte_line_builder.h"
#include "rte_offscreen.h"
#include "rte_position_cache.h"
#include "rte_runs.h"
#include "rte_selection.h"
#include "rte_substitutes.h"
#include "rte_text_blocks.h"
#include "rte_typed.h"

namespace {

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

// What one redraw does: its mode's erasing and off-screen drawing, in window coordinates.
struct Pass {
    RteHandle doc;
    RteEnvironment* env;
    RteHookTable hooks;
    RteRect view;
    RtePoint scroll;
    bool erasing;
    bool offscreen;
    bool invisibles;  // the marks of blanks and line ends drawn after each piece
    int32_t length;
    int16_t mode;
    // A wrap area of several rects (columns) keeps what is erased inside each container, so that
    // redrawing one column leaves its neighbours and what stands between them alone.
    bool columns;
};

// A piece whose text is hidden and takes no room.
constexpr uint16_t kPieceHidden = 0x2;

bool Erases(int16_t mode) { return mode == 1 || mode == 2 || mode == 5 || mode == 8; }

// Erasing needs a device that draws. Off-screen drawing is for mode 5: a band starts as the
// background, so modes 6 and 7, which keep what stands behind the text, draw in place (drawing
// that erases nothing cannot flicker).
Pass MakePass(RteHandle doc, int16_t mode)
{
    RteLocked<RteDocument> locked(doc);
    bool device = locked->env->device != nullptr;
    return Pass{doc,
                locked->env,
                locked->hooks,
                RteRectIterator(locked->viewArea).Bounds(),
                locked->scroll,
                device && Erases(mode),
                device && mode == RTE_REDRAW_OFFSCREEN_FIRST,
                (locked->flags & RTE_DOC_SHOW_INVISIBLES) && !(locked->flags & RTE_DOC_PAGE_MODE),
                locked->textLength,
                mode,
                RteRectListCount(locked->wrapArea) > 1};
}

// Runs the drawing once on the port, or band by band into the off-screen bitmap that is then
// copied to the port, so that erasing and drawing never show apart. False when the view does
// not show the area.
template <typename Draw>
bool DrawArea(const Pass& pass, RteRect area, Draw draw)
{
    if (!RteSectRect(&area, &pass.view, &area))
        return false;
    if (!pass.offscreen) {
        draw();
        return true;
    }
    int32_t done = 0;
    do {
        RteRect band;
        RtePoint offset;
        RteOffscreenBegin(pass.doc, &area, &band, &offset);
        draw();
        done = RteOffscreenEnd(pass.doc);
    } while (!done);
    return true;
}

// The width of the view over a stretch of rows.
RteRect Rows(const Pass& pass, int32_t top, int32_t bottom) { return RteRect{top, pass.view.left, bottom, pass.view.right}; }

// A stretch of rows (in the window) across what a container's text may cover: the view's
// width, or the container's own with columns.
RteRect Across(const Pass& pass, int32_t container, int32_t top, int32_t bottom)
{
    if (!pass.columns)
        return Rows(pass, top, bottom);
    RteRect rect = RteRepeatedContainer(pass.doc, container);
    return RteRect{top, rect.left - pass.scroll.h, bottom, rect.right - pass.scroll.h};
}

// How the line of a piece ends, for the marks of invisibles.
int32_t Ending(const RteLinePiece& piece, bool textEnd)
{
    if (!(piece.flags & RTE_PIECE_LINE_LAST))
        return 0;
    if (piece.flags & RTE_PIECE_PAGE_BREAK)
        return RTE_LINE_ENDS_PAGE;
    if (piece.flags & RTE_PIECE_CONTAINER_BREAK)
        return RTE_LINE_ENDS_CONTAINER;
    if (textEnd)
        return RTE_LINE_ENDS_TEXT;
    if (piece.flags & RTE_PIECE_PAR_LAST)
        return RTE_LINE_ENDS_PARAGRAPH;
    return (piece.flags & RTE_PIECE_SOFT_BREAK) ? RTE_LINE_ENDS_SOFT_BREAK : 0;
}

// The marks of blanks and line ends over a drawn piece (slot 14).
void DrawInvisibles(const Pass& pass, RteCharStyle* style, const uint8_t* text, int32_t count, const int32_t* x,
                    const RteLinePiece& piece, int32_t left, bool textEnd)
{
    std::vector<int32_t> positions(static_cast<size_t>(count) + 1);
    for (int32_t i = 0; i <= count; ++i)
        positions[static_cast<size_t>(i)] = x[piece.offset + i] - x[piece.offset];
    RteInvisibles marks{style, text, count, positions.data(), left, 0, Ending(piece, textEnd)};
    marks.baseline = piece.rect.bottom - pass.scroll.v - piece.spaceAfter;
    pass.hooks.drawInvisibles(pass.doc, reinterpret_cast<intptr_t>(&marks), 0, 0, 0, 0);
}

void DrawPiece(const Pass& pass, RteStyleWalk* walker, const RteTextBlock& block, int32_t blockStart,
               const RteLinePiece* pieces, int32_t index, int32_t count, const int32_t* x)
{
    const RteLinePiece& piece = pieces[index];
    RteRect line = piece.rect;
    RteOffsetRect(&line, -pass.scroll.h, -pass.scroll.v);
    if (pass.erasing && (piece.flags & RTE_PIECE_LINE_FIRST)) {
        RteRect whole;
        RteLineRect(&piece, &whole);
        RteRect rows = Across(pass, piece.container, whole.top - pass.scroll.v, whole.bottom - pass.scroll.v);
        RteEraseRect(pass.env, &rows);
    }
    if (piece.flags & kPieceHidden)
        return;
    int32_t end = index + 1 < count ? pieces[index + 1].offset : block.length;
    RteStyleWalkSet(walker, blockStart + piece.offset);
    const uint8_t* text = RteLocked<uint8_t>(block.text).get() + piece.offset;
    bool lastOfParagraph = (piece.flags & RTE_PIECE_LINE_LAST) && (piece.flags & RTE_PIECE_PAR_LAST);
    int32_t drawn = DrawnCount(text, end - piece.offset, lastOfParagraph || (piece.flags & RTE_PIECE_BREAKS));
    if (drawn > 0) {
        RteDrawRun run{text, drawn, blockStart, piece.offset, line.left, line.bottom - piece.spaceAfter, line,
                       RteDecodeExtra(piece.extra), 0, 0};
        walker->style->hooks.draw(pass.doc, walker->style, reinterpret_cast<intptr_t>(&run), 0, 0, 0);
    }
    if (pass.invisibles) {
        // Blanks a line leaves undrawn still get their marks; only the break itself has none.
        int32_t marked = DrawnCount(text, end - piece.offset, false);
        DrawInvisibles(pass, walker->style, text, marked, x, piece, line.left, blockStart + end == pass.length);
    }
}

// The pieces of one paragraph that the stretch drawn holds.
struct Paragraph {
    int32_t first = -1;
    int32_t last = -1;
    RteRect area{};
};

std::vector<Paragraph> Paragraphs(const RteLinePiece* pieces, int32_t count, const RteTextBlock& block,
                                  int32_t blockStart, int32_t from, int32_t to)
{
    std::vector<Paragraph> found;
    Paragraph current;
    for (int32_t i = 0; i < count; ++i) {
        int32_t start = blockStart + pieces[i].offset;
        int32_t end = blockStart + (i + 1 < count ? pieces[i + 1].offset : block.length);
        // A piece that ends where drawing starts lies before it, unless it is the empty last one.
        bool drawn = !(end < from || (end == from && start < from) || start > to);
        if (drawn) {
            if (current.first < 0)
                current = Paragraph{i, i, pieces[i].rect};
            current.last = i;
            RteUnionRectNonNull(&current.area, &pieces[i].rect, &current.area);
        }
        bool ends = (pieces[i].flags & RTE_PIECE_LINE_LAST) && (pieces[i].flags & RTE_PIECE_PAR_LAST);
        if (current.first >= 0 && (ends || i + 1 == count)) {
            found.push_back(current);
            current = Paragraph{};
        }
    }
    return found;
}

// A container's space below a line (layout coordinates), inside the container and the view.
void EraseContainerBelow(const Pass& pass, int32_t container, int32_t bottom)
{
    RteRect rect = RteRepeatedContainer(pass.doc, container);
    RteRect below = Across(pass, container, bottom - pass.scroll.v, rect.bottom - pass.scroll.v);
    if (below.top < below.bottom && RteSectRect(&below, &pass.view, &below))
        DrawArea(pass, below, [&] { RteEraseRect(pass.env, &below); });
}

// Once a paragraph's last line is drawn its format's drawing slot hears of it, on the port
// itself (after the bands of off-screen drawing, so that it is told once). The text's last line
// ends its paragraph without a paragraph end.
void TellParagraphDrawn(const Pass& pass, int32_t index, int32_t blockStart, const RteTextBlock& block,
                        const RteLinePiece* pieces, int32_t count, const Paragraph& paragraph)
{
    const RteLinePiece& last = pieces[paragraph.last];
    int32_t end = paragraph.last + 1 < count ? pieces[paragraph.last + 1].offset : block.length;
    bool endsParagraph = (last.flags & RTE_PIECE_PAR_LAST) || blockStart + end == pass.length;
    if (!(last.flags & RTE_PIECE_LINE_LAST) || !endsParagraph)
        return;
    int32_t first = paragraph.first;
    while (first > 0 && !(pieces[first].flags & RTE_PIECE_LINE_FIRST))
        --first;
    RteParagraphDrawn drawn{paragraph.area, nullptr, pass.mode, index, blockStart + pieces[first].offset,
                            blockStart + end, pieces[first].flags, last.flags};
    RteOffsetRect(&drawn.rect, -pass.scroll.h, -pass.scroll.v);
    // Lines that ran on into another container (the next column or page) are told apart.
    RteRect later{};
    for (int32_t i = paragraph.first; i <= paragraph.last; ++i)
        if (pieces[i].container != pieces[paragraph.first].container) {
            RteUnionRectNonNull(&later, &pieces[i].rect, &later);
            drawn.second = &later;
        }
    RteOffsetRect(&later, -pass.scroll.h, -pass.scroll.v);
    RteParFormat format = *RteParFormatAt(pass.doc, drawn.start);
    RteUnlock(RteLocked<RteDocument>(pass.doc)->parFormats);
    format.hooks.draw(pass.doc, &format, RTE_PAR_DRAW_PARAGRAPH, reinterpret_cast<intptr_t>(&drawn), 0);
}

void DrawBlock(const Pass& pass, int32_t index, int32_t blockStart, int32_t from, int32_t to)
{
    RteTextBlock block;
    RteGetElement(RteLocked<RteDocument>(pass.doc)->blocks, index, &block);
    // A bound document may have given up the text of a block it shows: the block hook reads it.
    if (!block.text && block.length > 0) {
        pass.hooks.loadText(pass.doc, index);
        RteGetElement(RteLocked<RteDocument>(pass.doc)->blocks, index, &block);
    }
    if (!block.text)
        return;
    RteLocked<RteLinePiece> pieces(block.lines);
    int32_t count = RtePieceCount(pieces.get(), pieces.size());
    RteHandle positions = nullptr, types = nullptr;
    const int32_t* x = pass.invisibles ? RteBlockPositions(pass.doc, index, &positions, &types) : nullptr;
    RteStyleWalk walker;
    RteStyleWalkBegin(pass.doc, blockStart, &walker, false);
    for (Paragraph& paragraph : Paragraphs(pieces.get(), count, block, blockStart, from, to)) {
        // Drawn container by container, each part in its own container's width.
        bool shown = false;
        for (int32_t first = paragraph.first, last = first; first <= paragraph.last; first = ++last) {
            RteRect rows = pieces[first].rect;
            while (last < paragraph.last && pieces[last + 1].container == pieces[first].container)
                RteUnionRectNonNull(&rows, &pieces[++last].rect, &rows);
            const int32_t container = pieces[first].container;
            RteRect area = Across(pass, container, rows.top - pass.scroll.v, rows.bottom - pass.scroll.v);
            shown |= DrawArea(pass, area, [&] {
                for (int32_t i = first; i <= last; ++i)
                    DrawPiece(pass, &walker, block, blockStart, pieces.get(), i, count, x);
            });
            // The text that ran on into the next container no longer stands below this one's last line.
            if (pass.erasing && pass.columns && last + 1 < count && pieces[last + 1].container != container)
                EraseContainerBelow(pass, container, rows.bottom);
        }
        if (shown)
            TellParagraphDrawn(pass, index, blockStart, block, pieces.get(), count, paragraph);
    }
    RteStyleWalkEnd(pass.doc, false);
    if (positions)
        RteReleasePositions(pass.doc, positions);
}

// What the text no longer covers below its last line: with columns, inside the containers only
// (the one holding the text's end below its last line, the rest of its copy of the wrap area
// whole), since what stands between and below them is not the text's, and the copies after it
// are the container pass's; otherwise the width of the view down to its bottom.
void EraseBelow(const Pass& pass, int32_t textBottom, int32_t lastContainer)
{
    if (!pass.erasing)
        return;
    if (pass.columns) {
        const int32_t perCopy = std::max(1, RteContainerCount(pass.doc));
        const int32_t last = std::max(1, lastContainer);
        for (int32_t container = last; container <= ((last - 1) / perCopy + 1) * perCopy; ++container)
            EraseContainerBelow(pass, container,
                                container == last ? textBottom : RteRepeatedContainer(pass.doc, container).top);
        return;
    }
    RteRect below = Rows(pass, textBottom - pass.scroll.v, pass.view.bottom);
    if (below.top >= below.bottom)
        return;
    DrawArea(pass, below, [&] { RteEraseRect(pass.env, &below); });
}

// The container and bottom of a block's last line (kept as they are when it has none).
void LastLine(const RteTextBlock& block, int32_t* container, int32_t* bottom)
{
    RteLocked<RteLinePiece> pieces(block.lines);
    int32_t count = RtePieceCount(pieces.get(), pieces.size());
    if (count == 0)
        return;
    *container = pieces[count - 1].container;
    *bottom = pieces[count - 1].rect.bottom;
}

}  // namespace

int32_t RteRedisplay(RteHandle doc, const RteDrawPort* port, int32_t from, int32_t to, RteRectList view,
                     const RtePoint* offset, int16_t mode, bool restoreCaret)
{
    if (mode == RTE_REDRAW_NONE)
        return from;
    Substitutes substitutes(doc, port, view, offset);
    Pass pass = MakePass(doc, mode);
    int32_t length = 0;
    int32_t blocks = 0;
    {
        RteLocked<RteDocument> locked(doc);
        length = locked->textLength;
        blocks = RteCount(locked->blocks);
        if (mode >= RTE_REDRAW_OFFSCREEN_FIRST)
            locked->flags |= RTE_DOC_OFFSCREEN_CONTAINERS;
    }
    to = to < 0 || to > length ? length : to;
    from = std::clamp(from, 0, length);
    bool bracketed = mode >= RTE_REDRAW_BRACKETED_FIRST && mode <= RTE_REDRAW_LAST;
    pass.hooks.port(doc, 1);
    // Inverted pixels would be drawn over: the highlight goes first and comes back after.
    bool highlighted = RteHideSelectionIfShown(doc, true) != 0;
    if (bracketed)
        pass.hooks.drawing(doc, RTE_DRAWING_BEGINS, 0, 0, 0, 0);
    int32_t blockStart = 0;
    int32_t first = RteBlockAt(RteLocked<RteDocument>(doc).get(), from, &blockStart);
    int32_t stopped = length;
    int32_t textBottom = 0;
    int32_t lastContainer = 1;
    int32_t i = first;
    for (; i < blocks && blockStart <= to; ++i) {
        RteLayoutBlock(doc, i, nullptr, false);
        // Laying it out may have handed it the last line of the block before.
        blockStart = RteBlockStart(RteLocked<RteDocument>(doc).get(), i);
        RteTextBlock block;
        RteGetElement(RteLocked<RteDocument>(doc)->blocks, i, &block);
        RteRect shown = block.bounds;
        RteOffsetRect(&shown, -pass.scroll.h, -pass.scroll.v);
        if (shown.top >= pass.view.bottom) {
            stopped = blockStart;
            break;
        }
        if (shown.bottom > pass.view.top)
            DrawBlock(pass, i, blockStart, from, to);
        textBottom = block.bounds.bottom;
        if (pass.columns)
            LastLine(block, &lastContainer, &textBottom);
        blockStart += block.length;
    }
    if (i == blocks)
        EraseBelow(pass, textBottom, lastContainer);
    // A caret is given back only when asked: a caller that moves it places it itself.
    if (highlighted && (restoreCaret || RteSelectionRangeCount(doc) > 0))
        RteDrawSelection(doc, RTE_CARET_CHANGED_PLACE);
    if (bracketed)
        pass.hooks.drawing(doc, RTE_DRAWING_ENDS, 0, 0, 0, 0);
    if (RteLocked<RteDocument>(doc)->flags2 & RTE_DOC2_DRAW_CONTAINERS)
        RteDrawContainers(doc, nullptr, nullptr, nullptr, mode);
    pass.hooks.port(doc, 0);
    RteLocked<RteDocument>(doc)->flags &= ~RTE_DOC_OFFSCREEN_CONTAINERS;
    return stopped;
}

void RteDisplay(RteHandle doc, const RteDrawPort* port, RteRectList view, RteRectList wrap, const RtePoint* offset,
                int16_t mode)
{
    RteDisplayRange(doc, port, view, wrap, offset, mode, 0, -1);
}

void RteDisplayRange(RteHandle doc, const RteDrawPort* port, RteRectList view, RteRectList wrap,
                     const RtePoint* offset, int16_t mode, int32_t from, int32_t to)
{
    RteRectList savedWrap = nullptr;
    if (wrap) {
        RteLocked<RteDocument> locked(doc);
        savedWrap = locked->wrapArea;
        locked->wrapArea = wrap;
        RteMarkForLayout(locked.get(), 0, locked->textLength);
    }
    RteRedisplay(doc, port, from, to, view, offset, mode, true);
    if (wrap) {
        RteLocked<RteDocument> locked(doc);
        locked->wrapArea = savedWrap;
        RteMarkForLayout(locked.get(), 0, locked->textLength);
    }
}
