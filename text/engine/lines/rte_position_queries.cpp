// Position and text queries over the laid-out blocks.
#include "rte_position_queries.h"

#include <algorithm>

#include "rect_ops.h"
#include "rte_areas.h"
#include "rte_bidi.h"
#include "rte_line_builder.h"
#include "rte_position_cache.h"
#include "scaling.h"
#include "rte_typed.h"

namespace {

constexpr intptr_t kContinuation = 0x3000;
constexpr intptr_t kCharacterBytes = 0x3800;
constexpr intptr_t kLastByte = 0x1000;

RteTextBlock BlockRecord(RteHandle doc, int32_t index)
{
    RteTextBlock block;
    RteGetElement(RteLocked<RteDocument>(doc)->blocks, index, &block);
    return block;
}

// The class bits of the byte at an offset as its style's character hook answers them.
intptr_t ByteClass(RteHandle doc, int32_t offset, intptr_t mask)
{
    int32_t block = 0;
    RteFindTextBlock(doc, offset, &block, false, true);
    RteHandle text = nullptr;
    int32_t left = 0;
    uint8_t* byte = RteTextPointer(doc, offset, &text, &left);
    if (!byte)
        return 0;
    RteStyleWalk walker;
    RteStyleWalkBegin(doc, offset, &walker, false);
    int32_t blockStart = RteBlockStart(RteLocked<RteDocument>(doc).get(), block);
    intptr_t bits = walker.style->hooks.charInfo(doc, walker.style, reinterpret_cast<intptr_t>(byte), 1, mask,
                                                 offset - blockStart);
    RteStyleWalkEnd(doc, false);
    RteUnlock(text);
    return bits;
}

}  // namespace

int32_t RtePinOffset(RteHandle doc, int32_t offset)
{
    RteLocked<RteDocument> locked(doc);
    if (offset == -1)
        return RteSelectionStart(locked.get());
    if (offset < 0)
        return 0;
    return std::min(offset, locked->textLength);
}

int32_t RteFindTextBlock(RteHandle doc, int32_t offset, int32_t* index, bool layOut, bool load)
{
    int32_t start = 0;
    int32_t block = RteBlockAt(RteLocked<RteDocument>(doc).get(), offset, &start);
    if (load && !BlockRecord(doc, block).text)
        RteLocked<RteDocument>(doc)->hooks.loadText(doc, block);
    if (layOut) {
        RteLayoutBlock(doc, block, nullptr, false);
        // Laying it out may have handed it the last line of the block before.
        start = RteBlockStart(RteLocked<RteDocument>(doc).get(), block);
    }
    if (index)
        *index = block;
    return start;
}

int32_t RteTextBlockCount(RteHandle doc) { return RteCount(RteLocked<RteDocument>(doc)->blocks); }

int32_t RteGetTextBlock(RteHandle doc, int32_t offset, RteTextBlock* out, bool layOut)
{
    int32_t index = 0;
    RteFindTextBlock(doc, RtePinOffset(doc, offset), &index, layOut, false);
    *out = BlockRecord(doc, index);
    return index;
}

void RteLayoutFrom(RteHandle doc, int32_t offset, bool)
{
    int32_t index = 0;
    RteFindTextBlock(doc, RtePinOffset(doc, offset), &index, false, false);
    RteLayoutBlock(doc, index, nullptr, false);
}

void RteLocatePoint(RteHandle doc, RteSelectPoint* point)
{
    int32_t block = 0;
    int32_t start = RteFindTextBlock(doc, point->offset, &block, true, true);
    RteTextBlock record = BlockRecord(doc, block);
    RteLocked<RteLinePiece> pieces(record.lines);
    int32_t count = RtePieceCount(pieces.get(), pieces.size());
    int32_t inBlock = point->offset - start;
    int32_t piece = RtePieceAt(pieces.get(), count, inBlock);
    RteHandle positions = nullptr, types = nullptr;
    const int32_t* x = RteBlockPositions(doc, block, &positions, &types);
    point->line = piece;
    point->point.h = RtePieceCaretH(pieces[piece], x, inBlock);
    point->values[2] = point->point.h;
    point->height = pieces[piece].rect.bottom - pieces[piece].rect.top;
    point->flags &= ~RTE_SELECT_RECOMPUTE;
    RteReleasePositions(doc, positions);
    RteBidiCaretPositions(doc, block, point);
}

int32_t RteCaretX(RteHandle doc, int32_t block, const RteSelectPoint* point, RteRect* line, int32_t* baseline)
{
    RteTextBlock record = BlockRecord(doc, block);
    RteLocked<RteLinePiece> pieces(record.lines);
    const RteLinePiece& piece = pieces[point->line];
    if (line) {
        const RteLinePiece* first = &piece;
        while (!(first->flags & RTE_PIECE_LINE_FIRST) && first > pieces.get())
            --first;
        RteLineRect(first, line);
    }
    if (baseline)
        *baseline = piece.spaceAfter;
    return piece.rect.left + point->point.h;
}

