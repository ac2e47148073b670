// The window procedure of class "rtedit": the control's own messages routed by range, the
// Windows messages turned into engine calls. No engine error or exception leaves it.
#include <algorithm>
#include <cstring>

#include "rect_list.h"
#include "rte_activation.h"
#include "rte_control_internal.h"
#include "rte_editing.h"
#include "rte_redisplay.h"
#include "rte_scrolling.h"
#include "rte_selection.h"
#include "rte_styles.h"
#include "rte_transfer.h"
#include "rte_typed.h"

namespace {

LRESULT SetText(RteControl* control, const char* text)
{
    RteHandle doc = control->document;
    RteGuarded(control, [&] {
        RteControlDropUndo(control);
        int32_t length = RteTextLength(doc);
        if (text && *text) {
            RteSetSelection(doc, 0, length, 0, 0);
            RteInsertText(doc, reinterpret_cast<const uint8_t*>(text), static_cast<int32_t>(std::strlen(text)), -1,
                          RTE_KEYS_NONE, 0, control->editRedraw);
            RteNotifyPending(control);
        } else {
            RteRange all{0, length};
            RteDeleteRange(doc, &all, control->editRedraw);
            RteClampScroll(doc, control->scrollRedraw);
            RteUpdateScrollBars(control, true);
        }
    });
    return 0;
}

// Copies at most room - 1 bytes from the offset and ends them with a NUL; the count copied.
int32_t CopyText(RteControl* control, int32_t offset, int32_t count, char* out, bool terminate)
{
    int32_t length = RteTextLength(control->document);
    if (offset < 0 || offset > length)
        return 0;
    if (count > length - offset)
        count = length - offset;
    int32_t copied = 0;
    if (count > 0) {
        RteRange range{offset, offset + count};
        RteHandle bytes = nullptr;
        if (!RteGuarded(control, [&] { bytes = RteCopyRangeText(control->document, &range, 0); }) || !bytes)
            return 0;
        {
            RteLocked<char> text(bytes);
            copied = std::min(count, text.size());
            std::memcpy(out, text.get(), static_cast<size_t>(copied));
        }
        RteFree(bytes);
    }
    if (terminate)
        out[copied] = 0;
    return copied;
}

void Paint(RteControl* control)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(control->window, &paint);
    RteGuarded(control, [&] { RteDisplay(control->document, nullptr, nullptr, nullptr, nullptr, control->paintMode); });
    RteDrawControlDecorations(control, dc);
    RteReportDrawnPages(control, dc, paint.rcPaint);
    if (control->framePen && control->framePenWidth) {
        HGDIOBJ oldPen = SelectObject(dc, control->framePen);
        HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
        int32_t inset = control->framePenWidth / 2;
        Rectangle(dc, control->view.left + inset, control->view.top + inset, control->view.right - inset + 1,
                  control->view.bottom - inset + 1);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
    }
    EndPaint(control->window, &paint);
    RteNotifyPending(control);
}

void Resize(RteControl* control, int32_t width, int32_t height)
{
    // A control made without a size keeps the parent's extent it took at creation.
    if ((control->flags & RTE_CTL_FIXED_VIEW) || (width == 0 && height == 0))
        return;
    control->view.bottom = control->view.top + height;
    control->view.right = control->view.left + width;
    uint32_t changes = RteGetChangeCounter(control->document);
    if (control->flags & RTE_CTL_WRAP_FOLLOWS_VIEW) {
        RteComputeAreas(control);
    } else {
        RteRectList view = RteNewRectList(RteControlContext(), &control->view);
        RteSetAreas(control->document, view, nullptr, nullptr);
        RteFreeRectList(view);
    }
    // A new size is no change of the text.
    RteSetChangeCounter(control->document, changes);
}

