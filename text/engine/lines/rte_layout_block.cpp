// Laying out blocks: each block's lines follow the previous block's last line, container after
// container, the last container open below so that text that does not fit runs on.
#include <algorithm>
#include <cstring>

#include "rect_ops.h"
#include "rte_areas.h"
#include "rte_block_upkeep.h"
#include "rte_document.h"
#include "rte_line_builder.h"
#include "rte_position_cache.h"
#include "rte_reflow.h"
#include "rte_text_blocks.h"
#include "rte_typed.h"

namespace {

constexpr uint32_t kNeedsLayout = RTE_BLOCK_RELAYOUT | RTE_BLOCK_LAYOUT_WHOLE | 0x4000 | RTE_BLOCK_DIRECTION_CHANGED;
constexpr uint16_t kPieceGrowth = 18;
// A single block laid out for the first time is reported only beyond this length.
constexpr int32_t kQuietLength = 500;

RteTextBlock BlockRecord(RteHandle doc, int32_t index)
{
    RteTextBlock block;
    RteGetElement(RteLocked<RteDocument>(doc)->blocks, index, &block);
    return block;
}

bool Repeats(RteHandle doc)
{
    RtePoint step = RteRepeatStep(doc);
    return step.v != 0 || step.h != 0;
}

bool NeedsLayout(const RteTextBlock& block) { return !block.lines || (block.flags & kNeedsLayout); }

// The last piece of a laid-out block (false for a block without lines).
bool LastPiece(const RteTextBlock& block, RteLinePiece* out)
{
    if (!block.lines)
        return false;
    RteLocked<RteLinePiece> pieces(block.lines);
    int32_t count = RtePieceCount(pieces.get(), pieces.size());
    if (count == 0)
        return false;
    *out = pieces[count - 1];
    return true;
}

// Whether breaks are on: a container or page break sends the next line to the next container
// when the wrap area repeats downwards or its last container keeps its height.
bool BreaksOn(RteHandle doc)
{
    return (RteLocked<RteDocument>(doc)->layoutFlags & (RTE_LAYOUT_REPEAT_DOWN | RTE_LAYOUT_KEEP_LAST_HEIGHT)) != 0;
}

bool EndsWithBreak(const RteLinePiece& piece)
{
    return (piece.flags & (RTE_PIECE_CONTAINER_BREAK | RTE_PIECE_PAGE_BREAK)) != 0;
}

bool HasContainerAfter(RteHandle doc, const RteLineBuilder* b) { return b->container < b->containers || Repeats(doc); }

void TakeNextContainer(RteHandle doc, RteLineBuilder* b)
{
    RteRect next = RteRepeatedContainer(doc, ++b->container);
    b->line = RteRect{next.top, next.left, next.top, next.right};
}

// Places the block's first line below the last line of the block before, or in the next
// container when that line ended with a break (at the top of container 1 for the first block).
// False when the last container is used up and nothing repeats: the block before ended with a
// break in it, or found no container itself.
bool PlaceFirstLine(RteHandle doc, RteLineBuilder* b)
{
    RteLinePiece last;
    int32_t top = 0;
    b->container = 1;
    bool after = b->block > 0 && LastPiece(BlockRecord(doc, b->block - 1), &last);
    bool broken = false;
    if (after) {
        b->container = last.container;
        top = last.rect.bottom;
        broken = BreaksOn(doc) && EndsWithBreak(last);
        bool outside = (BlockRecord(doc, b->block - 1).flags & RTE_BLOCK_DID_NOT_FIT) != 0;
        if ((broken || outside) && !HasContainerAfter(doc, b))
            return false;
    }
    if (broken) {
        TakeNextContainer(doc, b);
        return true;
    }
    RteRect container = RteRepeatedContainer(doc, b->container);
    if (!after)
        top = container.top;
    b->line = RteRect{top, container.left, top, container.right};
    return true;
}

// Whether the block's last line ends only because the block does, its paragraph going on in
// the next block.
bool EndsInsideParagraph(const RteTextBlock& block) { return (block.flags & RTE_BLOCK_ENDS_OPEN) != 0; }

void PutBlock(RteHandle doc, int32_t index, const RteTextBlock& block)
{
    RteLocked<RteDocument> locked(doc);
    RteLocked<RteTextBlock>(locked->blocks)[index] = block;
}

RteTextBlock LoadedBlock(RteHandle doc, int32_t index)
{
    RteTextBlock block = BlockRecord(doc, index);
    if (!block.text && block.length > 0) {
        RteLocked<RteDocument>(doc)->hooks.loadText(doc, index);
        block = BlockRecord(doc, index);
    }
    return block;
}

// A paragraph longer than a block is split between blocks at a word break, and a block starts
// a new line: so that the paragraph flows on as one, the last line of the block before, which
// ended only because its block did, goes to the front of this block before it is laid out, to
// be filled again with the text that follows. The block before keeps its other lines, the last
// of which was ended by its width; a block that would grow past the maximum keeps the break.
void TakeOpenLineBefore(RteHandle doc, int32_t index)
{
    if (index == 0)
        return;
    RteTextBlock before = BlockRecord(doc, index - 1);
    if (NeedsLayout(before) || !EndsInsideParagraph(before))
        return;
    std::vector<RteLinePiece> pieces;
    {
        RteLocked<RteLinePiece> entries(before.lines);
        pieces.assign(entries.get(), entries.get() + RtePieceCount(entries.get(), entries.size()));
    }
    size_t lastLine = pieces.size() - 1;
    while (lastLine > 0 && !(pieces[lastLine].flags & RTE_PIECE_LINE_FIRST))
        --lastLine;
    int32_t from = pieces[lastLine].offset;
    int32_t moved = before.length - from;
    int32_t length = BlockRecord(doc, index).length;
    if (from == 0 || length == 0 || length + moved > RTE_MAX_BLOCK_BYTES)
        return;
    before = LoadedBlock(doc, index - 1);
    RteTextBlock block = LoadedBlock(doc, index);
    std::memcpy(RteInsert(block.text, 0, moved), RteLocked<uint8_t>(before.text).get() + from,
                static_cast<size_t>(moved));
    RteUnlock(block.text);
    block.length += moved;
    block.flags |= RTE_BLOCK_RELAYOUT | RTE_BLOCK_DIRTY;
    RteSetCount(before.text, from);
    before.length = from;
    before.flags = (before.flags & ~RTE_BLOCK_ENDS_OPEN) | RTE_BLOCK_DIRTY;
    before.bounds = RteRect{};
    for (size_t i = 0; i < lastLine; ++i)
        RteUnionRectNonNull(&before.bounds, &pieces[i].rect, &before.bounds);
    {
        RteLocked<RteLinePiece> entries(before.lines);
        entries[static_cast<int32_t>(lastLine)] = RteLinePiece{0, 0, 0, RTE_PIECE_SENTINEL, 0, {}};
    }
    RteSetCount(before.lines, static_cast<int32_t>(lastLine) + 1);
    PutBlock(doc, index - 1, before);
    PutBlock(doc, index, block);
    RteDropDocPositions(doc);
    RteLocked<RteDocument> locked(doc);
    // An edit noted for the block counted its old offsets.
    locked->reflow.pending = false;
    RteLocked<RteSelectPoint> points(locked->selection);
    for (int32_t i = 0; i < points.size(); ++i)
        points[i].flags |= RTE_SELECT_RECOMPUTE;
}

bool StartsParagraph(RteHandle doc, int32_t offset)
{
    return offset == 0 || RteTextByteAt(RteLocked<RteDocument>(doc).get(), offset - 1) == RTE_PARAGRAPH_END;
}

// After a line that ends at a container or page break, the next line starts the next container,
// when breaks are on and there is one.
void TakeBreak(RteHandle doc, RteLineBuilder* b)
{
    if (BreaksOn(doc) && EndsWithBreak(b->pieces.back()) && HasContainerAfter(doc, b))
        TakeNextContainer(doc, b);
}

// Takes back the old lines from the one that starts where the next line would, when there is
// one; true when the block's lines are then complete.
bool TakeBackLines(RteLineBuilder* b, const RteReusableLines* reusable)
{
    if (!reusable || b->lineStart >= b->length)
        return false;
    int32_t at = RteReusableLineAt(*reusable, b->lineStart, b->container, b->line.top);
    if (at < 0)
        return false;
    b->pieces.insert(b->pieces.end(), reusable->pieces.begin() + at, reusable->pieces.end());
    b->lineStart = b->length;
    b->roomLeft = RTE_LINES_TAKEN_BACK;
    return true;
}

void BuildLines(RteHandle doc, RteLineBuilder* b, const RteReusableLines* reusable)
{
    RteHookTable hooks = RteLocked<RteDocument>(doc)->hooks;
    hooks.lineNotify(doc, reinterpret_cast<intptr_t>(b), 0);
    do {
        b->firstPiece = b->pieces.size();
        hooks.lineNotify(doc, reinterpret_cast<intptr_t>(b), 1);
        hooks.fillLine(doc, b);
        while (!hooks.lineFits(doc, b))
            hooks.fillLine(doc, b);
        for (size_t i = b->firstPiece; i < b->pieces.size(); ++i)
            b->pieces[i].container = b->container;
        b->paragraphStart = (b->pieces.back().flags & RTE_PIECE_PAR_LAST) != 0;
        b->lineStart = b->lineEnd;
        b->line.top = b->line.bottom;
        TakeBreak(doc, b);
    } while (b->lineStart < b->length && !TakeBackLines(b, reusable));
    hooks.lineNotify(doc, reinterpret_cast<intptr_t>(b), 2);
}

RteHandle PieceArray(RteHandle doc, const std::vector<RteLinePiece>& pieces)
{
    RteLocked<RteDocument> locked(doc);
    auto count = static_cast<int32_t>(pieces.size());
    RteHandle lines = RteAllocKeyed(locked->env->context, sizeof(RteLinePiece), count + 1, kPieceGrowth, locked->key);
    RteLocked<RteLinePiece> entries(lines);
    std::memcpy(entries.get(), pieces.data(), pieces.size() * sizeof(RteLinePiece));
    entries[count] = RteLinePiece{0, 0, 0, RTE_PIECE_SENTINEL, 0, {}};
    return lines;
}

// The pieces become the block's lines, its bounds theirs (a point for a block without visible
// lines) and its flags those of a block laid out with the flag given; answers its bottom.
int32_t StoreLines(RteHandle doc, int32_t index, const std::vector<RteLinePiece>& pieces, uint32_t flag)
{
    RteRect bounds{};
    for (const RteLinePiece& piece : pieces)
        RteUnionRectNonNull(&bounds, &piece.rect, &bounds);
    if (flag & (RTE_BLOCK_NO_VISIBLE_LINES | RTE_BLOCK_DID_NOT_FIT))
        bounds = pieces.front().rect;
    RteHandle lines = PieceArray(doc, pieces);
    RteLocked<RteDocument> locked(doc);
    RteLocked<RteTextBlock> blocks(locked->blocks);
    if (blocks[index].lines)
        RteFree(blocks[index].lines);
    blocks[index].lines = lines;
    blocks[index].bounds = bounds;
    blocks[index].flags = (blocks[index].flags & ~(kNeedsLayout | RTE_BLOCK_NO_VISIBLE_LINES | RTE_BLOCK_ENDS_OPEN |
                                                   RTE_BLOCK_DID_NOT_FIT)) |
                          RTE_BLOCK_LINES_COMPLETE | RTE_BLOCK_LINES_BUILT | flag;
    return pieces.back().rect.bottom;
}

// The width of the block's text up to its first blank or control character (at most a
// measuring step's worth): what a line ending just before the block must have room for.
int32_t FirstWordWidth(RteHandle doc, int32_t index)
{
    constexpr int32_t kLongestWord = 256;
    RteTextBlock block = LoadedBlock(doc, index);
    int32_t count = std::min(block.length, kLongestWord);
    if (count == 0 || !block.text)
        return 0;
    std::vector<int32_t> positions(static_cast<size_t>(count) + 1);
    std::vector<int16_t> types(static_cast<size_t>(count));
    std::vector<uint8_t> text(static_cast<size_t>(count));
    std::memcpy(text.data(), RteLocked<uint8_t>(block.text).get(), text.size());
    RteMeasureRange(doc, text.data(), RteBlockStart(RteLocked<RteDocument>(doc).get(), index), count, positions.data(),
                    types.data());
    int32_t end = 0;
    while (end < count && types[static_cast<size_t>(end)] == 0)
        ++end;
    return positions[static_cast<size_t>(end)] - positions[0];
}

// Keeps the block's lines that start before an offset of it and places the next line below
// them, where the line after them would go; false when no line starts before the offset.
bool KeepLinesBefore(RteHandle doc, const RteTextBlock& block, int32_t offset, RteLineBuilder* b)
{
    if (!block.lines || offset <= 0)
        return false;
    {
        RteLocked<RteLinePiece> pieces(block.lines);
        int32_t count = RtePieceCount(pieces.get(), pieces.size());
        for (int32_t i = 0; i < count && pieces[i].offset < offset; ++i)
            b->pieces.push_back(pieces[i]);
    }
    if (b->pieces.empty())
        return false;
    const RteLinePiece& last = b->pieces.back();
    b->container = last.container;
    RteRect container = RteRepeatedContainer(doc, b->container);
    b->line = RteRect{last.rect.bottom, container.left, last.rect.bottom, container.right};
    b->lineStart = offset;
    b->paragraphStart = (last.flags & RTE_PIECE_PAR_LAST) != 0;
    TakeBreak(doc, b);
    return true;
}

// Whether the block's text is all hidden text that takes no room.
bool AllHidden(RteHandle doc, int32_t start, int32_t length)
{
    if (length == 0 || !(RteLocked<RteDocument>(doc)->flags & RTE_DOC_HIDDEN_TEXT))
        return false;
    RteStyleWalk walker;
    RteStyleWalkBegin(doc, start, &walker, false);
    bool hidden = true;
    for (int32_t at = start; hidden && at < start + length; at = walker.nextRunStart) {
        RteStyleWalkSet(&walker, at);
        hidden = walker.style->hidden != 0;
    }
    RteStyleWalkEnd(doc, false);
    return hidden;
}

// One line that takes no room and is not drawn, at the point: where the first line of a block of
// hidden text would stand, or just below the wrap bounds for a block that found no container.
void PointLine(RteHandle doc, const RteTextBlock& block, RteLineBuilder* b, int32_t top, int32_t left)
{
    uint16_t flags = RTE_PIECE_LINE_FIRST | RTE_PIECE_LINE_LAST | RTE_PIECE_HIDDEN |
                     (b->paragraphStart ? RTE_PIECE_PAR_FIRST : 0);
    if (RteTextByteAt(RteLocked<RteDocument>(doc).get(), b->blockStart + block.length - 1) == RTE_PARAGRAPH_END)
        flags |= RTE_PIECE_PAR_LAST;
    b->pieces.push_back(RteLinePiece{0, 0, 0, flags, b->container, RteRect{top, left, top, left}});
}

// Below the wrap bounds by one unit, so that the text is known not to fit (the overflow count
// looks for lines below the bounds).
void CollapsedLine(RteHandle doc, const RteTextBlock& block, RteLineBuilder* b)
{
    RteRect bounds = RteRectIterator(RteLocked<RteDocument>(doc)->wrapArea).Bounds();
    PointLine(doc, block, b, bounds.bottom + 1, bounds.left);
}

// The block's lines built anew from an offset of it (0 for all; lines that start before it
// stay as they are); answers its new bottom.
int32_t LayOut(RteHandle doc, int32_t index, int32_t from, const RteReusableLines* reusable)
{
    RteLineBuilder b{};
    RteTextBlock block = BlockRecord(doc, index);
    if (!block.text && block.length > 0) {
        RteLocked<RteDocument>(doc)->hooks.loadText(doc, index);
        block = BlockRecord(doc, index);
    }
    b.block = index;
    b.roomLeft = -1;
    b.blockStart = RteBlockStart(RteLocked<RteDocument>(doc).get(), index);
    b.length = block.length;
    b.containers = RteContainerCount(doc);
    b.lastBlock = index + 1 == RteCount(RteLocked<RteDocument>(doc)->blocks);
    bool hidden = AllHidden(doc, b.blockStart, block.length);
    bool placed = true;
    // A block that found no container is laid out whole once there is one again.
    bool whole = hidden || (block.flags & RTE_BLOCK_DID_NOT_FIT) || !KeepLinesBefore(doc, block, from, &b);
    if (whole) {
        b.pieces.clear();
        b.paragraphStart = StartsParagraph(doc, b.blockStart);
        placed = PlaceFirstLine(doc, &b);
    }
    if (hidden) {
        PointLine(doc, block, &b, b.line.top, b.line.left);
        return StoreLines(doc, index, b.pieces, RTE_BLOCK_NO_VISIBLE_LINES);
    }
    if (!placed && block.length > 0) {
        CollapsedLine(doc, block, &b);
        return StoreLines(doc, index, b.pieces, RTE_BLOCK_DID_NOT_FIT);
    }
    RteHandle positions = nullptr, types = nullptr;
    b.positions = RteBlockPositions(doc, index, &positions, &types);
    RteLocked<int16_t> typeValues(types);
    RteLocked<uint8_t> text(block.text);
    b.types = typeValues.get();
    b.text = text.get();
    RteStyleWalkBegin(doc, b.blockStart + b.lineStart, &b.walker, true);
    BuildLines(doc, &b, reusable);
    RteStyleWalkEnd(doc, true);
    RteReleasePositions(doc, positions);
    b.pieces.back().flags |= RTE_PIECE_LINE_LAST;
    bool open = b.roomLeft == RTE_LINES_TAKEN_BACK ? (block.flags & RTE_BLOCK_ENDS_OPEN) != 0
                                                   : !b.lastBlock && b.roomLeft >= 0 &&
                                                         FirstWordWidth(doc, index + 1) <= b.roomLeft;
    return StoreLines(doc, index, b.pieces, open ? RTE_BLOCK_ENDS_OPEN : 0);
}

int32_t LineCount(const RteTextBlock& block)
{
    RteLocked<RteLinePiece> pieces(block.lines);
    int32_t count = RtePieceCount(pieces.get(), pieces.size());
    int32_t lines = 0;
    for (int32_t i = 0; i < count; ++i)
        lines += (pieces[i].flags & RTE_PIECE_LINE_FIRST) ? 1 : 0;
    return lines;
}

// The block laid out, then laid out again for as long as the post-layout hook (slot 25) asks for
// a forced break (paragraphs kept together, widows and orphans): the lines before the forced
// offset stay, so that the breaks already taken hold, and the fits test refuses the line at the
// offset, which starts the next container. Each pass that honours a break sends one more line to
// the top of a container, so the passes stop by the block's line count; a break the builder
// could not honour (no further container) ends them at once. A break asked for in an earlier
// block (a paragraph run that began there) is left pending and that block's index given out in
// earlier, for the caller to lay out again from there. Answers the block's bottom.
int32_t LayOutWithBreaks(RteHandle doc, int32_t index, RteLayoutChange* change, int32_t* earlier)
{
    constexpr intptr_t kEmptyBlock = 1;
    constexpr intptr_t kDidNotFit = 3;
    constexpr intptr_t kQuickReflow = 4;
    constexpr intptr_t kFullLayout = 5;
    *earlier = -1;
    int32_t start = RteBlockStart(RteLocked<RteDocument>(doc).get(), index);
    int32_t pending = RteLocked<RteDocument>(doc)->forcedBreak;
    // After an edit, the lines before its paragraph stay and those after it may be taken back.
    RteReusableLines reusable;
    bool reuse = RteTakeReusableLines(doc, index, &reusable) && pending <= 0;
    int32_t bottom = reuse            ? LayOut(doc, index, reusable.rebuildFrom, &reusable)
                     : pending > start ? LayOut(doc, index, pending - start, nullptr)
                                       : LayOut(doc, index, 0, nullptr);
    // A break a later block asked for here is done with once the block is laid out again.
    RteLocked<RteDocument>(doc)->forcedBreak = 0;
    RteTextBlock block = BlockRecord(doc, index);
    intptr_t mode = block.length == 0 || (block.flags & RTE_BLOCK_NO_VISIBLE_LINES) ? kEmptyBlock
                    : (block.flags & RTE_BLOCK_DID_NOT_FIT)                          ? kDidNotFit
                    : reuse                                                          ? kQuickReflow
                                                                                     : kFullLayout;
    RteGeneralHook postLayout = RteLocked<RteDocument>(doc)->hooks.postLayout;
    for (int32_t passes = LineCount(block); passes > 0; --passes) {
        if (!postLayout(doc, index, reinterpret_cast<intptr_t>(change), start, start + block.length, mode))
            break;
        int32_t forced = RteLocked<RteDocument>(doc)->forcedBreak;
        if (forced < start) {
            int32_t blockStart = 0;
            *earlier = RteBlockAt(RteLocked<RteDocument>(doc).get(), forced, &blockStart);
            break;
        }
        bottom = LayOut(doc, index, forced - start, nullptr);
        RteLocked<RteDocument> locked(doc);
        bool honoured = locked->forcedBreak != forced;
        locked->forcedBreak = 0;
        if (!honoured)
            break;
    }
    return bottom;
}

}  // namespace

