// The engine hooks through which drawing, paragraphs drawn, automatic scrolling and the margins
// of repeated pages are reported to the notify window when its flags ask; otherwise the engine's own hooks
// do their work alone. And the report of the pages a paint showed.
#include <algorithm>

#include "rect_list.h"
#include "rect_ops.h"
#include "rte_control_internal.h"
#include "rte_gdi.h"
#include "rte_redisplay.h"
#include "rte_scrolling.h"
#include "rte_typed.h"

namespace {

// The engine's hooks, called when the notify window does not take the work.
RteNotify6Hook g_drawing = nullptr;
RteNotify3Hook g_pageMargins = nullptr;
RteParLayoutHook g_paragraphDraw = nullptr;

HDC CurrentDc(RteHandle doc)
{
    RteGdiPort* port = RteGdiOf(RteDocEnvironment(doc))->current;
    return port ? port->dc : nullptr;
}

// Before drawing the parent hears what is about to be drawn and where the origin stands.
void Drawing(RteHandle doc, intptr_t code, intptr_t a, intptr_t b, intptr_t c, intptr_t d)
{
    g_drawing(doc, code, a, b, c, d);
    RteDocControl control(doc, RTEN_FLAG_PREDRAW);
    if (!control.get() || code != RTE_DRAWING_BEGINS)
        return;
    RtePageNotify record{};
    RteRectListFirst(RteViewArea(doc), &record.rect);
    RtePoint origin{}, scroll{};
    RteGetPortOrigin(doc, &origin);
    RteGetScrollPosition(doc, &scroll);
    record.v = origin.v - scroll.v;
    record.h = origin.h - scroll.h;
    record.dc = CurrentDc(doc);
    RteNotify(control.get(), RTEN_PREDRAW, reinterpret_cast<LPARAM>(&record));
}

RECT WindowRect(const RteRect& rect) { return RECT{rect.left, rect.top, rect.right, rect.bottom}; }

// The drawing slot of the default paragraph format: the engine's own work (the tab leaders),
// then a paragraph drawn is reported. Only the paragraph mode has a paragraph's record.
intptr_t ParagraphDraw(RteHandle doc, RteParFormat* format, intptr_t mode, intptr_t request, intptr_t c)
{
    intptr_t result = g_paragraphDraw(doc, format, mode, request, c);
    if (mode != RTE_PAR_DRAW_PARAGRAPH)
        return result;
    RteDocControl control(doc, RTEN_FLAG_PARDRAWN);
    if (!control.get())
        return result;
    const auto& drawn = *reinterpret_cast<const RteParagraphDrawn*>(request);
    const bool textEnd = drawn.end >= RteLocked<RteDocument>(doc)->textLength;
    RteParagraphNotify record{CurrentDc(doc),
                              WindowRect(drawn.rect),
                              drawn.second ? WindowRect(*drawn.second) : RECT{},
                              drawn.mode,
                              drawn.block,
                              drawn.start,
                              drawn.end,
                              static_cast<uint16_t>((drawn.firstFlags & RTE_PARDRAWN_FIRST_LINE_FLAGS) |
                                                    (drawn.lastFlags & RTE_PARDRAWN_LAST_LINE_FLAGS) |
                                                    (drawn.second ? 0 : RTE_PARDRAWN_NO_SECOND) |
                                                    (textEnd ? RTE_PARDRAWN_TEXT_END : 0))};
    RteNotify(control.get(), RTEN_PARDRAWN, reinterpret_cast<LPARAM>(&record));
    return result;
}

// The parent may scroll itself (a nonzero answer, the horizontal change its result) or let the
// engine's auto-scroll step towards the point (the environment's own slot does nothing).
intptr_t AutoScroll(RteHandle doc, intptr_t h, intptr_t v, intptr_t point, intptr_t mode, intptr_t e)
{
    {
        RteDocControl control(doc, RTEN_FLAG_AUTOSCROLL);
        if (control.get()) {
            auto* at = reinterpret_cast<const RtePoint*>(point);
            RteAutoScrollNotify record{static_cast<int32_t>(mode), static_cast<int32_t>(v), static_cast<int32_t>(h),
                                       static_cast<int16_t>(at->v), static_cast<int16_t>(at->h)};
            if (RteNotify(control.get(), RTEN_AUTOSCROLL, reinterpret_cast<LPARAM>(&record)))
                return record.h;
        }
    }
    return RteAutoScroll(doc, h, v, point, mode, e);
}

// Each answer that is not 0 gives two margins of the page: top and left, then bottom and
// right, low word first.
void PageMargins(RteHandle doc, intptr_t page, intptr_t margins)
{
    g_pageMargins(doc, page, margins);
    RteDocControl control(doc, RTEN_FLAG_PAGEMARGINS);
    if (!control.get())
        return;
    auto* out = reinterpret_cast<RteRect*>(margins);
    if (LRESULT first = RteNotify(control.get(), RTEN_PAGEMARGINS1, page)) {
        out->top = static_cast<int16_t>(LOWORD(first));
        out->left = static_cast<int16_t>(HIWORD(first));
    }
    if (LRESULT second = RteNotify(control.get(), RTEN_PAGEMARGINS2, page)) {
        out->bottom = static_cast<int16_t>(LOWORD(second));
        out->right = static_cast<int16_t>(HIWORD(second));
    }
}

}  // namespace

void RteInstallDrawingHooks(RteEnvironment* env)
{
    g_drawing = env->hooks.drawing;
    g_pageMargins = env->hooks.pageMargins;
    g_paragraphDraw = env->defaultFormat.hooks.draw;
    env->hooks.drawing = Drawing;
    env->defaultFormat.hooks.draw = ParagraphDraw;
    env->hooks.autoScroll = AutoScroll;
    env->hooks.pageMargins = PageMargins;
}

void RteReportDrawnPages(RteControl* control, HDC dc, const RECT& painted)
{
    if (!(control->notifyFlags & (RTEN_FLAG_PAGEDRAWN | RTEN_FLAG_PAGEDECOR)))
        return;
    RteHandle doc = control->document;
    RtePoint scroll{};
    RteGetScrollPosition(doc, &scroll);
    int32_t pages = std::max(1, RteLocked<RteDocument>(doc)->pagesInUse);
    RteRect area{painted.top, painted.left, painted.bottom, painted.right};
    for (int32_t page = 1; page <= pages; ++page) {
        RteRect rect = RtePageRect(doc, page);
        RteRect shown = rect;
        RteOffsetRect(&shown, -scroll.h, -scroll.v);
        if (!RteSectRect(&shown, &area, nullptr))
            continue;
        if (control->notifyFlags & RTEN_FLAG_PAGEDRAWN) {
            RtePageNotify record{page, shown, 0, scroll.v, scroll.h, dc};
            RteNotify(control, RTEN_PAGEDRAWN, reinterpret_cast<LPARAM>(&record));
        }
        if (control->notifyFlags & RTEN_FLAG_PAGEDECOR) {
            RtePageNotify record{page, rect, 0, 0, 0, dc};
            RteNotify(control, RTEN_PAGEDECOR, reinterpret_cast<LPARAM>(&record));
        }
    }
}
