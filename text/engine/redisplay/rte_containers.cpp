// Containers drawn copy by copy from the one at the view's top: a long repeating document
// costs only the pages it shows.
#include "rte_containers.h"

#include <algorithm>

#include "rect_list.h"
#include "rect_ops.h"
#include "rte_areas.h"
#include "rte_gdi_port.h"
#include "rte_line_builder.h"
#include "rte_redisplay.h"
#include "rte_substitutes.h"
#include "rte_typed.h"

namespace {

// Where document coordinates stand in the window: the drawing origin less the scroll.
RtePoint Origin(RteHandle doc)
{
    RteLocked<RteDocument> locked(doc);
    return RtePoint{locked->port.origin.v - locked->scroll.v, locked->port.origin.h - locked->scroll.h};
}

}  // namespace

int32_t RtePagesInUse(RteHandle doc)
{
    RtePoint step = RteRepeatStep(doc);
    if (step == RtePoint{})
        return 1;
    RteLayoutDocument(doc);
    int32_t container = std::max(1, RteContainerOfLine(doc, RteLocked<RteDocument>(doc)->textLength));
    return (container - 1) / std::max(1, RteContainerCount(doc)) + 1;
}

void RteDrawContainers(RteHandle doc, const RteDrawPort* port, const RtePoint* offset, RteRectList view, int16_t mode)
{
    if (mode == RTE_REDRAW_NONE)
        return;
    Substitutes substitutes(doc, port, view, offset);
    int32_t pages = RtePagesInUse(doc);
    RteHookTable hooks;
    RteRect shown, wrap;
    {
        RteLocked<RteDocument> locked(doc);
        locked->pagesInUse = pages;
        hooks = locked->hooks;
        shown = RteRectIterator(locked->viewArea).Bounds();
        wrap = RteRectIterator(locked->wrapArea).Bounds();
    }
    RtePoint origin = Origin(doc);
    RtePoint step = RteRepeatStep(doc);
    int32_t rects = std::max(1, RteContainerCount(doc));
    hooks.port(doc, 1);
    if (step == RtePoint{}) {
        for (int32_t i = 0; i < rects; ++i)
            RteCallContainerHook(doc, i, &origin, RTE_CONTAINER_DRAW, 0, 0);
    } else {
        // From the copy at the view's top until a copy lies past its bottom or right edge.
        int32_t copy = step.v > 0 ? std::max(0, (shown.top - origin.v - wrap.top) / step.v)
                                  : std::max(0, (shown.left - origin.h - wrap.left) / step.h);
        for (;; ++copy) {
            RtePoint at{origin.v + step.v * copy, origin.h + step.h * copy};
            if (wrap.top + at.v >= shown.bottom || wrap.left + at.h >= shown.right)
                break;
            for (int32_t i = 0; i < rects; ++i)
                RteCallContainerHook(doc, copy * rects + i, &origin, RTE_CONTAINER_DRAW, 0, 0);
        }
    }
    hooks.port(doc, 0);
    RteLocked<RteDocument>(doc)->flags2 &= ~RTE_DOC2_DRAW_CONTAINERS;
}

int32_t RteUpdatePageCount(RteHandle doc, int16_t mode)
{
    int32_t before = 0;
    bool device = false;
    {
        RteLocked<RteDocument> locked(doc);
        if (!(locked->layoutFlags & RTE_LAYOUT_REPEAT_DOWN))
            return locked->pagesInUse;
        before = locked->pagesInUse;
        device = locked->env->device != nullptr;
    }
    int32_t pages = RtePagesInUse(doc);
    RteLocked<RteDocument>(doc)->pagesInUse = pages;
    if (mode == RTE_REDRAW_NONE)
        return pages;
    RteHookTable hooks = RteLocked<RteDocument>(doc)->hooks;
    if (pages < before && device) {
        // The copies that no longer hold text go back to the background.
        RteRect wrap;
        RteEnvironment* env = nullptr;
        {
            RteLocked<RteDocument> locked(doc);
            wrap = RteRectIterator(locked->wrapArea).Bounds();
            env = locked->env;
        }
        RtePoint origin = Origin(doc);
        RtePoint step = RteRepeatStep(doc);
        RteRect freed{wrap.top + step.v * pages, wrap.left, wrap.top + step.v * before, wrap.right};
        RteOffsetRect(&freed, origin.h, origin.v);
        hooks.port(doc, 1);
        RteEraseRect(env, &freed);
        hooks.port(doc, 0);
    }
    RteDrawContainers(doc, nullptr, nullptr, nullptr, mode);
    return pages;
}
