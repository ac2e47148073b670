// The character position cache: claiming and measuring entries, and following edits.
#include "rte_position_cache.h"

#include <algorithm>
#include <climits>

#include "rte_document_internal.h"
#include "rte_line_piece.h"
#include "rte_run_hooks.h"
#include "rte_runs.h"
#include "rte_text_blocks.h"

using namespace rte_document;

namespace {

constexpr int32_t kWidthLimit = 32500;
constexpr int32_t kNarrowW = 5;

struct BlockSpan {
    int32_t start;
    int32_t end;
    RteHandle text;
};

BlockSpan SpanOf(RteDocument* doc, int32_t block)
{
    int32_t start = RteBlockStart(doc, block);
    RteTextBlock entry = RteLocked<RteTextBlock>(doc->blocks)[block];
    return {start, start + entry.length, entry.text};
}

RteCacheEntry* EntryOf(RteDocument* doc, int32_t blockStart)
{
    for (RteCacheEntry& entry : doc->env->cache) {
        if (entry.block == blockStart && entry.owner == doc->identity)
            return &entry;
    }
    return nullptr;
}

// The entry of a block that an edit of count characters changed; an edit keeps the block's
// start, by which the entry was found before it.
RteCacheEntry* EditedEntry(RteDocument* doc, int32_t block, int32_t count, BlockSpan* span)
{
    *span = SpanOf(doc, block);
    return count > 0 ? EntryOf(doc, span->start) : nullptr;
}

// A free entry first, then one nobody holds; null when all three are held.
RteCacheEntry* ClaimEntry(RteEnvironment* env)
{
    for (RteCacheEntry& entry : env->cache) {
        if (entry.block == -1)
            return &entry;
    }
    for (RteCacheEntry& entry : env->cache) {
        if (entry.uses == 0)
            return &entry;
    }
    return nullptr;
}

void MeasureBlock(RteDocument* doc, const BlockSpan& span, RteCacheEntry* entry)
{
    int32_t length = span.end - span.start;
    RteSetCount(entry->positions, length + 1);
    RteSetCount(entry->types, length + 1);
    RteLocked<int32_t> positions(entry->positions);
    RteLocked<int16_t> types(entry->types);
    positions[0] = 0;
    types[length] = 0;
    if (length == 0)
        return;
    RteLocked<uint8_t> text(span.text);
    RteMeasureRange(doc->self, text.get(), span.start, length, positions.get(), types.get());
}

// How many characters from an offset of a block the styles' break hooks class as blanks, up to
// a count; a blank byte inside a multi-byte character ends the run.
int32_t LeadingBlanks(RteDocument* doc, const uint8_t* text, const BlockSpan& span, int32_t offset, int32_t count)
{
    RteHandle handle = doc->self;
    int32_t blanks = 0;
    for (; blanks < count; ++blanks) {
        int32_t at = offset + blanks;
        RteCharStyle* style = RteCharStyleAt(handle, span.start + at);
        intptr_t classes = style->hooks.charInfo(handle, style, reinterpret_cast<intptr_t>(&text[at]), 1,
                                                 RTE_CLASS_BLANK | RTE_CLASS_CONTINUATION, at);
        RteUnlock(doc->charStyles);
        if ((classes & (RTE_CLASS_BLANK | RTE_CLASS_CONTINUATION)) != RTE_CLASS_BLANK)
            break;
    }
    return blanks;
}

// Slots made in a handle that callers may hold locked: their lock stays, none is added.
void InsertSlots(RteHandle handle, int32_t index, int32_t count)
{
    bool held = RteLockCount(handle) > 0;
    RteInsert(handle, index, count);
    if (!held)
        RteUnlock(handle);
}

void Drop(RteCacheEntry& entry)
{
    entry.block = -1;
    entry.owner = 0;
}

// Where the look may change next because a link range starts or ends: a link's style is not
// its run's, so no step measures across either edge. Each table is ordered by end and closed by
// a sentinel past the text, which is no range; its first range ending after the offset is the
// one to watch.
int32_t NextLinkBoundary(RteDocument* doc, int32_t offset)
{
    int32_t boundary = INT32_MAX;
    for (RteHandle table : doc->linkRanges) {
        for (int32_t i = 0; i + 1 < RteCount(table); ++i) {
            const auto* range = static_cast<const int32_t*>(RteElementPtr(table, i, false));
            int32_t start = range[0];
            int32_t end = range[1];
            if (end > offset) {
                boundary = std::min(boundary, start > offset ? start : end);
                break;
            }
        }
    }
    return boundary;
}

}  // namespace

