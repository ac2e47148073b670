// The appearance messages on the document's scale, two of its flags, its pages and the values
// the owner keeps in it.
#include <algorithm>

#include "rte_areas.h"
#include "rte_control_internal.h"
#include "rte_point_location.h"
#include "rte_scrolling.h"
#include "rte_typed.h"
#include "rect_ops.h"

namespace {

constexpr uint32_t kDocBit6 = 0x40;
constexpr uint32_t kDocBit7 = 0x80;
constexpr uint32_t kPagesRepeat = 0x1 | 0x2;
// The owner's value lives in the document's extension table, below the entries others number.
constexpr int32_t kDocValueEntry = -1;

LRESULT SetDocFlag(RteControl* control, uint32_t bit, WPARAM on)
{
    uint32_t flags = RteGetDocFlags(control->document);
    RteSetDocFlags(control->document, on ? (flags | bit) : (flags & ~bit));
    RteControlRedraw(control, false);
    return 0;
}

// Pages count the copies of the wrap area: the container of the offset's line over the
// containers a copy holds.
LRESULT PageOfOffset(RteHandle doc, LPARAM offset)
{
    RtePageSettings page;
    RteGetPageSettings(doc, &page);
    if (!(page.flags & kPagesRepeat))
        return 0;
    // Containers are numbered from 1, repetitions counted on.
    int32_t perPage = std::max(1, RteContainerCount(doc));
    return (std::max(1, RteContainerOfLine(doc, static_cast<int32_t>(offset))) - 1) / perPage + 1;
}

LRESULT PageAtPoint(RteHandle doc, const int32_t* point)
{
    RtePoint at{point[0], point[1]};
    return RtePageAtPoint(doc, &at, nullptr, nullptr, nullptr, true) + 1;
}

LRESULT PageRect(RteControl* control, RtePageRectRecord* record)
{
    RteContainerRecord out{};
    RteContainerRecordOut(control, RtePageRect(control->document, record->page), &out);
    record->rect = out.rect;
    record->v = out.v;
    record->h = out.h;
    return 0;
}

LRESULT SetPagePair(RteControl* control, WPARAM redraw, LPARAM pair)
{
    RteHandle doc = control->document;
    RtePageSettings page;
    RteGetPageSettings(doc, &page);
    page.columns = HIWORD(pair);
    page.gap = LOWORD(pair);
    RteGuarded(control, [&] { RteSetPageSettings(doc, &page, true, redraw ? control->editRedraw : 0); });
    if (redraw)
        RteNotifyPending(control);
    return 0;
}

}  // namespace

RteRect RtePageRect(RteHandle doc, int32_t page)
{
    int32_t perPage = RteContainerCount(doc);
    RtePoint offset{};
    RteContainerRepeat(doc, (page > 0 ? page - 1 : 0) * (perPage > 0 ? perPage : 1), &offset);
    RteRect rect;
    RteGetContainer(doc, 1, false, false, &rect);
    RteOffsetRect(&rect, offset.h, offset.v);
    return rect;
}

LRESULT RteControlPageMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam)
{
    RteHandle doc = control->document;
    switch (message) {
    case RTEM_SETSCALE: {
        RteScaling scaling{0, 0, static_cast<int32_t>(lParam)};
        RteSetScaling(doc, &scaling);
        if (wParam)
            RteControlRedraw(control, false);
        return 0;
    }
    case RTEM_GETSCALE:
        return RteLocked<RteDocument>(doc)->scalingGiven;
    case RTEM_SETDOCBIT6:
    case RTEM_SETDOCBIT7:
        return SetDocFlag(control, message == RTEM_SETDOCBIT6 ? kDocBit6 : kDocBit7, wParam);
    case RTEM_GETDOCBIT6:
        return (RteGetDocFlags(doc) & kDocBit6) ? 1 : 0;
    case RTEM_GETDOCBIT7:
        return (RteGetDocFlags(doc) & kDocBit7) ? 1 : 0;
    case RTEM_PAGEOFOFFSET:
        return PageOfOffset(doc, lParam);
    case RTEM_PAGEATPOINT:
        return PageAtPoint(doc, reinterpret_cast<const int32_t*>(lParam));
    case RTEM_GETPAGERECT:
        return PageRect(control, reinterpret_cast<RtePageRectRecord*>(lParam));
    case RTEM_SETDOCVALUE:
        RteSetExtValue(doc, kDocValueEntry, static_cast<int32_t>(lParam));
        return 0;
    case RTEM_GETDOCVALUE:
        return RteGetExtValue(doc, kDocValueEntry);
    case RTEM_SETPAGEPAIR:
        return SetPagePair(control, wParam, lParam);
    case RTEM_GETPAGEPAIR: {
        RtePageSettings page;
        RteGetPageSettings(doc, &page);
        return MAKELONG(page.gap, page.columns);
    }
    default:
        return DefWindowProcA(control->window, message, wParam, lParam);
    }
}
