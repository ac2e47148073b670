// The rects of a document's extra area with their values and the paragraphs bound to them.
#include "rte_extra_rects.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "rect_list.h"
#include "rect_ops.h"
#include "rte_areas.h"
#include "rte_document_internal.h"
#include "rte_redisplay.h"
#include "rte_text_blocks.h"

using namespace rte_document;

namespace {

// A new rect also affects the lines that come near it.
constexpr int32_t kNearInsertedRect = 16;

int32_t Count(RteDocument* doc) { return RteEmptyRectList(doc->extraArea) ? 0 : RteRectListCount(doc->extraArea); }

// The values, one a rect, made on demand and kept at the number of rects.
RteHandle Values(RteDocument* doc)
{
    if (!doc->extraValues)
        doc->extraValues = RteAllocKeyedClear(doc->env->context, sizeof(int32_t), 0, 4, doc->key);
    int32_t rects = Count(doc);
    int32_t old = RteCount(doc->extraValues);
    if (old != rects) {
        RteSetCount(doc->extraValues, rects);
        RteLocked<int32_t> values(doc->extraValues);
        std::fill(values.get() + std::min(old, rects), values.get() + rects, 0);
    }
    return doc->extraValues;
}

// Bindings to rects above a number move by the delta; those to a removed rect go.
void RenumberBindings(RteDocument* doc, int32_t above, int32_t delta, int32_t removed)
{
    if (!doc->anchors)
        return;
    for (int32_t i = RteCount(doc->anchors) - 1; i >= 0; --i) {
        RteAnchor binding = ElementOf<RteAnchor>(doc->anchors, i);
        if (removed > 0 && binding.rect == removed) {
            RteDelete(doc->anchors, i, 1);
        } else if (binding.rect > above) {
            binding.rect = static_cast<int16_t>(binding.rect + delta);
            SetElement(doc->anchors, i, binding);
        }
    }
}

// The start of the first laid-out block whose lines the rect meets (grown on each side), the
// text's start when none does.
int32_t FirstTouched(RteDocument* doc, RteRect rect, int32_t grow)
{
    RteInsetRect(&rect, -grow, -grow);
    std::vector<RteTextBlock> blocks = ElementsOf<RteTextBlock>(doc->blocks);
    int32_t start = 0;
    for (const RteTextBlock& block : blocks) {
        RteRect meet;
        if (block.lines && RteSectRect(&rect, &block.bounds, &meet))
            return start;
        start += block.length;
    }
    return 0;
}

// The area changed: its bounds again, the text laid out and redrawn from the offset.
void Changed(RteHandle handle, int32_t from, int16_t redraw)
{
    {
        DocLock doc(handle);
        RteRecalcListBounds(doc->extraArea);
        doc->areaChanges |= RTE_AREA_EXTRA_CHANGED;
        RteMarkForLayout(doc.get(), from, doc->textLength);
        ++doc->changes;
    }
    if (redraw != RTE_REDRAW_NONE)
        RteRedisplay(handle, nullptr, from, -1, nullptr, nullptr, redraw == RTE_REDRAW_DEFAULT ? 5 : redraw, true);
}

bool Valid(RteDocument* doc, int32_t number) { return number >= 1 && number <= Count(doc); }

// Inserts the rects after rect n with the values; answers where layout starts again.
int32_t InsertRects(RteDocument* doc, int32_t after, const std::vector<RteRect>& rects, int32_t value)
{
    int32_t count = Count(doc);
    after = std::clamp(after, 0, count);
    RteHandle values = Values(doc);
    {
        RteRectIterator area(doc->extraArea);
        for (size_t i = 0; i < rects.size(); ++i) {
            // An empty area keeps one zero rect: the first new one takes its place.
            if (count == 0 && i == 0)
                area.SetSingle(rects[0]);
            else
                area.Insert(after + static_cast<int32_t>(i) + 1, rects[i]);
        }
    }
    auto added = static_cast<int32_t>(rects.size());
    std::fill_n(static_cast<int32_t*>(RteInsert(values, after, added)), added, value);
    RteUnlock(values);
    RenumberBindings(doc, after, added, 0);
    int32_t from = doc->textLength;
    for (const RteRect& rect : rects)
        from = std::min(from, FirstTouched(doc, rect, kNearInsertedRect));
    return from;
}

}  // namespace

