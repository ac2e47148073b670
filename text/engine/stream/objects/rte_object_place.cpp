// Objects in the laid-out text: their rects come from the lines and the caret positions that
// layout gives their characters.
#include "rte_object_place.h"

#include <algorithm>

#include "rect_ops.h"
#include "rte_object_queries.h"
#include "rte_position_cache.h"
#include "rte_position_queries.h"
#include "rte_redisplay.h"
#include "rte_selection.h"
#include "rte_text_blocks.h"
#include "rte_typed.h"
#include "scaling.h"

namespace {

// Where the run holding the offset ends.
int32_t RunEnd(RteHandle doc, int32_t offset)
{
    int32_t index = 0;
    RteStyleRun* runs = RteCharRunAt(doc, offset, &index);
    int32_t end = runs[1].offset;
    RteLocked<RteDocument> locked(doc);
    RteUnlock(locked->charRuns);
    return end < locked->textLength ? end : locked->textLength;
}

// The width layout gives [start, end) of one block.
int32_t RunWidth(RteHandle doc, int32_t start, int32_t end)
{
    int32_t block = 0;
    int32_t blockStart = RteFindTextBlock(doc, start, &block, true, true);
    RteTextBlock record;
    RteGetElement(RteLocked<RteDocument>(doc)->blocks, block, &record);
    RteHandle positions = nullptr, types = nullptr;
    const int32_t* x = RteBlockPositions(doc, block, &positions, &types);
    int32_t from = start - blockStart, to = std::min(end - blockStart, record.length);
    int32_t width = x[to] - x[from];
    RteReleasePositions(doc, positions);
    return width;
}

// The frame in document coordinates.
RteRect DocumentFrame(RteHandle doc, const RteObject& object, int32_t position)
{
    RteRect first = {};
    int32_t below = RteCaretRect(doc, position, false, false, &first);
    int32_t width = RunWidth(doc, position, RunEnd(doc, position));
    RteRect frame = {first.top, first.left + object.insets[RTE_INSET_LEFT], first.bottom,
                     first.left + width - object.insets[RTE_INSET_RIGHT]};
    if (!(object.typeWord & RTE_OBJECT_SPANS_LINE)) {
        int32_t baseline = first.bottom - below;
        frame.bottom = baseline + object.descent;
        frame.top = frame.bottom - object.height;
    }
    return frame;
}

}  // namespace

void RteObjectFrame(RteHandle doc, const RteCharStyle* style, int32_t position, RteRect* out)
{
    *out = DocumentFrame(doc, RteObjectOf(reinterpret_cast<RteHandle>(style->object)), position);
    RteLocked<RteDocument> locked(doc);
    RtePoint shift = {locked->port.origin.v - locked->scroll.v, locked->port.origin.h - locked->scroll.h};
    if (locked->scaling.factor)
        RteScaleRect(&locked->scaling, &shift, out);
    else
        RteOffsetRect(out, shift.h, shift.v);
}

int32_t RteObjectRect(RteHandle doc, int32_t n, const RteRange* range, RteRect* rect, int32_t* descent,
                      RtePoint* origin)
{
    int32_t offset = 0, style = 0;
    RteHandle object = RteNthObject(doc, range, n, &offset, &style);
    if (!object)
        return -1;
    RteCharStyle record;
    RteGetElement(RteLocked<RteDocument>(doc)->charStyles, style, &record);
    RteObjectFrame(doc, &record, offset, rect);
    *descent = RteObjectOf(object).descent;
    RteLocked<RteDocument> locked(doc);
    *origin = {locked->viewOrigin.v - locked->scroll.v, locked->viewOrigin.h - locked->scroll.h};
    return offset;
}

RteHandle RteObjectAtPoint(RteHandle doc, const RtePoint* point, int32_t* offset, RteCharStyle* style, bool click)
{
    RteCharStyle found;
    RteRange run = {};
    // Mode 1: the character under the point, not the nearest boundary.
    int32_t at = RteCharAtPoint(doc, point, 1, &found, &run);
    auto object = reinterpret_cast<RteHandle>(found.object);
    if (!object || at >= RteTextLength(doc))
        return nullptr;
    RteRect frame;
    RteObjectFrame(doc, &found, run.start, &frame);
    RtePoint origin = RteLocked<RteDocument>(doc)->port.origin;
    RteOffsetRect(&frame, -origin.h, -origin.v);
    if (point->v < frame.top || point->v >= frame.bottom || point->h < frame.left || point->h >= frame.right)
        return nullptr;
    if (offset)
        *offset = run.start;
    if (style)
        *style = found;
    RteObject record = RteObjectOf(object);
    if (click && record.callback)
        record.callback(doc, object, record.styleData, RTE_OBJECT_CLICKED, reinterpret_cast<intptr_t>(point), 0, 0);
    return object;
}

int32_t RteSetObjectSize(RteHandle doc, int32_t n, const RteRange* range, const RteRect* size, int32_t descent,
                         int16_t redraw)
{
    int32_t offset = 0, style = 0;
    RteHandle object = RteNthObject(doc, range, n, &offset, &style);
    if (!object)
        return 0;
    RteObject record = RteObjectOf(object);
    int32_t width = size->right - size->left, height = size->bottom - size->top;
    if (width == record.width && height == record.height && descent == record.descent)
        return 0;
    {
        RteLocked<RteObject> stored(object);
        stored->width = width;
        stored->height = height;
        stored->descent = descent;
    }
    {
        RteLocked<RteDocument> locked(doc);
        RteLocked<RteCharStyle> styles(locked->charStyles);
        styles[style].ascent = static_cast<int16_t>(height - descent);
        styles[style].descent = static_cast<int16_t>(descent);
    }
    int32_t end = RunEnd(doc, offset);
    RteMarkForLayout(RteLocked<RteDocument>(doc).get(), offset, end);
    if (redraw != RTE_REDRAW_NONE)
        RteRedisplay(doc, nullptr, 0, -1, nullptr, nullptr, RTE_REDRAW_OFFSCREEN_FIRST, true);
    return 1;
}
