// The text messages on the highlight region of a range and on the lines of the second kind.
#include "rect_list.h"
#include "rect_list_region.h"
#include "rte_control_internal.h"
#include "rte_highlight.h"
#include "rte_pages.h"

namespace {

// The highlight of the range as a region of the window, which the caller deletes; 0 when the
// range shows nothing.
HRGN HighlightRegion(RteControl* control, const RteRange* range)
{
    RteRectList area = nullptr;
    HRGN region = nullptr;
    RteGuarded(control, [&] {
        area = RteNewRectList(RteControlContext(), nullptr);
        if (RteRangeArea(control->document, range, nullptr, area)) {
            region = CreateRectRgn(0, 0, 0, 0);
            RteRectListToRegion(area, 0, 0, nullptr, 0, nullptr, region);
        }
    });
    if (area)
        RteFreeRectList(area);
    return region;
}

}  // namespace

LRESULT RteControlTextQueryMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam)
{
    RteHandle doc = control->document;
    switch (message) {
    case RTEM_GETHILITERGN:
        return reinterpret_cast<LRESULT>(HighlightRegion(control, reinterpret_cast<const RteRange*>(lParam)));
    case RTEM_SECONDCOUNT:
        return RteSecondLineCount(doc);
    case RTEM_SECONDAT:
        return RteSecondNumberAt(doc, static_cast<int32_t>(lParam));
    case RTEM_SECONDRANGE: {
        // The line's start, as the paragraph lines answer theirs.
        int32_t start = 0, end = 0;
        RteSecondLineRange(doc, static_cast<int32_t>(lParam), &start, &end);
        return start;
    }
    default:
        return DefWindowProcA(control->window, message, wParam, lParam);
    }
}
