// Named styles: style-sheet entries, their redefinition with the re-basing of derived records,
// and their application to ranges.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "rte_named_sides.h"
#include "rte_style_apply.h"
#include "rte_style_names.h"
#include "rte_styles.h"
#include "rte_text_blocks.h"

using namespace rte_document;
using namespace rte_named;

namespace {

template <class Record>
Record EntryRecord(const RteDocument* doc, int32_t index)
{
    return ElementOf<Record>(Side<Record>::Table(doc), index);
}

template <class Record>
int32_t AddEntry(RteDocument* doc, Record record)
{
    int32_t id = MaxId<Record>(doc) + 1;
    record.namedId = id;
    record.flags |= RTE_STYLE_SHEET_ENTRY;
    Side<Record>::FindOrAdd(doc, record, RTE_REASON_NAMED);
    ++doc->changes;
    ++doc->nameChanges;
    return id;
}

// Names that named a deleted entry name nothing on that side any more.
void ForgetNamesOf(RteDocument* doc, int32_t id, bool paragraph)
{
    RteLocked<RteStyleName> names(doc->styleNames);
    for (int32_t i = 0; i < names.size(); ++i) {
        int16_t& named = paragraph ? names[i].parId : names[i].charId;
        if (named == id)
            named = 0;
    }
}

template <class Record>
void DeleteEntry(RteDocument* doc, int32_t id)
{
    int32_t index = EntryIndex<Record>(doc, id);
    if (index < 0)
        return;
    bool paragraph = std::is_same_v<Record, RteParFormat>;
    // The entry's own use and those of the names that named it go.
    int32_t uses = 1;
    {
        RteLocked<RteStyleName> names(doc->styleNames);
        for (int32_t i = 0; i < names.size(); ++i)
            if ((paragraph ? names[i].parId : names[i].charId) == id)
                ++uses;
    }
    ForgetNamesOf(doc, id, paragraph);
    Side<Record>::Use(doc, index, -uses);
    {
        RteLocked<Record> records(Side<Record>::Table(doc));
        records[index].namedId = 0;
    }
    RteCleanupRuns(doc, !paragraph, paragraph);
    ++doc->changes;
    ++doc->nameChanges;
}

template <class Record>
int32_t CountEntries(const RteDocument* doc)
{
    RteLocked<Record> records(Side<Record>::Table(doc));
    int32_t count = 0;
    for (int32_t i = 0; i < records.size(); ++i)
        if (records[i].namedId > 0)
            ++count;
    return count;
}

template <class Record>
int32_t NthEntry(const RteDocument* doc, int32_t n, Record* out)
{
    RteLocked<Record> records(Side<Record>::Table(doc));
    for (int32_t i = 0; i < records.size(); ++i) {
        if (records[i].namedId <= 0 || n-- > 0)
            continue;
        if (out)
            *out = records[i];
        return records[i].namedId;
    }
    return 0;
}

template <class Record>
int32_t FindEntry(const RteDocument* doc, const Record& values, const Record* mask, const Record& excluded)
{
    Record selected;
    std::memset(&selected, 0xFF, sizeof selected);
    if (mask)
        selected = *mask;
    std::span<const RteUnit> units = Side<Record>::Units();
    for (size_t u = 0; u < units.size(); ++u)
        if (RteUnitSelected(units[u], &excluded))
            RteSetMaskUnit(units, &selected, static_cast<int>(u), false);
    RteLocked<Record> records(Side<Record>::Table(doc));
    for (int32_t i = 0; i < records.size(); ++i)
        if (records[i].namedId > 0 && RteMaskedMatch(units, &records[i], &values, &selected, nullptr))
            return records[i].namedId;
    return 0;
}

// The record's small derived style follows it: the uses that its runs hold move along.
void RebaseSmallStyle(RteDocument* doc, int32_t index, RteCharStyle& record, int32_t uses)
{
    RteCharStyle old = RteCharStyleRecord(doc, index);
    if (old.smallCaps != 0)
        RteLocked<RteCharStyle>(doc->charStyles)[old.smallStyle].useCount -= uses;
    if (record.smallCaps != 0) {
        RteCharStyle small = record;
        small.allCaps = small.unit17 = small.smallCaps = 0;
        small.pointSize = RteSmallPointSize(record.pointSize, record.smallCaps);
        small.flags = 0;
        small.namedId = 0;
        record.smallStyle = RteFindOrAddCharStyle(doc, small, RTE_REASON_NAMED);
        RteLocked<RteCharStyle>(doc->charStyles)[record.smallStyle].useCount += uses;
    } else {
        record.smallStyle = 0;
    }
}

bool HasHooks(const RteCharStyle& style) { return style.hooks.metrics != nullptr; }
bool HasHooks(const RteParFormat& format) { return format.hooks.table != nullptr; }

template <class Record>
void Settle(RteDocument* doc, int32_t index, Record& record, int32_t uses)
{
    if constexpr (std::is_same_v<Record, RteCharStyle>) {
        RteFont font = RteFontRecord(doc, record.font);
        record.hooks.metrics(doc->self, &record, &font);
        RebaseSmallStyle(doc, index, record, uses);
    }
}

// The text that uses the entry or records derived from it.
template <class Record>
void MarkEntryText(RteDocument* doc, int32_t id)
{
    RteHandle runs = std::is_same_v<Record, RteParFormat> ? doc->parRuns : doc->charRuns;
    std::vector<RteStyleRun> entries = [&] {
        RteLocked<RteStyleRun> r(runs);
        return std::vector<RteStyleRun>(r.get(), r.get() + r.size());
    }();
    int32_t first = INT32_MAX;
    int32_t last = -1;
    for (size_t i = 0; i + 1 < entries.size(); ++i) {
        int32_t named = EntryRecord<Record>(doc, entries[i].index).namedId;
        if (named == id || named == -id) {
            first = std::min(first, entries[i].offset);
            last = std::max(last, entries[i + 1].offset);
        }
    }
    if (last >= first)
        RteMarkForLayout(doc, first, std::min(last, doc->textLength));
}

template <class Record>
void ChangeEntry(RteDocument* doc, int32_t id, Record record)
{
    int32_t index = EntryIndex<Record>(doc, id);
    if (index < 0)
        return;
    const Record old = EntryRecord<Record>(doc, index);
    record.namedId = id;
    record.flags = old.flags;
    record.useCount = old.useCount;
    // A record given without hooks keeps the entry's.
    if (!HasHooks(record))
        record.hooks = old.hooks;
    Settle(doc, index, record, old.useCount);
    SetElement(Side<Record>::Table(doc), index, record);
    std::span<const RteUnit> units = Side<Record>::Units();
    for (int32_t i = 0; i < RteCount(Side<Record>::Table(doc)); ++i) {
        Record derived = EntryRecord<Record>(doc, i);
        if (derived.namedId != -id)
            continue;
        if constexpr (std::is_same_v<Record, RteCharStyle>)
            if (derived.object != 0)
                continue;
        // Where the record still equals the old entry it follows the new one; elsewhere it keeps
        // its own overrides.
        Record mask;
        std::memset(&mask, 0, sizeof mask);
        RteMaskedAccumulate(units, &derived, &old, &mask, true);
        RteMaskedCopy(units, &derived, &record, &mask);
        derived.namedId = -id;
        Settle(doc, i, derived, derived.useCount);
        SetElement(Side<Record>::Table(doc), i, derived);
    }
    ++doc->changes;
    ++doc->nameChanges;
    RteCleanupRuns(doc, std::is_same_v<Record, RteCharStyle>, std::is_same_v<Record, RteParFormat>);
    MarkEntryText<Record>(doc, id);
}

int32_t ParNamedStep(RteRunStep* step, const RteStyleRun& run)
{
    const auto& entry = *static_cast<const RteParFormat*>(step->data);
    RteParFormat record = RteParFormatRecord(step->doc, run.index);
    RteParFormat mask;
    RteClearParFormat(&mask, 0xFF);
    if (record.namedId < 0) {
        int32_t from = EntryIndex<RteParFormat>(step->doc, -record.namedId);
        if (from >= 0) {
            RteParFormat base = RteParFormatRecord(step->doc, from);
            RteClearParFormat(&mask, 0);
            RteMaskedAccumulate(RteParFormatUnits(), &record, &base, &mask, true);
            mask.namedId = -1;
        }
    }
    if (!RteMaskedCopy(RteParFormatUnits(), &record, &entry, &mask))
        return run.index;
    ++step->changed;
    return RteFindOrAddParFormat(step->doc, record, RTE_REASON_SET);
}

template <class Record>
int32_t OfRange(RteHandle handle, const RteRange* range, int32_t* id)
{
    Record record, mask;
    if constexpr (std::is_same_v<Record, RteCharStyle>)
        RteGetCharStyle(handle, range, false, &record, &mask);
    else
        RteGetParFormat(handle, range, false, &record, &mask);
    *id = std::abs(record.namedId);
    return mask.namedId != 0 ? 1 : 0;
}

RteCharStyle CharExcluded()
{
    RteCharStyle excluded = {};
    excluded.ascent = excluded.descent = excluded.leading = -1;
    excluded.namedId = -1;
    excluded.fontHandle = -1;
    excluded.fontCache = -1;
    excluded.units16to25[3] = excluded.units16to25[4] = excluded.units16to25[5] = -1;  // units 19-21
    return excluded;
}

}  // namespace

