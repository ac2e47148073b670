// Carets and highlights across direction runs.
#include "rte_bidi.h"

#include <algorithm>

#include "rect_list.h"
#include "rte_device.h"
#include "rte_position_cache.h"
#include "rte_text_blocks.h"
#include "rte_typed.h"

namespace {

constexpr int32_t kRightToLeft = -1;
constexpr int32_t kLeftToRight = 1;

int32_t DirectionOf(const RteLinePiece& piece) { return (piece.flags & RTE_PIECE_RTL) ? kRightToLeft : kLeftToRight; }

struct BlockPieces {
    RteTextBlock block;
    int32_t blockStart;
};

BlockPieces PiecesOf(RteDocument* doc, int32_t index)
{
    return {RteLocked<RteTextBlock>(doc->blocks)[index], RteBlockStart(doc, index)};
}

// The edges of the direction run that holds a piece.
std::pair<int32_t, int32_t> RunEdges(const RteLinePiece* pieces, int32_t index)
{
    int32_t first = index - RteDirectionRunLength(&pieces[index], 0, true) + 1;
    int32_t last = index + RteDirectionRunLength(&pieces[index], 0, false) - 1;
    return {std::min(pieces[first].rect.left, pieces[last].rect.left),
            std::max(pieces[first].rect.right, pieces[last].rect.right)};
}

}  // namespace

int32_t RteParDirection(RteEnvironment* env, const RteParFormat* format)
{
    return format && format->direction ? format->direction : RteCurrentDevice().systemDirection(env);
}

int32_t RteCheckSystemDirection(RteHandle handle)
{
    RteLocked<RteDocument> doc(handle);
    int32_t now = RteCurrentDevice().systemDirection(doc->env);
    int32_t seen = doc->systemDirection == kRightToLeft ? kRightToLeft : kLeftToRight;
    if (now == seen)
        return 0;
    doc->systemDirection = now;
    {
        RteLocked<RteTextBlock> blocks(doc->blocks);
        for (int32_t i = 0; i < blocks.size(); ++i)
            blocks[i].flags |= RTE_BLOCK_DIRECTION_CHANGED;
    }
    {
        RteLocked<RteSelectPoint> points(doc->selection);
        for (int32_t i = 0; i < points.size(); ++i)
            points[i].flags |= RTE_SELECT_RECOMPUTE;
    }
    doc->caretPoint = RtePoint{};
    return 1;
}

void RteBidiCaretPositions(RteHandle handle, int32_t blockIndex, RteSelectPoint* point)
{
    RteLocked<RteDocument> doc(handle);
    BlockPieces found = PiecesOf(doc.get(), blockIndex);
    RteLocked<RteLinePiece> pieces(found.block.lines);
    int32_t index = point->line;
    const RteLinePiece& piece = pieces[index];
    RteParFormat format = *RteParFormatAt(handle, point->offset);
    RteUnlock(doc->parFormats);
    int32_t paragraph = RteParDirection(doc->env, &format);
    point->values[2] = point->point.h;
    int32_t offset = point->offset - found.blockStart;
    int32_t count = RtePieceCount(pieces.get(), pieces.size());
    int32_t pieceEnd = index + 1 < count ? pieces[index + 1].offset : found.block.length;
    bool firstOfLine = (piece.flags & RTE_PIECE_LINE_FIRST) != 0;
    bool lastOfLine = (piece.flags & RTE_PIECE_LINE_LAST) != 0;
    int32_t before = firstOfLine ? paragraph : DirectionOf(pieces[index - 1]);
    int32_t after = lastOfLine ? paragraph : DirectionOf(pieces[index + 1]);
    int32_t own = DirectionOf(piece);
    bool atStart = offset == piece.offset && before != own;
    bool atEnd = offset == pieceEnd && after != own;
    if (!atStart && !atEnd)
        return;
    int32_t left = piece.rect.left;
    if (own == paragraph) {
        // The neighbouring run on the boundary's side shows where text of the other direction
        // would go in.
        int32_t neighbour = atStart ? index - 1 : index + 1;
        if (neighbour < 0 || neighbour >= count || (atStart && firstOfLine) || (atEnd && lastOfLine))
            return;
        auto [runLeft, runRight] = RunEdges(pieces.get(), neighbour);
        point->values[2] = (paragraph == kRightToLeft ? runRight : runLeft) - left;
    } else {
        auto [runLeft, runRight] = RunEdges(pieces.get(), index);
        point->point.h = (paragraph == kRightToLeft ? runLeft : runRight) - left;
    }
}

void RteRangeHighlightRects(RteHandle handle, int32_t blockIndex, RteRectList list, const RteSelectPoint* startPoint,
                            const RteSelectPoint* endPoint)
{
    BlockPieces found = PiecesOf(RteLocked<RteDocument>(handle).get(), blockIndex);
    int32_t start = startPoint ? startPoint->offset : found.blockStart;
    int32_t end = endPoint ? endPoint->offset : found.blockStart + found.block.length;
    RteHandle positionsHandle = nullptr;
    const int32_t* positions = RteBlockPositions(handle, blockIndex, &positionsHandle, nullptr);
    {
        RteLocked<RteLinePiece> pieces(found.block.lines);
        int32_t count = RtePieceCount(pieces.get(), pieces.size());
        for (int32_t i = 0; i < count; ++i) {
            const RteLinePiece& piece = pieces[i];
            int32_t from = piece.offset;
            int32_t to = i + 1 < count ? pieces[i + 1].offset : found.block.length;
            int32_t a = std::max(from, start - found.blockStart);
            int32_t b = std::min(to, end - found.blockStart);
            if (a >= b)
                continue;
            int32_t h0 = RtePieceCaretH(piece, positions, a);
            int32_t h1 = RtePieceCaretH(piece, positions, b);
            RteRect rect = piece.rect;
            rect.left = piece.rect.left + std::min(h0, h1);
            rect.right = piece.rect.left + std::max(h0, h1);
            RteUnionRectIntoList(list, &rect);
        }
    }
    RteReleasePositions(handle, positionsHandle);
}
