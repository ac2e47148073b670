// The locked view of a rect list through which its rects are read, inserted and deleted.
#include "rect_list.h"

#include <algorithm>

RteRectIterator::RteRectIterator(RteRectList list) : list_(list), entries_(RteRectListLock(list))
{
    // A list cut below two entries by hand is read as the empty area it stands for.
    const int32_t entries = RteRectListEntries(list);
    if (entries < RTE_RECT_LIST_NEW_ENTRIES) {
        try {
            entries_ = RteRectListInsertEntries(list, entries, RTE_RECT_LIST_NEW_ENTRIES - entries);
        } catch (...) {
            RteRectListUnlock(list);
            throw;
        }
        std::fill(entries_, entries_ + RTE_RECT_LIST_NEW_ENTRIES, RteRect{});
    }
    count_ = std::max(entries, RTE_RECT_LIST_NEW_ENTRIES) - 1;
}

RteRectIterator::~RteRectIterator()
{
    RteRectListUnlock(list_);
}

void RteRectIterator::Insert(int32_t number, const RteRect& rect)
{
    entries_ = RteRectListInsertEntries(list_, number, 1);
    entries_[number] = rect;
    ++count_;
}

void RteRectIterator::Append(const RteRect& rect)
{
    Insert(count_ + 1, rect);
}

void RteRectIterator::Delete(int32_t number)
{
    RteRectListDeleteEntries(list_, number, 1);
    --count_;
}

void RteRectIterator::Remove(int32_t number)
{
    if (count_ == 1)
        Rect(1) = {};
    else
        Delete(number);
}

void RteRectIterator::SetSingle(const RteRect& rect)
{
    if (count_ > 1) {
        RteRectListDeleteEntries(list_, 2, count_ - 1);
        count_ = 1;
    }
    Bounds() = rect;
    Rect(1) = rect;
}
