// Undo records prepared before a change: the text it will destroy (as a copy), what it will put
// in, the selection, or the tables, areas and page settings it will replace. Keystrokes of one
// kind extend the record of the one before.
#include <algorithm>

#include "rect_list.h"
#include "rte_document_internal.h"
#include "rte_position_queries.h"
#include "rte_selection.h"
#include "rte_styles.h"
#include "rte_transfer.h"
#include "rte_undo_internal.h"
#include "rte_undo_record.h"

using namespace rte_document;

namespace {

// Where the next keystroke goes: the insertion point after the bytes still waiting.
int32_t KeyPosition(RteHandle doc)
{
    DocLock locked(doc);
    int32_t waiting = locked->typeahead ? RteCount(locked->typeahead) : 0;
    return RteSelectionStart(locked.get()) + waiting;
}

bool HasRange(RteHandle doc) { return RteSelectionRangeCount(doc) > 0; }

bool HiddenAt(RteHandle doc, int32_t offset)
{
    if (!(RteGetDocFlags(doc) & RTE_DOC_HIDDEN_TEXT))
        return false;
    RteCharStyle style, mask;
    RteRange one = {offset, offset + 1};
    RteGetCharStyle(doc, &one, false, &style, &mask);
    return style.hidden != 0;
}

// The character a backspace or forward delete will remove, added to the record's copy in text
// order.
void AddCharacter(RteHandle doc, RteUndoRecord& fields, int16_t kind, int32_t position)
{
    int32_t at = kind == RTE_UNDO_BACKSPACE ? position - 1 : position;
    if (HiddenAt(doc, at))
        return;
    RteRange one = {at, at + 1};
    RteHandle piece = RteCopyRange(doc, &one);
    if (!piece)
        return;
    if (!fields.copy) {
        fields.copy = piece;
    } else {
        // The copy's own selection must not be taken for text to replace.
        RteSetCaretQuiet(fields.copy, 0);
        RteInsertDocumentAs(fields.copy, piece, kind == RTE_UNDO_BACKSPACE ? 0 : RteTextLength(fields.copy), 0, 0,
                            true);
        RteDocDestroy(piece);
        // The copy now holds one run of characters, no longer the one range it was made from.
        DocLock copy(fields.copy);
        if (copy->origins)
            RteFree(copy->origins);
        copy->origins = nullptr;
    }
    if (kind == RTE_UNDO_BACKSPACE)
        fields.start = fields.end = at;
}

// Whether a keystroke at the position is the next of the record's run.
bool NextOfRun(const RteUndoRecord& fields, int16_t kind, int32_t position)
{
    if (fields.kind != kind || fields.storedKind != kind)
        return false;
    return (kind == RTE_UNDO_TYPING ? fields.end : fields.start) == position;
}

// The record extended by this keystroke, when it is the next of its run.
bool Extends(RteHandle doc, RteUndoRecord& fields, int16_t kind, int32_t position)
{
    if (!NextOfRun(fields, kind, position))
        return false;
    if (kind == RTE_UNDO_TYPING)
        ++fields.end;
    else
        AddCharacter(doc, fields, kind, position);
    return true;
}

RteHandle NewRecord(RteHandle doc)
{
    RteEnvironment* env = RteDocEnvironment(doc);
    RteHandle record = RteAllocOf<RteUndoRecord>(env->context, 1, 0, true);
    RteUndoRecord fields = {};
    fields.env = env;
    RteSetUndoFields(record, fields);
    return record;
}

// The record emptied for reuse, or a new one.
RteHandle Fresh(RteHandle doc, RteHandle previous)
{
    if (!previous)
        return NewRecord(doc);
    RteUndoEmpty(previous);
    return previous;
}

RteHandle PrepareKey(RteHandle doc, int16_t kind, RteHandle previous)
{
    int32_t position = KeyPosition(doc);
    bool range = HasRange(doc);
    if (!range && ((kind == RTE_UNDO_BACKSPACE && position == 0) ||
                   (kind == RTE_UNDO_FORWARD_DELETE && position >= RteTextLength(doc))))
        return previous;
    if (previous && !range) {
        RteUndoRecord fields = RteUndoFields(previous);
        if (Extends(doc, fields, kind, position)) {
            RteSetUndoFields(previous, fields);
            return previous;
        }
    }
    RteHandle record = Fresh(doc, previous);
    RteUndoRecord fields = RteUndoFields(record);
    fields.kind = kind;
    fields.storedKind = kind;
    if (range) {
        // The keystroke deletes the selection: the record saves it as a cut would.
        fields.copy = RteCopyRange(doc, nullptr);
        fields.selection = RteSelectionRanges(doc);
        fields.start = fields.end = RteSelectionStart(DocLock(doc).get());
        if (kind != RTE_UNDO_TYPING)
            fields.storedKind = RTE_UNDO_BACKSPACE;
    } else {
        fields.start = fields.end = position;
        if (kind != RTE_UNDO_TYPING)
            AddCharacter(doc, fields, kind, position);
    }
    if (kind == RTE_UNDO_TYPING)
        ++fields.end;
    RteSetUndoFields(record, fields);
    return record;
}

// The spans a document inserted at the offset will take: its origin list moved there.
RteHandle SpansOf(RteHandle doc, RteHandle inserted, int32_t at)
{
    RteHandle origins = RteOriginList(inserted);
    std::vector<RteRange> spans = origins ? ElementsOf<RteRange>(origins) : std::vector<RteRange>{};
    if (spans.empty())
        spans.push_back({0, RteTextLength(inserted)});
    RteHandle list = RteAllocOf<RteRange>(RteDocEnvironment(doc)->context, 0, 4, false);
    for (RteRange span : spans)
        InsertElement(list, RteCount(list), RteRange{span.start + at, span.end + at});
    return list;
}

void PrepareInsertion(RteHandle doc, RteUndoRecord& fields, int16_t kind, const void* reference)
{
    fields.selection = RteSelectionRanges(doc);
    if (kind != RTE_UNDO_INSERT_SPAN && HasRange(doc))
        fields.copy = RteCopyRange(doc, nullptr);
    int32_t at = RteSelectionStart(DocLock(doc).get());
    const auto* values = static_cast<const int32_t*>(reference);
    switch (kind) {
    case RTE_UNDO_INSERT_DOCUMENT:
        fields.start = at;
        fields.removes = SpansOf(doc, static_cast<RteHandle>(const_cast<void*>(reference)), at);
        break;
    case RTE_UNDO_INSERT_TEXT:
        fields.start = at;
        fields.end = at + values[0];
        break;
    case RTE_UNDO_INSERT_OBJECT:
        fields.start = values[0];
        fields.end = values[0] + 2;
        break;
    default:  // a span, with nothing destroyed
        fields.start = values[0];
        fields.end = values[0] + values[1];
        fields.storedKind = RTE_UNDO_INSERT_TEXT;
        break;
    }
}

void PrepareCut(RteHandle doc, RteUndoRecord& fields, const RteRange* range)
{
    fields.selection = RteSelectionRanges(doc);
    fields.copy = RteCopyRange(doc, range);
    fields.start = fields.end = range ? std::min(range->start, range->end) : RteSelectionStart(DocLock(doc).get());
}

}  // namespace

