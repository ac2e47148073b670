// A control's record and document made at WM_CREATE and freed at WM_DESTROY, and the view and
// wrap areas computed from its rects, pens, margins and columns.
#include <algorithm>
#include <cstring>

#include "rect_list.h"
#include "rte_areas.h"
#include "rte_control_internal.h"
#include "rte_position_queries.h"
#include "rte_typed.h"
#include "rte_undo.h"

namespace {

constexpr uint32_t kDocFlagsKept = 0xBFF7E7F9;

RteRect Inset(RteRect rect, int32_t by)
{
    rect.top += by;
    rect.left += by;
    rect.bottom -= by;
    rect.right -= by;
    return rect;
}

// With n columns, n - 1 further rects right of the first, a gap apart.
void BuildColumns(RteControl* control)
{
    RteRect bounds;
    RteRectListFirst(RteWrapArea(control->document), &bounds);
    int32_t n = std::max<int32_t>(control->columns, 1);
    int32_t width = (bounds.right - bounds.left - n * control->columnGap) / n;
    RteRect column = bounds;
    column.right = column.left + width;
    RteRectList columns = RteNewRectList(RteControlContext(), &column);
    {
        RteRectIterator list(columns);
        for (int32_t i = 1; i < n; ++i) {
            column.left += control->columnGap + width;
            column.right = column.left + width;
            list.Append(column);
        }
    }
    RteSetAreas(control->document, nullptr, columns, nullptr);
    RteFreeRectList(columns);
    RtePageSettings page;
    RteGetPageSettings(control->document, &page);
    // The columns are a page repeated downwards (0x1) whose last column keeps its height (0x4):
    // page breaks and kept paragraphs take effect.
    page.flags |= RTE_LAYOUT_REPEAT_DOWN | RTE_LAYOUT_KEEP_LAST_HEIGHT;
    RteSetPageSettings(control->document, &page, true, 0);
    RteInvalidateLayout(control->document, false, true);
}

}  // namespace

LRESULT RteControlCreate(HWND window, const CREATESTRUCTA* create)
{
    RteMemContext* context = RteControlContext();
    RteHandle handle = RteAllocOf<RteControl>(context, 1, 0, true);
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(handle));
    RteControl* control = static_cast<RteControl*>(RteLock(handle));
    control->hSlack = 16;
    control->scrollRedraw = 9;
    control->paintMode = 9;
    control->spareMode = 1;
    control->editRedraw = 1;
    control->style = static_cast<uint32_t>(create->style);
    control->flags = RTE_CTL_DEFAULT_FLAGS;
    control->notifyWindow = create->hwndParent;
    control->id = LOWORD(reinterpret_cast<uintptr_t>(create->hMenu));
    control->window = window;
    control->columns = 1;

    // The wrap rect starts as the parent's client rectangle, cut to the window's place and size,
    // then moved into the window's own client coordinates.
    RECT client = {};
    if (create->hwndParent)
        GetClientRect(create->hwndParent, &client);
    RteRect parent{client.top, client.left, client.bottom, client.right};
    RteRect wrap = parent;
    if (create->y > wrap.top)
        wrap.top = create->y;
    if (create->x > wrap.left)
        wrap.left = create->x;
    if (create->cy)
        wrap.bottom = wrap.top + create->cy;
    if (create->cx)
        wrap.right = wrap.left + create->cx;
    int32_t dv = parent.top - create->y - wrap.top;
    int32_t dh = parent.left - create->x - wrap.left;
    wrap = RteRect{wrap.top + dv, wrap.left + dh, wrap.bottom + dv, wrap.right + dh};
    RteRect view{std::max(wrap.top, parent.top), std::max(wrap.left, parent.left),
                 std::min(wrap.bottom, parent.bottom), std::min(wrap.right, parent.right)};
    control->wrap = wrap;
    control->view = view;

    RteEnvironment* env = RteEnvironmentOf();
    env->defaultFormat.alignment = (create->style & ES_CENTER) ? 1 : (create->style & ES_RIGHT) ? 2 : 0;
    uint32_t docFlags = (create->style & ES_MULTILINE) ? 0x826 : 0x827;
    if (create->style & ES_READONLY)
        docFlags |= 0x8;
    docFlags |= 0x10000;
    RteRectList viewList = RteNewRectList(context, &view);
    RteRectList wrapList = RteNewRectList(context, &wrap);
    uint16_t code = RteTry(context, [&] {
        control->document = RteDocCreate(env, window, viewList, wrapList, nullptr, docFlags);
    });
    RteFreeRectList(viewList);
    RteFreeRectList(wrapList);
    if (code) {
        RteUnlock(handle);
        RteFree(handle);
        SetWindowLongPtrA(window, 0, 0);
        return -1;
    }
    RteSetDocRef(control->document, reinterpret_cast<intptr_t>(handle));
    uint32_t flags2 = RteGetDocFlags2(control->document);
    if (!(create->style & ES_AUTOVSCROLL))
        flags2 |= 0x100000;
    if (!(create->style & ES_AUTOHSCROLL))
        flags2 |= 0x80000;
    RteSetDocFlags2(control->document, flags2);
    RteApplyControlFlags(control, control->flags);
    RteComputeAreas(control);
    // Setting the areas counts as changes; a new control starts unmodified.
    RteSetChangeCounter(control->document, 0);
    RteUnlock(handle);
    return 0;
}

