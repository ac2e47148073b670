// Finding and adding table records, and their use counts.
#include "rte_style_tables.h"

#include "rte_document_internal.h"
#include "rte_style_units.h"

using namespace rte_document;

namespace {

constexpr int32_t kDefaultSmallPercentage = 75;

template <class Record>
int32_t FindEqual(RteHandle table, const Record& record, std::span<const RteUnit> units)
{
    RteLocked<Record> records(table);
    for (int32_t i = 0; i < records.size(); ++i)
        if (RteUnitsEqual(units, &records[i], &record))
            return i;
    return -1;
}

template <class Record>
int32_t Append(RteHandle table, const Record& record)
{
    int32_t index = RteCount(table);
    *static_cast<Record*>(RteAppend(table, 1, false)) = record;
    RteUnlock(table);
    return index;
}

// A record entering a table: a style-sheet entry holds a use of itself; any other record with
// a positive id is derived from that entry.
template <class Record>
void PrepareEntry(Record& record)
{
    if (!(record.flags & RTE_STYLE_SHEET_ENTRY) && record.namedId > 0)
        record.namedId = -record.namedId;
}

template <class Record>
void Enter(Record& record)
{
    record.useCount = (record.flags & RTE_STYLE_SHEET_ENTRY) ? 1 : 0;
    record.flags &= RTE_STYLE_KEPT_FLAGS;
}

int32_t SmallStyleOf(RteDocument* doc, const RteCharStyle& style, int32_t reason)
{
    RteCharStyle small = style;
    small.allCaps = 0;
    small.unit17 = 0;
    small.smallCaps = 0;
    small.pointSize = RteSmallPointSize(style.pointSize, style.smallCaps);
    small.flags = 0;
    small.namedId = 0;
    small.useCount = 0;
    return RteFindOrAddCharStyle(doc, small, reason);
}

}  // namespace

int32_t RteSmallPointSize(int32_t pointSize, int16_t percentage)
{
    int32_t percent = percentage == -1 ? kDefaultSmallPercentage : percentage;
    return ((pointSize >> 16) * percent / 100) << 16;
}

RteCharStyle RteCharStyleRecord(const RteDocument* doc, int32_t index) { return ElementOf<RteCharStyle>(doc->charStyles, index); }
RteParFormat RteParFormatRecord(const RteDocument* doc, int32_t index) { return ElementOf<RteParFormat>(doc->parFormats, index); }

RteFont RteFontRecord(const RteDocument* doc, int32_t index)
{
    if (index < 0 || index >= RteCount(doc->fonts))
        index = 0;
    return ElementOf<RteFont>(doc->fonts, index);
}

void RteUseCharStyle(RteDocument* doc, int32_t index, int32_t delta)
{
    RteLocked<RteCharStyle> styles(doc->charStyles);
    styles[index].useCount += delta;
    if (styles[index].smallCaps != 0)
        styles[styles[index].smallStyle].useCount += delta;
}

void RteUseParFormat(RteDocument* doc, int32_t index, int32_t delta)
{
    RteLocked<RteParFormat>(doc->parFormats)[index].useCount += delta;
}

int32_t RteFindOrAddCharStyle(RteDocument* doc, const RteCharStyle& given, int32_t reason)
{
    RteCharStyle style = given;
    if (!style.hooks.metrics)
        style.hooks = doc->env->defaultStyle.hooks;
    RteFont font = RteFontRecord(doc, style.font);
    style.hooks.metrics(doc->self, &style, &font);
    PrepareEntry(style);
    // The small derived style is part of what the record is, so it is settled before the search.
    style.smallStyle = style.smallCaps != 0 ? SmallStyleOf(doc, style, reason) : 0;
    int32_t found = FindEqual(doc->charStyles, style, RteCharStyleUnits());
    if (found >= 0)
        return found;
    bool entry = (style.flags & RTE_STYLE_SHEET_ENTRY) != 0;
    style.useCount = 0;
    int32_t index = Append(doc->charStyles, style);
    {
        RteLocked<RteCharStyle> styles(doc->charStyles);
        styles[index].hooks.added(reason, doc->self, reason, doc->charStyles, &styles[index]);
        Enter(styles[index]);
    }
    // A style-sheet entry's use of itself holds its small derived style too.
    if (entry && style.smallCaps != 0)
        RteLocked<RteCharStyle>(doc->charStyles)[style.smallStyle].useCount += 1;
    return index;
}

int32_t RteFindOrAddParFormat(RteDocument* doc, const RteParFormat& given, int32_t reason)
{
    RteParFormat format = given;
    if (!format.hooks.table)
        format.hooks = doc->env->defaultFormat.hooks;
    if (format.leftIndent < 0)
        format.leftIndent = 0;
    if (format.rightIndent < 0)
        format.rightIndent = 0;
    if (format.leftIndent + format.firstIndent < 0)
        format.firstIndent = -format.leftIndent;
    PrepareEntry(format);
    int32_t found = FindEqual(doc->parFormats, format, RteParFormatUnits());
    if (found >= 0)
        return found;
    format.useCount = 0;
    int32_t index = Append(doc->parFormats, format);
    RteLocked<RteParFormat> formats(doc->parFormats);
    formats[index].hooks.table(reason, doc->self, reason, doc->parFormats, &formats[index]);
    Enter(formats[index]);
    return index;
}
