// Records 1, 2 and 3: the text-block table, the text of each block and its lines. Text of a
// document bound to its stream may stay there; it is read again through hook slot 8 when
// needed.
#include <cstring>

#include "rte_block_upkeep.h"
#include "rte_catalogue.h"
#include "rte_document_internal.h"
#include "rte_io.h"
#include "rte_line_piece.h"
#include "rte_record_fields.h"
#include "rte_text_blocks.h"
#include "rte_text_helpers.h"
#include "rte_typed.h"

using namespace rte_catalogue;

namespace {

constexpr uint32_t kLinesNotSavedBlock = 0x80;
constexpr uint16_t kTextGrowth = 64;
constexpr int32_t kTranslatedBytes = 128;  // the upper half of a character set
constexpr uint8_t kTextPriority = 32;
constexpr int16_t kLineRecordBytes = sizeof(RteLinePiece);
constexpr uint16_t kLineGrowth = 8;
constexpr uint8_t kLinePriority = 64;

struct BlockEntry {
    int32_t start;
    int32_t end;
    uint32_t flags;
    int32_t values[4];
    RteRect bounds;
};

template <class V>
void BlockFields(V& v, BlockEntry& b)
{
    v.L(b.start);
    v.L(b.end);
    v.S(b.flags);
    v.L(b.values[0]);
    v.S(b.values[1]);
    v.L(b.values[2]);
    v.S(b.values[3]);
    int32_t fifth = 0;
    v.RefL(fifth);
    v.Rect(b.bounds);
    // The block's first line: rebuilt by layout, so the stream keeps it empty.
    int16_t line[5] = {};
    RteRect lineRect = {};
    for (int16_t& value : line)
        v.S(value);
    v.Rect(lineRect);
    if (v.Has(0x10012)) {
        int32_t trailing = 0;
        v.L(trailing);
    }
}

int32_t BlockIndexAt(RteDocument* doc, int32_t offset, int32_t* start)
{
    RteLocked<RteTextBlock> blocks(doc->blocks);
    int32_t from = 0;
    for (int32_t i = 0; i < blocks.size(); from += blocks[i].length, ++i)
        if (offset >= from && offset < from + blocks[i].length) {
            *start = from;
            return i;
        }
    *start = from;
    return -1;
}

RteHandle NewText(RteDocument* doc, const uint8_t* bytes, int32_t length)
{
    RteHandle text = RteAllocKeyedClear(doc->env->context, 1, length, kTextGrowth, doc->key);
    RteSetPurgeFlags(text, kTextPriority, false);
    if (length > 0)
        std::memcpy(RteLocked<uint8_t>(text).get(), bytes, static_cast<size_t>(length));
    return text;
}

// 16-bit text behind its 0xFE marker, as the characters lie in the stream (little-endian, this
// platform's order) behind a mark that says so, to be narrowed once the runs that say how are read.
RteHandle WideText(RteDocument* doc, const std::vector<uint8_t>& item)
{
    auto count = static_cast<int32_t>((item.size() - 1) / 2);
    RteHandle text = RteAllocKeyed(doc->env->context, 2, count + 1, kTextGrowth, doc->key);
    RteSetPurgeFlags(text, kTextPriority, false);
    RteLocked<uint16_t> characters(text);
    characters[0] = RTE_MARK_NATIVE;
    if (count > 0)
        std::memcpy(characters.get() + 1, item.data() + 1, static_cast<size_t>(count) * 2);
    return text;
}

void ReadBlocks(RteDocument* doc, RteBodyReader& body, int32_t count, RteStreamPass* pass)
{
    std::vector<BlockEntry> entries =
        ReadEntries<BlockEntry>(doc, body, count, pass, pass->version, [&](RteFieldReader& r, BlockEntry& entry) {
            BlockFields(r, entry);
            if (entry.end < entry.start || entry.start < 0)
                body.Fail();
        });
    RteHandle table = doc->blocks;
    int32_t old = RteCount(table);
    {
        RteLocked<RteTextBlock> blocks(table);
        for (int32_t i = static_cast<int32_t>(entries.size()); i < old; ++i) {
            if (blocks[i].text)
                RteFree(blocks[i].text);
            if (blocks[i].lines)
                RteFree(blocks[i].lines);
        }
    }
    RteSetCount(table, count);
    int64_t total = 0;
    for (int32_t i = 0; i < count; ++i) {
        const BlockEntry& entry = entries[static_cast<size_t>(i)];
        RteTextBlock block;
        RteGetElement(table, i, &block);
        if (i >= old)
            std::memset(&block, 0, sizeof block);
        block.length = entry.end - entry.start;
        block.flags = (entry.flags & ~kLinesNotSavedBlock) | RTE_BLOCK_RELAYOUT;
        std::memcpy(block.values, entry.values, sizeof block.values);
        block.bounds = entry.bounds;
        block.streamPosition = -1;
        if (!block.text)
            block.text = NewText(doc, nullptr, 0);
        if (!block.lines) {
            block.lines = RteAllocKeyedClear(doc->env->context, kLineRecordBytes, 2, kLineGrowth, doc->key);
            RteSetPurgeFlags(block.lines, kLinePriority, false);
        }
        rte_document::SetElement(table, i, block);
        total += block.length;
    }
    doc->textLength = static_cast<int32_t>(total > INT32_MAX ? INT32_MAX : total);
}

void ReadBlockText(RteDocument* doc, RteBodyReader& body, int32_t offset, RteStreamPass* pass)
{
    std::vector<uint8_t> item = body.Bytes();
    CheckBody(doc, body);
    bool wide = !item.empty() && item[0] == RTE_WIDE_TEXT_MARK && (doc->flags2 & RTE_DOC2_WIDE_TEXT);
    int32_t start = 0;
    int32_t index = offset < 0 ? -1 : BlockIndexAt(doc, offset, &start);
    if (index < 0) {
        // Past the last block's end: a new block there.
        index = RteCount(doc->blocks);
        RteTextBlock added = {};
        added.flags = RTE_BLOCK_RELAYOUT;
        added.text = NewText(doc, nullptr, 0);
        *static_cast<RteTextBlock*>(RteAppend(doc->blocks, 1, true)) = added;
        RteUnlock(doc->blocks);
    }
    RteTextBlock block;
    RteGetElement(doc->blocks, index, &block);
    if (block.text)
        RteFree(block.text);
    if (wide) {
        // Narrowed after the read (RteAfterRead), when the runs are known; the stream holds no
        // copy in bytes, so a bound document keeps this text.
        block.text = WideText(doc, item);
        block.length = RteCount(block.text) - 1;
        block.streamPosition = -1;
        if (pass->bound)
            block.flags |= RTE_BLOCK_DIRTY;
    } else if (pass->bound) {
        // The bytes stay in the stream, behind the item's length digits and ",".
        block.length = static_cast<int32_t>(item.size());
        block.text = nullptr;
        block.streamPosition = pass->bodyPosition + static_cast<int32_t>(body.position() - item.size());
    } else {
        block.length = static_cast<int32_t>(item.size());
        block.text = NewText(doc, item.data(), block.length);
        block.streamPosition = -1;
    }
    block.flags |= RTE_BLOCK_RELAYOUT;
    rte_document::SetElement(doc->blocks, index, block);
}


// A line record: five shorts (the piece's offset, spacing, space after, flags and container)
// and its rect.
template <class V>
void LineFields(V& v, RteLinePiece& piece)
{
    v.S(piece.offset);
    v.S(piece.extra);
    v.S(piece.spaceAfter);
    v.S(piece.flags);
    v.S(piece.container);
    v.Rect(piece.rect);
}

void WriteLines(RteDocument* doc, RteBodyWriter& body, int32_t offset)
{
    int32_t start = 0;
    int32_t index = BlockIndexAt(doc, offset, &start);
    if (index < 0 || start != offset)
        return;
    RteHandle lines = rte_document::ElementOf<RteTextBlock>(doc->blocks, index).lines;
    if (!lines)
        return;
    RteFieldWriter writer(body);
    RteLocked<RteLinePiece> pieces(lines);
    for (int32_t i = 0; i < pieces.size(); ++i) {
        RteLinePiece piece = pieces[i];
        LineFields(writer, piece);
    }
}

// Lines are derived from the text: lines that do not fit their block (offsets outside it or
// not rising, no closing entry) are dropped and the block is laid out again.
bool LinesFit(const std::vector<RteLinePiece>& pieces, int32_t length)
{
    if (pieces.empty() || pieces.back().flags != RTE_PIECE_SENTINEL)
        return false;
    for (size_t i = 0; i + 1 < pieces.size(); ++i) {
        const RteLinePiece& piece = pieces[i];
        if (piece.flags == RTE_PIECE_SENTINEL || piece.offset > length || piece.container < 0 ||
            (i > 0 && piece.offset < pieces[i - 1].offset))
            return false;
    }
    return true;
}

void ReadLines(RteDocument* doc, RteBodyReader& body, int32_t offset)
{
    RteFieldReader reader(body, static_cast<int32_t>(RTE_STREAM_VERSION));
    std::vector<RteLinePiece> pieces;
    while (body.MoreValues()) {
        RteLinePiece piece = {};
        LineFields(reader, piece);
        pieces.push_back(piece);
    }
    CheckBody(doc, body);
    int32_t start = 0;
    int32_t index = offset < 0 ? -1 : BlockIndexAt(doc, offset, &start);
    if (index < 0 || start != offset)
        return;
    RteTextBlock block;
    RteGetElement(doc->blocks, index, &block);
    if (!LinesFit(pieces, block.length))
        return;
    if (!block.lines)
        block.lines = RteAllocKeyedClear(doc->env->context, sizeof(RteLinePiece), 0, kLineGrowth, doc->key);
    RteSetCount(block.lines, static_cast<int32_t>(pieces.size()));
    std::memcpy(RteLocked<RteLinePiece>(block.lines).get(), pieces.data(), pieces.size() * sizeof(RteLinePiece));
    block.flags &= ~(RTE_BLOCK_RELAYOUT | kLinesNotSavedBlock);
    rte_document::SetElement(doc->blocks, index, block);
}

// 16-bit text is written from a widened copy: the block keeps its own text.
void WriteWideText(RteDocument* doc, const RteTextBlock& block, int32_t start, RteBodyWriter& body)
{
    RteTextBlock copy = block;
    copy.text = RteDuplicate(block.text);
    RteTryOrUndo(
        doc->env->context, [&] { RteWidenBlockText(doc->self, start, &copy); },
        [&] { RteFree(copy.text); });
    {
        RteLocked<uint16_t> characters(copy.text);
        body.Wide(characters.get(), static_cast<size_t>(characters.size()));
    }
    RteFree(copy.text);
}

}  // namespace