RteRect RteRepeatedContainer(RteHandle doc, int32_t number)
{
    RtePoint offset;
    int32_t index = RteContainerRepeat(doc, number - 1, &offset);
    RteRect rect;
    RteGetContainer(doc, index + 1, false, false, &rect);
    RteOffsetRect(&rect, offset.h, offset.v);
    if (!Repeats(doc))
        return rect;
    // Each copy of a repeating wrap area is a page with its own margins: at the top and left of
    // its first container, the right of its last, the bottom of every one.
    int32_t perCopy = std::max(1, RteContainerCount(doc));
    RteRect margins{};
    RteLocked<RteDocument>(doc)->hooks.pageMargins(doc, (number - 1) / perCopy + 1,
                                                   reinterpret_cast<intptr_t>(&margins));
    if (index == 0) {
        rect.top += margins.top;
        rect.left += margins.left;
    }
    if (index == perCopy - 1)
        rect.right -= margins.right;
    rect.bottom -= margins.bottom;
    return rect;
}

intptr_t RteDefaultLineFits(RteHandle doc, void* state)
{
    auto* b = static_cast<RteLineBuilder*>(state);
    RteRect container = RteRepeatedContainer(doc, b->container);
    // Without repetition the last container is open below: text that finds no room runs on.
    bool lastContainer = b->container >= b->containers && !Repeats(doc);
    int32_t bottom = lastContainer ? RTE_OPEN_BOTTOM : container.bottom;
    int32_t lineOffset = b->blockStart + b->lineStart;
    {
        RteLocked<RteDocument> locked(doc);
        if (locked->forcedBreak > 0 && locked->forcedBreak == lineOffset && !lastContainer) {
            locked->forcedBreak = -1;
            bottom = b->line.bottom - 1;
        }
    }
    // A line taller than a whole container stays in it rather than look for one for ever.
    if (b->line.bottom <= bottom || (b->line.top == container.top && bottom != b->line.bottom - 1))
        return 1;
    RteRect next = RteRepeatedContainer(doc, ++b->container);
    b->line = RteRect{next.top, next.left, next.top, next.right};
    return 0;
}

