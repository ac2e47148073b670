// Region union of a rect into a list: the result holds no two rects that meet.
#include "rect_list.h"

#include "rect_list_disjoint.h"
#include "rect_list_merge.h"
#include "rect_ops.h"
#include "scratch_rect_list.h"

// Rebuilding out of disjoint pieces and then joining side-by-side neighbours band by band
// always ends. Re-merging the pieces of each meeting pair, and normalising between rounds, can
// rebuild the very same pair for ever: two rects side by side whose tops differ are split
// into bands and stacked back together again.
void RteUnionRectIntoList(RteRectList list, const RteRect* rect)
{
    if (RteEmptyRect(rect))
        return;
    const RteRect added = *rect;
    if (RteListRectMeeting(list, &added, nullptr) == 0) {
        RteRectIterator rects(list);
        RteQuickAddRect(rects, added);
        RteNormalizeRectList(rects);
        return;
    }

    ScratchRectList rebuilt(list);
    {
        RteRectIterator old(list);
        RteRectIterator pieces(rebuilt.List());
        for (const RteRect& oldRect : old.Rects())
            RteAddDisjointRect(pieces, oldRect);
        RteAddDisjointRect(pieces, added);
        RteJoinMeetingRects(pieces);
        RteNormalizeRectList(pieces);
    }
    RteCopyRectList(rebuilt.List(), list);
}
