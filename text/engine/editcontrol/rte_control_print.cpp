// Printing a control's text page by page into a caller's DC, and the print record that
// describes a page for a DC.
#include "rte_control_internal.h"
#include "rte_gdi.h"
#include "rte_gdi_port.h"
#include "rte_pages.h"
#include "rte_redisplay.h"
#include "rte_transfer.h"
#include "rte_typed.h"

namespace {

constexpr int16_t kNoLastPage = 9999;

RteRect PrintArea(const RtePrintRecord& record)
{
    return RteRect{record.page.top + record.margins.top, record.page.left + record.margins.left,
                   record.page.bottom - record.margins.bottom, record.page.right - record.margins.right};
}

int32_t ResolutionOf(HDC dc)
{
    return MAKELONG(GetDeviceCaps(dc, LOGPIXELSY), GetDeviceCaps(dc, LOGPIXELSX));
}

// A memory DC answers the screen's size; its page is the bitmap it draws into.
SIZE DeviceSize(HDC dc)
{
    BITMAP bitmap = {};
    if (GetObjectType(dc) == OBJ_MEMDC && GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof bitmap, &bitmap))
        return SIZE{bitmap.bmWidth, bitmap.bmHeight};
    return SIZE{GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES)};
}

void FillPrintInfo(RteControl* control, HDC dc, RtePrintRecord* record)
{
    record->dc = dc;
    int32_t docResolution = RteLocked<RteDocument>(control->document)->resolution;
    if (dc) {
        POINT origin = {};
        GetViewportOrgEx(dc, &origin);
        int32_t own = docResolution & 0xFFFF ? docResolution & 0xFFFF : 96;
        SIZE size = DeviceSize(dc);
        record->page = RECT{origin.x, origin.y, origin.x + MulDiv(size.cx, own, GetDeviceCaps(dc, LOGPIXELSX)),
                            origin.y + MulDiv(size.cy, own, GetDeviceCaps(dc, LOGPIXELSY))};
        record->resolution = ResolutionOf(dc);
    } else {
        record->page = RECT{control->wrap.left, control->wrap.top, control->wrap.right, control->wrap.bottom};
        record->resolution = docResolution;
    }
    record->margins = RECT{control->margins[0], control->margins[2], control->margins[1], control->margins[3]};
    record->nextPage = 1;
    record->lastPage = 0;
    record->result = 0;
}

// The offset after the first page break at or after the offset, or -1.
int32_t AfterPageBreak(RteHandle doc, int32_t from)
{
    int32_t length = RteTextLength(doc);
    if (from >= length)
        return -1;
    RteRange range{from, length};
    RteHandle bytes = RteCopyRangeText(doc, &range, 0);
    if (!bytes)
        return -1;
    int32_t found = -1;
    {
        RteLocked<uint8_t> text(bytes);
        for (int32_t i = 0; i < text.size() && found < 0; ++i)
            if (text[i] == RTE_CHAR_PAGE_BREAK)
                found = from + i + 1;
    }
    RteFree(bytes);
    return found;
}

// Where a page ends: where the area is full, or sooner after a page break (0: the text ends).
int32_t PageEnd(RteHandle doc, int32_t from, const RteRect& area, bool* broken)
{
    int32_t full = RteDrawPage(doc, nullptr, from, &area, RTE_REDRAW_NONE);
    int32_t after = AfterPageBreak(doc, from);
    *broken = after > 0 && after < RteTextLength(doc) && (full == 0 || after < full);
    return *broken ? after : full;
}

// Draws the next page; a page that draws nothing ends the printing there.
LRESULT PrintPage(RteControl* control, RtePrintRecord* record)
{
    if (record->lastPage == 0)
        record->lastPage = kNoLastPage;
    if (record->lastPage < record->nextPage)
        return 0;
    int16_t page = record->nextPage ? record->nextPage : 1;
    RteHandle doc = control->document;
    RteRect area = PrintArea(*record);
    bool drawn = false;
    RteGuarded(control, [&] {
        int32_t from = 0, end = 0;
        bool broken = false;
        for (int16_t n = 1; n <= page; ++n) {
            if (n > 1 && end == 0)
                return;
            from = end;
            end = PageEnd(doc, from, area, &broken);
        }
        // A page cut by a break shows only the lines above the one after the break.
        int32_t saved = SaveDC(record->dc);
        if (broken)
            IntersectClipRect(record->dc, area.left, area.top, area.right,
                              area.top + RteLineTopAt(doc, end) - RteLineTopAt(doc, from));
        RteSetPrintDC(doc, record->dc);
        RteUseSubstituteDC(doc);
        // The record's resolution stands for the device's: horizontal dots in the high word.
        if (record->resolution)
            RteApplyDocMapping(doc, record->dc, HIWORD(record->resolution), LOWORD(record->resolution));
        RteDrawPage(doc, nullptr, from, &area, control->paintMode);
        RteEndSubstituteDC(doc);
        RteSetPrintDC(doc, nullptr);
        RestoreDC(record->dc, saved);
        drawn = true;
    });
    if (!drawn)
        record->lastPage = page;
    record->nextPage = static_cast<int16_t>(page + 1);
    record->result = drawn ? 1 : 0;
    return record->lastPage >= record->nextPage ? 1 : 0;
}

}  // namespace

LRESULT RteControlPrintMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case RTEM_PRINTPAGE:
        return PrintPage(control, reinterpret_cast<RtePrintRecord*>(lParam));
    case RTEM_GETPRINTINFO: {
        auto* record = reinterpret_cast<RtePrintRecord*>(lParam);
        FillPrintInfo(control, record->dc, record);
        return 0;
    }
    default: {
        // Fit: the page less nothing becomes the text's rect, the control's view following it.
        RtePrintRecord record = {};
        FillPrintInfo(control, reinterpret_cast<HDC>(lParam), &record);
        control->wrap = RteRect{record.page.top, record.page.left, record.page.bottom, record.page.right};
        if (control->flags & RTE_CTL_WRAP_FOLLOWS_VIEW)
            control->view = control->wrap;
        RteComputeAreas(control);
        if (wParam)
            RteControlRedraw(control, false);
        return 0;
    }
    }
}
