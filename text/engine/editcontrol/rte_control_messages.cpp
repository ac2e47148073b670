// The control's own messages of the control, character and text-and-selection groups, and the
// edit messages of the Windows edit control it answers (Win16 packing).
#include <algorithm>
#include <cstring>

#include "rect_list.h"
#include "rte_control_internal.h"
#include "rte_clipboard.h"
#include "rte_editing.h"
#include "rte_position_queries.h"
#include "rte_scrolling.h"
#include "rte_selection.h"
#include "rte_style_wrappers.h"
#include "rte_styles.h"
#include "rte_undo.h"

int32_t RteControlCopyText(RteControl* control, int32_t offset, int32_t count, char* out);

namespace {

int16_t EditRedraw(const RteControl* control, WPARAM redraw) { return redraw ? control->editRedraw : 0; }

void AfterStyle(RteControl* control, WPARAM redraw)
{
    if (redraw)
        RteNotifyPending(control);
}

// Every attribute unit but the style-sheet unit: what an empty attribute set switches off.
constexpr uint32_t kAllAttributesButStyleSheet = ~(1u << 21);

// A new undo record for a change the caller makes itself; a paste's document comes from the
// parent or the clipboard and goes afterwards.
LRESULT PrepareUndo(RteControl* control, int16_t kind, LPARAM lParam)
{
    RteControlDropUndo(control);
    RteHandle pasted = nullptr;
    RteGuarded(control, [&] {
        const void* reference = nullptr;
        int32_t count = static_cast<int32_t>(lParam);
        if (kind == RTE_UNDO_INSERT_TEXT) {
            reference = &count;
        } else if (kind == RTE_UNDO_INSERT_DOCUMENT) {
            if (control->notifyFlags & RTEN_FLAG_PASTEDATA)
                pasted = reinterpret_cast<RteHandle>(RteNotify(control, RTEN_PASTEDATA, 1));
            if (!pasted && OpenClipboard(control->window)) {
                pasted = RteDocFromClipboard(RteEnvironmentOf(), RteControlClipboardFormat(), RteControlObjectProc);
                CloseClipboard();
            }
            if (!pasted)
                return;
            reference = pasted;
        }
        control->undo = RteUndoPrepare(control->document, kind, reference);
    });
    if (pasted)
        RteDocDestroy(pasted);
    return reinterpret_cast<LRESULT>(control->undo);
}

LRESULT Undo(RteControl* control)
{
    if (!control->undo)
        return 0;
    RteGuarded(control, [&] {
        RteHandle redo = RteUndo(control->document, control->undo, true, control->editRedraw);
        RteControlDropUndo(control);
        control->undo = redo;
        RteUpdateScrollBars(control, true);
        RteNotifyPending(control);
    });
    return 0;
}

LRESULT ControlGroup(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam)
{
    RteHandle doc = control->document;
    switch (message) {
    case RTEM_GETENV:
        RteGetEnvironment(reinterpret_cast<void*>(lParam));
        return 0;
    case RTEM_SETENV:
        RteSetEnvironment(reinterpret_cast<const void*>(lParam));
        return 0;
    case RTEM_GETFLAGS:
        return control->flags;
    case RTEM_SETFLAGS:
        control->state |= RTE_STATE_SCROLLBARS;
        if (RteApplyControlFlags(control, static_cast<uint32_t>(lParam))) {
            RteComputeAreas(control);
            if (wParam)
                RteControlRedraw(control, true);
        }
        return 0;
    case RTEM_GETNOTIFY:
        return control->notifyFlags;
    case RTEM_SETNOTIFY: {
        control->notifyFlags = static_cast<uint32_t>(lParam);
        uint32_t flags2 = RteGetDocFlags2(doc);
        RteSetDocFlags2(doc, (control->notifyFlags & RTEN_FLAG_PENDING) ? (flags2 | 0x2000) : (flags2 & ~0x2000u));
        return 0;
    }
    case RTEM_GETDOC:
        return reinterpret_cast<LRESULT>(doc);
    case RTEM_GETHEIGHT: {
        int32_t height = 0;
        RteGuarded(control, [&] { height = RteDocHeight(doc); });
        return height;
    }
    case RTEM_GETLENGTH:
        return RteTextLength(doc);
    case RTEM_DRAW:
        RedrawWindow(control->window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        RteNotifyPending(control);
        return 0;
    case RTEM_GETCHANGECOUNT:
        return RteGetChangeCounter(doc);
    case RTEM_SETCHANGECOUNT:
        RteSetChangeCounter(doc, static_cast<uint32_t>(lParam));
        return 0;
    case RTEM_UPDATESCROLL:
        RteUpdateScrollBars(control, wParam != 0);
        RteNotifyPending(control);
        return 0;
    case RTEM_SETNOTIFYWND:
        control->notifyWindow = reinterpret_cast<HWND>(lParam);
        return 0;
    default:
        return RteControlParamMessage(control, message, wParam, lParam);
    }
}

LRESULT CharacterGroup(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam)
{
    RteHandle doc = control->document;
    switch (message) {
    case RTEM_SETLOGFONT:
    case RTEM_SETLOGFONTFACE: {
        auto* logfont = reinterpret_cast<const LOGFONTA*>(lParam);
        RteGuardedRestyle(control, [&] {
            if (message == RTEM_SETLOGFONT)
                RteApplyLogFont(doc, logfont, nullptr, EditRedraw(control, wParam));
            else
                RteSetFontFromLogFont(doc, logfont, nullptr, static_cast<int16_t>(wParam));
        });
        AfterStyle(control, wParam);
        return 0;
    }
    case RTEM_GETLOGFONT: {
        auto* out = reinterpret_cast<LOGFONTA*>(lParam);
        std::memset(out, 0, sizeof *out);
        return RteGetLogFont(doc, out);
    }
    case RTEM_GETFONTNAME:
        return RteGetFontName(doc, reinterpret_cast<char*>(lParam));
    case RTEM_SETATTRIBUTES: {
        auto bits = static_cast<uint32_t>(lParam);
        RteGuardedRestyle(control, [&] {
            RteSetStyleBitsMasked(doc, bits, bits ? bits : kAllAttributesButStyleSheet, nullptr,
                                  static_cast<int16_t>(wParam));
        });
        AfterStyle(control, wParam);
        return 0;
    }
    case RTEM_GETATTRIBUTES: {
        uint32_t bits = 0;
        RteGetAttributeBits(doc, &bits, reinterpret_cast<uint32_t*>(lParam));
        return bits;
    }
    case RTEM_SETPIXELSIZE:
        RteGuardedRestyle(control, [&] {
            RteSetPointSize(doc, MulDiv(static_cast<int32_t>(lParam), 72, RteControlResolution(doc)), nullptr,
                            static_cast<int16_t>(wParam));
        });
        AfterStyle(control, wParam);
        return 0;
    case RTEM_GETPIXELSIZE: {
        int16_t points = 0;
        RteGetPointSize(doc, &points);
        return MulDiv(points, RteControlResolution(doc), 72);
    }
    case RTEM_SETTEXTCOLOR:
    case RTEM_SETBACKCOLOR: {
        auto colour = static_cast<COLORREF>(lParam);
        RteGuardedRestyle(control, [&] {
            if (message == RTEM_SETTEXTCOLOR)
                RteSetCharColor(doc, &colour, nullptr, static_cast<int16_t>(wParam));
            else
                RteSetTextBackColor(doc, &colour, nullptr, static_cast<int16_t>(wParam));
        });
        return 0;
    }
    case RTEM_GETTEXTCOLOR:
    case RTEM_GETBACKCOLOR: {
        COLORREF colour = 0;
        if (message == RTEM_GETTEXTCOLOR)
            RteGetCharColor(doc, &colour);
        else
            RteGetTextBackColor(doc, &colour);
        return colour;
    }
    default:
        return RteControlCharacterMessage(control, message, wParam, lParam);
    }
}

LRESULT TextGroup(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam)
{
    RteHandle doc = control->document;
    switch (message) {
    case RTEM_GETSEL: {
        auto* out = reinterpret_cast<int32_t*>(lParam);
        RteGetSelection(doc, &out[0], &out[1]);
        return 0;
    }
    case RTEM_SETSEL: {
        auto* range = reinterpret_cast<const int32_t*>(lParam);
        RteGuarded(control, [&] { RteSetSelection(doc, range[0], range[1], 0, static_cast<int16_t>(LOWORD(wParam))); });
        return 0;
    }
    case RTEM_INSERT: {
        auto* count = reinterpret_cast<const int32_t*>(lParam);
        RteGuarded(control, [&] {
            RteInsertText(doc, reinterpret_cast<const uint8_t*>(count + 1), *count, -1, RTE_KEYS_NONE, 0,
                          EditRedraw(control, wParam));
        });
        AfterStyle(control, wParam);
        return 0;
    }
    case RTEM_GETTEXTRANGE: {
        auto* record = reinterpret_cast<RteTextRangeRecord*>(lParam);
        int32_t offset = record->offset;
        if (offset == -1) {
            int32_t end;
            RteGetSelection(doc, &offset, &end);
        }
        return RteControlCopyText(control, offset, record->count, record->buffer);
    }
    case RTEM_PREPAREUNDO:
        return PrepareUndo(control, static_cast<int16_t>(wParam), lParam);
    case RTEM_UNDO:
        return Undo(control);
    case RTEM_UNDOKIND:
        return control->undo ? RteUndoKind(control->undo) : 0;
    case RTEM_SELECTALL:
        RteGuarded(control, [&] { RteSetSelection(doc, 0, RteTextLength(doc), 0, static_cast<int16_t>(LOWORD(wParam))); });
        return 0;
    case RTEM_HASRANGE: {
        int32_t start, end;
        RteGetSelection(doc, &start, &end);
        return start != end;
    }
    case RTEM_ENABLEUNDO:
        control->flags = wParam ? (control->flags & ~RTE_CTL_NO_UNDO) : (control->flags | RTE_CTL_NO_UNDO);
        return 0;
    case RTEM_CARETRECT: {
        auto* record = reinterpret_cast<RteCaretRecord*>(lParam);
        RteGuarded(control, [&] { RteCaretRect(doc, record->offset, true, true, &record->rect); });
        RtePoint scroll{};
        RteGetScrollPosition(doc, &scroll);
        record->v = -scroll.v;
        record->h = -scroll.h;
        return 0;
    }
    default:
        return RteControlTextMessage(control, message, wParam, lParam);
    }
}

}  // namespace

LRESULT RteControlGroupMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= 0x2C00)
        return TextGroup(control, message, wParam, lParam);
    if (message >= 0x2600)
        return CharacterGroup(control, message, wParam, lParam);
    return ControlGroup(control, message, wParam, lParam);
}

