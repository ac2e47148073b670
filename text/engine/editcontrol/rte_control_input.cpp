// Keys, typed characters, scroll bars and the mouse of the edit control.
#include "rect_list.h"
#include "rte_activation.h"
#include "rte_control_internal.h"
#include "rte_editing.h"
#include "rte_gdi.h"
#include "rte_scrolling.h"
#include "rte_selection.h"
#include "rte_undo.h"

namespace {

constexpr uint16_t kShift = 0x1;
constexpr uint16_t kCtrl = 0x200;

// The keys the engine takes as characters of its own.
uint8_t EngineKeyOf(WPARAM key)
{
    switch (key) {
    case VK_LEFT: return RTE_KEY_LEFT;
    case VK_RIGHT: return RTE_KEY_RIGHT;
    case VK_UP: return RTE_KEY_UP;
    case VK_DOWN: return RTE_KEY_DOWN;
    case VK_DELETE: return RTE_KEY_DELETE;
    default: return 0;
    }
}

bool IsArrow(uint8_t c) { return c >= RTE_KEY_LEFT && c <= RTE_KEY_DOWN; }

// The text limit lets through what does not lengthen the text: the delete keys and the control
// characters other than the breaks and the tab.
bool WithinLimit(const RteControl* control, uint8_t c)
{
    if (!control->textLimit)
        return true;
    if (c == RTE_KEY_BACKSPACE || c == RTE_KEY_DELETE)
        return true;
    if (c < 32 && c != RTE_CHAR_PARAGRAPH && c != RTE_CHAR_LINE_BREAK && c != RTE_CHAR_TAB)
        return true;
    return RteTextLength(control->document) < control->textLimit;
}

int16_t UndoKindOf(uint8_t c)
{
    if (c == RTE_KEY_BACKSPACE)
        return RTE_UNDO_BACKSPACE;
    if (c == RTE_KEY_DELETE)
        return RTE_UNDO_FORWARD_DELETE;
    return RTE_UNDO_TYPING;
}

RteMouseNotify MouseRecord(const RteControl* control, WPARAM keys, LPARAM point)
{
    RteMouseNotify record = {};
    record.v = static_cast<int16_t>(HIWORD(point));
    record.h = static_cast<int16_t>(LOWORD(point));
    record.keys = static_cast<uint16_t>(keys);
    record.doubleClick = (control->keyState & 0x6) ? 1 : 0;
    record.thirdClick = (control->keyState & 0x4) ? 1 : 0;
    RteGetSelection(control->document, &record.selStart, &record.selEnd);
    return record;
}

bool InsideView(const RteControl* control, const RtePoint& point)
{
    return point.v >= control->view.top && point.v < control->view.bottom && point.h >= control->view.left &&
           point.h < control->view.right;
}

void ButtonDown(RteControl* control, UINT message, WPARAM keys, LPARAM lParam)
{
    RteHandle doc = control->document;
    RtePoint point{static_cast<int16_t>(HIWORD(lParam)), static_cast<int16_t>(LOWORD(lParam))};
    if (!InsideView(control, point)) {
        control->state &= ~RTE_STATE_DOUBLE_CLICK;
        control->trackingHit = 0;
        return;
    }
    if ((RteGetDocFlags(doc) & 0x30000) == 0x10000) {
        // An inactive document takes the focus only: the click leaves the selection alone.
        SetFocus(control->window);
        control->trackingHit = 0;
        return;
    }
    control->trackingHit = 1;
    control->buttonState = static_cast<uint16_t>(keys);
    uint16_t kind = 0;
    if (message == WM_LBUTTONDBLCLK) {
        kind = (control->state & RTE_STATE_DOUBLE_CLICK) ? 4 : 2;
        control->state |= RTE_STATE_DOUBLE_CLICK;
    } else {
        control->state &= ~RTE_STATE_DOUBLE_CLICK;
    }
    control->keyState = kind | ((keys & MK_SHIFT) ? 0x1 : 0) | ((keys & MK_CONTROL) ? 0x20 : 0);
    SetCapture(control->window);
    bool autoscroll = (control->style & (ES_AUTOVSCROLL | ES_AUTOHSCROLL)) != 0;
    RteGuarded(control, [&] { RteClick(doc, &point, RTE_CLICK_PRESS, control->keyState, 0, autoscroll); });
    bool dbl = message == WM_LBUTTONDBLCLK;
    uint32_t flag = dbl ? RTEN_FLAG_DBLCLICK : RTEN_FLAG_CLICK;
    if (control->notifyFlags & flag) {
        RteMouseNotify record = MouseRecord(control, keys, lParam);
        record.hit = control->trackingHit;
        if (RteNotify(control, dbl ? RTEN_DBLCLICK : RTEN_CLICK, reinterpret_cast<LPARAM>(&record))) {
            RteGuarded(control, [&] { RteClick(doc, &point, RTE_CLICK_RELEASE, control->keyState, 0, false); });
            control->keyState = 0;
            control->trackingHit = 0;
            ReleaseCapture();
        }
    }
}

LRESULT Move(RteControl* control, WPARAM keys, LPARAM lParam)
{
    RtePoint point{static_cast<int16_t>(HIWORD(lParam)), static_cast<int16_t>(LOWORD(lParam))};
    bool autoscroll = (control->style & (ES_AUTOVSCROLL | ES_AUTOHSCROLL)) != 0;
    if (control->trackingHit) {
        RteGuarded(control, [&] { RteClick(control->document, &point, RTE_CLICK_DRAG, control->keyState, 0, autoscroll); });
        RteUpdateScrollBars(control, false);
        // Held outside the view, the drag goes on scrolling: the same move comes again as long as
        // no other mouse message waits.
        MSG waiting;
        if (autoscroll && !InsideView(control, point) &&
            !PeekMessageA(&waiting, control->window, WM_MOUSEFIRST, WM_MOUSELAST, PM_NOREMOVE))
            PostMessageA(control->window, WM_MOUSEMOVE, keys, lParam);
        if (control->notifyFlags & RTEN_FLAG_DRAGMOVE) {
            RteMouseNotify record = MouseRecord(control, keys, lParam);
            RteNotify(control, RTEN_DRAGMOVE, reinterpret_cast<LPARAM>(&record));
        }
        return 0;
    }
    uint16_t kind = RteControlHitKind(control, point);
    if (control->notifyFlags & RTEN_FLAG_HOVER) {
        RteMouseNotify record = MouseRecord(control, keys, lParam);
        record.hit = kind;
        if (LRESULT answer = RteNotify(control, RTEN_HOVER, reinterpret_cast<LPARAM>(&record)))
            return answer;
    }
    SetCursor(RteControlCursor((kind & 0x209) == 0x9));
    return 0;
}

void ButtonUp(RteControl* control, WPARAM keys, LPARAM lParam)
{
    if (!control->trackingHit)
        return;
    if (control->notifyFlags & RTEN_FLAG_BUTTONUP) {
        RteMouseNotify record = MouseRecord(control, keys, lParam);
        RteNotify(control, RTEN_BUTTONUP, reinterpret_cast<LPARAM>(&record));
    }
    RtePoint point{static_cast<int16_t>(HIWORD(lParam)), static_cast<int16_t>(LOWORD(lParam))};
    RteGuarded(control, [&] { RteClick(control->document, &point, RTE_CLICK_RELEASE, control->keyState, 0, false); });
    control->keyState = 0;
    control->trackingHit = 0;
    control->objectUnderMouse = nullptr;
    ReleaseCapture();
}

}  // namespace

