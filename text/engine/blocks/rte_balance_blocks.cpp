// Balancing: blocks that are to be merged or are empty go into their next block, blocks over
// the maximum are split in two.
#include <cstring>

#include "rect_ops.h"
#include "rte_block_upkeep.h"
#include "rte_document.h"
#include "rte_position_cache.h"
#include "rte_typed.h"

namespace {

RteTextBlock BlockAt(RteDocument* doc, int32_t index)
{
    RteTextBlock block;
    RteGetElement(doc->blocks, index, &block);
    if (!block.text && block.length > 0) {
        doc->hooks.loadText(doc->self, index);
        RteGetElement(doc->blocks, index, &block);
    }
    return block;
}

void PutBlock(RteDocument* doc, int32_t index, const RteTextBlock& block)
{
    RteLocked<RteTextBlock>(doc->blocks)[index] = block;
}

void FreeBlockHandles(const RteTextBlock& block)
{
    if (block.text)
        RteFree(block.text);
    if (block.lines)
        RteFree(block.lines);
}

void MarkSelectionForRecompute(RteDocument* doc)
{
    RteLocked<RteSelectPoint> points(doc->selection);
    for (int32_t i = 0; i < points.size(); ++i)
        points[i].flags |= RTE_SELECT_RECOMPUTE;
}

void DeleteBlock(RteDocument* doc, int32_t index)
{
    FreeBlockHandles(RteLocked<RteTextBlock>(doc->blocks)[index]);
    RteDelete(doc->blocks, index, 1);
    MarkSelectionForRecompute(doc);
}

// The block's text goes in front of the next block's, which takes its start and its rect.
void MergeIntoNext(RteDocument* doc, int32_t index)
{
    RteTextBlock block = BlockAt(doc, index);
    RteTextBlock next = BlockAt(doc, index + 1);
    {
        std::memcpy(RteInsert(next.text, 0, block.length), RteLocked<uint8_t>(block.text).get(),
                    static_cast<size_t>(block.length));
        RteUnlock(next.text);
        next.length += block.length;
        RteUnionRectNonNull(&block.bounds, &next.bounds, &next.bounds);
    }
    next.flags |= RTE_BLOCK_RELAYOUT | RTE_BLOCK_DIRTY;
    PutBlock(doc, index + 1, next);
    DeleteBlock(doc, index);
}

// The tail from the split point moves into a new block after this one.
void SplitAt(RteDocument* doc, int32_t index, int32_t split)
{
    RteTextBlock block = BlockAt(doc, index);
    int32_t tail = block.length - split;
    RteTextBlock added = RteNewTextBlock(doc, RteLocked<uint8_t>(block.text).get() + split, tail);
    added.bounds = block.bounds;
    added.bounds.top = block.bounds.bottom;
    RteSetCount(block.text, split);
    block.length = split;
    block.flags |= RTE_BLOCK_RELAYOUT | RTE_BLOCK_DIRTY;
    PutBlock(doc, index, block);
    *static_cast<RteTextBlock*>(RteInsert(doc->blocks, index + 1, 1)) = added;
    RteUnlock(doc->blocks);
}

}  // namespace

RteTextBlock RteNewTextBlock(RteDocument* doc, const uint8_t* bytes, int32_t length)
{
    RteTextBlock block = {};
    block.text = RteAllocKeyed(doc->env->context, 1, length, 32, doc->key);
    if (length > 0)
        std::memcpy(RteLocked<uint8_t>(block.text).get(), bytes, static_cast<size_t>(length));
    block.length = length;
    block.flags = RTE_BLOCK_RELAYOUT | RTE_BLOCK_DIRTY;
    block.streamPosition = -1;
    return block;
}

int32_t RteBalanceTextBlocks(RteHandle handle)
{
    RteLocked<RteDocument> doc(handle);
    bool changed = false;
    for (int32_t i = 0; i < RteCount(doc->blocks); ++i) {
        RteTextBlock block = RteLocked<RteTextBlock>(doc->blocks)[i];
        bool last = i + 1 == RteCount(doc->blocks);
        if (block.length == 0 && RteCount(doc->blocks) > 1) {
            DeleteBlock(doc.get(), i--);
            changed = true;
        } else if (!last && (block.flags & RTE_BLOCK_MERGE_NEXT)) {
            MergeIntoNext(doc.get(), i--);
            changed = true;
        } else if (block.length > RTE_MAX_BLOCK_BYTES) {
            int32_t split = doc->hooks.splitPoint(handle, i);
            if (split > 0 && split < block.length) {
                // Both parts are looked at again: a split near the middle of a very long block
                // can leave its head still over the maximum.
                SplitAt(doc.get(), i--, split);
                changed = true;
            }
        }
    }
    if (changed) {
        RteCompact(doc->blocks);
        RteDropDocPositions(handle);
    }
    if (changed)
        doc->reflow.pending = false;  // its block may be another now
    return changed ? 1 : 0;
}
