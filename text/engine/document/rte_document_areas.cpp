// Moving a document's areas, and the extension table.
#include "rte_document_internal.h"
#include "rte_text_blocks.h"

using namespace rte_document;

namespace {

constexpr uint16_t kExtGrowth = 4;

void OffsetBlocks(RteDocument* doc, int32_t dv, int32_t dh)
{
    RteLocked<RteTextBlock> blocks(doc->blocks);
    for (int32_t i = 0; i < blocks.size(); ++i) {
        RteTextBlock& block = blocks[i];
        if (!(block.flags & RTE_BLOCK_LINES_BUILT)) {
            block.flags |= RTE_BLOCK_RELAYOUT;
            continue;
        }
        block.bounds = {block.bounds.top + dv, block.bounds.left + dh, block.bounds.bottom + dv,
                        block.bounds.right + dh};
    }
}

}  // namespace

void RteOffsetView(RteHandle handle, const RtePoint* topLeft, const RtePoint* bottomRight)
{
    DocLock doc(handle);
    {
        RteRectIterator rects(doc->viewArea);
        for (RteRect& rect : rects.Rects()) {
            rect.top += topLeft->v;
            rect.left += topLeft->h;
            rect.bottom += bottomRight->v;
            rect.right += bottomRight->h;
        }
    }
    RteRecalcListBounds(doc->viewArea);
    ++doc->changes;
}

void RteOffsetAreas(RteHandle handle, int32_t dv, int32_t dh, bool wrap, bool view, bool extra)
{
    DocLock doc(handle);
    if (wrap)
        RteOffsetRectList(doc->wrapArea, dh, dv);
    if (view)
        RteOffsetRectList(doc->viewArea, dh, dv);
    if (extra)
        RteOffsetRectList(doc->extraArea, dh, dv);
    // Laid-out text stays valid only when everything it was laid out in moved with it.
    if (wrap && (extra || RteEmptyRectList(doc->extraArea)))
        OffsetBlocks(doc.get(), dv, dh);
    else
        RteMarkForLayout(doc.get(), 0, doc->textLength);
    ++doc->changes;
}

void RteSetExtValue(RteHandle handle, int32_t index, int32_t value)
{
    if (index < RTE_EXT_FIRST)
        return;
    DocLock doc(handle);
    int32_t position = index - RTE_EXT_FIRST;
    if (!doc->ext)
        doc->ext = RteAllocKeyedClear(doc->env->context, sizeof(int32_t), 0, kExtGrowth, doc->key);
    if (RteCount(doc->ext) <= position) {
        int32_t old = RteCount(doc->ext);
        RteAppend(doc->ext, position + 1 - old, true);
        RteUnlock(doc->ext);
    }
    SetElement<int32_t>(doc->ext, position, value);
    ++doc->changes;
}

int32_t RteGetExtValue(RteHandle handle, int32_t index)
{
    DocLock doc(handle);
    int32_t position = index - RTE_EXT_FIRST;
    if (index < RTE_EXT_FIRST || !doc->ext || position >= RteCount(doc->ext))
        return 0;
    return ElementOf<int32_t>(doc->ext, position);
}

int32_t RteFirstFreeExt(RteHandle handle)
{
    DocLock doc(handle);
    int32_t used = 0;
    if (doc->ext) {
        RteLocked<int32_t> entries(doc->ext);
        for (int32_t i = -RTE_EXT_FIRST; i < entries.size() && entries[i] != 0; ++i)
            ++used;
    }
    return -RTE_EXT_FIRST + used;
}