int32_t RteMeasureChunkLimit(RteHandle doc, RteCharStyle* style)
{
    const uint8_t letter = 'W';
    int32_t positions[2] = {0, 0};
    RteMeasureStep step{&letter, 1, positions, nullptr, -1};
    style->hooks.measure(doc, style, reinterpret_cast<intptr_t>(&step), 0, 0, 0);
    int32_t width = positions[1] - positions[0];
    if (width <= kNarrowW)
        return RTE_MAX_MEASURE_STEP;
    return std::min(RTE_MAX_MEASURE_STEP, kWidthLimit / width);
}

void RteMeasureRange(RteHandle handle, const uint8_t* text, int32_t from, int32_t count, int32_t* positions,
                     int16_t* types)
{
    RteStyleWalk walker;
    RteStyleWalkBegin(handle, from, &walker, true);
    bool hideHidden = (walker.doc->flags & RTE_DOC_HIDDEN_TEXT) != 0;
    for (int32_t done = 0, counter = 0; done < count; ++counter) {
        RteCharStyle* style = walker.style;
        style->hooks.selectFont(handle, style, 0, 0, walker.unit22, 0);
        int32_t at = from + done;
        int32_t n = std::min({count - done, walker.nextRunStart - at, NextLinkBoundary(walker.doc, at) - at,
                              RteMeasureChunkLimit(handle, style)});
        n = RteSubRunEnd(handle, style, at, at + n) - at;
        if (hideHidden && style->hidden) {
            std::fill(positions + done + 1, positions + done + n + 1, positions[done]);
            if (types)
                std::fill(types + done, types + done + n, int16_t{0});
        } else {
            RteMeasureStep step{text + done, n, positions + done, types ? types + done : nullptr,
                                done + n == count ? -1 : counter};
            style->hooks.measure(handle, style, reinterpret_cast<intptr_t>(&step), 0, 0, 0);
        }
        done += n;
        RteStyleWalkSet(&walker, from + done);
    }
    RteStyleWalkEnd(handle, true);
}

int32_t* RteBlockPositions(RteHandle handle, int32_t block, RteHandle* positions, RteHandle* types)
{
    DocLock doc(handle);
    BlockSpan span = SpanOf(doc.get(), block);
    RteCacheEntry* entry = EntryOf(doc.get(), span.start);
    if (!entry)
        entry = ClaimEntry(doc->env);
    if (!entry) {
        // All three are held: the block is measured into an entry of its own, kept in the
        // overflow list until it is released.
        RteEnvironment* env = doc->env;
        RteCacheEntry apart{RteAlloc(env->context, sizeof(int32_t), 0, 0, false),
                            RteAlloc(env->context, sizeof(int16_t), 0, 0, false), span.start, span.end,
                            doc->identity, 1};
        RteTryOrUndo(
            env->context,
            [&] {
                MeasureBlock(doc.get(), span, &apart);
                if (!env->cacheOverflow)
                    env->cacheOverflow = RteAllocOf<RteCacheEntry>(env->context, 0, 1, true);
                InsertElement(env->cacheOverflow, RteCount(env->cacheOverflow), apart);
            },
            [&] {
                RteFree(apart.positions);
                RteFree(apart.types);
            });
        *positions = apart.positions;
        if (types)
            *types = apart.types;
        return static_cast<int32_t*>(RteLock(apart.positions));
    }
    if (entry->owner != doc->identity || entry->block != span.start) {
        // Marked free until measured, so that a failure leaves no half-measured entry behind.
        Drop(*entry);
        entry->uses = 0;
        MeasureBlock(doc.get(), span, entry);
        entry->block = span.start;
        entry->blockEnd = span.end;
        entry->owner = doc->identity;
    }
    ++entry->uses;
    *positions = entry->positions;
    if (types)
        *types = entry->types;
    return static_cast<int32_t*>(RteLock(entry->positions));
}

