// Where a tab ends: the tab base, the stop that applies after a position, and the default tab
// hook that places the text after the tab by the stop's kind.
#include "rect_list.h"
#include "rte_paragraph_hooks.h"
#include "rte_typed.h"

namespace {

constexpr int32_t kBaseFromWrap = -1;
constexpr intptr_t kTabStopClasses = 0x440;  // a tab or a control character
constexpr intptr_t kDecimalClass = 0x80000;
constexpr int32_t kStopUsed = 0x8000;

RteTab LeftTabAt(int32_t position) { return RteTab{RTE_TAB_LEFT, 0, position, 0}; }

// The width of the text after a tab that a centre, right or decimal stop places.
int32_t PlacedWidth(RteHandle doc, const RteTabRequest& r, int32_t kind)
{
    intptr_t stops = kTabStopClasses | (kind == RTE_TAB_DECIMAL ? kDecimalClass : 0);
    int32_t n = 0;
    for (; n < r.count; ++n) {
        RteStyleWalkSet(r.walker, r.offset + 1 + n);
        RteCharStyle* style = r.walker->style;
        if (style->hooks.charInfo(doc, style, reinterpret_cast<intptr_t>(r.text + n), 1, stops, 0) & stops)
            break;
    }
    return r.positions[n] - r.positions[0];
}

}  // namespace

int32_t RteTabBase(RteHandle handle, int32_t lineLeft)
{
    RteLocked<RteDocument> doc(handle);
    if (doc->tabBase >= 0)
        return doc->tabBase;
    if (doc->tabBase != kBaseFromWrap)
        return lineLeft;
    return RteRectIterator(doc->wrapArea).Bounds().left;
}

void RteNextTabStop(const RteParFormat* format, int32_t base, int32_t x, RteTab* out)
{
    int32_t implicit = base + format->leftIndent + (format->firstIndent > 0 ? format->firstIndent : 0);
    const RteTab* nearest = nullptr;
    for (int32_t i = 0; i < format->tabCount; ++i) {
        const RteTab& tab = format->tabs[i];
        if (base + tab.position >= x && (!nearest || tab.position < nearest->position))
            nearest = &tab;
    }
    if (nearest) {
        *out = implicit >= x && implicit < base + nearest->position ? LeftTabAt(implicit - base) : *nearest;
        return;
    }
    if (implicit >= x) {
        *out = LeftTabAt(implicit - base);
        return;
    }
    int32_t spacing = format->tabSpacing > 0 ? format->tabSpacing : 1;
    int32_t steps = (x - base + spacing - 1) / spacing;
    *out = LeftTabAt(steps * spacing);
}

intptr_t RteDefaultTab(RteHandle doc, RteParFormat* format, intptr_t request, intptr_t, intptr_t)
{
    auto& r = *reinterpret_cast<RteTabRequest*>(request);
    r.stop = 0;
    if (RteLocked<RteDocument>(doc)->flags & RTE_DOC_FIXED_TABS)
        return r.x + format->tabSpacing;
    int32_t base = RteTabBase(doc, r.lineLeft);
    RteTab tab;
    RteNextTabStop(format, base, r.x + 1, &tab);
    for (int32_t i = 0; i < format->tabCount; ++i) {
        if (format->tabs[i].position == tab.position)
            r.stop = kStopUsed | i;
    }
    int32_t kind = tab.kind & 0xFFF;
    int32_t end = base + tab.position;
    if (kind == RTE_TAB_LEFT || kind == RTE_TAB_NONE)
        return end;
    int32_t width = PlacedWidth(doc, r, kind);
    end -= kind == RTE_TAB_CENTRED ? width / 2 : width;
    return end > r.x ? end : r.x;
}
