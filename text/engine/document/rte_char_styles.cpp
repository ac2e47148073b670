// Character styles of ranges: reading with masks, setting with masks and flag bits, the
// insertion style, and the table-wide operations.
#include "rte_document_internal.h"
#include "rte_style_apply.h"
#include "rte_style_tables.h"
#include "rte_style_units.h"
#include "rte_styles.h"
#include "rte_text_blocks.h"

using namespace rte_document;

namespace {

enum class ChangeKind { Masked, Bits, Named };

struct CharChange {
    ChangeKind kind;
    const RteCharStyle* values;
    const RteCharStyle* mask;
    uint32_t keep;
    uint32_t set;
};

// The style-sheet entry a derived record comes from.
bool EntryOf(RteDocument* doc, int32_t id, RteCharStyle* out)
{
    RteLocked<RteCharStyle> styles(doc->charStyles);
    for (int32_t i = 0; i < styles.size(); ++i) {
        if (styles[i].namedId == id) {
            *out = styles[i];
            return true;
        }
    }
    return false;
}

// Named-style mode: units in which a derived run differs from its entry are its own overrides
// and survive; the id is always taken over.
RteCharStyle NamedMergeMask(RteDocument* doc, const RteCharStyle& record)
{
    RteCharStyle mask;
    RteClearCharStyle(&mask, 0xFF);
    RteCharStyle entry;
    if (record.object == 0 && record.namedId < 0 && EntryOf(doc, -record.namedId, &entry)) {
        RteClearCharStyle(&mask, 0);
        RteMaskedAccumulate(RteCharStyleUnits(), &record, &entry, &mask, true);
        mask.namedId = -1;
    }
    return mask;
}

// Changes a copy of the record; true when anything changed.
bool Change(RteDocument* doc, const CharChange& change, RteCharStyle& record)
{
    const RteCharStyle old = record;
    switch (change.kind) {
    case ChangeKind::Bits: {
        uint32_t bits = (record.styleBits & change.keep) | change.set;
        bool changed = bits != record.styleBits;
        record.styleBits = bits;
        return changed;
    }
    case ChangeKind::Named: {
        RteCharStyle mask = NamedMergeMask(doc, record);
        return RteMaskedCopy(RteCharStyleUnits(), &record, change.values, &mask);
    }
    case ChangeKind::Masked:
        if (!RteMaskedCopy(RteCharStyleUnits(), &record, change.values, change.mask))
            return false;
        old.hooks.merge(doc->self, &old, &record, change.mask);
        return true;
    }
    return false;
}

int32_t CharStep(RteRunStep* step, const RteStyleRun& run)
{
    const auto& change = *static_cast<const CharChange*>(step->data);
    RteCharStyle record = RteCharStyleRecord(step->doc, run.index);
    if (!Change(step->doc, change, record))
        return run.index;
    ++step->changed;
    return RteFindOrAddCharStyle(step->doc, record, RTE_REASON_SET);
}

// The caret's insertion style takes the change; in an empty document its only run too.
void ChangeInsertionStyle(RteDocument* doc, const CharChange& change)
{
    RteCharStyle record = RteCharStyleRecord(doc, doc->insertStyle);
    if (!Change(doc, change, record))
        return;
    int32_t index = RteFindOrAddCharStyle(doc, record, RTE_REASON_SET);
    int32_t old = doc->insertStyle;
    doc->insertStyle = static_cast<int16_t>(index);
    ++doc->changes;
    if (doc->textLength == 0 && index != old) {
        RteRunStep step = {doc, false, 1, nullptr};
        RteRunApply(doc->charRuns, &step, [](RteRunStep* s, const RteStyleRun&) { return int32_t{s->doc->insertStyle}; },
                    0, 0);
        RteMarkForLayout(doc, 0, 0);
    }
    RteCleanupRuns(doc, true, false);
}

bool TargetsInsertionPoint(RteDocument* doc, const RteRange* range)
{
    if (!RteSelectionIsCaret(doc))
        return false;
    return !range || (range->start == range->end && range->start == RteSelectionStart(doc));
}

void ApplyCharChange(RteHandle handle, const RteRange* range, const CharChange& change)
{
    DocLock doc(handle);
    if (TargetsInsertionPoint(doc.get(), range)) {
        ChangeInsertionStyle(doc.get(), change);
        return;
    }
    if (range && range->start == range->end)
        return;
    RteApplyToRanges(doc.get(), range, false, CharStep, &change);
}

}  // namespace

