// Applying a per-run step over a range list.
#include "rte_style_apply.h"

#include <algorithm>

#include "rte_position_cache.h"
#include "rte_text_blocks.h"

int32_t RteApplyToRanges(RteDocument* doc, const RteRange* range, bool paragraph, RteRunStepProc proc,
                         const void* data)
{
    RteScopedHandle list(RteMakeRangeList(doc, range, paragraph, false));
    if (!list.get())
        return 0;
    RteRunStep step = {doc, paragraph, 0, data};
    int32_t first = INT32_MAX;
    int32_t last = 0;
    for (int32_t i = 0, count = RteCount(list.get()); i < count; ++i) {
        RteRange pair;
        RteGetElement(list.get(), i, &pair);
        RteRunApply(paragraph ? doc->parRuns : doc->charRuns, &step, proc, pair.start, pair.end);
        first = std::min(first, pair.start);
        last = std::max(last, pair.end);
    }
    RteCleanupRuns(doc, !paragraph, paragraph);
    RteMarkForLayout(doc, first, last);
    if (step.changed) {
        doc->flags |= RTE_DOC_STYLES_CHANGED;
        ++doc->changes;
        // The positions kept were measured with the old styles.
        RteDropDocPositions(doc->self);
    }
    return step.changed;
}