LRESULT Dispatch(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND window = control->window;
    if (message >= 0x3400 && message < 0x3600)
        return RteControlAreaMessage(control, message, wParam, lParam);
    if (message >= 0x3200 && message < 0x3400)
        return RteControlAppearanceMessage(control, message, wParam, lParam);
    if (message >= 0x2800 && message < 0x2C00)
        return RteControlParagraphMessage(control, message, wParam, lParam);
    if (message >= 0x2E00 && message < 0x3000)
        return RteControlStorageMessage(control, message, wParam, lParam);
    if (message >= 0x3000 && message < 0x3200)
        return RteControlObjectMessage(control, message, wParam, lParam);
    if (message >= 0x1400)
        return RteControlGroupMessage(control, message, wParam, lParam);
    if (message >= EM_GETSEL && message <= 0xD1)
        return RteControlEditMessage(control, message, wParam, lParam);
    switch (message) {
    case WM_MOVE:
        return 0;
    case WM_SIZE:
        Resize(control, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_SETFOCUS:
        RteSetCurrentControl(window);
        RteSetActivation(control->document, RTE_SWITCH_ACTIVE, RTE_SWITCH_ACTIVE, 1);
        return 0;
    case WM_KILLFOCUS: {
        int32_t start, end;
        RteGetSelection(control->document, &start, &end);
        if (!(control->style & ES_NOHIDESEL) || start == end)
            RteSetActivation(control->document, RTE_SWITCH_INACTIVE, RTE_SWITCH_INACTIVE, 1);
        return 0;
    }
    case WM_SETTEXT:
        return SetText(control, reinterpret_cast<const char*>(lParam));
    case WM_GETTEXT:
        if (wParam == 0 || !lParam)
            return 0;
        return CopyText(control, 0, static_cast<int32_t>(wParam) - 1, reinterpret_cast<char*>(lParam), true);
    case WM_GETTEXTLENGTH:
        return RteTextLength(control->document);
    case WM_PAINT:
        Paint(control);
        return 0;
    case WM_SETFONT: {
        LOGFONTA logfont = {};
        if (!GetObjectA(reinterpret_cast<HFONT>(wParam), sizeof logfont, &logfont))
            return 0;
        return RteControlGroupMessage(control, RTEM_SETLOGFONT, LOWORD(lParam), reinterpret_cast<LPARAM>(&logfont));
    }
    case WM_GETFONT: {
        RteCharStyle style = {}, uniform = {};
        RteGetCharStyle(control->document, nullptr, false, &style, &uniform);
        return style.fontHandle;
    }
    case WM_GETDLGCODE:
        return (control->style & ES_WANTRETURN) ? 0x8D : 0x89;
    case WM_KEYDOWN:
    case WM_KEYUP:
        return RteControlKey(control, message, wParam);
    case WM_CHAR:
        return RteControlChar(control, static_cast<uint8_t>(wParam));
    case WM_HSCROLL:
    case WM_VSCROLL:
        return RteControlScroll(control, message == WM_VSCROLL, wParam);
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
        return RteControlMouse(control, message, wParam, lParam);
    case WM_CUT:
    case WM_COPY:
    case WM_PASTE:
    case WM_CLEAR:
        return RteControlClipboard(control, message);
    case WM_UNDO:
        RteControlGroupMessage(control, RTEM_UNDO, 1, 0);
        return 1;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int32_t RteControlCopyText(RteControl* control, int32_t offset, int32_t count, char* out)
{
    return CopyText(control, offset, count, out, false);
}

LRESULT CALLBACK RteControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        if (message == WM_CREATE)
            return RteControlCreate(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
        if (message == WM_DESTROY) {
            RteControlDestroy(window);
            return 0;
        }
        RteHandle handle;
        RteControl* control = RteControlFromWindow(window, &handle);
        if (!control) {
            // Without a record the control's messages do nothing; the window's own frame messages
            // (WM_NCCREATE before creation, WM_NCDESTROY after) still need their default answers.
            if (message >= 0x1400 || message == WM_SETTEXT || message == WM_GETTEXT)
                return 0;
            return DefWindowProcA(window, message, wParam, lParam);
        }
        LRESULT result = Dispatch(control, message, wParam, lParam);
        RteUnlock(handle);
        return result;
    } catch (...) {
        return 0;
    }
}
