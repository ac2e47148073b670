// Making, resetting, reading, comparing and moving rect lists as a whole.
#include "rect_list.h"

#include "rect_ops.h"
#include "scaling.h"
#include "word_blocks.h"

RteRectList RteNewRectList(RteMemContext* context, const RteRect* rect)
{
    RteRectList list = RteRectListAlloc(context, RTE_RECT_LIST_NEW_ENTRIES, RTE_RECT_LIST_GROWTH);
    if (rect) {
        RteRectIterator rects(list);
        rects.SetSingle(*rect);
    }
    return list;
}

void RteSetRectList(RteRectList list, const RteRect* rect)
{
    RteRectListSetEntries(list, RTE_RECT_LIST_NEW_ENTRIES);
    RteRectIterator rects(list);
    rects.SetSingle(rect ? *rect : RteRect{});
}

void RteFreeRectList(RteRectList list)
{
    RteRectListDispose(list);
}

void RteRectListFirst(RteRectList list, RteRect* out)
{
    if (RteRectListEntries(list) < 1) {
        *out = {};
        return;
    }
    *out = *RteRectListLock(list);
    RteRectListUnlock(list);
}

int32_t RteRectListCount(RteRectList list)
{
    const int32_t entries = RteRectListEntries(list);
    return entries > 0 ? entries - 1 : 0;
}

int RteEmptyRectList(RteRectList list)
{
    if (RteRectListEntries(list) < RTE_RECT_LIST_NEW_ENTRIES)
        return 1;
    RteRect bounds;
    RteRectListFirst(list, &bounds);
    return RteEmptyRect(&bounds);
}

int RteEqualRectLists(RteRectList a, RteRectList b)
{
    const int32_t entries = RteRectListEntries(a);
    if (entries != RteRectListEntries(b))
        return 0;
    RteRectIterator first(a);
    RteRectIterator second(b);
    return RteEqualWords(&first.Bounds(), &second.Bounds(), (first.Count() + 1) * static_cast<int32_t>(sizeof(RteRect)));
}

void RteRecalcListBounds(RteRectList list)
{
    RteRectIterator rects(list);
    RteRect bounds{};
    for (const RteRect& rect : rects.Rects())
        RteUnionRect(&bounds, &rect, &bounds);
    rects.Bounds() = bounds;
}

void RteOffsetRectList(RteRectList list, int32_t dh, int32_t dv)
{
    if (dh == 0 && dv == 0)
        return;
    RteRectIterator rects(list);
    RteOffsetRect(&rects.Bounds(), dh, dv);
    for (RteRect& rect : rects.Rects())
        RteOffsetRect(&rect, dh, dv);
}

void RteScaleRectListAbout(const RtePoint* drawingOrigin, RteRectList list, int16_t numerator, int16_t denominator)
{
    {
        RteRectIterator rects(list);
        for (RteRect& rect : rects.Rects())
            RteScaleRectAbout(drawingOrigin, &rect, numerator, denominator);
    }
    RteRecalcListBounds(list);
}
