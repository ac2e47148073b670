// Ending a batch: its blocks go into the document at the insertion offset, its runs into the
// document's runs, and the selection becomes a caret at one end of the new text.
#include <vector>

#include "rte_batch.h"
#include "rte_block_upkeep.h"
#include "rte_document_internal.h"
#include "rte_position_cache.h"
#include "rte_style_tables.h"

using namespace rte_document;

namespace {

void FreeBlocks(RteHandle blocks)
{
    RteLocked<RteTextBlock> entries(blocks);
    for (int32_t i = 0; i < entries.size(); ++i) {
        if (entries[i].text)
            RteFree(entries[i].text);
        if (entries[i].lines)
            RteFree(entries[i].lines);
    }
}

void ReleaseRunUses(RteDocument* doc, RteHandle runs, bool paragraph)
{
    for (const RteStyleRun& run : ElementsOf<RteStyleRun>(runs)) {
        if (paragraph)
            RteUseParFormat(doc, run.index, -1);
        else
            RteUseCharStyle(doc, run.index, -1);
    }
}

// The index of the block before which text inserted at the offset goes; a block holding the
// offset inside it is split there first. An empty document gives up its only block.
int32_t MakeRoomAt(RteDocument* doc, int32_t offset)
{
    if (doc->textLength == 0) {
        FreeBlocks(doc->blocks);
        RteSetCount(doc->blocks, 0);
        return 0;
    }
    int32_t start = 0;
    int32_t index = RteBlockAt(doc, offset, &start);
    if (offset == start)
        return index;
    RteTextBlock block = ElementOf<RteTextBlock>(doc->blocks, index);
    if (!block.text) {
        doc->hooks.loadText(doc->self, index);
        block = ElementOf<RteTextBlock>(doc->blocks, index);
    }
    int32_t split = offset - start;
    if (split == block.length)
        return index + 1;
    RteTextBlock tail = RteNewTextBlock(doc, RteLocked<uint8_t>(block.text).get() + split, block.length - split);
    tail.bounds = block.bounds;
    RteSetCount(block.text, split);
    block.length = split;
    block.flags |= RTE_BLOCK_RELAYOUT | RTE_BLOCK_DIRTY;
    SetElement(doc->blocks, index, block);
    InsertElement(doc->blocks, index + 1, tail);
    return index + 1;
}

// A block boundary starts a new line: inside a paragraph the batch's text is to join the text
// before and after it, which balancing does with the blocks flagged here (and splits again at a
// paragraph end when that grows too long).
void JoinUnlessParagraphEnds(RteDocument* doc, int32_t index)
{
    RteTextBlock block = ElementOf<RteTextBlock>(doc->blocks, index);
    bool ends = block.text && block.length > 0 &&
                RteLocked<uint8_t>(block.text)[block.length - 1] == RTE_PARAGRAPH_END;
    if (ends)
        return;
    block.flags |= RTE_BLOCK_MERGE_NEXT;
    SetElement(doc->blocks, index, block);
}

void InsertBlocks(RteDocument* doc, const RteBatch& batch)
{
    std::vector<RteTextBlock> added = ElementsOf<RteTextBlock>(batch.blocks);
    if (added.size() > 1 && added.back().length == 0) {
        RteFree(added.back().text);
        added.pop_back();
    }
    int32_t at = MakeRoomAt(doc, batch.offset);
    auto count = static_cast<int32_t>(added.size());
    std::copy(added.begin(), added.end(), static_cast<RteTextBlock*>(RteInsert(doc->blocks, at, count)));
    RteUnlock(doc->blocks);
    RteSetCount(batch.blocks, 0);
    if (at > 0)
        JoinUnlessParagraphEnds(doc, at - 1);
    if (at + count < RteCount(doc->blocks))
        JoinUnlessParagraphEnds(doc, at + count - 1);
}

// The document's runs with the batch's text in: before it the runs as they were, over it the
// record in force at the offset then the batch's runs, after it the record that was in force
// at the offset and the rest moved by the batch's length. The clean-up that follows drops what
// this leaves redundant.
void MergeRuns(RteDocument* doc, RteHandle runs, const RteBatch& batch, RteHandle batchRuns, int16_t first,
               bool paragraph)
{
    std::vector<RteStyleRun> old = ElementsOf<RteStyleRun>(runs);
    std::vector<RteStyleRun> merged;
    size_t i = 0;
    uint16_t resume = old.front().index;
    for (; i < old.size() && old[i].offset < batch.offset; ++i) {
        merged.push_back(old[i]);
        resume = old[i].index;
    }
    if (i < old.size() && old[i].offset == batch.offset)
        resume = old[i].index;
    merged.push_back(RteStyleRun{batch.offset, static_cast<uint16_t>(first)});
    for (RteStyleRun run : ElementsOf<RteStyleRun>(batchRuns))
        merged.push_back(RteStyleRun{batch.offset + run.offset, run.index});
    merged.push_back(RteStyleRun{batch.offset + batch.length, resume});
    for (; i < old.size(); ++i)
        merged.push_back(RteStyleRun{old[i].offset + batch.length, old[i].index});
    auto use = [&](int32_t record) {
        if (paragraph)
            RteUseParFormat(doc, record, 1);
        else
            RteUseCharStyle(doc, record, 1);
    };
    use(first);
    use(resume);
    RteSetCount(runs, static_cast<int32_t>(merged.size()));
    std::copy(merged.begin(), merged.end(), RteLocked<RteStyleRun>(runs).get());
}

// Lower batches that insert after this one's text find their place moved by it.
void MoveLowerBatches(RteHandle below, const RteBatch& batch)
{
    for (RteHandle handle = below; handle;) {
        RteBatch lower = ElementOf<RteBatch>(handle, 0);
        if (lower.offset > batch.offset) {
            lower.offset += batch.length;
            SetElement(handle, 0, lower);
        }
        handle = lower.below;
    }
}

void CaretAt(RteDocument* doc, int32_t offset)
{
    RteSetCount(doc->selection, 2);
    RteLocked<RteSelectPoint> points(doc->selection);
    for (int32_t i = 0; i < 2; ++i) {
        points[i] = RteSelectPoint{};
        points[i].offset = offset;
        points[i].flags = RTE_SELECT_RECOMPUTE;
    }
}

void TakeIn(RteDocument* doc, const RteBatch& batch)
{
    InsertBlocks(doc, batch);
    MergeRuns(doc, doc->charRuns, batch, batch.charRuns, batch.firstChar, false);
    MergeRuns(doc, doc->parRuns, batch, batch.parRuns, batch.firstPar, true);
    doc->textLength += batch.length;
    // Batches still open below name records by their indices: none may go from the tables yet.
    uint32_t flags2 = doc->flags2;
    if (batch.below)
        doc->flags2 |= RTE_DOC2_KEEP_UNUSED;
    RteCleanupRuns(doc, true, true);
    doc->flags2 = flags2;
    MoveLowerBatches(batch.below, batch);
}

}  // namespace

void RteEndBatch(RteHandle handle, bool caretAtStart, int16_t redraw)
{
    DocLock doc(handle);
    RteHandle top = doc->batch;
    if (!top)
        return;
    RteBatch batch = ElementOf<RteBatch>(top, 0);
    doc->batch = batch.below;
    if (batch.length > 0) {
        TakeIn(doc.get(), batch);
        CaretAt(doc.get(), caretAtStart ? batch.offset : batch.offset + batch.length);
        ++doc->changes;
        RteBalanceTextBlocks(handle);
        RteDropDocPositions(handle);
        if (redraw != 0)
            RteMarkForLayout(doc.get(), 0, doc->textLength);
    } else {
        ReleaseRunUses(doc.get(), batch.charRuns, false);
        ReleaseRunUses(doc.get(), batch.parRuns, true);
    }
    FreeBlocks(batch.blocks);
    RteFree(batch.blocks);
    RteFree(batch.charRuns);
    RteFree(batch.parRuns);
    RteFree(batch.styles);
    RteFree(top);
}