int32_t RteAddNamedCharStyle(RteHandle handle, const RteCharStyle* style, const RteFont* font)
{
    DocLock doc(handle);
    RteCharStyle record = *style;
    if (font)
        record.font = static_cast<int16_t>(RteFindOrAddFontIn(doc.get(), *font));
    return AddEntry(doc.get(), record);
}

int32_t RteAddNamedParStyle(RteHandle doc, const RteParFormat* format) { return AddEntry(DocLock(doc).get(), *format); }
void RteDeleteNamedCharStyle(RteHandle doc, int32_t id) { DeleteEntry<RteCharStyle>(DocLock(doc).get(), id); }
void RteDeleteNamedParStyle(RteHandle doc, int32_t id) { DeleteEntry<RteParFormat>(DocLock(doc).get(), id); }
int32_t RteNamedCharStyleCount(RteHandle doc) { return CountEntries<RteCharStyle>(DocLock(doc).get()); }
int32_t RteNamedParStyleCount(RteHandle doc) { return CountEntries<RteParFormat>(DocLock(doc).get()); }
int32_t RteNamedCharStyleMaxId(RteHandle doc) { return MaxId<RteCharStyle>(DocLock(doc).get()); }
int32_t RteNamedParStyleMaxId(RteHandle doc) { return MaxId<RteParFormat>(DocLock(doc).get()); }

