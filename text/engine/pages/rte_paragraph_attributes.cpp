// Indents, the width of a paragraph's lines, and marks on tab stop kinds.
#include <algorithm>

#include "rte_areas.h"
#include "rte_document_internal.h"
#include "rte_pages.h"
#include "rte_redisplay.h"
#include "rte_style_units.h"
#include "rte_styles.h"
#include "rte_text_blocks.h"

using namespace rte_document;

namespace {

// The paragraph formats whose runs the range touches, by table index.
std::vector<int32_t> FormatsOfRange(RteDocument* doc, const RteRange& range)
{
    std::vector<RteStyleRun> runs = ElementsOf<RteStyleRun>(doc->parRuns);
    std::vector<int32_t> formats;
    for (size_t i = 0; i + 1 < runs.size(); ++i) {
        bool touches = runs[i].offset <= range.end && runs[i + 1].offset > range.start;
        if (touches && std::find(formats.begin(), formats.end(), runs[i].index) == formats.end())
            formats.push_back(runs[i].index);
    }
    return formats;
}

RteRange RangeOrSelection(RteHandle doc, const RteRange* range)
{
    if (range)
        return *range;
    RteRange selection = {};
    RteLocked<RteSelectPoint> points(DocLock(doc)->selection);
    selection.start = std::min(points[0].offset, points[1].offset);
    selection.end = std::max(points[0].offset, points[1].offset);
    return selection;
}

template <class Change>
void ChangeTabs(RteHandle doc, const RteRange* given, bool relayout, int16_t redraw, Change change)
{
    RteRange range = RangeOrSelection(doc, given);
    {
        DocLock locked(doc);
        RteLocked<RteParFormat> formats(locked->parFormats);
        for (int32_t index : FormatsOfRange(locked.get(), range))
            change(formats[index]);
        if (relayout)
            RteMarkForLayout(locked.get(), range.start, range.end);
    }
    if (redraw != RTE_REDRAW_NONE)
        RteRedisplay(doc, nullptr, range.start, -1, nullptr, nullptr, redraw == RTE_REDRAW_DEFAULT ? 5 : redraw, true);
}

}  // namespace

void RteGetIndents(RteHandle doc, const RteRange* range, RteIndents* out, RteIndents* mask)
{
    RteParFormat format = {}, formatMask = {};
    RteGetParFormat(doc, range, false, &format, &formatMask);
    *out = RteIndents{format.leftIndent, format.rightIndent, format.firstIndent};
    if (mask)
        *mask = RteIndents{formatMask.leftIndent, formatMask.rightIndent, formatMask.firstIndent};
}

void RteSetIndents(RteHandle doc, const RteRange* range, const RteIndents* indents, const RteIndents* mask,
                   int16_t redraw)
{
    RteParFormat format = {}, formatMask = {};
    format.leftIndent = indents->left;
    format.rightIndent = indents->right;
    format.firstIndent = indents->first;
    formatMask.leftIndent = mask ? mask->left : -1;
    formatMask.rightIndent = mask ? mask->right : -1;
    formatMask.firstIndent = mask ? mask->first : -1;
    RteSetParFormat(doc, range, &format, &formatMask, redraw);
}

int32_t RteLineWidthAt(RteHandle doc, int32_t offset)
{
    RteRect wrap, view;
    RteGetAreaBounds(doc, &wrap, &view);
    RteParFormat format = *RteParFormatAt(doc, offset);
    RteUnlock(DocLock(doc)->parFormats);
    return wrap.right - wrap.left - format.leftIndent - format.rightIndent + std::max(0, -format.firstIndent);
}

void RteMarkTabs(RteHandle doc, const RteRange* range, const RteTab* flags, int32_t count, bool relayout,
                 int16_t redraw)
{
    ChangeTabs(doc, range, relayout, redraw, [&](RteParFormat& format) {
        for (int32_t n = 0; n < std::min<int32_t>(format.tabCount, count); ++n)
            format.tabs[n].kind |= flags[n].kind;
    });
}

void RteUnmarkTabs(RteHandle doc, const RteRange* range, bool relayout, int16_t redraw)
{
    ChangeTabs(doc, range, relayout, redraw, [](RteParFormat& format) {
        for (int32_t n = 0; n < format.tabCount; ++n)
            format.tabs[n].kind &= RTE_TAB_KIND_BITS;
    });
}

void RteSetParHooks(RteHandle handle, const RteParFormat* values, const RteParFormat* mask,
                    const RteParFormat* andMask, const RteParFormatHooks* hooks, int32_t valueA, int32_t valueB,
                    bool relayout, int16_t redraw)
{
    bool any = false;
    {
        DocLock doc(handle);
        RteLocked<RteParFormat> formats(doc->parFormats);
        for (int32_t i = 0; i < formats.size(); ++i) {
            if (!RteMaskedMatch(RteParFormatUnits(), &formats[i], values, mask, andMask))
                continue;
            formats[i].hooks = *hooks;
            formats[i].value142 = valueA;
            formats[i].value143 = valueB;
            any = true;
        }
        if (any) {
            ++doc->changes;
            if (relayout)
                RteMarkForLayout(doc.get(), 0, doc->textLength);
        }
    }
    if (any && relayout && redraw != RTE_REDRAW_NONE)
        RteRedisplay(handle, nullptr, 0, -1, nullptr, nullptr, redraw == RTE_REDRAW_DEFAULT ? 5 : redraw, true);
}
