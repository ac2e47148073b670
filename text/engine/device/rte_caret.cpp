// The caret: one per window, made for the height of the text it stands in.
#include "rte_caret.h"

#include "rte_document_internal.h"

using namespace rte_document;

namespace {

RteGdiPort* PortOf(RteHandle doc) { return RteGdiPortOf(&RteLocked<RteDocument>(doc)->port); }

void Destroy(RteGdiPort* port)
{
    if (port->caretExists)
        DestroyCaret();
    port->caretExists = false;
    port->caretShown = false;
}

bool TakeCaretMoved(RteHandle handle)
{
    RteLocked<RteDocument> doc(handle);
    bool moved = doc->caretMoved;
    doc->caretMoved = false;
    return moved;
}

}  // namespace

int32_t RteMakeCaret(RteHandle doc, int32_t height)
{
    RteGdiPort* port = PortOf(doc);
    if (port->caretExists && port->caretHeight != height)
        Destroy(port);
    if (!port->caretExists) {
        CreateCaret(port->window, nullptr, port->caretWidth + 1, height);
        port->caretExists = true;
    }
    port->caretHeight = height;
    return 1;
}

void RtePlaceCaret(RteHandle handle, RteSelectPoint* point, intptr_t mode)
{
    RteGdiPort* port = PortOf(handle);
    RtePoint scroll = RteLocked<RteDocument>(handle)->scroll;
    // The caret is centred on the position.
    int32_t x = point->point.h - scroll.h - (port->caretWidth + 1) / 2;
    int32_t top = point->point.v - scroll.v;
    switch (mode) {
    case RTE_CARET_HIDE:
    case RTE_CARET_HIDE_AGAIN:
        Destroy(port);
        return;
    case RTE_CARET_POINT:
        RteLocked<RteDocument>(handle)->caretPoint = RtePoint{top + 1, x < 1 ? 1 : x};
        return;
    default:
        if (port->caretShown)
            return;
        RteMakeCaret(handle, point->height);
        SetCaretPos(x, top);
        ShowCaret(port->window);
        port->caretShown = true;
    }
}

intptr_t RteCaretHook(RteHandle handle, intptr_t mode, intptr_t where, intptr_t, intptr_t, intptr_t)
{
    auto* point = reinterpret_cast<RteSelectPoint*>(where);
    RteGdiPort* port = PortOf(handle);
    if (!port->window || (RteLocked<RteDocument>(handle)->flags2 & RTE_DOC2_NO_CARET) || !point)
        return 0;
    switch (mode) {
    case RTE_CARET_IDLE:
    case RTE_CARET_IDLE_AGAIN:
        if (!port->caretExists)
            RtePlaceCaret(handle, point, mode);
        break;
    case RTE_CARET_SHOW:
    case RTE_CARET_PLACE:
    case RTE_CARET_POINT:
        RtePlaceCaret(handle, point, mode);
        break;
    case RTE_CARET_HIDE:
    case RTE_CARET_HIDE_AGAIN:
        if (port->caretShown)
            RtePlaceCaret(handle, point, mode);
        break;
    case RTE_CARET_CHANGED:
    case RTE_CARET_CHANGED_PLACE:
        // A caret drawn before the text moved stands in the wrong place: it goes, and the
        // placing mode draws it anew where it belongs now.
        if (TakeCaretMoved(handle) && port->caretExists)
            Destroy(port);
        if (mode == RTE_CARET_CHANGED_PLACE)
            RtePlaceCaret(handle, point, mode);
        break;
    default:
        break;
    }
    return 0;
}