void RteLayoutBlock(RteHandle doc, int32_t block, RteLayoutChange* change, bool force)
{
    int32_t count = RteCount(RteLocked<RteDocument>(doc)->blocks);
    if (block >= count)
        block = count - 1;
    if (change)
        *change = RteLayoutChange{0, -1, -1, -1, -1};
    std::vector<int32_t> due;
    for (int32_t i = 0; i <= block; ++i)
        if (NeedsLayout(BlockRecord(doc, i)) || (force && i == block))
            due.push_back(i);
    // Long layouts tell the progress hook before each block and once at the end.
    RteProgressHook progress = RteLocked<RteDocument>(doc)->hooks.progress;
    bool reports = due.size() > 1 || (due.size() == 1 && BlockRecord(doc, due[0]).length > kQuietLength &&
                                      !BlockRecord(doc, due[0]).lines);
    auto total = static_cast<int32_t>(due.size());
    int32_t done = 0;
    bool any = false;
    // Each move of a run into an earlier block sends a line to the top of a container, which
    // the rules never move again: the moves are bounded; the bound keeps a hook that asks for
    // ever from stalling layout.
    int32_t restarts = count;
    for (int32_t i = due.empty() ? block + 1 : due.front(); i <= block; ++i) {
        // Blocks moved by the ones before them are laid out in the same pass.
        RteTextBlock record = BlockRecord(doc, i);
        if (!NeedsLayout(record) && !(force && i == block))
            continue;
        if (reports)
            progress(doc, 0, std::min(done++, total), total);
        TakeOpenLineBefore(doc, i);
        record = BlockRecord(doc, i);
        int32_t oldBottom = record.lines ? record.bounds.bottom : -1;
        int32_t start = RteBlockStart(RteLocked<RteDocument>(doc).get(), i);
        if (change && change->first < 0)
            *change = RteLayoutChange{0, start, start + record.length, -1, -1};
        int32_t earlier = -1;
        int32_t bottom = LayOutWithBreaks(doc, i, change, &earlier);
        any = true;
        if (earlier >= 0 && earlier < i && restarts-- > 0) {
            // A paragraph run that began in an earlier block moves on: from there, every block
            // is laid out again (the hook marked them).
            if (change)
                change->first = std::min(change->first, RteBlockStart(RteLocked<RteDocument>(doc).get(), earlier));
            i = earlier - 1;
            continue;
        }
        RteLocked<RteDocument>(doc)->forcedBreak = 0;
        // A last line with room for the next block's first word goes to the next block, which
        // is laid out again to take it.
        if (i + 1 < count && EndsInsideParagraph(BlockRecord(doc, i))) {
            RteLocked<RteDocument> locked(doc);
            RteLocked<RteTextBlock>(locked->blocks)[i + 1].flags |= RTE_BLOCK_RELAYOUT;
        }
        if (bottom == oldBottom)
            continue;
        // Every later block moves with this one: it is laid out again when it is next needed.
        RteLocked<RteDocument> locked(doc);
        RteLocked<RteTextBlock> blocks(locked->blocks);
        for (int32_t j = i + 1; j < blocks.size(); ++j)
            blocks[j].flags |= RTE_BLOCK_RELAYOUT;
        if (change)
            change->last = locked->textLength;
    }
    if (reports)
        progress(doc, 0, total, total);
    if (any)
        RteComputeTextBounds(doc);
}

void RteLayoutDocument(RteHandle doc)
{
    RteLayoutBlock(doc, RteCount(RteLocked<RteDocument>(doc)->blocks) - 1, nullptr, false);
}