namespace rte_catalogue {

void WriteText(RteDocument* doc, int16_t type, RteBodyWriter& body, int32_t* value, RteStreamPass* pass)
{
    if (type == RTE_REC_BLOCKS) {
        bool linesNotSaved = (doc->flags & RTE_DOC_LINES_NOT_SAVED) != 0;
        int32_t count = RteCount(doc->blocks);
        RteFieldWriter writer(body);
        int32_t start = 0;
        for (int32_t i = 0; i < count; ++i) {
            RteTextBlock block;
            RteGetElement(doc->blocks, i, &block);
            BlockEntry entry = {start, start + block.length, block.flags | (linesNotSaved ? kLinesNotSavedBlock : 0),
                                {block.values[0], block.values[1], block.values[2], block.values[3]}, block.bounds};
            BlockFields(writer, entry);
            start += block.length;
        }
        *value = count;
        return;
    }
    if (type == RTE_REC_LINES)
        WriteLines(doc, body, *value);
    if (type != RTE_REC_TEXT)
        return;
    int32_t start = 0;
    int32_t index = BlockIndexAt(doc, *value, &start);
    if (index < 0 || start != *value)
        return;
    // The text must be in memory before it is written, whichever stream it came from: text
    // left in the bound stream would otherwise be written empty to another stream.
    if (!rte_document::ElementOf<RteTextBlock>(doc->blocks, index).text)
        doc->hooks.loadText(doc->self, index);
    RteTextBlock block;
    RteGetElement(doc->blocks, index, &block);
    if (!block.text || block.length == 0)
        return;
    if (doc->flags2 & RTE_DOC2_WIDE_TEXT) {
        WriteWideText(doc, block, start, body);
        pass->textAt = -1;
        return;
    }
    RteLocked<uint8_t> text(block.text);
    int32_t length = block.length < text.size() ? block.length : text.size();
    size_t before = body.bytes().size();
    body.Bytes(text.get(), static_cast<size_t>(length));
    pass->textAt = static_cast<int32_t>(body.bytes().size() - static_cast<size_t>(length) - before);
}

void ReadText(RteDocument* doc, int16_t type, RteBodyReader& body, int32_t value, RteStreamPass* pass)
{
    if (type == RTE_REC_BLOCKS)
        ReadBlocks(doc, body, value, pass);
    else if (type == RTE_REC_TEXT)
        ReadBlockText(doc, body, value, pass);
    else if (type == RTE_REC_LINES)
        ReadLines(doc, body, value);
}

}  // namespace rte_catalogue