void RteReleasePositions(RteHandle handle, RteHandle positions)
{
    RteEnvironment* env = RteLocked<RteDocument>(handle)->env;
    for (RteCacheEntry& entry : env->cache) {
        if (entry.positions == positions && entry.uses > 0) {
            --entry.uses;
            RteUnlock(positions);
            return;
        }
    }
    if (!env->cacheOverflow)
        return;
    for (int32_t i = 0; i < RteCount(env->cacheOverflow); ++i) {
        RteCacheEntry entry = ElementOf<RteCacheEntry>(env->cacheOverflow, i);
        if (entry.positions != positions)
            continue;
        RteUnlockAllAndFree(entry.positions);
        RteFree(entry.types);
        RteDelete(env->cacheOverflow, i, 1);
        return;
    }
}

void RteDropPositions(RteHandle handle, int32_t entry)
{
    Drop(RteLocked<RteDocument>(handle)->env->cache[entry]);
}

void RteDropDocPositions(RteHandle handle)
{
    RteLocked<RteDocument> doc(handle);
    for (RteCacheEntry& entry : doc->env->cache) {
        if (entry.owner == doc->identity)
            Drop(entry);
    }
}

void RtePositionsInserted(RteHandle handle, int32_t block, int32_t offset, int32_t count)
{
    DocLock doc(handle);
    BlockSpan span;
    RteCacheEntry* entry = EditedEntry(doc.get(), block, count, &span);
    if (!entry)
        return;
    RteLocked<uint8_t> text(span.text);
    // A continuation byte inserted, or standing just after the insertion, measures with its
    // lead byte: only a new measure of the block is right then.
    for (int32_t at : {offset, offset + count}) {
        if (at >= span.end - span.start)
            continue;
        RteCharStyle* style = RteCharStyleAt(handle, span.start + at);
        intptr_t classes = style->hooks.charInfo(handle, style, reinterpret_cast<intptr_t>(&text[at]), 1,
                                                 RTE_CLASS_CONTINUATION, at);
        RteUnlock(doc->charStyles);
        if (classes & RTE_CLASS_CONTINUATION) {
            Drop(*entry);
            return;
        }
    }
    InsertSlots(entry->positions, offset + 1, count);
    InsertSlots(entry->types, offset, count);
    RteLocked<int32_t> positions(entry->positions);
    RteLocked<int16_t> types(entry->types);
    RteMeasureRange(handle, text.get() + offset, span.start + offset, count, positions.get() + offset,
                    types.get() + offset);
    int32_t added = positions[offset + count] - positions[offset];
    for (int32_t i = offset + count + 1; i < positions.size(); ++i)
        positions[i] += added;
    entry->blockEnd = span.end;
}

void RtePositionsDeleted(RteHandle handle, int32_t block, int32_t offset, int32_t count)
{
    DocLock doc(handle);
    BlockSpan span;
    RteCacheEntry* entry = EditedEntry(doc.get(), block, count, &span);
    if (!entry)
        return;
    {
        RteLocked<int32_t> positions(entry->positions);
        int32_t removed = positions[offset + count] - positions[offset];
        for (int32_t i = offset + count; i < positions.size(); ++i)
            positions[i] -= removed;
    }
    RteDelete(entry->positions, offset + 1, count);
    RteDelete(entry->types, offset, count);
    entry->blockEnd -= count;
}

