// The text ranges whose laid-out characters lie in an area of the document: what a rubber band
// or a picture's outline selects.
#include "rte_areas.h"

#include "rect_list.h"
#include "rect_ops.h"
#include "rte_document_internal.h"
#include "rte_line_piece.h"
#include "rte_runs.h"
#include "rte_text_blocks.h"

using namespace rte_document;

namespace {

// The offset the hit-test hook finds at a point of the document.
int32_t OffsetAt(RteHandle handle, const RteDocument* doc, int32_t v, int32_t h)
{
    RtePoint point{v, h};
    RteSelectPoint hit{};
    doc->hooks.hitTest(handle, reinterpret_cast<intptr_t>(&point), reinterpret_cast<intptr_t>(&hit), 0, 0, 0);
    return hit.offset;
}

// A range that starts where the last one ended extends it; an empty one is dropped.
void AddRange(RteHandle ranges, int32_t start, int32_t end)
{
    if (start >= end)
        return;
    int32_t count = RteCount(ranges);
    if (count > 0) {
        RteLocked<RteRange> list(ranges);
        if (list[count - 1].end == start) {
            list[count - 1].end = end;
            return;
        }
    }
    InsertElement(ranges, count, RteRange{start, end});
}

}  // namespace

void RteRangesInRectList(RteHandle handle, RteRectList area, RteHandle ranges)
{
    RteSetCount(ranges, 0);
    RteLocked<RteDocument> doc(handle);
    RteRectIterator rects(area);
    RteLocked<RteTextBlock> blocks(doc->blocks);
    for (int32_t b = 0, blockStart = 0; b < blocks.size(); blockStart += blocks[b].length, ++b) {
        RteTextBlock block = blocks[b];
        if (!block.lines || !RteSectRect(&block.bounds, &rects.Bounds(), nullptr))
            continue;
        RteLocked<RteLinePiece> pieces(block.lines);
        int32_t count = RtePieceCount(pieces.get(), pieces.size());
        for (int32_t k = 0; k < count; ++k) {
            RteRect inner = pieces[k].rect;
            RteInsetRect(&inner, 1, 1);
            int32_t next = blockStart + (k + 1 < count ? pieces[k + 1].offset : block.length);
            for (const RteRect& rect : rects.Rects()) {
                RteRect hit;
                if (!RteSectRect(&inner, &rect, &hit))
                    continue;
                RteInsetRect(&hit, 0, 1);
                int32_t start = hit.left == inner.left ? blockStart + pieces[k].offset
                                                       : OffsetAt(handle, doc.get(), hit.top, hit.left);
                int32_t end = hit.right == inner.right ? next : OffsetAt(handle, doc.get(), hit.bottom, hit.right);
                AddRange(ranges, start, end);
            }
        }
    }
}