int32_t RteExtraRectCount(RteHandle doc) { return Count(DocLock(doc).get()); }

void RteGetExtraRect(RteHandle doc, int32_t number, bool window, bool scaled, RteRect* out)
{
    RteAreaRect(doc, DocLock(doc)->extraArea, number, window, scaled, out);
}

int32_t RteExtraRectAtPoint(RteHandle doc, const RtePoint* point, int32_t* number)
{
    int32_t found = RteExtraRectCount(doc) ? RteAreaRectAtPoint(doc, DocLock(doc)->extraArea, point, nullptr) : 0;
    if (number)
        *number = found;
    return found;
}

void RteInsertExtraRect(RteHandle handle, const RteRect* rect, int32_t after, int32_t value, int16_t redraw)
{
    int32_t from = 0;
    {
        DocLock doc(handle);
        from = InsertRects(doc.get(), after, {*rect}, value);
    }
    Changed(handle, from, redraw);
}

void RteInsertExtraRects(RteHandle handle, int32_t after, RteRectList rects, int16_t redraw)
{
    int32_t from = 0;
    {
        DocLock doc(handle);
        RteRectIterator given(rects);
        std::vector<RteRect> list(given.Rects().begin(), given.Rects().end());
        if (RteEmptyRectList(rects) || list.empty())
            return;
        from = InsertRects(doc.get(), after, list, 0);
    }
    Changed(handle, from, redraw);
}

void RteDeleteExtraRect(RteHandle handle, int32_t number, int16_t redraw)
{
    int32_t from = 0;
    {
        DocLock doc(handle);
        if (!Valid(doc.get(), number))
            return;
        RteHandle values = Values(doc.get());
        RteRect rect{};
        {
            RteRectIterator area(doc->extraArea);
            rect = area.Rect(number);
            area.Remove(number);
        }
        RteDelete(values, number - 1, 1);
        RenumberBindings(doc.get(), number, -1, number);
        // The only rect gone, the whole text is laid out again.
        from = Count(doc.get()) ? FirstTouched(doc.get(), rect, 0) : 0;
    }
    Changed(handle, from, redraw);
}

void RteReplaceExtraRect(RteHandle handle, const RteRect* rect, int32_t number, int16_t redraw)
{
    int32_t from = 0;
    {
        DocLock doc(handle);
        if (!Valid(doc.get(), number))
            return;
        RteRectIterator area(doc->extraArea);
        from = std::min(FirstTouched(doc.get(), area.Rect(number), 0), FirstTouched(doc.get(), *rect, 0));
        area.Rect(number) = *rect;
    }
    Changed(handle, from, redraw);
}

void RteSwapExtraRects(RteHandle handle, int32_t a, int32_t b, int16_t redraw)
{
    int32_t from = 0;
    {
        DocLock doc(handle);
        if (!Valid(doc.get(), a) || !Valid(doc.get(), b))
            return;
        RteLocked<int32_t> values(Values(doc.get()));
        RteRectIterator area(doc->extraArea);
        from = std::min(FirstTouched(doc.get(), area.Rect(a), 0), FirstTouched(doc.get(), area.Rect(b), 0));
        std::swap(area.Rect(a), area.Rect(b));
        std::swap(values[a - 1], values[b - 1]);
    }
    Changed(handle, from, redraw);
}

int32_t RteGetExtraValue(RteHandle handle, int32_t number)
{
    DocLock doc(handle);
    return Valid(doc.get(), number) ? RteLocked<int32_t>(Values(doc.get()))[number - 1] : 0;
}

void RteSetExtraValue(RteHandle handle, int32_t number, int32_t value)
{
    DocLock doc(handle);
    if (Valid(doc.get(), number))
        RteLocked<int32_t>(Values(doc.get()))[number - 1] = value;
}