int32_t RteGetNamedCharStyle(RteHandle handle, int32_t id, RteCharStyle* out)
{
    DocLock doc(handle);
    int32_t index = EntryIndex<RteCharStyle>(doc.get(), id);
    if (index < 0)
        return 0;
    *out = RteCharStyleRecord(doc.get(), index);
    return 1;
}

int32_t RteGetNamedParStyle(RteHandle handle, int32_t id, RteParFormat* out)
{
    DocLock doc(handle);
    int32_t index = EntryIndex<RteParFormat>(doc.get(), id);
    if (index < 0)
        return 0;
    *out = RteParFormatRecord(doc.get(), index);
    return 1;
}

int32_t RteNamedCharStyleAt(RteHandle doc, int32_t n, RteCharStyle* out) { return NthEntry(DocLock(doc).get(), n, out); }
int32_t RteNamedParStyleAt(RteHandle doc, int32_t n, RteParFormat* out) { return NthEntry(DocLock(doc).get(), n, out); }

int32_t RteFindNamedCharStyle(RteHandle doc, const RteCharStyle* values, const RteCharStyle* mask)
{
    return FindEntry(DocLock(doc).get(), *values, mask, CharExcluded());
}

int32_t RteFindNamedParStyle(RteHandle doc, const RteParFormat* values, const RteParFormat* mask)
{
    RteParFormat excluded = {};
    excluded.namedId = -1;
    return FindEntry(DocLock(doc).get(), *values, mask, excluded);
}

