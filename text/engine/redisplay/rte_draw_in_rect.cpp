// The whole text drawn into a rect of the port (or of another document's port), as a picture
// of it: no caret, no highlight, unscrolled, the document given back as it was.
#include "rte_draw_in_rect.h"

#include "rect_list.h"
#include "rect_ops.h"
#include "rte_highlight.h"
#include "rte_redisplay.h"
#include "rte_text_blocks.h"
#include "rte_typed.h"

namespace {

// Drawn as a picture: inactive and without a caret, the caret not shown.
constexpr uint32_t kPictureSet = RTE_DOC_INACTIVE_FIRST | RTE_DOC_NO_CARET | RTE_DOC_DRAWING_IN_RECT;
constexpr uint32_t kPictureCleared = RTE_DOC_CARET_SHOWN;

struct Saved {
    uint32_t flags;
    RteRectList view;
    RteRectList wrap;
    RteDrawPort port;
    RteScaling scaling;
    RtePoint scroll;
    bool highlightShown;
};

}  // namespace

void RteDrawInRect(RteHandle doc, RteHandle other, const RteRect* rect, const RteRect* wrapRect, int16_t mode)
{
    RteRect target = *rect;
    Saved saved;
    RteRectList view = nullptr, wrap = nullptr;
    {
        RteLocked<RteDocument> locked(doc);
        saved = Saved{locked->flags,   locked->viewArea, locked->wrapArea,       locked->port,
                      locked->scaling, locked->scroll,   locked->highlightShown};
        locked->flags = (locked->flags | kPictureSet) & ~kPictureCleared;
        // The highlight on the document's own port is none of the picture's business.
        locked->highlightShown = false;
        if (other) {
            RteLocked<RteDocument> lender(other);
            locked->port = lender->port;
            locked->scaling = lender->scaling;
            locked->flags |= lender->flags & RTE_DOC_PAGE_MODE;
            RteRect lenderView = RteRectIterator(lender->viewArea).Bounds();
            RteSectRect(&target, &lenderView, &target);
        }
        view = RteNewRectList(RteHandleContext(doc), &target);
        locked->viewArea = view;
        if (wrapRect) {
            wrap = RteNewRectList(RteHandleContext(doc), wrapRect);
            locked->wrapArea = wrap;
            RteMarkForLayout(locked.get(), 0, locked->textLength);
        }
        // The wrap area's corner lands on the rect's: drawing subtracts the scroll position.
        RteRect bounds = RteRectIterator(locked->wrapArea).Bounds();
        locked->scroll = RtePoint{bounds.top - rect->top, bounds.left - rect->left};
    }
    RteRedisplay(doc, nullptr, 0, -1, nullptr, nullptr, mode, false);
    RteLocked<RteDocument> locked(doc);
    locked->flags = saved.flags;
    locked->viewArea = saved.view;
    locked->wrapArea = saved.wrap;
    locked->port = saved.port;
    locked->scaling = saved.scaling;
    locked->scroll = saved.scroll;
    locked->highlightShown = saved.highlightShown;
    if (wrap)
        RteMarkForLayout(locked.get(), 0, locked->textLength);
    RteFreeRectList(view);
    if (wrap)
        RteFreeRectList(wrap);
}
