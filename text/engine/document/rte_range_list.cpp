// Range lists: a range or the selection as sorted start/end pairs that follow one another.
#include <algorithm>
#include <vector>

#include "rte_document_internal.h"
#include "rte_runs.h"
#include "rte_text_blocks.h"

using namespace rte_document;

namespace {

constexpr uint16_t kListGrowth = 4;

void Append(RteHandle list, RteRange range)
{
    *static_cast<RteRange*>(RteAppend(list, 1, false)) = range;
    RteUnlock(list);
}

void WidenToParagraphs(RteDocument* doc, RteHandle list)
{
    int32_t count = RteCount(list);
    for (int32_t i = 0; i < count; ++i) {
        RteRange range = ElementOf<RteRange>(list, i);
        int32_t start = 0;
        int32_t end = 0;
        doc->hooks.parBounds(doc->self, range.start, &start, &end);
        int32_t last = range.end > range.start ? range.end - 1 : range.start;
        int32_t lastStart = 0;
        int32_t lastEnd = 0;
        doc->hooks.parBounds(doc->self, last, &lastStart, &lastEnd);
        SetElement(list, i, RteRange{start, std::max(end, lastEnd)});
    }
}

bool IsBlank(RteDocument* doc, int32_t offset)
{
    uint8_t character = RteTextByteAt(doc, offset);
    int32_t at = 0;
    int32_t index = RteFindRun(doc->charRuns, offset, &at)->index;
    RteUnlock(doc->charRuns);
    RteCharStyle style = ElementOf<RteCharStyle>(doc->charStyles, index);
    return style.hooks.charInfo(doc->self, &style, reinterpret_cast<intptr_t>(&character), 1, 0, 0) & RTE_CLASS_BLANK;
}

// A selection that asks for it loses the blanks at its end (a double-clicked word's trailing
// space), unless the document keeps them.
void TrimEnd(RteDocument* doc, RteHandle list, const RteSelectPoint& endPoint)
{
    if (!(endPoint.flags & RTE_SELECT_TRIM) || (doc->flags & RTE_DOC_KEEP_TRAILING_BLANKS))
        return;
    int32_t last = RteCount(list) - 1;
    RteRange range = ElementOf<RteRange>(list, last);
    int32_t& end = range.end > range.start ? range.end : range.start;
    int32_t start = std::min(range.start, range.end);
    while (end > start && IsBlank(doc, end - 1))
        --end;
    SetElement(list, last, range);
}

}  // namespace

bool RteSelectionIsCaret(const RteDocument* doc)
{
    RteLocked<RteSelectPoint> points(doc->selection);
    return points.size() <= 2 && (points.size() < 2 || points[0].offset == points[1].offset);
}

int32_t RteSelectionStart(const RteDocument* doc)
{
    RteLocked<RteSelectPoint> points(doc->selection);
    return points.size() > 0 ? points[0].offset : 0;
}

void RteNormalizeRangeList(RteHandle list)
{
    RteLocked<RteRange> ranges(list);
    int32_t count = ranges.size();
    for (int32_t i = 0; i < count; ++i)
        if (ranges[i].start > ranges[i].end)
            std::swap(ranges[i].start, ranges[i].end);
    for (int32_t i = 1; i < count;) {
        if (ranges[i].start < ranges[i - 1].start) {
            std::swap(ranges[i], ranges[i - 1]);
            i = 1;
        } else {
            ++i;
        }
    }
    for (int32_t i = 1; i < count; ++i) {
        if (ranges[i].start < ranges[i - 1].end)
            ranges[i].start = ranges[i - 1].end;
        if (ranges[i].start > ranges[i].end)
            ranges[i].start = ranges[i].end;
    }
}

RteHandle RteMakeRangeList(RteDocument* doc, const RteRange* range, bool force, bool trim)
{
    bool caret = RteSelectionIsCaret(doc);
    if (caret && !force && (!range || range->start == range->end))
        return nullptr;
    RteHandle list = RteAllocOf<RteRange>(doc->env->context, 0, kListGrowth, false);
    RteTryOrUndo(
        doc->env->context,
        [&] {
            if (range) {
                Append(list, *range);
            } else {
                std::vector<RteSelectPoint> points;
                {
                    RteLocked<RteSelectPoint> selection(doc->selection);
                    points.assign(selection.get(), selection.get() + selection.size());
                }
                for (size_t i = 0; i + 1 < points.size(); i += 2)
                    Append(list, RteRange{points[i].offset, points[i + 1].offset});
                if (points.size() < 2)
                    Append(list, RteRange{0, 0});
                else if (trim)
                    TrimEnd(doc, list, points.back());
            }
            if (force)
                WidenToParagraphs(doc, list);
            RteNormalizeRangeList(list);
        },
        [&] { RteFree(list); });
    return list;
}

RteHandle RteRangeList(RteHandle doc, const RteRange* range, bool force, bool trim)
{
    return RteMakeRangeList(DocLock(doc).get(), range, force, trim);
}

void RteRangeListToParagraphs(RteHandle handle, RteHandle list)
{
    DocLock doc(handle);
    WidenToParagraphs(doc.get(), list);
    RteNormalizeRangeList(list);
}