void RteChangeNamedCharStyle(RteHandle handle, int32_t id, const RteCharStyle* style, const RteFont* font, int16_t)
{
    DocLock doc(handle);
    RteCharStyle record = *style;
    if (font)
        record.font = static_cast<int16_t>(RteFindOrAddFontIn(doc.get(), *font));
    ChangeEntry(doc.get(), id, record);
}

void RteChangeNamedParStyle(RteHandle doc, int32_t id, const RteParFormat* format, int16_t)
{
    ChangeEntry(DocLock(doc).get(), id, *format);
}

void RteApplyNamedCharStyle(RteHandle handle, const RteRange* range, int32_t id, int16_t)
{
    RteCharStyle entry;
    if (!RteGetNamedCharStyle(handle, id, &entry))
        return;
    RteApplyCharEntry(handle, range, &entry);
}

void RteApplyNamedParStyle(RteHandle handle, const RteRange* range, int32_t id, int16_t)
{
    DocLock doc(handle);
    int32_t index = EntryIndex<RteParFormat>(doc.get(), id);
    if (index < 0)
        return;
    RteParFormat entry = RteParFormatRecord(doc.get(), index);
    doc->flags2 |= RTE_DOC2_NAMED_STYLE_MODE;
    struct ModeOff {
        RteDocument* doc;
        ~ModeOff() { doc->flags2 &= ~RTE_DOC2_NAMED_STYLE_MODE; }
    } modeOff{doc.get()};
    RteApplyToRanges(doc.get(), range, true, ParNamedStep, &entry);
}

int32_t RteNamedCharStyleOfRange(RteHandle doc, const RteRange* range, int32_t* id)
{
    return OfRange<RteCharStyle>(doc, range, id);
}

int32_t RteNamedParStyleOfRange(RteHandle doc, const RteRange* range, int32_t* id)
{
    return OfRange<RteParFormat>(doc, range, id);
}

int32_t RteResolveCharStyle(RteHandle handle, const RteCharStyle* style, RteCharStyle* result, RteFont* font, int32_t id)
{
    DocLock doc(handle);
    *result = *style;
    int32_t index = EntryIndex<RteCharStyle>(doc.get(), id ? id : style->styleSheetUnit);
    if (index >= 0) {
        RteCharStyle entry = RteCharStyleRecord(doc.get(), index);
        if (entry.font != 0)
            result->font = entry.font;
        int16_t* words = &result->bold;
        const int16_t* given = &entry.bold;
        for (int unit = 1; unit <= 32; ++unit) {
            if (unit == 22 || given[unit - 1] == 0)
                continue;
            words[unit - 1] = given[unit - 1] == -1 ? static_cast<int16_t>(~words[unit - 1]) : given[unit - 1];
        }
        auto take = [](int32_t& to, int32_t from) {
            if (from != 0)
                to = from;
        };
        take(result->hScale, entry.hScale);
        take(result->pointSize, entry.pointSize);
        take(result->sizes[2], entry.sizes[2]);
        take(result->sizes[3], entry.sizes[3]);
        take(result->units12to13[0], entry.units12to13[0]);
        take(result->units12to13[1], entry.units12to13[1]);
        auto set = [](const RteColor& c) { return c.red || c.green || c.blue; };
        if (set(entry.textColor))
            result->textColor = entry.textColor;
        if (set(entry.backColor))
            result->backColor = entry.backColor;
    }
    result->styleSheetUnit = 0;
    result->smallStyle = 0;
    if (result->font == -1)
        result->font = 0;
    RteFont record = RteFontRecord(doc.get(), result->font);
    if (!result->hooks.metrics)
        result->hooks = doc->env->defaultStyle.hooks;
    result->hooks.metrics(handle, result, &record);
    if (font)
        *font = record;
    return 1;
}
