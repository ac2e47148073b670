// The selection's highlight, built block by block from the pieces' character positions and
// inverted on the port's DC.
#include "rte_highlight.h"

#include <algorithm>
#include <vector>

#include "rect_list.h"
#include "rte_bidi.h"
#include "rte_gdi_port.h"
#include "rte_line_builder.h"
#include "rte_text_blocks.h"
#include "rte_typed.h"

namespace {

void AddRange(RteHandle doc, RteRectList list, int32_t start, int32_t end)
{
    int32_t from = 0, to = 0;
    RteLayoutBlock(doc, RteBlockAt(RteLocked<RteDocument>(doc).get(), end, &to), nullptr, false);
    // Laying out may have moved a line from one block to the next: the blocks are found after.
    int32_t first = RteBlockAt(RteLocked<RteDocument>(doc).get(), start, &from);
    int32_t last = RteBlockAt(RteLocked<RteDocument>(doc).get(), end, &to);
    RteSelectPoint startPoint = {};
    RteSelectPoint endPoint = {};
    startPoint.offset = start;
    endPoint.offset = end;
    for (int32_t block = first; block <= last; ++block)
        RteRangeHighlightRects(doc, block, list, block == first ? &startPoint : nullptr,
                               block == last ? &endPoint : nullptr);
}

}  // namespace

RteRectList RteSelectionArea(RteHandle doc)
{
    std::vector<RteSelectPoint> points;
    {
        RteLocked<RteDocument> locked(doc);
        RteLocked<RteSelectPoint> selection(locked->selection);
        points.assign(selection.get(), selection.get() + selection.size());
    }
    RteRectList list = nullptr;
    for (size_t i = 0; i + 1 < points.size(); i += 2) {
        int32_t start = std::min(points[i].offset, points[i + 1].offset);
        int32_t end = std::max(points[i].offset, points[i + 1].offset);
        if (start == end)
            continue;
        if (!list) {
            RteRect none{};
            list = RteNewRectList(RteHandleContext(doc), &none);
        }
        AddRange(doc, list, start, end);
    }
    return list;
}

void RteDrawSelection(RteHandle doc)
{
    RteRectList area = RteSelectionArea(doc);
    if (!area)
        return;
    RteHookTable hooks;
    RtePoint scroll;
    RteGdiPort* port = nullptr;
    {
        RteLocked<RteDocument> locked(doc);
        hooks = locked->hooks;
        scroll = locked->scroll;
        port = RteGdiPortOf(&locked->port);
    }
    hooks.port(doc, 1);
    HDC dc = RtePortGetDC(port);
    {
        RteRectIterator rects(area);
        for (const RteRect& rect : rects.Rects()) {
            RECT shown{rect.left - scroll.h, rect.top - scroll.v, rect.right - scroll.h, rect.bottom - scroll.v};
            InvertRect(dc, &shown);
        }
    }
    RtePortReleaseDC(port);
    hooks.port(doc, 0);
    RteFreeRectList(area);
}
