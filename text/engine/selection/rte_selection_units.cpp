// Selection units: words (with their trailing blanks unless the document keeps them apart),
// paragraphs and display lines.
#include "rte_selection_units.h"

#include "rte_selection.h"
#include "rte_text_bounds.h"
#include "rte_typed.h"

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
    }
    return unit;
}
