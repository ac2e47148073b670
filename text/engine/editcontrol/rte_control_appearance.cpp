// The control's appearance and paragraph messages: background colour, frame, column and rule
// pens, columns, margins and breaks; indents and alignment of the selection's paragraphs.
#include <algorithm>

#include "rect_list.h"

#include "rte_control_internal.h"
#include "rte_device_units.h"
#include "rte_editing.h"
#include "rte_gdi.h"
#include "rte_scrolling.h"
#include "rte_style_units.h"
#include "rte_styles.h"
#include "rte_typed.h"
#include "rte_undo.h"

namespace {

enum class Pen { Frame, Column, Rule };

HPEN& PenOf(RteControl* control, Pen which)
{
    return which == Pen::Frame ? control->framePen : which == Pen::Column ? control->columnPen : control->rulePen;
}

int16_t& WidthOf(RteControl* control, Pen which)
{
    return which == Pen::Frame    ? control->framePenWidth
           : which == Pen::Column ? control->columnPenWidth
                                  : control->rulePenWidth;
}

// A given pen is taken over with its width; a negative style without one removes the pen; any
// other style makes one: one pixel black for the frame and the columns, four grey for the rule.
void SetPen(RteControl* control, Pen which, int32_t style, HPEN given)
{
    HPEN pen = given;
    int16_t width = 0;
    if (given) {
        LOGPEN logpen = {};
        GetObjectA(given, sizeof logpen, &logpen);
        width = static_cast<int16_t>(logpen.lopnWidth.x);
    } else if (style >= 0) {
        width = which == Pen::Rule ? 4 : 1;
        pen = CreatePen(style, width, which == Pen::Rule ? RGB(128, 128, 128) : RGB(0, 0, 0));
    }
    HPEN& slot = PenOf(control, which);
    if (slot && slot != pen)
        DeleteObject(slot);
    slot = pen;
    WidthOf(control, which) = width;
    RteComputeAreas(control);
    RteControlRedraw(control, false);
}

void SetParagraph(RteControl* control, WPARAM redraw, void (*set)(RteParFormat&, RteParFormat&, LPARAM),
                  LPARAM lParam)
{
    RteParFormat format, mask;
    RteClearParFormat(&format, 0);
    RteClearParFormat(&mask, 0);
    set(format, mask, lParam);
    RteControlSetParFormat(control, redraw, format, mask, true);
}

void InsertBreak(RteControl* control, WPARAM redraw, LPARAM which)
{
    if (which != 0 && which != 1)
        return;
    uint8_t c = which ? RTE_CHAR_CONTAINER_BREAK : RTE_CHAR_PAGE_BREAK;
    RteGuarded(control, [&] {
        RteControlDropUndo(control);
        int32_t length = 1;
        RteControlPrepareUndo(control, RTE_UNDO_INSERT_TEXT, &length);
        RteInsertText(control->document, &c, 1, -1, RTE_KEYS_NONE, 0, redraw ? control->editRedraw : 0);
    });
}

}  // namespace

