// Text blocks: the first empty block, reading bytes across blocks, and marking text for layout.
#include "rte_text_blocks.h"

#include <cstring>

#include "rte_document.h"
#include "rte_text_bounds.h"
#include "rte_typed.h"

void RteInitTextBlock(RteDocument* doc)
{
    RteSetCount(doc->blocks, 1);
    RteLocked<RteTextBlock> blocks(doc->blocks);
    std::memset(&blocks[0], 0, sizeof(RteTextBlock));
    blocks[0].text = RteAllocKeyedClear(doc->env->context, 1, 0, 32, doc->key);
    blocks[0].flags = RTE_BLOCK_RELAYOUT;
}

int32_t RteBlockStart(RteDocument* doc, int32_t block)
{
    RteLocked<RteTextBlock> blocks(doc->blocks);
    int32_t start = 0;
    for (int32_t i = 0; i < block; ++i)
        start += blocks[i].length;
    return start;
}

int32_t RteBlockAt(const RteDocument* doc, int32_t offset, int32_t* start)
{
    RteLocked<RteTextBlock> blocks(doc->blocks);
    int32_t block = 0;
    int32_t from = 0;
    for (; block + 1 < blocks.size() && from + blocks[block].length <= offset; ++block)
        from += blocks[block].length;
    *start = from;
    return block;
}

uint8_t RteTextByteAt(const RteDocument* doc, int32_t offset)
{
    RteLocked<RteTextBlock> blocks(doc->blocks);
    for (int32_t i = 0, start = 0; i < blocks.size(); start += blocks[i].length, ++i) {
        if (offset < start || offset >= start + blocks[i].length)
            continue;
        if (!blocks[i].text)
            return 0;
        return RteLocked<uint8_t>(blocks[i].text)[offset - start];
    }
    return 0;
}

void RteMarkForLayout(RteDocument* doc, int32_t start, int32_t end)
{
    // Whatever is marked no longer lies as the old lines have it.
    doc->reflow.pending = false;
    RteLocked<RteTextBlock> blocks(doc->blocks);
    for (int32_t i = 0, from = 0; i < blocks.size(); from += blocks[i].length, ++i) {
        int32_t to = from + blocks[i].length;
        // An empty range still touches the block that holds it; the last block holds the end.
        bool touches = (start < to && end >= from) || (start == to && i == blocks.size() - 1) || (start == from);
        if (touches)
            blocks[i].flags |= RTE_BLOCK_RELAYOUT;
    }
}

namespace {

// The document's bytes read block by block, each block's text found once rather than walked to
// for every byte.
class ByteReader {
public:
    ByteReader(const RteDocument* doc, int32_t near) : blocks_(doc->blocks)
    {
        index_ = RteBlockAt(doc, near, &start_);
        length_ = blocks_[index_].length;
        text_ = blocks_[index_].text;
    }

    uint8_t At(int32_t offset)
    {
        if (offset < start_ || offset >= start_ + length_)
            Find(offset);
        if (offset < start_ || offset >= start_ + length_ || !text_)
            return 0;
        return RteLocked<uint8_t>(text_)[offset - start_];
    }

private:
    // Steps from the block at hand towards the offset: neighbouring reads cost no walk.
    void Find(int32_t offset)
    {
        while (offset < start_ && index_ > 0)
            start_ -= blocks_[--index_].length;
        while (offset >= start_ + blocks_[index_].length && index_ + 1 < blocks_.size())
            start_ += blocks_[index_++].length;
        length_ = blocks_[index_].length;
        text_ = blocks_[index_].text;
    }

    RteLocked<RteTextBlock> blocks_;
    int32_t index_ = 0;
    int32_t start_ = 0;
    int32_t length_ = 0;
    RteHandle text_ = nullptr;
};

// A paragraph end of hidden text or of an embedded object ends no paragraph.
bool EndsParagraphBefore(RteHandle handle, ByteReader& bytes, int32_t offset)
{
    return bytes.At(offset - 1) == RTE_PARAGRAPH_END && RteCharBeforeIsPlain(handle, offset);
}

}  // namespace

void RteDefaultParBounds(RteHandle handle, int32_t offset, int32_t* start, int32_t* end)
{
    RteLocked<RteDocument> doc(handle);
    ByteReader bytes(doc.get(), offset);
    int32_t length = doc->textLength;
    int32_t from = offset < length ? offset : length;
    while (from > 0 && !EndsParagraphBefore(handle, bytes, from))
        --from;
    int32_t to = offset;
    while (to < length && !EndsParagraphBefore(handle, bytes, to + 1))
        ++to;
    *start = from;
    *end = to < length ? to + 1 : length;
}
