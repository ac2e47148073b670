// Cut, copy, paste and clear: the selection through the clipboard as "RTEDOC" and the engine's
// other formats, or through the notify window when it asks to serve the data itself.
#include "rte_clipboard.h"
#include "rte_control_internal.h"
#include "rte_editing.h"
#include "rte_scrolling.h"
#include "rte_transfer.h"
#include "rte_undo.h"

namespace {

// The copied document goes to the notify window when it takes it, else onto the clipboard.
void Publish(RteControl* control, RteHandle copy)
{
    if (!OpenClipboard(control->window))
        return;
    if (!((control->notifyFlags & RTEN_FLAG_COPYDATA) &&
          RteNotify(control, RTEN_COPYDATA, reinterpret_cast<LPARAM>(copy))))
        RtePutClipboard(copy, RteControlClipboardFormat(), RTE_PUT_ALL);
    CloseClipboard();
}

void AfterRemoval(RteControl* control)
{
    RteClampScroll(control->document, control->scrollRedraw);
    RteUpdateScrollBars(control, true);
}

void CutOrCopy(RteControl* control, bool cut)
{
    RteHandle copy = nullptr;
    bool done = RteGuarded(control, [&] {
        if (cut) {
            RteControlPrepareUndo(control, RTE_UNDO_CUT, nullptr);
            copy = RteCutRange(control->document, nullptr, control->editRedraw);
        } else {
            copy = RteCopyRange(control->document, nullptr);
        }
        if (!copy)
            RteRaise(RteControlContext(), RTE_ERR_NO_MEMORY, nullptr);
        Publish(control, copy);
    });
    if (copy)
        RteDocDestroy(copy);
    if (done && cut) {
        AfterRemoval(control);
        RteNotifyPending(control);
    }
}

void Paste(RteControl* control)
{
    if (!OpenClipboard(control->window))
        return;
    RteHandle source = nullptr;
    bool done = RteGuarded(control, [&] {
        if (control->notifyFlags & RTEN_FLAG_PASTEDATA)
            source = reinterpret_cast<RteHandle>(RteNotify(control, RTEN_PASTEDATA, 1));
        if (!source)
            source = RteDocFromClipboard(RteEnvironmentOf(), RteControlClipboardFormat(), RteControlObjectProc);
        if (!source)
            return;
        RteControlPrepareUndo(control, RTE_UNDO_INSERT_DOCUMENT, source);
        RteInsertDocument(control->document, source, -1, 0, control->editRedraw);
    });
    CloseClipboard();
    if (source)
        RteDocDestroy(source);
    if (done && source) {
        AfterRemoval(control);
        RteNotifyChange(control);
        RteNotifyPending(control);
    }
}

void Clear(RteControl* control)
{
    bool done = RteGuarded(control, [&] {
        RteControlPrepareUndo(control, RTE_UNDO_CUT, nullptr);
        RteDeleteRange(control->document, nullptr, control->editRedraw);
    });
    if (done) {
        AfterRemoval(control);
        RteNotifyPending(control);
    }
}

}  // namespace

LRESULT RteControlClipboard(RteControl* control, UINT message)
{
    switch (message) {
    case WM_CUT: CutOrCopy(control, true); break;
    case WM_COPY: CutOrCopy(control, false); break;
    case WM_PASTE: Paste(control); break;
    default: Clear(control); break;
    }
    return 0;
}
