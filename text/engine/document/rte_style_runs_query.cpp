// Finding runs by a masked match of their styles, and the insertion style.
#include <algorithm>
#include <vector>

#include "rte_document_internal.h"
#include "rte_runs.h"
#include "rte_style_tables.h"
#include "rte_style_units.h"

using namespace rte_document;

bool RteStyleMatches(const RteCharStyle& style, const RteCharStyle* values, const RteCharStyle* mask,
                     const RteCharStyle* andMask)
{
    return RteMaskedMatch(RteCharStyleUnits(), &style, values, mask, andMask);
}

int32_t RteGetStyleRun(RteHandle handle, int32_t* offset, int32_t* end, const RteCharStyle* values,
                       const RteCharStyle* mask, const RteCharStyle* andMask)
{
    DocLock doc(handle);
    if (*offset >= doc->textLength)
        return 0;
    std::vector<RteStyleRun> runs = [&] {
        RteLocked<RteStyleRun> entries(doc->charRuns);
        return std::vector<RteStyleRun>(entries.get(), entries.get() + entries.size());
    }();
    auto matches = [&](size_t i) { return RteStyleMatches(RteCharStyleRecord(doc.get(), runs[i].index), values, mask, andMask); };
    int32_t at = 0;
    RteFindRun(doc->charRuns, *offset, &at);
    RteUnlock(doc->charRuns);
    size_t i = static_cast<size_t>(at);
    while (i + 1 < runs.size() && !matches(i))
        ++i;
    if (i + 1 >= runs.size())
        return 0;
    size_t last = i;
    while (last + 2 < runs.size() && matches(last + 1))
        ++last;
    *offset = runs[i].offset;
    if (end)
        *end = std::min(runs[last + 1].offset, doc->textLength);
    return 1;
}

void RteSetInsertionStyle(RteHandle handle, const RteCharStyle* style, const RteFont* font)
{
    DocLock doc(handle);
    RteCharStyle record = style ? *style : RteCharStyleRecord(doc.get(), doc->insertStyle);
    if (font)
        record.font = static_cast<int16_t>(RteFindOrAddFontIn(doc.get(), *font));
    doc->insertStyle = static_cast<int16_t>(RteFindOrAddCharStyle(doc.get(), record, RTE_REASON_INSERTION));
    ++doc->changes;
}

void RteRederiveInsertionStyle(RteHandle handle)
{
    DocLock doc(handle);
    if (!RteSelectionIsCaret(doc.get()))
        return;
    int32_t caret = RteSelectionStart(doc.get());
    // At the start of a paragraph the text typed takes the style of the paragraph's own text.
    int32_t parStart = 0;
    int32_t parEnd = 0;
    doc->hooks.parBounds(handle, caret, &parStart, &parEnd);
    int32_t at = caret > 0 && caret != parStart ? caret - 1 : caret;
    int32_t index = RteFindRun(doc->charRuns, at, nullptr)->index;
    RteUnlock(doc->charRuns);
    RteCharStyle record = RteCharStyleRecord(doc.get(), index);
    if (record.hooks.rederive(handle, &record, caret)) {
        RteFont font = RteFontRecord(doc.get(), record.font);
        record.hooks.metrics(handle, &record, &font);
        index = RteFindOrAddCharStyle(doc.get(), record, RTE_REASON_INSERTION);
    }
    doc->insertStyle = static_cast<int16_t>(index);
}
