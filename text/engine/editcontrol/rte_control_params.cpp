// The control group's messages on the control's parameter record, user data, scroll position,
// points and shared documents.
#include <cstring>

#include "rte_control_internal.h"
#include "rte_line_builder.h"
#include "rte_text_blocks.h"
#include "rte_text_bounds.h"
#include "rte_scrolling.h"
#include "rte_selection.h"
#include "rte_typed.h"

namespace {

void FillParams(const RteControl* control, RteControlInfo* info)
{
    info->flags = control->flags;
    info->notifyFlags = control->notifyFlags;
    info->hSlack = control->hSlack;
    info->vSlack = control->vSlack;
    info->wrap = RECT{control->wrap.left, control->wrap.top, control->wrap.right, control->wrap.bottom};
    info->view = RECT{control->view.left, control->view.top, control->view.right, control->view.bottom};
    info->margins = RECT{control->margins[0], control->margins[2], control->margins[1], control->margins[3]};
    info->columnPen = control->columnPen;
    info->framePen = control->framePen;
    info->rulePen = control->rulePen;
    info->columns = control->columns;
    info->columnGap = control->columnGap;
    info->rulePenWidth = control->rulePenWidth;
    info->pageValue = control->pageValue;
    info->paintMode = control->paintMode;
    info->editRedraw = control->editRedraw;
    info->scrollRedraw = control->scrollRedraw;
    info->spareMode = control->spareMode;
}

void TakePen(HPEN& slot, int16_t& width, HPEN pen)
{
    if (slot && slot != pen)
        DeleteObject(slot);
    slot = pen;
    LOGPEN logpen = {};
    width = pen && GetObjectA(pen, sizeof logpen, &logpen) ? static_cast<int16_t>(logpen.lopnWidth.x) : 0;
}

// Every field taken, the pens taken over; the flags go through the flag-apply step.
void TakeParams(RteControl* control, const RteControlInfo* info, WPARAM redraw)
{
    control->notifyFlags = info->notifyFlags;
    control->hSlack = info->hSlack;
    control->vSlack = info->vSlack;
    control->wrap = RteRect{info->wrap.top, info->wrap.left, info->wrap.bottom, info->wrap.right};
    control->view = RteRect{info->view.top, info->view.left, info->view.bottom, info->view.right};
    control->margins[0] = static_cast<int16_t>(info->margins.left);
    control->margins[1] = static_cast<int16_t>(info->margins.right);
    control->margins[2] = static_cast<int16_t>(info->margins.top);
    control->margins[3] = static_cast<int16_t>(info->margins.bottom);
    TakePen(control->columnPen, control->columnPenWidth, info->columnPen);
    TakePen(control->framePen, control->framePenWidth, info->framePen);
    TakePen(control->rulePen, control->rulePenWidth, info->rulePen);
    control->rulePenWidth = info->rulePenWidth;
    control->columns = info->columns;
    control->columnGap = info->columnGap;
    control->pageValue = info->pageValue;
    control->paintMode = info->paintMode;
    control->editRedraw = info->editRedraw;
    control->scrollRedraw = info->scrollRedraw;
    control->spareMode = info->spareMode;
    bool flagsChanged = RteApplyControlFlags(control, info->flags);
    bool areasChanged = RteComputeAreas(control);
    if (redraw && (flagsChanged || areasChanged))
        RteControlRedraw(control, false);
}

LRESULT SetUserData(RteControl* control, WPARAM count, const void* source)
{
    RteGuarded(control, [&] {
        if (!control->userData)
            control->userData = RteControlAlloc(0, false);
        RteSetCount(control->userData, static_cast<int32_t>(count));
        if (count)
            std::memcpy(RteLocked<uint8_t>(control->userData).get(), source, count);
    });
    return 0;
}

LRESULT GetUserData(const RteControl* control, WPARAM maximum, void* destination)
{
    if (!control->userData)
        return 0;
    RteLocked<uint8_t> bytes(control->userData);
    auto count = static_cast<size_t>(bytes.size());
    if (maximum && maximum < count)
        count = maximum;
    std::memcpy(destination, bytes.get(), count);
    return static_cast<LRESULT>(count);
}

// The paragraph holding the offset laid out again now, block by block from its first.
void RelayoutParagraph(RteHandle doc, int32_t offset)
{
    int32_t start = 0, end = 0;
    RteParagraphBounds(doc, offset, &start, &end);
    int32_t first = 0, last = 0, blockStart = 0;
    {
        RteLocked<RteDocument> locked(doc);
        RteMarkForLayout(locked.get(), start, end);
        first = RteBlockAt(locked.get(), start, &blockStart);
        last = RteBlockAt(locked.get(), end > start ? end - 1 : start, &blockStart);
    }
    for (int32_t block = first; block <= last; ++block)
        RteLayoutBlock(doc, block, nullptr, true);
}

}  // namespace

LRESULT RteControlParamMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam)
{
    RteHandle doc = control->document;
    switch (message) {
    case RTEM_SETPARAMS:
        TakeParams(control, reinterpret_cast<const RteControlInfo*>(lParam), wParam);
        return 0;
    case RTEM_GETPARAMS:
        FillParams(control, reinterpret_cast<RteControlInfo*>(lParam));
        return 0;
    case RTEM_SETPURGEVALUE:
        if (wParam)
            RteSetPurgeHook(RteControlContext(), nullptr, static_cast<intptr_t>(wParam));
        return 0;
    case RTEM_HITTEST: {
        RtePoint point{static_cast<int16_t>(HIWORD(lParam)), static_cast<int16_t>(LOWORD(lParam))};
        return RteControlHitKind(control, point);
    }
    case RTEM_SETUSERDATA:
        return SetUserData(control, wParam, reinterpret_cast<const void*>(lParam));
    case RTEM_GETUSERDATA:
        return GetUserData(control, wParam, reinterpret_cast<void*>(lParam));
    case RTEM_GETSCROLLPOS: {
        RtePoint scroll{};
        RteGetScrollPosition(doc, &scroll);
        auto* out = reinterpret_cast<int32_t*>(lParam);
        out[0] = scroll.v;
        out[1] = scroll.h;
        return 0;
    }
    case RTEM_OFFSETATPOINT: {
        RtePoint point{LOWORD(lParam), HIWORD(lParam)};
        int32_t offset = 0;
        RteGuarded(control, [&] { offset = RteOffsetAtPoint(doc, &point, nullptr); });
        return offset;
    }
    case RTEM_RELAYOUT:
        RteGuarded(control, [&] { RelayoutParagraph(doc, static_cast<int32_t>(lParam)); });
        return 0;
    case RTEM_SHAREDOC:
        RteGuarded(control, [&] {
            RteShareParts(doc, reinterpret_cast<RteHandle>(lParam), RTE_SHARE_STYLES | static_cast<uint32_t>(wParam));
        });
        return 0;
    default:
        return DefWindowProcA(control->window, message, wParam, lParam);
    }
}
