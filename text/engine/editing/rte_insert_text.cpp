// Inserting text and typed characters, and deleting ranges: the public operations over the
// core insertion and deletion, with chunking, the control keys and the redraw.
#include <algorithm>
#include <vector>

#include "rte_block_upkeep.h"
#include "rte_document_internal.h"
#include "rte_editing.h"
#include "rte_position_cache.h"
#include "rte_position_queries.h"
#include "rte_redisplay.h"
#include "rte_selection.h"
#include "rte_style_tables.h"
#include "rte_style_units.h"
#include "rte_styles.h"

using namespace rte_document;

namespace {

void Redraw(RteHandle doc, int32_t from, int16_t redraw)
{
    if (redraw != RTE_REDRAW_NONE)
        RteRedisplay(doc, nullptr, from, -1, nullptr, nullptr, redraw == RTE_REDRAW_DEFAULT ? 5 : redraw, true);
}

bool ClosedToTyping(RteHandle doc)
{
    DocLock locked(doc);
    return (locked->flags & RTE_DOC_CLOSED_TO_TYPING) || (locked->flags2 & RTE_DOC2_CLOSED_TO_TYPING);
}

// One character from an offset in a direction: past the continuation bytes of a multi-byte
// character and past hidden text.
int32_t CharacterStep(RteHandle doc, int32_t offset, int32_t direction)
{
    int32_t length = DocLock(doc)->textLength;
    int32_t at = offset + direction;
    auto skip = [&](int32_t position) {
        return position > 0 && position < length &&
               ((RteCharInfo(doc, position, RTE_CLASS_CONTINUATION) & RTE_CLASS_CONTINUATION) ||
                RteHiddenAt(doc, direction > 0 ? position - 1 : position));
    };
    while (skip(at))
        at += direction;
    return std::clamp(at, 0, length);
}

// Deletes what of the range is not hidden: a key steps over hidden text that takes no room, but
// never deletes it. Answers 1 when anything went.
int32_t DeleteVisible(RteHandle doc, RteRange range, int16_t redraw)
{
    bool deleted = false;
    for (int32_t end = range.end; end > range.start;) {
        if (RteHiddenAt(doc, end - 1)) {
            --end;
            continue;
        }
        int32_t start = end - 1;
        while (start > range.start && !RteHiddenAt(doc, start - 1))
            --start;
        RteRange visible = {start, end};
        RteDeleteRange(doc, &visible, RTE_REDRAW_NONE);
        deleted = true;
        end = start;
    }
    if (deleted)
        Redraw(doc, 0, redraw);
    return deleted ? 1 : 0;
}

// The insertion style given to bytes typed at the caret when it differs from the style before.
void ApplyInsertionStyle(RteHandle doc, int32_t offset, int32_t length)
{
    int16_t before = 0;
    RteRunIndexAt(doc, offset > 0 ? offset - 1 : 0, &before, nullptr, false);
    RteCharStyle insertion;
    {
        DocLock locked(doc);
        if (locked->insertStyle == before || locked->insertStyle < 0)
            return;
        insertion = RteCharStyleRecord(locked.get(), locked->insertStyle);
    }
    RteCharStyle all;
    RteClearCharStyle(&all, 0xFF);
    RteRange range = {offset, offset + length};
    RteSetCharStyle(doc, &range, &insertion, &all, 0);
}

int32_t InsertChunks(RteHandle doc, const uint8_t* bytes, int32_t length, int32_t offset)
{
    bool chunked = length > RTE_MAX_BLOCK_BYTES;
    if (chunked) {
        RteDropDocPositions(doc);
        DocLock(doc)->largeChange = RTE_LARGE_CHANGE;
    }
    int32_t blocks = RteCount(DocLock(doc)->blocks);
    int32_t from = offset;
    for (int32_t done = 0; done < length;) {
        int32_t chunk = std::min(length - done, RTE_MAX_BLOCK_BYTES);
        from = std::min(from, RteInsertBytes(doc, bytes + done, chunk, offset + done, RTE_INSERT_AS_TEXT));
        done += chunk;
        if (chunked)
            RteBalanceTextBlocks(doc);
    }
    // A long insertion changed blocks all over, and after one any change of the blocks may have
    // moved text across them: everything is drawn again.
    DocLock locked(doc);
    if (chunked || (locked->largeChange > 256 && RteCount(locked->blocks) != blocks))
        return 0;
    return from;
}

// The offset the insertion goes to: the selection replaced by a caret at its start.
int32_t InsertionPoint(RteHandle doc, int32_t offset, bool* atCaret)
{
    *atCaret = offset == -1;
    if (offset != -1)
        return RtePinOffset(doc, offset);
    if (RteSelectionRangeCount(doc) > 0)
        RteDeleteRange(doc, nullptr, 0);
    return RtePinOffset(doc, -1);
}

int32_t InsertAt(RteHandle doc, const uint8_t* bytes, int32_t length, int32_t offset, int16_t redraw)
{
    bool atCaret = false;
    int32_t at = InsertionPoint(doc, offset, &atCaret);
    ++DocLock(doc)->changes;
    int32_t from = InsertChunks(doc, bytes, length, at);
    if (atCaret) {
        ApplyInsertionStyle(doc, at, length);
        RteSetCaretQuiet(doc, at + length);
        RteRederiveInsertionStyle(doc);
    }
    Redraw(doc, from, redraw);
    return 1;
}

// The offset at the caret's x on the line above (or below) the caret's line.
int32_t LineStep(RteHandle doc, int32_t caret, bool up)
{
    RteRect rect;
    RteCaretRect(doc, caret, true, false, &rect);
    RtePoint point{up ? rect.top - 1 : rect.bottom, rect.left};
    if (up && rect.top <= 0)
        return 0;
    return RteOffsetAtPoint(doc, &point, nullptr);
}

int32_t ControlKey(RteHandle doc, uint8_t key, int16_t redraw)
{
    int32_t start = 0, end = 0;
    RteGetSelection(doc, &start, &end);
    int32_t length = DocLock(doc)->textLength;
    if ((key == RTE_KEY_BACKSPACE || key == RTE_KEY_DELETE) && RteSelectionRangeCount(doc) > 0) {
        RteDeleteRange(doc, nullptr, redraw);
        return 1;
    }
    switch (key) {
    case RTE_KEY_BACKSPACE:
    case RTE_KEY_DELETE: {
        bool back = key == RTE_KEY_BACKSPACE;
        if ((back && start == 0) || (!back && start >= length))
            return 0;
        int32_t other = CharacterStep(doc, start, back ? -1 : 1);
        return DeleteVisible(doc, RteRange{std::min(start, other), std::max(start, other)}, redraw);
    }
    case RTE_KEY_LEFT:
        RteSetCaretQuiet(doc, CharacterStep(doc, start, -1));
        return 1;
    case RTE_KEY_RIGHT:
        RteSetCaretQuiet(doc, CharacterStep(doc, end, 1));
        return 1;
    case RTE_KEY_UP:
    case RTE_KEY_DOWN:
        RteSetCaretQuiet(doc, LineStep(doc, key == RTE_KEY_UP ? start : end, key == RTE_KEY_UP));
        return 1;
    default:
        return 0;
    }
}

bool HasControlChar(const uint8_t* bytes, int32_t length)
{
    return std::any_of(bytes, bytes + length, [](uint8_t byte) { return RteIsControlChar(byte); });
}

// Typed bytes kept back for a later flush: asked for by key mode 1, or by the typing hook in key
// mode 0 (always once bytes wait); never with control keys, without redraw or at an offset.
bool Buffered(RteHandle doc, const uint8_t* bytes, int32_t length, int32_t offset, int32_t keyMode, uint32_t flags,
              int16_t redraw)
{
    if (keyMode == RTE_KEYS_FLUSH || redraw == RTE_REDRAW_NONE || flags != 0 || offset != -1 ||
        HasControlChar(bytes, length))
        return false;
    DocLock locked(doc);
    bool waiting = locked->typeahead && RteCount(locked->typeahead) > 0;
    if (keyMode == RTE_KEYS_TYPED && !waiting && locked->hooks.typeahead(doc) == 0)
        return false;
    if (!locked->typeahead)
        locked->typeahead = RteAllocKeyed(locked->env->context, 1, 0, 32, locked->key);
    if (RteCount(locked->typeahead) == 0)
        locked->typeaheadRedraw = redraw;
    std::copy(bytes, bytes + length, static_cast<uint8_t*>(RteAppend(locked->typeahead, length, false)));
    RteUnlock(locked->typeahead);
    return true;
}

int32_t TypeBytes(RteHandle doc, const uint8_t* bytes, int32_t length, int32_t offset, int16_t redraw)
{
    if (ClosedToTyping(doc))
        return 0;
    if (offset >= 0)
        RteSetCaretQuiet(doc, offset);
    int32_t changed = 0;
    for (int32_t i = 0; i < length;) {
        if (RteIsControlChar(bytes[i])) {
            changed |= ControlKey(doc, bytes[i++], redraw);
            continue;
        }
        int32_t stretch = i;
        while (stretch < length && !RteIsControlChar(bytes[stretch]))
            ++stretch;
        changed |= InsertAt(doc, bytes + i, stretch - i, -1, redraw);
        i = stretch;
    }
    return changed;
}

}  // namespace