LRESULT RteControlEditMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam)
{
    RteHandle doc = control->document;
    switch (message) {
    case EM_SETSEL:
        RteGuarded(control, [&] { RteSetSelection(doc, LOWORD(lParam), HIWORD(lParam), 0, 1); });
        return 0;
    case EM_GETRECT: {
        RteRect bounds;
        RteRectListFirst((control->flags & RTE_CTL_WRAP_FOLLOWS_VIEW) ? RteViewArea(doc) : RteWrapArea(doc), &bounds);
        *reinterpret_cast<RECT*>(lParam) = RECT{bounds.left, bounds.top, bounds.right, bounds.bottom};
        return 0;
    }
    case EM_SETRECT:
    case EM_SETRECTNP: {
        auto* rect = reinterpret_cast<const RECT*>(lParam);
        RteRect area{rect->top, rect->left, rect->bottom, rect->right};
        RteRectList list = RteNewRectList(RteControlContext(), &area);
        bool view = (control->flags & RTE_CTL_WRAP_FOLLOWS_VIEW) != 0;
        RteSetAreas(doc, view ? list : nullptr, list, nullptr);
        RteFreeRectList(list);
        if (message == EM_SETRECT)
            RteControlRedraw(control, false);
        else
            control->state |= RTE_STATE_SCROLLBARS;
        return 0;
    }
    case EM_LINESCROLL: {
        // Horizontal units of 7 pixels, vertical lines of the caret's line height; positive counts
        // go towards the end, the engine's positive amounts towards the start.
        RteRect caret = {};
        int32_t start, end;
        RteGetSelection(doc, &start, &end);
        RteGuarded(control, [&] {
            RteCaretRect(doc, end, false, false, &caret);
            int32_t lineHeight = std::max(caret.bottom - caret.top, 1);
            RteScrollBy(doc, -static_cast<int16_t>(LOWORD(lParam)) * 7, -static_cast<int16_t>(HIWORD(lParam)) * lineHeight,
                        control->scrollRedraw);
        });
        RteUpdateScrollBars(control, false);
        return 0;
    }
    case EM_GETMODIFY:
        return RteGetChangeCounter(doc) != 0;
    case EM_SETMODIFY:
        RteSetChangeCounter(doc, 0);
        return 0;
    case EM_REPLACESEL: {
        const char* text = reinterpret_cast<const char*>(lParam);
        int32_t length = text ? static_cast<int32_t>(std::strlen(text)) : 0;
        RteGuarded(control, [&] {
            if (length) {
                RteControlPrepareUndo(control, RTE_UNDO_INSERT_TEXT, &length);
                RteInsertText(doc, reinterpret_cast<const uint8_t*>(text), length, -1, RTE_KEYS_NONE, 0,
                              control->editRedraw);
            } else {
                int32_t start, end;
                RteGetSelection(doc, &start, &end);
                if (start == end)
                    return;
                RteControlPrepareUndo(control, RTE_UNDO_CUT, nullptr);
                RteDeleteRange(doc, nullptr, control->editRedraw);
            }
            RteUpdateScrollBars(control, true);
        });
        return 0;
    }
    case EM_LIMITTEXT:
        control->textLimit = static_cast<int32_t>(wParam);
        return 0;
    case EM_CANUNDO:
        return control->undo != nullptr;
    case EM_UNDO:
        Undo(control);
        return 1;
    case EM_EMPTYUNDOBUFFER:
        RteControlDropUndo(control);
        return 0;
    default:
        return RteControlLineMessage(control, message, wParam, lParam);
    }
}