RteHandle RteUndoTables(RteHandle doc)
{
    DocLock locked(doc);
    RteHandle tables = RteAllocOf<RteHandle>(locked->env->context, 0, 0, false);
    for (RteHandle table : {locked->charRuns, locked->parRuns, locked->charStyles, locked->parFormats, locked->fonts})
        InsertElement(tables, RteCount(tables), RteDuplicate(table));
    return tables;
}

void RteUndoSaveAreas(RteHandle doc, int16_t kind, RteUndoRecord& fields)
{
    RteMemContext* context = RteDocEnvironment(doc)->context;
    bool wrap = kind == RTE_UNDO_WRAP_AREA || kind == RTE_UNDO_PAGE_SETTINGS;
    RteRectList view = kind == RTE_UNDO_VIEW_AREA ? RteNewRectList(context, nullptr) : nullptr;
    RteRectList wrapArea = wrap ? RteNewRectList(context, nullptr) : nullptr;
    RteRectList extra = kind == RTE_UNDO_EXTRA_AREA ? RteNewRectList(context, nullptr) : nullptr;
    RteGetAreas(doc, view, wrapArea, extra);
    fields.areas[0] = view;
    fields.areas[1] = wrapArea;
    fields.areas[2] = extra;
    if (kind == RTE_UNDO_PAGE_SETTINGS) {
        RtePageSettings page;
        RteGetPageSettings(doc, &page);
        fields.page = RteNewFromData(context, &page, sizeof page, 1);
    }
}

RteHandle RteUndoPrepareIn(RteHandle doc, int16_t kind, const void* reference)
{
    if (kind == -1)
        return RteUndoReverse(doc, static_cast<RteHandle>(const_cast<void*>(reference)));
    if (kind == RTE_UNDO_TYPING || kind == RTE_UNDO_BACKSPACE || kind == RTE_UNDO_FORWARD_DELETE)
        return PrepareKey(doc, kind, static_cast<RteHandle>(const_cast<void*>(reference)));
    RteHandle record = NewRecord(doc);
    RteUndoRecord fields = RteUndoFields(record);
    fields.kind = fields.storedKind = kind;
    switch (kind) {
    case RTE_UNDO_CUT:
        PrepareCut(doc, fields, static_cast<const RteRange*>(reference));
        break;
    case RTE_UNDO_RESTYLE:
        fields.selection = RteSelectionRanges(doc);
        fields.tables = RteUndoTables(doc);
        break;
    case RTE_UNDO_WRAP_AREA:
    case RTE_UNDO_VIEW_AREA:
    case RTE_UNDO_EXTRA_AREA:
    case RTE_UNDO_PAGE_SETTINGS:
        RteUndoSaveAreas(doc, kind, fields);
        break;
    default:
        PrepareInsertion(doc, fields, kind, reference);
        break;
    }
    RteSetUndoFields(record, fields);
    return record;
}

RteHandle RteUndoPrepare(RteHandle doc, int16_t kind, const void* reference)
{
    RteMemContext* context = RteDocEnvironment(doc)->context;
    uint32_t copyMode = RteGetDocFlags(doc) & RTE_DOC_COPY_MODE;
    RteHandle record = nullptr;
    // Copies made meanwhile carry their paragraph formats whole.
    DocLock(doc)->flags |= RTE_DOC_COPY_MODE;
    uint16_t code = RteTry(context, [&] { record = RteUndoPrepareIn(doc, kind, reference); });
    DocLock(doc)->flags = (DocLock(doc)->flags & ~RTE_DOC_COPY_MODE) | copyMode;
    if (code) {
        if (record && record != reference)
            RteUndoFree(record);
        return nullptr;
    }
    RteNotify4Hook hook = DocLock(doc)->hooks.undo;
    if (record && hook)
        hook(doc, reinterpret_cast<intptr_t>(record), reinterpret_cast<intptr_t>(reference), 0);
    return record;
}

RteHandle RteUndoContinue(RteHandle doc, int16_t kind, RteHandle previous)
{
    bool continues = previous && !HasRange(doc) && NextOfRun(RteUndoFields(previous), kind, KeyPosition(doc));
    return RteUndoPrepare(doc, kind, continues ? previous : nullptr);
}
