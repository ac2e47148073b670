// Documents bound to their stream give up the text of clean blocks when memory runs short; the
// text is read again from the stream when it is needed.
#include "rte_document_internal.h"
#include "rte_text_blocks.h"

using namespace rte_document;

namespace {

constexpr int32_t kVisibleMargin = 32;

RteRect VisibleRect(RteDocument* doc)
{
    RteRect view;
    RteRectListFirst(doc->viewArea, &view);
    int32_t dv = doc->scroll.v + doc->port.origin.v;
    int32_t dh = doc->scroll.h + doc->port.origin.h;
    return {view.top + dv - kVisibleMargin, view.left + dh - kVisibleMargin, view.bottom + dv + kVisibleMargin,
            view.right + dh + kVisibleMargin};
}

bool Outside(const RteRect& block, const RteRect& visible)
{
    return block.bottom <= visible.top || block.top >= visible.bottom || block.right <= visible.left ||
           block.left >= visible.right;
}

bool MayRelease(const RteTextBlock& block, RteHandle spare, const RteRect& visible)
{
    if (!block.text || block.text == spare || (block.flags & RTE_BLOCK_DIRTY))
        return false;
    if (RteLockCount(block.text) > 0 || (RteGetPurgeFlags(block.text) & RTE_PURGED))
        return false;
    return (block.flags & RTE_BLOCK_LINES_SAVED) || Outside(block.bounds, visible);
}

}  // namespace

size_t RteReleaseBoundText(RteHandle handle, RteHandle spare, size_t wanted)
{
    DocLock doc(handle);
    RteRect visible = VisibleRect(doc.get());
    size_t released = 0;
    RteLocked<RteTextBlock> blocks(doc->blocks);
    for (int32_t i = 0; i < blocks.size() && released < wanted; ++i) {
        if (!MayRelease(blocks[i], spare, visible))
            continue;
        released += RteByteSize(blocks[i].text);
        RteFree(blocks[i].text);
        blocks[i].text = nullptr;
    }
    return released;
}

int32_t RteIsBoundDoc(RteMemContext* context, RteHandle doc)
{
    if (!context->boundDocuments)
        return 0;
    RteLocked<RteHandle> docs(context->boundDocuments);
    for (int32_t i = 0; i < docs.size(); ++i)
        if (docs[i] == doc)
            return i + 1;
    return 0;
}

size_t RteReleaseBoundDocsText(RteMemContext* context, RteHandle spare, size_t wanted)
{
    if (!context->boundDocuments)
        return 0;
    size_t released = 0;
    int32_t count = RteCount(context->boundDocuments);
    for (int32_t i = 0; i < count && released < wanted; ++i) {
        RteHandle doc = ElementOf<RteHandle>(context->boundDocuments, i);
        if (doc != spare)
            released += RteReleaseBoundText(doc, spare, wanted - released);
    }
    return released;
}