void RteApplyCharEntry(RteHandle handle, const RteRange* range, const RteCharStyle* entry)
{
    CharChange change = {ChangeKind::Named, entry, nullptr, 0, 0};
    {
        DocLock doc(handle);
        doc->flags2 |= RTE_DOC2_NAMED_STYLE_MODE;
    }
    struct ModeOff {
        RteHandle handle;
        ~ModeOff() { DocLock(handle)->flags2 &= ~RTE_DOC2_NAMED_STYLE_MODE; }
    } modeOff{handle};
    ApplyCharChange(handle, range, change);
}

int32_t RteGetCharStyle(RteHandle handle, const RteRange* range, bool maskFlag, RteCharStyle* style, RteCharStyle* mask)
{
    DocLock doc(handle);
    RteScopedHandle list(RteMakeRangeList(doc.get(), range, false, false));
    bool empty = !list.get();
    if (!empty) {
        RteRange first = ElementOf<RteRange>(list.get(), 0);
        empty = RteCount(list.get()) == 1 && first.start == first.end;
    }
    if (empty) {
        int32_t offset = range ? range->start : RteSelectionStart(doc.get());
        int32_t index = doc->insertStyle;
        if (range) {
            int32_t at = 0;
            index = RteFindRun(doc->charRuns, offset, &at)->index;
            RteUnlock(doc->charRuns);
        }
        RteRangeReader<RteCharStyle>(RteCharStyleUnits(), maskFlag, style, mask)
            .Take(RteCharStyleRecord(doc.get(), index));
        return offset;
    }
    RteRangeReader<RteCharStyle> reader(RteCharStyleUnits(), maskFlag, style, mask);
    RteForEachRunInRanges(doc->charRuns, list.get(),
                          [&](int32_t, int32_t index) { reader.Take(RteCharStyleRecord(doc.get(), index)); });
    return ElementOf<RteRange>(list.get(), 0).start;
}

void RteApplyCharStyle(RteHandle doc, const RteRange* range, const RteCharStyle* style, const RteCharStyle* mask,
                       int16_t)
{
    ApplyCharChange(doc, range, CharChange{ChangeKind::Masked, style, mask, 0, 0});
}

void RteSetCharStyle(RteHandle doc, const RteRange* range, const RteCharStyle* style, const RteCharStyle* mask,
                     int16_t redraw)
{
    // Fonts change only through the font operations.
    RteCharStyle fontless = *mask;
    fontless.font = 0;
    RteApplyCharStyle(doc, range, style, &fontless, redraw);
}

void RteSetStyleBits(RteHandle doc, const RteRange* range, uint32_t keep, uint32_t set, int16_t)
{
    ApplyCharChange(doc, range, CharChange{ChangeKind::Bits, nullptr, nullptr, keep, set});
}

void RteCharStyleByIndex(RteHandle doc, int32_t index, RteCharStyle* out)
{
    *out = RteCharStyleRecord(DocLock(doc).get(), index);
}

void RteScaleCharStyle(RteHandle, RteCharStyle* style, int32_t numerator, int32_t denominator)
{
    if (denominator == 0)
        return;
    for (int32_t& size : style->sizes)
        size = static_cast<int32_t>(static_cast<int64_t>(size) * numerator / denominator);
}

uint32_t RteStyleBitsAt(RteHandle handle, int32_t offset, int32_t* extent)
{
    DocLock doc(handle);
    int32_t at = 0;
    RteStyleRun run = *RteFindRun(doc->charRuns, offset, &at);
    int32_t next = RteLocked<RteStyleRun>(doc->charRuns)[at + 1].offset;
    RteUnlock(doc->charRuns);
    if (extent)
        *extent = next < doc->textLength ? next : doc->textLength;
    return RteCharStyleRecord(doc.get(), run.index).styleBits;
}

void RteSetStyleHooks(RteHandle handle, const RteCharStyle* values, const RteCharStyle* mask,
                      const RteCharStyle* andMask, const RteCharStyleHooks* hooks, int32_t value14, int32_t value15,
                      bool relayout, int16_t)
{
    DocLock doc(handle);
    bool any = false;
    {
        RteLocked<RteCharStyle> styles(doc->charStyles);
        for (int32_t i = 0; i < styles.size(); ++i) {
            if (!RteStyleMatches(styles[i], values, mask, andMask))
                continue;
            styles[i].hooks = *hooks;
            styles[i].value14 = value14;
            styles[i].value15 = value15;
            any = true;
        }
    }
    if (any && relayout)
        RteMarkForLayout(doc.get(), 0, doc->textLength);
    if (any)
        ++doc->changes;
}
