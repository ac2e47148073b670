// Notifications to the control's notify window, the undo record the control keeps, and the
// redraw and scroll-bar steps that many messages end with.
#include "rte_control_internal.h"
#include "rte_scrolling.h"
#include "rte_selection.h"
#include "rte_undo.h"

RteDocControl::RteDocControl(RteHandle doc, uint32_t notifyFlag)
    : handle_(reinterpret_cast<RteHandle>(RteGetDocRef(doc))), control_(nullptr)
{
    if (!handle_)
        return;
    control_ = static_cast<RteControl*>(RteLock(handle_));
    if (notifyFlag && !(control_->notifyFlags & notifyFlag)) {
        RteUnlock(handle_);
        control_ = nullptr;
    }
}

RteDocControl::~RteDocControl()
{
    if (control_)
        RteUnlock(handle_);
}

LRESULT RteNotify(const RteControl* control, UINT message, LPARAM lParam)
{
    if (!control->notifyWindow)
        return 0;
    return SendMessageA(control->notifyWindow, message, control->id, lParam);
}

void RteNotifyChange(const RteControl* control)
{
    if (control->notifyFlags & RTEN_FLAG_CHANGE)
        RteNotify(control, RTEN_CHANGE, 0);
    else if (control->notifyWindow)
        SendMessageA(control->notifyWindow, WM_COMMAND, MAKEWPARAM(control->id, EN_CHANGE),
                     reinterpret_cast<LPARAM>(control->window));
}

// The change value the document holds for the notify window is the change counter's growth
// since it was last reported.
void RteNotifyPending(const RteControl* control)
{
    if (!(control->notifyFlags & RTEN_FLAG_PENDING))
        return;
    uint32_t changes = RteGetChangeCounter(control->document);
    if (changes)
        RteNotify(control, RTEN_PENDING, static_cast<LPARAM>(changes));
}

void RteNotifyError(const RteControl* control, uint16_t code) { RteNotify(control, RTEN_ERROR, code); }

void RteControlDropUndo(RteControl* control)
{
    if (control->undo)
        RteUndoFree(control->undo);
    control->undo = nullptr;
}

void RteControlPrepareUndo(RteControl* control, int16_t kind, const void* reference)
{
    if (control->flags & RTE_CTL_NO_UNDO)
        return;
    // Typing runs extend the previous record, which then comes back as the new one.
    bool extends = kind == RTE_UNDO_TYPING || kind == RTE_UNDO_BACKSPACE || kind == RTE_UNDO_FORWARD_DELETE;
    RteHandle record = RteUndoPrepare(control->document, kind, extends ? control->undo : reference);
    if (record != control->undo)
        RteControlDropUndo(control);
    control->undo = record;
}

void RteUpdateScrollBars(RteControl* control, bool caretIntoView)
{
    control->state &= ~RTE_STATE_SCROLLBARS;
    if (caretIntoView) {
        int32_t start, end;
        RteGetSelection(control->document, &start, &end);
        // A scroll can change the lines' extent; a few rounds settle it.
        for (int round = 0; start == end && round < 4; ++round)
            if (!RteScrollToOffset(control->document, -1, control->hSlack, control->vSlack, true,
                                   control->scrollRedraw))
                break;
    }
    if (!(control->style & (WS_HSCROLL | WS_VSCROLL)))
        return;
    int32_t h, v, hMax, vMax;
    RteGetScrollValues(control->document, &h, &v, &hMax, &vMax);
    if (control->style & WS_HSCROLL) {
        SetScrollRange(control->window, SB_HORZ, 0, hMax < 1 ? 1 : hMax, FALSE);
        SetScrollPos(control->window, SB_HORZ, h, TRUE);
    }
    if (control->style & WS_VSCROLL) {
        SetScrollRange(control->window, SB_VERT, 0, vMax < 1 ? 1 : vMax, FALSE);
        SetScrollPos(control->window, SB_VERT, v, TRUE);
    }
}

void RteControlRedraw(RteControl* control, bool now)
{
    RteUpdateScrollBars(control, false);
    if (!now) {
        InvalidateRect(control->window, nullptr, TRUE);
        return;
    }
    RedrawWindow(control->window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RteNotifyPending(control);
}