uint16_t RteControlHitKind(const RteControl* control, const RtePoint& point)
{
    if (!InsideView(control, point))
        return 0;
    RteRect text;
    RteRectListFirst(RteWrapArea(control->document), &text);
    bool onText = point.v >= text.top && point.v < text.bottom && point.h >= text.left && point.h < text.right;
    return onText ? 0x9 : 0x8;
}

LRESULT RteControlKey(RteControl* control, UINT message, WPARAM key)
{
    uint16_t bit = key == VK_SHIFT ? kShift : key == VK_CONTROL ? kCtrl : 0;
    if (message == WM_KEYUP) {
        control->keyState &= ~bit;
        return 0;
    }
    control->keyState |= bit;
    RteHandle doc = control->document;
    bool shift = (control->keyState & kShift) != 0;
    bool ctrl = (control->keyState & kCtrl) != 0;
    switch (key) {
    case VK_PRIOR:
    case VK_NEXT:
        SendMessageA(control->window, WM_VSCROLL, key == VK_PRIOR ? SB_PAGEUP : SB_PAGEDOWN, 0);
        break;
    case VK_HOME:
    case VK_END: {
        int32_t code = key == VK_HOME ? (ctrl ? RTE_MOVE_TEXT_START : RTE_MOVE_LINE_START)
                                      : (ctrl ? RTE_MOVE_TEXT_END : RTE_MOVE_LINE_END);
        RteGuarded(control, [&] { RteMoveSelection(doc, code | (shift ? RTE_MOVE_EXTEND : 0), true); });
        int32_t start, end;
        RteGetSelection(doc, &start, &end);
        if (start == end)
            RteUpdateScrollBars(control, true);
        break;
    }
    default:
        if (uint8_t c = EngineKeyOf(key))
            SendMessageA(control->window, WM_CHAR, c, 0);
        break;
    }
    return 0;
}

