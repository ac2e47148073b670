// Carrying styles: every source style found or added once in the destination (its font and
// named entry with it), runs laid over the inserted span, paragraph formats given to the
// paragraphs the span holds, and the link ranges wholly inside the range moved along.
#include "rte_carry.h"

#include <algorithm>

#include "rte_document_internal.h"
#include "rte_fonts.h"
#include "rte_link_table.h"
#include "rte_style_names.h"
#include "rte_style_tables.h"
#include "rte_style_units.h"
#include "rte_styles.h"
#include "rte_text_blocks.h"
#include "rte_transfer.h"

using namespace rte_document;

namespace {

// The entry a named style stands for, added to the destination when it has no equal one.
int32_t MapNamedId(RteHandle source, RteHandle dest, int32_t id)
{
    int32_t entryId = id < 0 ? -id : id;
    RteCharStyle entry;
    if (!RteGetNamedCharStyle(source, entryId, &entry))
        return 0;
    RteFont font;
    RteGetFontByIndex(source, entry.font, &font);
    RteCharStyle mask;
    RteClearCharStyle(&mask, 0xFF);
    int32_t found = RteFindNamedCharStyle(dest, &entry, &mask);
    if (found <= 0)
        found = RteAddNamedCharStyle(dest, &entry, &font);
    return id < 0 ? -found : found;
}

int32_t MapStyle(const RteCarry& carry, int32_t index)
{
    auto known = carry.styles->find(index);
    if (known != carry.styles->end())
        return known->second;
    RteCharStyle style = RteCharStyleRecord(DocLock(carry.source).get(), index);
    style.font = static_cast<int16_t>(std::max(0, RteCopyFontTo(carry.source, carry.dest, style.font)));
    if (style.namedId != 0)
        style.namedId = MapNamedId(carry.source, carry.dest, style.namedId);
    style.nameIndex = 0;
    int32_t mapped = RteFindOrAddCharStyle(DocLock(carry.dest).get(), style, RTE_REASON_INSERTION);
    carry.styles->emplace(index, mapped);
    return mapped;
}

int32_t FixedIndex(RteRunStep* step, const RteStyleRun&) { return *static_cast<const int32_t*>(step->data); }

void LayIndex(RteHandle dest, int32_t index, int32_t start, int32_t end)
{
    DocLock doc(dest);
    RteRunStep step = {doc.get(), false, 0, &index};
    RteRunApply(doc->charRuns, &step, FixedIndex, start, end);
}

void CarryCharRuns(const RteCarry& carry)
{
    std::vector<RteStyleRun> runs = ElementsOf<RteStyleRun>(DocLock(carry.source)->charRuns);
    int32_t delta = carry.destStart - carry.from.start;
    for (size_t i = 0; i + 1 < runs.size(); ++i) {
        int32_t start = std::max(runs[i].offset, carry.from.start);
        int32_t end = std::min(runs[i + 1].offset, carry.from.end);
        if (start >= end)
            continue;
        LayIndex(carry.dest, MapStyle(carry, runs[i].index), start + delta, end + delta);
    }
    RteCleanupRuns(DocLock(carry.dest).get(), true, false);
}

void ApplyFormat(RteHandle dest, const RteParFormat& format, int32_t start, int32_t end)
{
    RteParFormat all;
    RteClearParFormat(&all, 0xFF);
    RteRange range = {start, end};
    RteSetParFormat(dest, &range, &format, &all, 0);
}

RteParFormat SourceFormatAt(RteHandle source, int32_t offset)
{
    DocLock doc(source);
    int32_t at = 0;
    int32_t index = RteFindRun(doc->parRuns, offset, &at)->index;
    RteUnlock(doc->parRuns);
    return RteParFormatRecord(doc.get(), index);
}

void ParagraphAt(RteHandle doc, int32_t offset, int32_t* start, int32_t* end)
{
    DocLock locked(doc);
    locked->hooks.parBounds(doc, offset, start, end);
}

void CarryParFormats(const RteCarry& carry)
{
    bool copyMode = (RteGetDocFlags(carry.source) & RTE_DOC_COPY_MODE) != 0;
    std::vector<RteStyleRun> runs = ElementsOf<RteStyleRun>(DocLock(carry.source)->parRuns);
    int32_t destEnd = carry.destStart + (carry.from.end - carry.from.start);
    int32_t spanStart = carry.destStart;
    bool first = true;
    for (size_t i = 0; i + 1 < runs.size(); ++i) {
        int32_t start = std::max(runs[i].offset, carry.from.start);
        int32_t end = std::min(runs[i + 1].offset, carry.from.end);
        if (start >= end)
            continue;
        int32_t spanEnd = spanStart + (end - start);
        int32_t parStart = 0, parEnd = 0, lastStart = 0, lastEnd = 0;
        ParagraphAt(carry.dest, spanStart, &parStart, &parEnd);
        ParagraphAt(carry.dest, std::max(spanStart, spanEnd - 1), &lastStart, &lastEnd);
        // A paragraph cut by the insertion point keeps its own format.
        if ((!carry.firstParagraph || !first) && parStart < spanStart)
            parStart = parEnd;
        if (parStart < lastEnd && (copyMode || (parStart >= carry.destStart && parStart <= destEnd)))
            ApplyFormat(carry.dest, RteParFormatRecord(DocLock(carry.source).get(), runs[i].index), parStart,
                        lastEnd);
        spanStart = spanEnd;
        first = false;
    }
    // A range that ends where a source paragraph begins brings that paragraph's format along.
    if (copyMode && carry.from.end < RteTextLength(carry.source)) {
        int32_t parStart = 0, parEnd = 0;
        ParagraphAt(carry.source, carry.from.end, &parStart, &parEnd);
        if (parStart == carry.from.end && destEnd <= RteTextLength(carry.dest))
            ApplyFormat(carry.dest, SourceFormatAt(carry.source, carry.from.end), destEnd, destEnd);
    }
}

void CarryLinkTable(const RteCarry& carry, int table)
{
    std::vector<RteLinkRange> ranges = ElementsOf<RteLinkRange>(RteLinkTable(DocLock(carry.source).get(), table));
    int32_t delta = carry.destStart - carry.from.start;
    // The last entry is the table's sentinel.
    for (size_t i = 0; i + 1 < ranges.size(); ++i) {
        RteLinkRange range = ranges[i];
        if (range.start < carry.from.start || range.end > carry.from.end)
            continue;
        range.start += delta;
        range.end += delta;
        DocLock dest(carry.dest);
        // A long name lives in a handle of the source: the copy gets its own.
        std::string name = RteLinkName(range);
        range.nameHandle = nullptr;
        RteSetLinkName(dest.get(), &range, name.c_str());
        RteInsertLinkRange(dest.get(), table, range);
    }
}

}  // namespace

void RteCarryStyles(const RteCarry& carry)
{
    if (carry.from.end <= carry.from.start)
        return;
    CarryCharRuns(carry);
    CarryParFormats(carry);
    CarryLinkTable(carry, 0);
    CarryLinkTable(carry, 1);
    int32_t destEnd = carry.destStart + (carry.from.end - carry.from.start);
    RteMarkForLayout(DocLock(carry.dest).get(), carry.destStart, destEnd);
}