LRESULT RteControlAppearanceMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam)
{
    RteHandle doc = control->document;
    switch (message) {
    case RTEM_SETBKCOLOR: {
        {
            RteLocked<RteDocument> locked(doc);
            RteColorFromRGB(static_cast<COLORREF>(lParam), &locked->backColor);
            ++locked->changes;
        }
        if (wParam)
            RteControlRedraw(control, false);
        RteNotifyChange(control);
        return 0;
    }
    case RTEM_GETBKCOLOR: {
        COLORREF colour = 0;
        RteColor back = RteLocked<RteDocument>(doc)->backColor;
        RteColorToRGB(&back, &colour);
        return colour;
    }
    case RTEM_SETFRAMEPEN:
    case RTEM_SETCOLUMNPEN:
    case RTEM_SETRULEPEN:
        SetPen(control, static_cast<Pen>((message - RTEM_SETFRAMEPEN) / 2), static_cast<int32_t>(wParam),
               reinterpret_cast<HPEN>(lParam));
        return 0;
    case RTEM_GETFRAMEPEN:
    case RTEM_GETCOLUMNPEN:
    case RTEM_GETRULEPEN:
        return reinterpret_cast<LRESULT>(PenOf(control, static_cast<Pen>((message - RTEM_GETFRAMEPEN) / 2)));
    case RTEM_SETCOLUMNS:
        control->columns = static_cast<int16_t>(LOWORD(lParam));
        control->columnGap = static_cast<int16_t>(HIWORD(lParam) ? HIWORD(lParam) : 1);
        control->state &= ~RTE_STATE_FREE_WRAP;
        RteComputeAreas(control);
        if (wParam)
            RteControlRedraw(control, false);
        return 0;
    case RTEM_GETCOLUMNS:
        return MAKELONG(control->columns, control->columnGap);
    case RTEM_SETMARGINS: {
        auto* margins = reinterpret_cast<const RECT*>(lParam);
        control->margins[0] = static_cast<int16_t>(margins->left);
        control->margins[1] = static_cast<int16_t>(margins->right);
        control->margins[2] = static_cast<int16_t>(margins->top);
        control->margins[3] = static_cast<int16_t>(margins->bottom);
        RteComputeAreas(control);
        if (wParam)
            RteControlRedraw(control, false);
        return 0;
    }
    case RTEM_GETMARGINS:
        *reinterpret_cast<RECT*>(lParam) =
            RECT{control->margins[0], control->margins[2], control->margins[1], control->margins[3]};
        return 0;
    case RTEM_INSERTBREAK:
        InsertBreak(control, wParam, lParam);
        return 0;
    default:
        return RteControlPageMessage(control, message, wParam, lParam);
    }
}

LRESULT RteControlParagraphMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case RTEM_SETINDENT:
        SetParagraph(control, wParam, [](RteParFormat& format, RteParFormat& mask, LPARAM value) {
            int32_t which = LOWORD(value);
            if (which == 1) {
                format.rightIndent = HIWORD(value);
                mask.rightIndent = -1;
            } else if (which == 2) {
                format.firstIndent = static_cast<int16_t>(HIWORD(value));
                mask.firstIndent = -1;
            } else {
                format.leftIndent = HIWORD(value);
                mask.leftIndent = -1;
            }
        }, lParam);
        return 0;
    case RTEM_GETINDENT: {
        RteParFormat format = RteControlFirstParFormat(control);
        int32_t which = LOWORD(lParam);
        return which == 1 ? format.rightIndent : which == 2 ? format.firstIndent : format.leftIndent;
    }
    case RTEM_SETALIGN:
        SetParagraph(control, wParam, [](RteParFormat& format, RteParFormat& mask, LPARAM value) {
            format.alignment = static_cast<int16_t>(LOWORD(value));
            mask.alignment = -1;
        }, lParam);
        return 0;
    case RTEM_GETALIGN:
        return RteControlFirstParFormat(control).alignment;
    default:
        return RteControlParagraphValueMessage(control, message, wParam, lParam);
    }
}

// The column frames and the rule, drawn after the text: each column framed outside its rect by
// the column pen's width, the rule under the text area across the view.
void RteDrawControlDecorations(RteControl* control, HDC dc)
{
    if (control->flags & RTE_CTL_NO_MARGINS)
        return;
    RteHandle doc = control->document;
    RtePoint scroll{};
    RteGetScrollPosition(doc, &scroll);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    RteRectList wrap = RteWrapArea(doc);
    if (control->columnPen && control->columnPenWidth && control->columns > 1) {
        SelectObject(dc, control->columnPen);
        RteRectIterator rects(wrap);
        int32_t inset = control->columnPenWidth;
        for (const RteRect& r : rects.Rects())
            Rectangle(dc, r.left - inset - scroll.h, r.top - inset - scroll.v, r.right + inset - scroll.h + 1,
                      r.bottom + inset - scroll.v + 1);
    }
    if (control->rulePen && control->rulePenWidth) {
        RteRect bounds;
        RteRectListFirst(wrap, &bounds);
        int32_t y = bounds.bottom + control->margins[3] - scroll.v;
        SelectObject(dc, control->rulePen);
        MoveToEx(dc, control->view.left, y, nullptr);
        LineTo(dc, std::max(control->view.right, bounds.right), y);
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
}
