// The core insertion and the deletion within one block.
#include <cstring>
#include <vector>

#include "rte_block_upkeep.h"
#include "rte_document_internal.h"
#include "rte_editing.h"
#include "rte_position_cache.h"
#include "rte_position_queries.h"
#include "rte_redisplay.h"
#include "rte_reflow.h"
#include "rte_shift.h"
#include "rte_style_tables.h"

using namespace rte_document;

namespace {

RteTextBlock LoadedBlock(RteDocument* doc, int32_t index)
{
    RteTextBlock block = ElementOf<RteTextBlock>(doc->blocks, index);
    if (!block.text) {
        doc->hooks.loadText(doc->self, index);
        block = ElementOf<RteTextBlock>(doc->blocks, index);
    }
    return block;
}

void NoteFinalParagraphEnd(RteDocument* doc)
{
    bool ends = doc->textLength > 0 && RteTextByteAt(doc, doc->textLength - 1) == RTE_PARAGRAPH_END;
    doc->flags = ends ? doc->flags | RTE_DOC_FINAL_PARAGRAPH_END : doc->flags & ~RTE_DOC_FINAL_PARAGRAPH_END;
}

bool StartsParagraph(RteDocument* doc, int32_t offset)
{
    return offset == 0 || RteTextByteAt(doc, offset - 1) == RTE_PARAGRAPH_END;
}

// Paragraph runs that the deletion of [start, end) ends: those inside the stretch, or for whole
// paragraphs those of the paragraphs deleted; each gives back its use.
void RemoveParagraphRuns(RteDocument* doc, int32_t start, int32_t end)
{
    bool whole = StartsParagraph(doc, start) && StartsParagraph(doc, end);
    std::vector<RteStyleRun> runs = ElementsOf<RteStyleRun>(doc->parRuns);
    for (int32_t i = static_cast<int32_t>(runs.size()) - 2; i > 0; --i) {
        int32_t at = runs[static_cast<size_t>(i)].offset;
        bool inside = whole ? (at >= start && at < end) : (at > start && at <= end);
        if (!inside)
            continue;
        RteUseParFormat(doc, runs[static_cast<size_t>(i)].index, -1);
        RteDelete(doc->parRuns, i, 1);
    }
}

}  // namespace

int32_t RteInsertBytes(RteHandle handle, const uint8_t* bytes, int32_t length, int32_t offset, int32_t mode)
{
    DocLock doc(handle);
    if (length <= 0)
        return offset;
    int32_t start = 0;
    int32_t index = RteBlockAt(doc.get(), offset, &start);
    if (mode != RTE_INSERT_AS_TEXT && bytes[0] == (RTE_BREAK_CODE & 0xFF)) {
        RteMarkForLayout(doc.get(), offset, offset);
        NoteFinalParagraphEnd(doc.get());
        return start;
    }
    RteTextBlock block = LoadedBlock(doc.get(), index);
    bool linesStood = RteLinesStand(block);
    std::memcpy(RteInsert(block.text, offset - start, length), bytes, static_cast<size_t>(length));
    RteUnlock(block.text);
    block.length += length;
    block.flags |= RTE_BLOCK_DIRTY;
    SetElement(doc->blocks, index, block);
    doc->textLength += length;
    RteShiftTables(doc.get(), offset, length);
    RtePositionsInserted(handle, index, offset - start, length);
    RteMarkForLayout(doc.get(), offset, offset + length);
    RteNoteEdit(handle, index, offset - start, length, linesStood);
    NoteFinalParagraphEnd(doc.get());
    if (block.length > RTE_MAX_BLOCK_BYTES)
        RteBalanceTextBlocks(handle);
    return start;
}

int32_t RteDeleteInBlock(RteHandle handle, int32_t start, int32_t* end)
{
    DocLock doc(handle);
    int32_t blockStart = 0;
    int32_t index = RteBlockAt(doc.get(), start, &blockStart);
    RteTextBlock block = LoadedBlock(doc.get(), index);
    int32_t blockEnd = blockStart + block.length;
    int32_t stop = *end < blockEnd ? *end : blockEnd;
    *end = stop;
    int32_t count = stop - start;
    if (count <= 0)
        return start;
    bool linesStood = RteLinesStand(block);
    RteMarkForLayout(doc.get(), start, stop);
    RemoveParagraphRuns(doc.get(), start, stop);
    RteRemoveBindings(doc.get(), start, stop);
    RteDelete(block.text, start - blockStart, count);
    block.length -= count;
    bool many = RteCount(doc->blocks) > 1;
    bool last = index + 1 == RteCount(doc->blocks);
    // The join rule: a block emptied goes, one cut to its end joins its successor.
    bool joins = many && (block.length == 0 || (!last && stop == blockEnd));
    if (joins)
        block.flags |= RTE_BLOCK_MERGE_NEXT;
    block.flags |= RTE_BLOCK_DIRTY | RTE_BLOCK_RELAYOUT;
    SetElement(doc->blocks, index, block);
    doc->textLength -= count;
    RteShiftTables(doc.get(), start, -count);
    NoteFinalParagraphEnd(doc.get());
    RteCleanupRuns(doc.get(), true, true);
    if (joins) {
        RteDropDocPositions(handle);
        RteBalanceTextBlocks(handle);
        return blockStart;
    }
    RtePositionsDeleted(handle, index, start - blockStart, count);
    RteNoteEdit(handle, index, start - blockStart, -count, linesStood);
    return start;
}

void RteInsertBreakPair(RteHandle doc, int32_t offset, int16_t redraw)
{
    const uint8_t pair[2] = {RTE_BREAK_CODE & 0xFF, RTE_BREAK_CODE & 0xFF};
    int32_t from = RteInsertBytes(doc, pair, 2, RtePinOffset(doc, offset), 0);
    if (redraw != RTE_REDRAW_NONE)
        RteRedisplay(doc, nullptr, from, -1, nullptr, nullptr, RTE_REDRAW_OFFSCREEN_FIRST, true);
}
