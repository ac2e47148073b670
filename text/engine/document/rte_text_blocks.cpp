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

// A paragraph end of hidden text or of an embedded object ends no paragraph.
bool EndsParagraphBefore(RteHandle handle, const RteDocument* doc, int32_t offset)
{
    return RteTextByteAt(doc, offset - 1) == RTE_PARAGRAPH_END && RteCharBeforeIsPlain(handle, offset);
}

}  // namespace

void RteDefaultParBounds(RteHandle handle, int32_t offset, int32_t* start, int32_t* end)
{
    RteLocked<RteDocument> doc(handle);
    int32_t length = doc->textLength;
    int32_t from = offset < length ? offset : length;
    while (from > 0 && !EndsParagraphBefore(handle, doc.get(), from))
        --from;
    int32_t to = offset;
    while (to < length && !EndsParagraphBefore(handle, doc.get(), to + 1))
        ++to;
    *start = from;
    *end = to < length ? to + 1 : length;
}