RteHandle RteMeasureLine(RteHandle handle, int32_t block, int32_t offset, int32_t count, uint16_t lineFlags)
{
    DocLock doc(handle);
    BlockSpan span = SpanOf(doc.get(), block);
    RteHandle result = RteAllocOf<int32_t>(doc->env->context, std::max(count, 0) + 1, 0, true);
    // Only the block's own characters are measured: the positions past its end repeat the last.
    int32_t measured = std::clamp(count, 0, std::max(span.end - span.start - offset, 0));
    if (measured == 0)
        return result;
    RteLocked<int32_t> positions(result);
    RteLocked<uint8_t> text(span.text);
    // Blanks that a wrapped line starts with take no room: its text begins at its left edge.
    int32_t skipped = (lineFlags & RTE_PIECE_PAR_FIRST) ? 0 : LeadingBlanks(doc.get(), text.get(), span, offset, measured);
    RteMeasureRange(handle, text.get() + offset + skipped, span.start + offset + skipped, measured - skipped,
                    positions.get() + skipped, nullptr);
    std::fill(positions.get() + measured + 1, positions.get() + count + 1, positions[measured]);
    return result;
}

int32_t RteMeasurePlacedRun(RteHandle handle, int32_t block, int32_t offset, int32_t count, int32_t direction,
                            int32_t scaling, int32_t* positions)
{
    DocLock doc(handle);
    BlockSpan span = SpanOf(doc.get(), block);
    positions[0] = 0;
    int32_t at = span.start + offset;
    int32_t end = std::min(at + std::max(count, 0), span.end);
    if (at >= end)
        return 0;
    RteLocked<uint8_t> text(span.text);
    RteStyleWalk walker;
    RteStyleWalkBegin(handle, at, &walker, true);
    RteCharStyle* style = walker.style;
    style->hooks.selectFont(handle, style, 0, 0, walker.unit22, 0);
    end = std::min({end, walker.nextRunStart, at + RteMeasureChunkLimit(handle, style)});
    int32_t n = RteSubRunEnd(handle, style, at, end) - at;
    if ((doc->flags & RTE_DOC_HIDDEN_TEXT) && style->hidden) {
        std::fill(positions, positions + n + 1, 0);
    } else {
        RteMeasureStep step{text.get() + offset, n, positions, nullptr, -1, direction, scaling};
        style->hooks.measure(handle, style, reinterpret_cast<intptr_t>(&step), 0, 0, 0);
    }
    RteStyleWalkEnd(handle, true);
    return n;
}

int32_t RteBackToBreak(RteHandle handle, RteStyleWalk* walker, int32_t position, int32_t limit)
{
    DocLock doc(handle);
    int32_t blockStart = 0;
    BlockSpan span = SpanOf(doc.get(), RteBlockAt(doc.get(), position, &blockStart));
    RteLocked<uint8_t> text(span.text);
    while (position > limit && position > span.start && position < span.end) {
        RteStyleWalkSet(walker, position);
        RteCharStyle* style = walker->style;
        int32_t at = position - span.start;
        intptr_t classes = style->hooks.charInfo(handle, style, reinterpret_cast<intptr_t>(&text[at]), 1,
                                                 RTE_CLASS_CONTINUATION, at);
        if (!(classes & RTE_CLASS_CONTINUATION))
            break;
        --position;
    }
    return position;
}

namespace {

// Pieces of a block's lines handle, the sentinel that ends them left out.
struct LinePieces {
    explicit LinePieces(RteHandle lines) : pieces(lines)
    {
        count = pieces.size();
        while (count > 0 && pieces[count - 1].flags == RTE_PIECE_SENTINEL)
            --count;
    }
    int32_t LineAt(int32_t offset) const
    {
        int32_t line = 0;
        for (int32_t i = 0; i < count && pieces[i].offset <= offset; ++i)
            line = i;
        return line;
    }
    int32_t ParagraphStart(int32_t line) const
    {
        while (line > 0 && !(pieces[line].flags & RTE_LINE_STARTS_PARAGRAPH))
            --line;
        return line;
    }
    RteLocked<RteLinePiece> pieces;
    int32_t count;
};

}  // namespace