int32_t RteCaretRect(RteHandle doc, int32_t offset, bool window, bool scaled, RteRect* out)
{
    RteSelectPoint point = {};
    point.offset = RtePinOffset(doc, offset);
    RteLocatePoint(doc, &point);
    int32_t block = 0;
    int32_t start = RteFindTextBlock(doc, point.offset, &block, false, false);
    int32_t baseline = 0;
    int32_t x = RteCaretX(doc, block, &point, nullptr, &baseline);
    RteTextBlock record = BlockRecord(doc, block);
    const RteLinePiece piece = RteLocked<RteLinePiece>(record.lines)[point.line];
    int32_t width = 0;
    if (point.offset < RteLocked<RteDocument>(doc)->textLength) {
        RteHandle positions = nullptr, types = nullptr;
        const int32_t* positionsOf = RteBlockPositions(doc, block, &positions, &types);
        int32_t inBlock = point.offset - start;
        int32_t bytes = std::max(1, RteGetCharacter(doc, point.offset, nullptr));
        width = positionsOf[std::min(inBlock + bytes, record.length)] - positionsOf[inBlock];
        RteReleasePositions(doc, positions);
    }
    *out = RteRect{piece.rect.top, x, piece.rect.bottom, x + width};
    RteLocked<RteDocument> locked(doc);
    RtePoint shift = window ? RtePoint{-locked->scroll.v, -locked->scroll.h} : RtePoint{};
    if (scaled && locked->scaling.factor)
        RteScaleRect(&locked->scaling, &shift, out);
    else
        RteOffsetRect(out, shift.h, shift.v);
    return baseline;
}

intptr_t RteCharInfo(RteHandle doc, int32_t offset, intptr_t mask) { return ByteClass(doc, RtePinOffset(doc, offset), mask); }

int32_t RteGetCharacter(RteHandle doc, int32_t offset, uint8_t* buffer)
{
    offset = RtePinOffset(doc, offset);
    int32_t length = RteLocked<RteDocument>(doc)->textLength;
    if (offset >= length)
        return 0;
    int32_t blockStart = RteFindTextBlock(doc, offset, nullptr, false, true);
    while (offset > blockStart && (ByteClass(doc, offset, kContinuation) & kContinuation))
        --offset;
    int32_t index = 0;
    RteFindTextBlock(doc, offset, &index, false, false);
    int32_t blockEnd = blockStart + BlockRecord(doc, index).length;
    int32_t copied = 0;
    for (int32_t at = offset; at < blockEnd; ++at) {
        intptr_t bits = ByteClass(doc, at, kCharacterBytes);
        if (buffer)
            buffer[copied] = RteTextByteAt(RteLocked<RteDocument>(doc).get(), at);
        ++copied;
        if ((bits & kLastByte) || !(bits & kCharacterBytes))
            break;
    }
    return copied;
}

intptr_t RteFindCharClass(RteHandle doc, intptr_t mask, int32_t* offset, uint8_t* character)
{
    int32_t length = RteLocked<RteDocument>(doc)->textLength;
    for (int32_t at = RtePinOffset(doc, *offset); at < length;) {
        int32_t bytes = std::max(1, RteGetCharacter(doc, at, nullptr));
        intptr_t bits = ByteClass(doc, at, mask);
        if (bits != 0) {
            *offset = at;
            if (character)
                RteGetCharacter(doc, at, character);
            return bits;
        }
        at += bytes;
    }
    *offset = length;
    return 0;
}

uint8_t* RteTextPointer(RteHandle doc, int32_t offset, RteHandle* text, int32_t* left)
{
    if (offset < 0 || offset >= RteLocked<RteDocument>(doc)->textLength)
        return nullptr;
    int32_t index = 0;
    int32_t start = RteFindTextBlock(doc, offset, &index, false, true);
    RteTextBlock record = BlockRecord(doc, index);
    *text = record.text;
    if (left)
        *left = record.length - (offset - start);
    return static_cast<uint8_t*>(RteLock(record.text)) + (offset - start);
}

void RteTextExtent(RteHandle doc, RteRect* out, bool layOut)
{
    if (layOut)
        RteLayoutDocument(doc);
    *out = RteRect{};
    int32_t count = RteTextBlockCount(doc);
    if (RteLocked<RteDocument>(doc)->textLength == 0) {
        *out = BlockRecord(doc, 0).bounds;
        return;
    }
    for (int32_t i = 0; i < count; ++i) {
        RteTextBlock record = BlockRecord(doc, i);
        if (!record.lines || (record.flags & RTE_BLOCK_RELAYOUT))
            continue;
        RteLocked<RteLinePiece> pieces(record.lines);
        for (int32_t p = 0, n = RtePieceCount(pieces.get(), pieces.size()); p < n; ++p)
            RteUnionRectNonNull(out, &pieces[p].rect, out);
    }
}

void RteMarkSelectionDirty(RteHandle doc)
{
    RteLocked<RteSelectPoint> points(RteLocked<RteDocument>(doc)->selection);
    for (int32_t i = 0; i < points.size(); ++i)
        points[i].flags |= RTE_SELECT_RECOMPUTE;
}

void RteGetDocColor(RteHandle doc, RteColor* out) { *out = RteLocked<RteDocument>(doc)->backColor; }

void RteSetDocColor(RteHandle doc, const RteColor* color)
{
    RteLocked<RteDocument> locked(doc);
    locked->backColor = *color;
    ++locked->changes;
}

void RteInvalidateLayout(RteHandle doc, bool bounds, bool force)
{
    if (!bounds && !force)
        return;
    {
        RteLocked<RteDocument> locked(doc);
        ++locked->changes;
        RteMarkForLayout(locked.get(), 0, locked->textLength);
        locked->flags |= RTE_DOC_PAGE_RELAYOUT;
    }
    RteMarkSelectionDirty(doc);
    if (bounds)
        RteUpdateTextBoundsFromWrap(doc);
}