bool RteHiddenAt(RteHandle doc, int32_t offset)
{
    if (!(DocLock(doc)->flags & RTE_DOC_HIDDEN_TEXT))
        return false;
    RteStyleWalk walker;
    RteStyleWalkBegin(doc, offset, &walker, false);
    bool hidden = walker.style->hidden != 0;
    RteStyleWalkEnd(doc, false);
    return hidden;
}

bool RteIsControlChar(uint8_t byte)
{
    return byte == RTE_KEY_BACKSPACE || byte == RTE_KEY_DELETE || (byte >= RTE_KEY_LEFT && byte <= RTE_KEY_DOWN);
}

int32_t RteInsertText(RteHandle doc, const uint8_t* bytes, int32_t length, int32_t offset, int32_t keyMode,
                      uint32_t flags, int16_t redraw)
{
    if (length <= 0)
        return 0;
    bool typed = keyMode == RTE_KEYS_TYPED || keyMode == RTE_KEYS_BUFFERED || keyMode == RTE_KEYS_FLUSH;
    if (typed && !ClosedToTyping(doc) && Buffered(doc, bytes, length, offset, keyMode, flags, redraw))
        return 0;
    if (keyMode != RTE_KEYS_FLUSH)
        RteFlushTypeahead(doc);
    if (typed)
        return TypeBytes(doc, bytes, length, offset, redraw);
    RteLocked<RteSelectPoint>(DocLock(doc)->selection)[0].flags &= ~RTE_SELECT_WIDENED;
    return InsertAt(doc, bytes, length, offset, redraw);
}

