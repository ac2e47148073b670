// Undoing a record: the text it saved put back where the change took it (after the change's own
// text is deleted), or the saved tables, areas and page settings put back; the record that
// redoes it is built first from the document as it is.
#include <algorithm>
#include <iterator>

#include "rect_list.h"
#include "rte_areas.h"
#include "rte_document_internal.h"
#include "rte_editing.h"
#include "rte_position_cache.h"
#include "rte_redisplay.h"
#include "rte_text_blocks.h"
#include "rte_selection.h"
#include "rte_transfer.h"
#include "rte_undo_internal.h"

using namespace rte_document;

namespace {

bool IsTextKind(int16_t storedKind)
{
    int16_t kind = static_cast<int16_t>(std::abs(storedKind));
    return kind != RTE_UNDO_RESTYLE && (kind < RTE_UNDO_WRAP_AREA || kind > RTE_UNDO_PAGE_SETTINGS);
}

// What the change put in: its spans, or start to end.
std::vector<RteRange> Removes(const RteUndoRecord& fields)
{
    if (fields.removes)
        return ElementsOf<RteRange>(fields.removes);
    if (fields.end > fields.start)
        return {RteRange{fields.start, fields.end}};
    return {};
}

RteHandle RangeHandle(RteHandle doc, const std::vector<RteRange>& ranges)
{
    RteHandle list = RteAllocOf<RteRange>(RteDocEnvironment(doc)->context, 0, 4, false);
    for (const RteRange& r : ranges)
        InsertElement(list, RteCount(list), r);
    return list;
}

void Select(RteHandle doc, const std::vector<RteRange>& ranges)
{
    if (!ranges.empty())
        RteSetSelectionRanges(doc, ranges.data(), static_cast<int32_t>(ranges.size()), 0, false);
}

// The reverse of a text record: the text its undo deletes, to be put back where it stood, and
// the spans its copy will take.
void ReverseText(RteHandle doc, const RteUndoRecord& fields, RteUndoRecord& reverse)
{
    std::vector<RteRange> removes = Removes(fields);
    reverse.selection = RteSelectionRanges(doc);
    reverse.start = removes.empty() ? fields.start : removes.front().start;
    reverse.end = reverse.start;
    if (!removes.empty()) {
        std::vector<RteRange> selection = ElementsOf<RteRange>(reverse.selection);
        uint32_t copyMode = RteGetDocFlags(doc) & RTE_DOC_COPY_MODE;
        DocLock(doc)->flags |= RTE_DOC_COPY_MODE;
        Select(doc, removes);
        reverse.copy = RteCopyRange(doc, nullptr);
        DocLock(doc)->flags = (DocLock(doc)->flags & ~RTE_DOC_COPY_MODE) | copyMode;
        Select(doc, selection);
    }
    if (fields.copy) {
        RteHandle origins = RteOriginList(fields.copy);
        std::vector<RteRange> spans = origins ? ElementsOf<RteRange>(origins) : std::vector<RteRange>{};
        if (spans.empty())
            spans.push_back({0, RteTextLength(fields.copy)});
        for (RteRange& span : spans) {
            span.start += fields.start;
            span.end += fields.start;
        }
        reverse.removes = RangeHandle(doc, spans);
    }
}

void UndoText(RteHandle doc, const RteUndoRecord& fields)
{
    std::vector<RteRange> removes = Removes(fields);
    // From the last, so that the earlier spans stay where they are.
    for (auto r = removes.rbegin(); r != removes.rend(); ++r)
        RteDeleteRange(doc, &*r, 0);
    RteSetCaretQuiet(doc, fields.start);
    int32_t end = fields.start;
    if (fields.copy) {
        DocLock(fields.copy)->flags |= RTE_DOC_COPY_MODE;
        RteInsertDocumentAs(doc, fields.copy, fields.start, 0, 0, true);
        end += RteTextLength(fields.copy);
    }
    std::vector<RteRange> selection = fields.selection ? ElementsOf<RteRange>(fields.selection) : std::vector<RteRange>{};
    if (selection.empty())
        RteSetCaretQuiet(doc, end);
    else
        Select(doc, selection);
}

void UndoTables(RteHandle doc, const RteUndoRecord& fields)
{
    std::vector<RteHandle> saved = ElementsOf<RteHandle>(fields.tables);
    {
        DocLock locked(doc);
        RteHandle tables[] = {locked->charRuns, locked->parRuns, locked->charStyles, locked->parFormats, locked->fonts};
        RteTellStylesDropped(doc, locked->charStyles, locked->parFormats, RTE_UNDO_STYLES_REPLACED);
        for (size_t i = 0; i < saved.size(); ++i)
            RteCopyInto(saved[i], tables[i]);
        RteBroadcastStyles(doc, 0, RTE_UNDO_STYLES_TAKEN, locked->charStyles, locked->parFormats);
        RteMarkForLayout(locked.get(), 0, locked->textLength);
    }
    RteDropDocPositions(doc);
    if (fields.selection)
        Select(doc, ElementsOf<RteRange>(fields.selection));
    RteRederiveInsertionStyle(doc);
}

void UndoAreas(RteHandle doc, const RteUndoRecord& fields)
{
    RteSetAreas(doc, fields.areas[0], fields.areas[1], fields.areas[2]);
    {
        // The lists go back as they were, a list the document did not have then dropped again.
        DocLock locked(doc);
        RteHandle* lists[] = {&locked->containerValues, &locked->extraValues, &locked->anchors};
        bool restored[] = {fields.areas[1] != nullptr, fields.areas[2] != nullptr, fields.areas[2] != nullptr};
        for (size_t i = 0; i < std::size(lists); ++i) {
            if (!restored[i])
                continue;
            if (*lists[i])
                RteFree(*lists[i]);
            *lists[i] = fields.companions[i] ? RteDuplicateKeyed(fields.companions[i], locked->key) : nullptr;
        }
    }
    if (fields.page) {
        RtePageSettings page;
        RteGetElement(fields.page, 0, &page);
        RteSetPageSettings(doc, &page, true, 0);
    }
}

}  // namespace

