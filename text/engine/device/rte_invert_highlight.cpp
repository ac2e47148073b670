// Highlight inversion: inverting twice restores the pixels, so a highlight is taken away by
// drawing it again and a change is shown by inverting only the difference.
#include "rte_invert_highlight.h"

#include "rect_list.h"
#include "rect_ops.h"
#include "rte_gdi_port.h"
#include "rte_typed.h"
#include "scaling.h"

namespace {

constexpr int32_t kViewSlack = 8;

}  // namespace

intptr_t RteInvertHighlight(RteHandle doc, intptr_t listArg, intptr_t, intptr_t, intptr_t, intptr_t)
{
    auto list = reinterpret_cast<RteRectList>(listArg);
    RteGdiPort* port = nullptr;
    RteScaling scaling;
    RtePoint scroll;
    RteRect view;
    {
        RteLocked<RteDocument> locked(doc);
        port = RteGdiPortOf(&locked->port);
        scaling = locked->scaling;
        scroll = RtePoint{-locked->scroll.v, -locked->scroll.h};
        view = RteRectIterator(locked->viewArea).Bounds();
    }
    HDC dc = RtePortGetDC(port);
    int saved = SaveDC(dc);
    // Inversion works on device pixels: the mapping of scaled drawing must not apply twice.
    RteResetMapping(dc);
    IntersectClipRect(dc, view.left, view.top, view.right, view.bottom);
    RteRect reach = view;
    RteInsetRect(&reach, -kViewSlack, -kViewSlack);
    {
        RteRectIterator rects(list);
        for (const RteRect& rect : rects.Rects()) {
            RteRect shown;
            RteCopyOffsetScaleRect(&scaling, &rect, &shown, &scroll);
            if (!RteSectRect(&shown, &reach, nullptr))
                continue;
            RECT pixels{shown.left, shown.top, shown.right, shown.bottom};
            InvertRect(dc, &pixels);
        }
    }
    RestoreDC(dc, saved);
    RtePortReleaseDC(port);
    return 0;
}
