// Activation switches, the selection's visibility, and caret and range rects.
#include "rte_activation.h"

#include <algorithm>

#include "rect_ops.h"
#include "rte_position_queries.h"
#include "rte_redisplay.h"
#include "rte_selection.h"
#include "rte_typed.h"

namespace {

uint32_t Switched(uint32_t flags, int32_t value, uint32_t bit)
{
    if (value == RTE_SWITCH_ACTIVE)
        return flags & ~bit;
    if (value == RTE_SWITCH_INACTIVE)
        return flags | bit;
    return flags;
}

constexpr uint32_t kInactive = RTE_DOC_INACTIVE_FIRST | RTE_DOC_INACTIVE_SECOND;

}  // namespace

void RteSetActivation(RteHandle doc, int32_t first, int32_t second, int16_t redraw)
{
    bool changed = false;
    bool active = false;
    RteHookTable hooks;
    {
        RteLocked<RteDocument> locked(doc);
        uint32_t before = locked->flags;
        locked->flags = Switched(Switched(before, first, RTE_DOC_INACTIVE_FIRST), second, RTE_DOC_INACTIVE_SECOND);
        active = (locked->flags & kInactive) == 0;
        changed = ((before & kInactive) == 0) != active;
        hooks = locked->hooks;
    }
    if (!redraw)
        return;
    int16_t mode = redraw == RTE_REDRAW_DEFAULT ? 5 : redraw;
    hooks.port(doc, 1);
    if (changed && active) {
        RteRedisplay(doc, nullptr, 0, -1, nullptr, nullptr, mode, false);
        RteDrawSelection(doc, RTE_CARET_PLACE);
    } else if (changed) {
        // The highlight goes while the document can still say where it stands.
        RteHideSelection(doc, true);
        RteRedisplay(doc, nullptr, 0, -1, nullptr, nullptr, mode, false);
    } else if (active && RteSelectionRangeCount(doc) == 0) {
        RteShowCaret(doc, RTE_CARET_CHANGED_PLACE);
    }
    hooks.port(doc, 0);
}

void RteGetActivation(RteHandle doc, int32_t* first, int32_t* second)
{
    uint32_t flags = RteLocked<RteDocument>(doc)->flags;
    *first = (flags & RTE_DOC_INACTIVE_FIRST) ? RTE_SWITCH_INACTIVE : RTE_SWITCH_ACTIVE;
    *second = (flags & RTE_DOC_INACTIVE_SECOND) ? RTE_SWITCH_INACTIVE : RTE_SWITCH_ACTIVE;
}

int32_t RteCaretShown(RteHandle doc) { return (RteLocked<RteDocument>(doc)->flags & RTE_DOC_CARET_SHOWN) ? 1 : 0; }

int32_t RteSelectionVisible(RteHandle doc)
{
    uint32_t flags = RteLocked<RteDocument>(doc)->flags;
    if (flags & kInactive)
        return 0;
    return RteSelectionRangeCount(doc) > 0 || (flags & RTE_DOC_CARET_SHOWN) ? 1 : 0;
}

int32_t RteSelectionRect(RteHandle doc, int32_t offset, RteRect* rect)
{
    RteCaretRect(doc, offset, true, false, rect);
    rect->right = rect->left + 1;
    return RteSelectionRangeCount(doc) == 0 ? 1 : 0;
}

int32_t RteRangeBounds(RteHandle doc, const RteRange* range, bool window, bool scaled, RteRect* rect)
{
    int32_t start = RtePinOffset(doc, std::min(range->start, range->end));
    int32_t end = RtePinOffset(doc, std::max(range->start, range->end));
    RteRect first;
    int32_t baseline = RteCaretRect(doc, start, window, scaled, &first);
    *rect = first;
    // Every character's rect, line by line: the caret rects of its boundaries.
    for (int32_t at = start + 1; at <= end; ++at) {
        RteRect next;
        RteCaretRect(doc, at, window, scaled, &next);
        RteUnionRectNonNull(rect, &next, rect);
    }
    return first.bottom - baseline;
}