int32_t RteMarkLinesChanged(RteHandle handle, int32_t block, int32_t offset, int32_t change)
{
    DocLock doc(handle);
    int32_t blockStart = RteBlockStart(doc.get(), block);
    RteLocked<RteTextBlock> blocks(doc->blocks);
    RteTextBlock& entry = blocks[block];
    if (!(entry.flags & RTE_BLOCK_LINES_COMPLETE) || (entry.flags & RTE_BLOCK_LAYOUT_WHOLE) || !entry.lines)
        return blockStart;
    entry.flags |= RTE_BLOCK_LINES_AND_TEXT_CHANGED;
    LinePieces lines(entry.lines);
    int32_t first = lines.ParagraphStart(lines.LineAt(offset));
    int32_t editEnd = offset + (change > 0 ? change : -change);
    int32_t i = first;
    for (; i < lines.count && lines.pieces[i].offset <= offset + (change > 0 ? change : 0); ++i)
        lines.pieces[i].flags &= ~RTE_LINE_LAID_OUT;
    bool toBlockEnd = false;
    if (change < 0) {
        for (int32_t k = first; k < lines.count; ++k) {
            if (lines.pieces[k].offset == editEnd && (lines.pieces[k].flags & RTE_LINE_BREAK_KINDS))
                toBlockEnd = true;
        }
    }
    // The paragraph may already end at the last line the edit touched.
    bool paragraphDone = i > first && (lines.pieces[i - 1].flags & RTE_LINE_PARAGRAPH_END);
    for (; i < lines.count && (toBlockEnd || !paragraphDone); ++i) {
        uint16_t flags = lines.pieces[i].flags;
        lines.pieces[i].flags &= ~RTE_LINE_LAID_OUT;
        if (!toBlockEnd && (flags & RTE_LINE_PARAGRAPH_END))
            break;
    }
    int32_t firstOffset = lines.pieces[first].offset;
    if (firstOffset == 0 && editEnd >= entry.length)
        entry.flags &= ~RTE_BLOCK_LINES_COMPLETE;
    return blockStart + firstOffset;
}

int32_t RteParagraphHeight(RteHandle handle, int32_t block, int32_t piece)
{
    DocLock doc(handle);
    int32_t blockStart = RteBlockStart(doc.get(), block);
    LinePieces lines(RteLocked<RteTextBlock>(doc->blocks)[block].lines);
    int32_t height = 0;
    for (int32_t i = lines.ParagraphStart(piece); i < lines.count; ++i) {
        RteCharStyle* style = RteCharStyleAt(handle, blockStart + lines.pieces[i].offset);
        height = std::max(height, style->ascent + style->descent);
        RteUnlock(doc->charStyles);
        if (lines.pieces[i].flags & RTE_LINE_PARAGRAPH_END)
            break;
    }
    return height;
}

int32_t RteFindByte(const uint8_t* bytes, int32_t count, uint8_t byte)
{
    const uint8_t* found = std::find(bytes, bytes + count, byte);
    return found == bytes + count ? 0 : static_cast<int32_t>(found - bytes) + 1;
}

int32_t RteLastByteOffset(RteHandle handle, uint8_t byte)
{
    DocLock doc(handle);
    int32_t last = RteCount(doc->blocks) - 1;
    BlockSpan span = SpanOf(doc.get(), last);
    if (!span.text)
        return -1;
    RteLocked<uint8_t> text(span.text);
    for (int32_t i = span.end - span.start - 1; i >= 0; --i) {
        if (text[i] == byte)
            return span.start + i;
    }
    return -1;
}

int32_t RteStartTable(RteHandle handle, int16_t value)
{
    if (RteCount(handle) > 0)
        return 0;
    bool held = RteLockCount(handle) > 0;
    auto* first = static_cast<int16_t*>(RteAppend(handle, 1, true));
    first[1] = value;
    if (!held)
        RteUnlock(handle);
    return value + 1;
}
