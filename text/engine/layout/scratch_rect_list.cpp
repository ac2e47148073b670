// Working lists of the set operations, and copying between lists.
#include "scratch_rect_list.h"

#include <algorithm>

ScratchRectList::ScratchRectList(RteRectList sibling)
    : list_(RteNewRectList(RteRectListContext(sibling), nullptr))
{
}

ScratchRectList::~ScratchRectList()
{
    RteFreeRectList(list_);
}

void RteCopyRectList(RteRectList from, RteRectList to)
{
    if (from == to)
        return;
    RteRectListSetEntries(to, RteRectListEntries(from));
    RteRectIterator source(from);
    RteRectIterator target(to);
    std::copy(source.Rects().begin(), source.Rects().end(), target.Rects().begin());
    target.Bounds() = source.Bounds();
}