int32_t RteFlushTypeahead(RteHandle doc)
{
    std::vector<uint8_t> waiting;
    int16_t redraw = 0;
    {
        DocLock locked(doc);
        if (!locked->typeahead || RteCount(locked->typeahead) == 0)
            return 0;
        waiting = ElementsOf<uint8_t>(locked->typeahead);
        redraw = locked->typeaheadRedraw;
        RteSetCount(locked->typeahead, 0);
    }
    return RteInsertText(doc, waiting.data(), static_cast<int32_t>(waiting.size()), -1, RTE_KEYS_FLUSH, 0, redraw);
}

void RteDeleteRange(RteHandle doc, const RteRange* range, int16_t redraw)
{
    RteFlushTypeahead(doc);
    RteHandle list = RteRangeList(doc, range, false, false);
    if (!list)
        return;
    std::vector<RteRange> ranges = ElementsOf<RteRange>(list);
    RteFree(list);
    ++DocLock(doc)->changes;
    int32_t deleted = 0;
    for (const RteRange& r : ranges) {
        int32_t start = r.start - deleted;
        int32_t end = r.end - deleted;
        // Block by block: each step deletes what lies in the block holding the start.
        while (end > start) {
            int32_t stop = end;
            RteDeleteInBlock(doc, start, &stop);
            end -= stop - start;
            deleted += stop - start;
        }
    }
    RteSetCaretQuiet(doc, ranges.empty() ? 0 : ranges.front().start);
    Redraw(doc, 0, redraw);
}