int32_t RteDefaultLoadText(RteHandle handle, int32_t index)
{
    rte_document::DocLock doc(handle);
    if (index < 0 || index >= RteCount(doc->blocks) || !doc->streamIo)
        return 0;
    RteTextBlock block;
    RteGetElement(doc->blocks, index, &block);
    if (block.text || block.streamPosition < 0)
        return 0;
    RteHandle text = NewText(doc.get(), nullptr, 0);
    int32_t position = block.streamPosition;
    int32_t length = block.length;
    if (doc->streamIo(text, RTE_IO_TRANSFER_HANDLE, &position, &length, doc->streamRef) != 0 ||
        RteCount(text) != block.length) {
        RteFree(text);
        return 0;
    }
    if (doc->streamTranslation) {
        RteLocked<uint8_t> bytes(text);
        RteLocked<uint8_t> table(doc->streamTranslation);
        RteMapHighChars(doc->env, bytes.get(), block.length, table.get());
    }
    block.text = text;
    rte_document::SetElement(doc->blocks, index, block);
    return 1;
}

void RteBindDocText(RteDocument* doc, RteIoProc io, intptr_t reference, const uint8_t* translation)
{
    doc->streamRef = reference;
    doc->streamIo = io ? io : RteFileReader;
    doc->hooks.loadText = RteDefaultLoadText;
    if (doc->streamTranslation)
        RteFree(doc->streamTranslation);
    doc->streamTranslation = nullptr;
    if (!translation)
        return;
    doc->streamTranslation = RteAllocKeyed(doc->env->context, 1, kTranslatedBytes, 0, doc->key);
    std::memcpy(RteLocked<uint8_t>(doc->streamTranslation).get(), translation, kTranslatedBytes);
}
