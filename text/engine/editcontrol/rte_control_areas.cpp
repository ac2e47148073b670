// The page and area group: the control's rect, the document's view area and the containers of
// its wrap area, each a rect the text flows through in turn.
#include "rect_list.h"
#include "rte_areas.h"
#include "rte_control_internal.h"
#include "rte_scrolling.h"

namespace {

RteRect EngineRect(const RECT& rect) { return RteRect{rect.top, rect.left, rect.bottom, rect.right}; }

RECT WindowsRect(const RteRect& rect) { return RECT{rect.left, rect.top, rect.right, rect.bottom}; }

// The wrap area becomes a list of containers the control no longer computes.
void FreeWrap(RteControl* control) { control->state |= RTE_STATE_FREE_WRAP; }

LRESULT Containers(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam)
{
    RteHandle doc = control->document;
    auto* record = reinterpret_cast<RteContainerRecord*>(lParam);
    switch (message) {
    case RTEM_SETCONTAINERS: {
        RteRectList list = RteNewRectList(RteControlContext(), &record->rect);
        RteSetAreas(doc, nullptr, list, nullptr);
        RteFreeRectList(list);
        FreeWrap(control);
        RteApplyControlFlags(control, control->flags);
        if (wParam)
            RteControlRedraw(control, false);
        RteNotifyChange(control);
        return 0;
    }
    case RTEM_ADDCONTAINER:
        FreeWrap(control);
        RteGuarded(control, [&] {
            if (!wParam) {
                RteInsertContainer(doc, &record->rect, RteRectListCount(RteWrapArea(doc)) + 1, 0, 0);
                return;
            }
            // A union keeps the rects apart: the wrap area is rebuilt from a copy.
            RteRectList copy = RteNewRectList(RteControlContext(), nullptr);
            RteCopyInto(reinterpret_cast<RteHandle>(RteWrapArea(doc)), reinterpret_cast<RteHandle>(copy));
            RteUnionRectIntoList(copy, &record->rect);
            RteSetAreas(doc, nullptr, copy, nullptr);
            RteFreeRectList(copy);
        });
        RteControlRedraw(control, false);
        RteNotifyChange(control);
        return 0;
    case RTEM_CONTAINERCOUNT:
        return (control->state & RTE_STATE_FREE_WRAP) ? RteRectListCount(RteWrapArea(doc)) : 0;
    case RTEM_GETCONTAINER: {
        RteRectIterator list(RteWrapArea(doc));
        if (static_cast<int32_t>(wParam) > list.Count())
            return 0;
        RteContainerRecordOut(control, list.Rect(static_cast<int32_t>(wParam)), record);
        return 0;
    }
    case RTEM_DELCONTAINER: {
        auto index = static_cast<int32_t>(wParam);
        int32_t count = RteRectListCount(RteWrapArea(doc));
        // The wrap area keeps one rect at least.
        if (index < 1 || index > count || count < 2)
            return 0;
        RteGuarded(control, [&] { RteRemoveContainer(doc, index, 0); });
        RteControlRedraw(control, false);
        RteNotifyChange(control);
        return 0;
    }
    case RTEM_SETCONTAINER:
        if (static_cast<int32_t>(wParam) < 1 || static_cast<int32_t>(wParam) > RteRectListCount(RteWrapArea(doc)))
            return 0;
        RteGuarded(control, [&] { RteReplaceContainer(doc, &record->rect, static_cast<int32_t>(wParam), 0); });
        RteNotifyChange(control);
        return 0;
    case RTEM_CONTAINERATPOINT: {
        RtePoint point{static_cast<int16_t>(HIWORD(lParam)), static_cast<int16_t>(LOWORD(lParam))};
        return RteContainerAtPoint(doc, &point, nullptr);
    }
    default:  // RTEM_RESETCONTAINERS
        control->state &= ~RTE_STATE_FREE_WRAP;
        RteComputeAreas(control);
        if (wParam)
            RteControlRedraw(control, false);
        RteNotifyChange(control);
        return 0;
    }
}

}  // namespace

void RteContainerRecordOut(const RteControl* control, const RteRect& rect, RteContainerRecord* record)
{
    record->rect = rect;
    RtePoint scroll{};
    RteGetScrollPosition(control->document, &scroll);
    record->v = -scroll.v;
    record->h = -scroll.h;
}

LRESULT RteControlAreaMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam)
{
    RteHandle doc = control->document;
    switch (message) {
    case RTEM_SETRECT: {
        RteRect rect = EngineRect(*reinterpret_cast<const RECT*>(lParam));
        if (control->flags & RTE_CTL_WRAP_FOLLOWS_VIEW)
            control->view = rect;
        else
            control->wrap = rect;
        if (RteComputeAreas(control) && wParam)
            RteControlRedraw(control, false);
        return 0;
    }
    case RTEM_GETRECT:
        *reinterpret_cast<RECT*>(lParam) = WindowsRect(control->wrap);
        return 0;
    case RTEM_SETVIEWAREA: {
        RteRect rect = EngineRect(*reinterpret_cast<const RECT*>(lParam));
        RteRectList list = RteNewRectList(RteControlContext(), &rect);
        RteSetAreas(doc, list, (control->flags & RTE_CTL_WRAP_FOLLOWS_VIEW) ? list : nullptr, nullptr);
        RteFreeRectList(list);
        if (wParam)
            RteControlRedraw(control, false);
        return 0;
    }
    case RTEM_GETVIEWAREA: {
        RteRect bounds;
        RteRectListFirst(RteViewArea(doc), &bounds);
        *reinterpret_cast<RECT*>(lParam) = WindowsRect(bounds);
        return 0;
    }
    default:
        if (message <= RTEM_RESETCONTAINERS)
            return Containers(control, message, wParam, lParam);
        return RteControlExclusionMessage(control, message, wParam, lParam);
    }
}
