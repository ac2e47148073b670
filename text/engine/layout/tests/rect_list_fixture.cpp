// Rect lists in a test's own memory context; see rect_list_fixture.h.
#include "rect_list_fixture.h"

#include <algorithm>

void RectListTest::TearDown()
{
    EXPECT_EQ(LockedLists(context_), 0);
    EXPECT_EQ(context_.contractBreaches, 0);
    for (RteRectList list : made_)
        RteFreeRectList(list);
    EXPECT_TRUE(context_.lists.empty()) << context_.lists.size() << " lists leaked";
}

RteRectList RectListTest::Make(std::initializer_list<RteRect> rects)
{
    return Make(Rects(rects));
}

RteRectList RectListTest::Make(const Rects& rects)
{
    RteRectList list = RteNewRectList(&context_, nullptr);
    made_.push_back(list);
    if (rects.empty())
        return list;
    RteRectListSetEntries(list, static_cast<int32_t>(rects.size()) + 1);
    RteRect* entries = RteRectListLock(list);
    entries[0] = Enclosing(rects);
    std::copy(rects.begin(), rects.end(), entries + 1);
    RteRectListUnlock(list);
    return list;
}

RteRectList RectListTest::Empty()
{
    return Make({});
}

void RectListTest::Free(RteRectList list)
{
    made_.erase(std::find(made_.begin(), made_.end(), list));
    RteFreeRectList(list);
}

Rects RectsOf(RteRectList list)
{
    const RteRect* entries = RteRectListLock(list);
    Rects rects(entries + 1, entries + RteRectListEntries(list));
    RteRectListUnlock(list);
    return rects;
}

RteRect BoundsOf(RteRectList list)
{
    RteRect bounds;
    RteRectListFirst(list, &bounds);
    return bounds;
}

std::set<std::pair<int, int>> Cells(const Rects& rects)
{
    std::set<std::pair<int, int>> cells;
    for (const RteRect& rect : rects) {
        for (int v = rect.top; v < rect.bottom; ++v) {
            for (int h = rect.left; h < rect.right; ++h)
                cells.insert({v, h});
        }
    }
    return cells;
}

RteRect Enclosing(const Rects& rects)
{
    RteRect bounds{};
    bool first = true;
    for (const RteRect& rect : rects) {
        if (rect.top == rect.bottom || rect.left == rect.right)
            continue;
        if (first) {
            bounds = rect;
            first = false;
            continue;
        }
        bounds = {std::min(bounds.top, rect.top), std::min(bounds.left, rect.left),
                  std::max(bounds.bottom, rect.bottom), std::max(bounds.right, rect.right)};
    }
    return bounds;
}

bool Disjoint(const Rects& rects)
{
    size_t cellCount = 0;
    for (const RteRect& rect : rects)
        cellCount += Cells({rect}).size();
    return cellCount == Cells(rects).size();
}

bool NoneMeet(const Rects& rects)
{
    for (size_t i = 0; i < rects.size(); ++i) {
        for (size_t j = i + 1; j < rects.size(); ++j) {
            const RteRect& a = rects[i];
            const RteRect& b = rects[j];
            const bool rowsOverlap = a.top < b.bottom && b.top < a.bottom;
            const bool columnsTouchOrOverlap = a.left <= b.right && b.left <= a.right;
            if (rowsOverlap && columnsTouchOrOverlap)
                return false;
        }
    }
    return true;
}

bool SortedByTop(const Rects& rects)
{
    return std::is_sorted(rects.begin(), rects.end(),
                          [](const RteRect& a, const RteRect& b) { return a.top < b.top; });
}
