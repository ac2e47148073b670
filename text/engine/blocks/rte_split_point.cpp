// Where an over-long block is split: at a paragraph end near its middle, else at a word break,
// else at its middle, never inside a multi-byte character.
#include "rte_block_upkeep.h"

#include "rte_document.h"
#include "rte_typed.h"

namespace {

intptr_t ClassAt(RteHandle doc, RteStyleWalk* walker, int32_t blockStart, const uint8_t* text, int32_t index,
                 intptr_t mask)
{
    RteStyleWalkSet(walker, blockStart + index);
    return walker->style->hooks.charInfo(doc, walker->style, reinterpret_cast<intptr_t>(text + index), 1, mask,
                                         index);
}

// Past the character at index and the continuation bytes that follow it.
int32_t PastCharacter(RteHandle doc, RteStyleWalk* walker, int32_t blockStart, const uint8_t* text,
                      int32_t length, int32_t index)
{
    ++index;
    while (index < length && ClassAt(doc, walker, blockStart, text, index, RTE_CLASS_CONTINUATION) != 0)
        ++index;
    return index;
}

struct BlockText {
    int32_t start;
    int32_t length;
    RteHandle text;
};

BlockText TextOf(RteHandle handle, int32_t block)
{
    RteLocked<RteDocument> doc(handle);
    if (!RteLocked<RteTextBlock>(doc->blocks)[block].text)
        doc->hooks.loadText(handle, block);
    RteTextBlock record = RteLocked<RteTextBlock>(doc->blocks)[block];
    return BlockText{RteBlockStart(doc.get(), block), record.length, record.text};
}

}  // namespace

int32_t RteFindBreakIn(RteHandle doc, int32_t block, RteStyleWalk* walker, int32_t from, int32_t length,
                       intptr_t mask)
{
    BlockText block_ = TextOf(doc, block);
    if (!block_.text)
        return 0;
    RteLocked<uint8_t> text(block_.text);
    int32_t end = from + length < block_.length ? from + length : block_.length;
    for (int32_t i = from < 0 ? 0 : from; i < end; ++i) {
        if (ClassAt(doc, walker, block_.start, text.get(), i, mask) != 0)
            return PastCharacter(doc, walker, block_.start, text.get(), block_.length, i);
    }
    return 0;
}

int32_t RteDefaultSplitPoint(RteHandle doc, int32_t block)
{
    BlockText block_ = TextOf(doc, block);
    int32_t n = block_.length;
    int32_t q = n / 4;
    int32_t e = n / 8;
    RteStyleWalk walker;
    RteStyleWalkBegin(doc, block_.start, &walker, false);
    int32_t split = RteFindBreakIn(doc, block, &walker, q + e, 2 * q - e, RTE_CLASS_PARAGRAPH);
    if (split == 0)
        split = RteFindBreakIn(doc, block, &walker, q, 2 * q, RTE_CLASS_PARAGRAPH);
    if (split == 0)
        split = RteFindBreakIn(doc, block, &walker, q + e, 2 * q - e, RTE_CLASS_WORD_BREAK);
    if (split == 0 && block_.text && n > 0) {
        RteLocked<uint8_t> text(block_.text);
        split = n / 2;
        while (split < n && ClassAt(doc, &walker, block_.start, text.get(), split, RTE_CLASS_CONTINUATION) != 0)
            ++split;
    }
    RteStyleWalkEnd(doc, false);
    return split < n ? split : 0;
}
