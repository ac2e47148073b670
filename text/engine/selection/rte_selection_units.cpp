// Selection units: words (with their trailing blanks unless the document keeps them apart),
// paragraphs and display lines.
#include "rte_selection_units.h"

#include <algorithm>

#include "rte_position_queries.h"

#include "rte_selection.h"
#include "rte_text_bounds.h"
#include "rte_typed.h"

namespace {

RteRange StyleRun(RteHandle doc, int32_t offset)
{
    int32_t index = 0;
    RteStyleRun* run = RteCharRunAt(doc, offset, &index);
    RteRange range{run[0].offset, run[1].offset};
    RteLocked<RteDocument> locked(doc);
    RteUnlock(locked->charRuns);
    range.end = std::min(range.end, locked->textLength);
    return range;
}

// Characters of one class: word characters, blanks, or anything else, one by one.
intptr_t ClassOf(RteHandle doc, int32_t offset)
{
    return RteCharInfo(doc, offset, RTE_CLASS_WORD | RTE_CLASS_BLANK | RTE_CLASS_CONTROL);
}

RteRange ClassRun(RteHandle doc, int32_t offset)
{
    int32_t length = RteLocked<RteDocument>(doc)->textLength;
    if (offset >= length)
        return {offset, offset};
    intptr_t kind = ClassOf(doc, offset);
    RteRange range{offset, offset + 1};
    if (kind == RTE_CLASS_CONTROL)
        return range;
    while (range.start > 0 && ClassOf(doc, range.start - 1) == kind)
        --range.start;
    while (range.end < length && ClassOf(doc, range.end) == kind)
        ++range.end;
    return range;
}

}  // namespace

RteRange RteSelectionUnit(RteHandle doc, int32_t offset, uint32_t modifiers)
{
    RteRange unit = {offset, offset};
    if (modifiers & RTE_SELECT_WORD) {
        bool blanks = !(RteLocked<RteDocument>(doc)->flags & RTE_DOC_KEEP_TRAILING_BLANKS);
        RteWordBounds(doc, offset, &unit.start, &unit.end, false, blanks);
    } else if (modifiers & RTE_SELECT_PARAGRAPH) {
        RteParagraphBounds(doc, offset, &unit.start, &unit.end);
    } else if (modifiers & RTE_SELECT_LINE) {
        RteLineBounds(doc, offset, &unit.start, &unit.end);
    } else if (modifiers & RTE_SELECT_STYLE_RUN) {
        unit = StyleRun(doc, offset);
    } else if (modifiers & RTE_SELECT_CLASS_RUN) {
        unit = ClassRun(doc, offset);
    }
    return unit;
}