LRESULT RteControlChar(RteControl* control, uint8_t c)
{
    if ((control->notifyFlags & RTEN_FLAG_CHAR) && RteNotify(control, RTEN_CHAR, c))
        return 0;
    if (!WithinLimit(control, c))
        return 0;
    if ((control->style & ES_LOWERCASE) && c >= 'A' && c <= 'Z')
        c = static_cast<uint8_t>(c - 'A' + 'a');
    else if ((control->style & ES_UPPERCASE) && c >= 'a' && c <= 'z')
        c = static_cast<uint8_t>(c - 'a' + 'A');
    RteHandle doc = control->document;
    RteGuarded(control, [&] {
        if (!IsArrow(c))
            RteControlPrepareUndo(control, UndoKindOf(c), nullptr);
        int32_t start, end;
        RteGetSelection(doc, &start, &end);
        bool wasRange = start != end;
        int32_t length = RteTextLength(doc);
        bool shift = (control->keyState & kShift) != 0;
        if (!RteInsertText(doc, &c, 1, -1, control->keyInsertMode, control->keyState, control->editRedraw))
            return;
        if (wasRange)
            RteClampScroll(doc, control->scrollRedraw);
        if (RteTextLength(doc) < length)
            InvalidateRect(control->window, nullptr, TRUE);
        if (shift && IsArrow(c)) {
            int32_t newStart, newEnd;
            RteGetSelection(doc, &newStart, &newEnd);
            RteScrollToOffset(doc, newEnd == end ? newStart : newEnd, control->hSlack, control->vSlack, true,
                              control->scrollRedraw);
        }
        RteUpdateScrollBars(control, true);
        if (!IsArrow(c))
            RteNotifyChange(control);
        RteNotifyPending(control);
    });
    return 0;
}

LRESULT RteControlScroll(RteControl* control, bool vertical, WPARAM wParam)
{
    RteHandle doc = control->document;
    int32_t step = 0;
    switch (LOWORD(wParam)) {
    case SB_LINEUP: step = 1; break;
    case SB_LINEDOWN: step = -1; break;
    case SB_PAGEUP: step = 2; break;
    case SB_PAGEDOWN: step = -2; break;
    case SB_TOP: step = 3; break;
    case SB_BOTTOM: step = 4; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        int32_t h, v, hMax, vMax;
        RteGetScrollValues(doc, &h, &v, &hMax, &vMax);
        int32_t to = HIWORD(wParam);
        RteGuarded(control, [&] {
            RteScrollToValue(doc, vertical ? h : to, vertical ? to : v, LOWORD(wParam) == SB_THUMBPOSITION,
                             control->scrollRedraw);
        });
        RteUpdateScrollBars(control, false);
        return 0;
    }
    default:
        return 0;
    }
    RteGuarded(control, [&] { RteScrollStep(doc, vertical ? 0 : step, vertical ? step : 0, control->scrollRedraw); });
    RteUpdateScrollBars(control, false);
    return 0;
}

LRESULT RteControlMouse(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        ButtonDown(control, message, wParam, lParam);
        return 1;
    case WM_MOUSEMOVE:
        return Move(control, wParam, lParam);
    default:
        ButtonUp(control, wParam, lParam);
        return 0;
    }
}