RteHandle RteUndoReverse(RteHandle doc, RteHandle record)
{
    RteUndoRecord fields = RteUndoFields(record);
    RteHandle reverse = RteAllocOf<RteUndoRecord>(fields.env->context, 1, 0, true);
    RteUndoRecord back = {};
    back.env = fields.env;
    back.kind = static_cast<int16_t>(-fields.kind);
    back.storedKind = static_cast<int16_t>(-fields.storedKind);
    RteSetUndoFields(reverse, back);
    try {
        int16_t kind = static_cast<int16_t>(std::abs(fields.storedKind));
        if (IsTextKind(fields.storedKind)) {
            ReverseText(doc, fields, back);
        } else if (kind == RTE_UNDO_RESTYLE) {
            back.selection = RteSelectionRanges(doc);
            back.tables = RteUndoTables(doc);
        } else {
            RteUndoSaveAreas(doc, kind, back);
        }
        RteSetUndoFields(reverse, back);
    } catch (...) {
        RteSetUndoFields(reverse, back);
        RteUndoFree(reverse);
        throw;
    }
    return reverse;
}

RteHandle RteUndo(RteHandle doc, RteHandle record, bool makeReverse, int16_t redraw)
{
    if (!record)
        return nullptr;
    RteMemContext* context = RteDocEnvironment(doc)->context;
    uint32_t before = RteGetChangeCounter(doc);
    RteUndoRecord fields = RteUndoFields(record);
    RteHandle reverse = nullptr;
    uint16_t code = RteTry(context, [&] {
        RteFlushTypeahead(doc);
        if (makeReverse)
            reverse = RteUndoReverse(doc, record);
        if (IsTextKind(fields.storedKind))
            UndoText(doc, fields);
        else if (std::abs(fields.storedKind) == RTE_UNDO_RESTYLE)
            UndoTables(doc, fields);
        else
            UndoAreas(doc, fields);
    });
    if (code) {
        RteUndoFree(reverse);
        return nullptr;
    }
    if (RteNotify4Hook hook = DocLock(doc)->hooks.undo)
        hook(doc, reinterpret_cast<intptr_t>(record), 0, 1);
    RteSetChangeCounter(doc, fields.kind > 0 ? before - 1 : before + 1);
    if (redraw != RTE_REDRAW_NONE)
        RteRedisplay(doc, nullptr, 0, -1, nullptr, nullptr, redraw == RTE_REDRAW_DEFAULT ? 5 : redraw, true);
    return reverse;
}
