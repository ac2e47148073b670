// Paragraphs bound to rects of the extra area, kept sorted by offset, one a paragraph start.
#include "rte_paragraph_bindings.h"

#include <algorithm>

#include "rte_document_internal.h"
#include "rte_redisplay.h"
#include "rte_text_blocks.h"

using namespace rte_document;

void RteBindParagraph(RteHandle handle, int32_t offset, int16_t rect, int16_t redraw)
{
    int32_t start = 0;
    {
        DocLock doc(handle);
        int32_t end = 0;
        doc->hooks.parBounds(handle, std::clamp(offset, 0, doc->textLength), &start, &end);
        if (!doc->anchors)
            doc->anchors = RteAllocKeyedClear(doc->env->context, sizeof(RteAnchor), 0, 4, doc->key);
        int32_t at = 0;
        int32_t count = RteCount(doc->anchors);
        while (at < count && ElementOf<RteAnchor>(doc->anchors, at).offset < start)
            ++at;
        if (at < count && ElementOf<RteAnchor>(doc->anchors, at).offset == start)
            RteDelete(doc->anchors, at, 1);
        if (rect > 0)
            InsertElement(doc->anchors, at, RteAnchor{start, rect});
        RteMarkForLayout(doc.get(), start, end);
        ++doc->changes;
    }
    if (redraw != RTE_REDRAW_NONE)
        RteRedisplay(handle, nullptr, start, -1, nullptr, nullptr, redraw == RTE_REDRAW_DEFAULT ? 5 : redraw, true);
}

int32_t RteBoundParagraph(RteHandle handle, int16_t rect)
{
    DocLock doc(handle);
    if (!doc->anchors)
        return -1;
    for (const RteAnchor& binding : ElementsOf<RteAnchor>(doc->anchors))
        if (binding.rect == rect)
            return binding.offset;
    return -1;
}
