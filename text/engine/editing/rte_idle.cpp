// The idle call of a document: blinking, typeahead and the caret.
#include "rte_activation.h"
#include "rte_blink.h"
#include "rte_document_internal.h"
#include "rte_editing.h"
#include "rte_gdi_misc.h"
#include "rte_selection.h"

using namespace rte_document;

int32_t RteIdle(RteHandle doc)
{
    intptr_t tick = RteBlinkTick(doc) ? RTE_BLINK_SECOND : RTE_BLINK_SAME_SECOND;
    RteHookTable hooks = DocLock(doc)->hooks;
    hooks.blink(doc, tick, 0, 0, 0, 0);
    uint32_t flags = DocLock(doc)->flags;
    if (flags & (RTE_DOC_INACTIVE_FIRST | RTE_DOC_INACTIVE_SECOND | RTE_DOC_NO_CARET))
        return 0;
    int32_t flushed = RteFlushTypeahead(doc) ? 1 : 0;
    if (RteSelectionRangeCount(doc) == 0)
        RteDrawCaret(doc, tick);
    return flushed;
}