void RteControlDestroy(HWND window)
{
    RteHandle handle;
    RteControl* control = RteControlFromWindow(window, &handle);
    if (!control)
        return;
    RteForgetCurrentControl(window);
    // The DC of the output record was handed over with it; the record stays the caller's.
    if (HDC output = reinterpret_cast<HDC>(RteGetDeviceMode(control->document)))
        DeleteDC(output);
    for (HPEN pen : {control->framePen, control->columnPen, control->rulePen})
        if (pen)
            DeleteObject(pen);
    RteControlDropUndo(control);
    RteTry(RteControlContext(), [&] { RteDocDestroy(control->document); });
    if (control->userData)
        RteFree(control->userData);
    RteUnlock(handle);
    RteFree(handle);
    SetWindowLongPtrA(window, 0, 0);
}

bool RteComputeAreas(RteControl* control)
{
    int32_t frame = control->framePen ? control->framePenWidth : 0;
    int32_t column = control->columnPen ? control->columnPenWidth : 0;
    RteRect outer = Inset(control->view, frame);
    if (control->flags & RTE_CTL_WRAP_FOLLOWS_VIEW)
        control->wrap = outer;
    RteRect text = Inset(control->wrap, column);
    if (!(control->flags & RTE_CTL_NO_MARGINS)) {
        text.top += control->margins[2];
        text.left += control->margins[0];
        text.bottom -= control->margins[3];
        text.right -= control->margins[1];
    }
    RteHandle doc = control->document;
    RteRect oldView, oldWrap;
    RteRectListFirst(RteViewArea(doc), &oldView);
    RteRectListFirst(RteWrapArea(doc), &oldWrap);
    bool changed = std::memcmp(&oldView, &outer, sizeof outer) != 0 ||
                   (!(control->state & RTE_STATE_FREE_WRAP) && std::memcmp(&oldWrap, &text, sizeof text) != 0);
    RteRectList view = RteNewRectList(RteControlContext(), &outer);
    RteRectList wrap = RteNewRectList(RteControlContext(), &text);
    RteSetAreas(doc, view, (control->state & RTE_STATE_FREE_WRAP) ? nullptr : wrap, nullptr);
    RteFreeRectList(view);
    RteFreeRectList(wrap);
    if (control->columns > 1 && !(control->state & RTE_STATE_FREE_WRAP))
        BuildColumns(control);
    return changed;
}

bool RteApplyControlFlags(RteControl* control, uint32_t flags)
{
    control->flags = flags;
    RteHandle doc = control->document;
    RtePageSettings page;
    RteGetPageSettings(doc, &page);
    uint32_t oldPage = page.flags;
    if (flags & 0x20) {
        page.flags = 0x25;
    } else {
        page.flags &= ~0x5u;
        if (flags & 0x40)
            page.flags |= 0x4;
    }
    uint32_t docFlags = RteGetDocFlags(doc) & kDocFlagsKept;
    if (!(flags & 0x1))
        docFlags |= 0x2;
    if (flags & 0x2)
        docFlags |= 0x800;
    if (flags & 0x4)
        docFlags |= 0x4;
    if (!(flags & 0x8))
        docFlags |= 0x1000;
    if (flags & 0x1000) {
        page.flags &= ~0x5u;
        docFlags |= 0x40000000;
    }
    if (flags & 0x8000)
        docFlags |= 0x80000;
    if (flags & 0x2000)
        page.flags |= 0x400;
    else
        page.flags &= ~0x400u;
    if (!(page.flags & 0x4) || (flags & 0x10000))
        page.flags |= 0x10000000;
    else
        page.flags &= ~0x10000000u;
    bool changed = ((oldPage ^ page.flags) & 0x5) != 0;
    RteSetDocFlags(doc, docFlags);
    RteSetPageSettings(doc, &page, changed, 0);
    uint32_t flags2 = RteGetDocFlags2(doc);
    RteSetDocFlags2(doc, (control->notifyFlags & RTEN_FLAG_PENDING) ? (flags2 | 0x2000) : (flags2 & ~0x2000u));
    return changed;
}
