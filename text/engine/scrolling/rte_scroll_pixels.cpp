// Moving pixels instead of drawing the view again: a scroll costs the strips it uncovers.
#include "rte_scroll_pixels.h"

#include "rect_list.h"
#include "rte_gdi_port.h"
#include "rte_highlight.h"
#include "rte_redisplay.h"
#include "rte_typed.h"
#include "scaling.h"

namespace {

RteRect ViewBounds(RteHandle doc) { return RteRectIterator(RteLocked<RteDocument>(doc)->viewArea).Bounds(); }

void Add(RteRectList* list, RteHandle doc, const RteRect& rect)
{
    if (rect.top >= rect.bottom || rect.left >= rect.right)
        return;
    if (!*list) {
        *list = RteNewRectList(RteHandleContext(doc), &rect);
        return;
    }
    RteUnionRectIntoList(*list, &rect);
}

// Draws the area with the mode inside the after-display hook's pair (the whole view when there
// is no area), then puts the highlight or the caret back.
void DrawUncovered(RteHandle doc, RteRectList area, int16_t redraw, bool highlighted)
{
    RteHookTable hooks;
    bool device = false;
    {
        RteLocked<RteDocument> locked(doc);
        hooks = locked->hooks;
        device = locked->env->device != nullptr;
    }
    bool clipped = area && device;
    hooks.afterDisplay(doc, 0, reinterpret_cast<intptr_t>(area), 0);
    if (clipped)
        RteSetClip(doc, RTE_CLIP_TEMPORARY, area);
    RteRedisplay(doc, nullptr, 0, -1, area, nullptr, redraw, false);
    if (clipped)
        RteSetClip(doc, RTE_CLIP_KEPT, nullptr);
    hooks.afterDisplay(doc, 1, reinterpret_cast<intptr_t>(area), 0);
    if (highlighted)
        RteDrawSelection(doc, RTE_CARET_SHOW);
}

}  // namespace

RteRectList RteMovePixels(RteHandle doc, int32_t h, int32_t v)
{
    RteHookTable hooks;
    int32_t factor = 0;
    {
        RteLocked<RteDocument> locked(doc);
        if (!locked->env->device)
            return nullptr;
        hooks = locked->hooks;
        factor = locked->scaling.factor;
    }
    // The port shows the text scaled: so do its movements.
    RteScaleValue(factor, 0, &h);
    RteScaleValue(factor, 0, &v);
    RteRect view = ViewBounds(doc);
    RteRectList uncovered = nullptr;
    const RtePoint moves[2] = {{v, 0}, {0, h}};
    for (const RtePoint& move : moves) {
        if (move.v == 0 && move.h == 0)
            continue;
        hooks.scrolled(doc, move.h, move.v, 0);
        RteRect strip;
        RteScrollPixels(doc, &view, move.h, move.v, &strip);
        Add(&uncovered, doc, strip);
        hooks.scrolled(doc, 0, 0, 0);
    }
    return uncovered;
}

void RteRedrawScrolled(RteHandle doc, RtePoint moved, int16_t redraw, bool highlighted)
{
    RteRectList uncovered = RteMovePixels(doc, moved.h, moved.v);
    DrawUncovered(doc, uncovered, redraw, highlighted);
    if (uncovered)
        RteFreeRectList(uncovered);
}

void RteRedrawStrips(RteHandle doc, int32_t v, int32_t h, int16_t redraw)
{
    RteRect view = ViewBounds(doc);
    RteRectList strips = nullptr;
    if (v > 0)
        Add(&strips, doc, RteRect{view.top, view.left, view.top + v, view.right});
    else if (v < 0)
        Add(&strips, doc, RteRect{view.bottom + v, view.left, view.bottom, view.right});
    if (h > 0)
        Add(&strips, doc, RteRect{view.top, view.left, view.bottom, view.left + h});
    else if (h < 0)
        Add(&strips, doc, RteRect{view.top, view.right + h, view.bottom, view.right});
    if (!strips)
        return;
    RteHookTable hooks = RteLocked<RteDocument>(doc)->hooks;
    hooks.port(doc, 1);
    bool highlighted = RteHideSelectionIfShown(doc, true) != 0;
    DrawUncovered(doc, strips, redraw == RTE_REDRAW_DEFAULT ? 9 : redraw, highlighted);
    RteFreeRectList(strips);
    hooks.port(doc, 0);
}
