// The exclusions of the page and area group: the rects of the document's extra area, which
// the text flows around, each with a value of the owner's.
#include "rte_areas.h"
#include "rte_control_internal.h"
#include "rte_extra_rects.h"
#include "rte_text_blocks.h"
#include "rte_typed.h"

namespace {

bool IsExclusion(RteHandle doc, WPARAM index)
{
    auto number = static_cast<int32_t>(index);
    return number >= 1 && number <= RteExtraRectCount(doc);
}

// Every rect goes, the last first; the last one empties the area and its values.
void ClearExclusions(RteHandle doc)
{
    for (int32_t n = RteExtraRectCount(doc); n >= 1; --n)
        RteDeleteExtraRect(doc, n, 0);
    RteLocked<RteDocument> locked(doc);
    locked->areaChanges |= RTE_AREA_WRAP_CHANGED | RTE_AREA_EXTRA_CHANGED;
    RteMarkForLayout(locked.get(), 0, locked->textLength);
}

// A change of the area is drawn and reported.
LRESULT Changed(RteControl* control, bool redraw)
{
    if (redraw)
        RteControlRedraw(control, false);
    RteNotifyChange(control);
    return 0;
}

}  // namespace

LRESULT RteControlExclusionMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam)
{
    RteHandle doc = control->document;
    auto* record = reinterpret_cast<RteContainerRecord*>(lParam);
    switch (message) {
    case RTEM_ADDEXCLUSION:
        RteGuarded(control, [&] { RteInsertExtraRect(doc, &record->rect, RteExtraRectCount(doc), 0, 0); });
        return Changed(control, true);
    case RTEM_EXCLUSIONCOUNT:
        return RteExtraRectCount(doc);
    case RTEM_GETEXCLUSION: {
        if (!IsExclusion(doc, wParam))
            return 0;
        RteRect rect;
        RteGetExtraRect(doc, static_cast<int32_t>(wParam), false, false, &rect);
        RteContainerRecordOut(control, rect, record);
        return 0;
    }
    case RTEM_DELEXCLUSION:
        if (!IsExclusion(doc, wParam))
            return 0;
        RteGuarded(control, [&] { RteDeleteExtraRect(doc, static_cast<int32_t>(wParam), 0); });
        return Changed(control, true);
    case RTEM_SETEXCLUSION:
        if (!IsExclusion(doc, wParam))
            return 0;
        RteGuarded(control, [&] { RteReplaceExtraRect(doc, &record->rect, static_cast<int32_t>(wParam), 0); });
        return Changed(control, false);
    case RTEM_CLEAREXCLUSIONS:
        RteGuarded(control, [&] { ClearExclusions(doc); });
        return Changed(control, wParam != 0);
    case RTEM_EXCLUSIONATPOINT: {
        RtePoint point{static_cast<int16_t>(HIWORD(lParam)), static_cast<int16_t>(LOWORD(lParam))};
        return RteExtraRectAtPoint(doc, &point, nullptr);
    }
    case RTEM_SETEXCLUSIONVALUE:
        if (IsExclusion(doc, wParam))
            RteSetExtraValue(doc, static_cast<int32_t>(wParam), static_cast<int32_t>(lParam));
        return 0;
    case RTEM_GETEXCLUSIONVALUE:
        return IsExclusion(doc, wParam) ? RteGetExtraValue(doc, static_cast<int32_t>(wParam)) : 0;
    case RTEM_MOVEEXCLUSION:
        if (!IsExclusion(doc, HIWORD(lParam)) || !IsExclusion(doc, LOWORD(lParam)))
            return 0;
        RteGuarded(control, [&] {
            RteSwapExtraRects(doc, HIWORD(lParam), LOWORD(lParam), wParam ? control->editRedraw : 0);
        });
        if (wParam)
            RteNotifyPending(control);
        return 0;
    default:
        return DefWindowProcA(control->window, message, wParam, lParam);
    }
}
