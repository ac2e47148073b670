// Rect lists made, reset, read, compared, moved and scaled as a whole, with their bounds.
#include "rect_list_fixture.h"
#include "scaling.h"

namespace {

using RectListBasics = RectListTest;

TEST_F(RectListBasics, NewListWithoutRectIsTheEmptyArea)
{
    RteRectList list = Empty();
    EXPECT_EQ(RteRectListEntries(list), 2);
    EXPECT_EQ(RteRectListCount(list), 1);
    EXPECT_EQ(RteEmptyRectList(list), 1);
    EXPECT_EQ(BoundsOf(list), RteRect{});
    EXPECT_EQ(RectsOf(list), Rects{RteRect{}});
}

TEST_F(RectListBasics, NewListWithRectHoldsItAsBoundsAndRectOne)
{
    const RteRect rect{1, 2, 30, 40};
    RteRectList list = RteNewRectList(&context_, &rect);
    EXPECT_EQ(RteRectListCount(list), 1);
    EXPECT_EQ(RteEmptyRectList(list), 0);
    EXPECT_EQ(BoundsOf(list), rect);
    EXPECT_EQ(RectsOf(list), Rects{rect});
    RteFreeRectList(list);
}

TEST_F(RectListBasics, SetRectListCutsBackToTwoEntries)
{
    RteRectList list = Make({{0, 0, 10, 10}, {10, 0, 20, 10}, {30, 0, 40, 10}});
    const RteRect rect{5, 5, 6, 6};
    RteSetRectList(list, &rect);
    EXPECT_EQ(RectsOf(list), Rects{rect});
    EXPECT_EQ(BoundsOf(list), rect);
    RteSetRectList(list, nullptr);
    EXPECT_EQ(RectsOf(list), Rects{RteRect{}});
    EXPECT_EQ(RteEmptyRectList(list), 1);
}

TEST_F(RectListBasics, EmptyWhenBoundsAreEmptyOrEntriesMissing)
{
    EXPECT_EQ(RteEmptyRectList(Make({{0, 0, 0, 10}})), 1);
    EXPECT_EQ(RteEmptyRectList(Make({{0, 0, 1, 1}})), 0);
    RteRectList cut = Make({{0, 0, 1, 1}});
    RteRectListSetEntries(cut, 1);
    EXPECT_EQ(RteEmptyRectList(cut), 1);
    EXPECT_EQ(RteRectListCount(cut), 0);
}

TEST_F(RectListBasics, RecalcBoundsIgnoresEmptyRectsAfterTheFirstAndRepairsShortLists)
{
    RteRectList list = Make({{10, 10, 20, 20}, {0, 50, 0, 60}, {15, 15, 30, 25}});
    RteRect* entries = RteRectListLock(list);
    entries[0] = {};
    RteRectListUnlock(list);
    RteRecalcListBounds(list);
    EXPECT_EQ(BoundsOf(list), (RteRect{10, 10, 30, 25}));

    RteRectListSetEntries(list, 0);
    RteRecalcListBounds(list);
    EXPECT_EQ(RteRectListEntries(list), 2);
    EXPECT_EQ(BoundsOf(list), RteRect{});
    EXPECT_EQ(RectsOf(list), Rects{RteRect{}});
}

TEST_F(RectListBasics, EqualListsCompareEveryEntry)
{
    RteRectList a = Make({{0, 0, 10, 10}, {10, 0, 20, 10}});
    RteRectList b = Make({{0, 0, 10, 10}, {10, 0, 20, 10}});
    RteRectList reordered = Make({{10, 0, 20, 10}, {0, 0, 10, 10}});
    RteRectList shorter = Make({{0, 0, 10, 10}});
    EXPECT_EQ(RteEqualRectLists(a, b), 1);
    EXPECT_EQ(RteEqualRectLists(a, reordered), 0);
    EXPECT_EQ(RteEqualRectLists(a, shorter), 0);
    RteRect* entries = RteRectListLock(b);
    entries[0].right = 99;  // only the bounds differ
    RteRectListUnlock(b);
    EXPECT_EQ(RteEqualRectLists(a, b), 0);
}

TEST_F(RectListBasics, OffsetMovesEveryEntryBoundsIncluded)
{
    RteRectList list = Make({{0, 0, 10, 10}, {10, 5, 20, 15}});
    RteOffsetRectList(list, 3, -2);
    EXPECT_EQ(RectsOf(list), (Rects{{-2, 3, 8, 13}, {8, 8, 18, 18}}));
    EXPECT_EQ(BoundsOf(list), (RteRect{-2, 3, 18, 18}));
}

TEST_F(RectListBasics, ScaleAboutAnOriginRebuildsTheBounds)
{
    RteRectList list = Make({{10, 10, 20, 20}, {20, 10, 30, 40}});
    const RtePoint origin{10, 10};
    RteScaleRectListAbout(&origin, list, 2, 1);
    EXPECT_EQ(RectsOf(list), (Rects{{10, 10, 30, 30}, {30, 10, 50, 70}}));
    EXPECT_EQ(BoundsOf(list), (RteRect{10, 10, 50, 70}));
}

TEST_F(RectListBasics, IteratorEditsMoveTheListAndKeepCountAndBounds)
{
    RteRectList list = Make({{0, 0, 10, 10}});
    {
        RteRectIterator rects(list);
        rects.Append({10, 0, 20, 10});
        rects.Insert(1, {-10, 0, 0, 10});
        EXPECT_EQ(rects.Count(), 3);
        EXPECT_EQ(rects.Rect(1), (RteRect{-10, 0, 0, 10}));
        EXPECT_EQ(rects.Rect(3), (RteRect{10, 0, 20, 10}));
        rects.Delete(2);
        EXPECT_EQ(rects.Count(), 2);
        rects.Remove(1);
        rects.Remove(1);  // the last rect is zeroed, not deleted
        EXPECT_EQ(rects.Count(), 1);
        EXPECT_EQ(rects.Rect(1), RteRect{});
    }
    EXPECT_EQ(RteRectListEntries(list), 2);
}

}  // namespace
