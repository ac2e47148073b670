// Quick add, normalising and the region union: merges that keep the area, disjoint rects
// that never meet, and bounds kept up.
#include "random_rects.h"
#include "rect_ops.h"

#include <algorithm>
#include <iterator>

namespace {

using RectListMerge = RectListTest;

TEST_F(RectListMerge, QuickAddIntoTheEmptyAreaGivesTheRectAlone)
{
    RteRectList list = Empty();
    const RteRect rect{3, 4, 13, 14};
    RteAddRectToList(list, &rect);
    EXPECT_EQ(RectsOf(list), Rects{rect});
    EXPECT_EQ(BoundsOf(list), rect);
}

struct QuickAddCase {
    const char* name;
    Rects before;
    RteRect added;
    Rects after;
};

const QuickAddCase kQuickAddCases[] = {
    {"inside an existing rect", {{0, 0, 10, 10}}, {2, 2, 5, 5}, {{0, 0, 10, 10}}},
    {"directly below, same left and right", {{0, 0, 10, 10}}, {10, 0, 25, 10}, {{0, 0, 25, 10}}},
    {"directly above, same left and right", {{10, 0, 20, 10}}, {0, 0, 10, 10}, {{0, 0, 20, 10}}},
    {"beside, same top and bottom", {{0, 0, 10, 10}}, {0, 10, 10, 30}, {{0, 0, 10, 30}}},
    {"sharing the top, same left and right", {{0, 0, 10, 10}}, {0, 0, 20, 10}, {{0, 0, 20, 10}}},
    {"apart: appended", {{0, 0, 10, 10}}, {20, 20, 30, 30}, {{0, 0, 10, 10}, {20, 20, 30, 30}}},
    {"overlapping without a shared pair of edges: appended, overlapping", {{0, 0, 10, 10}}, {5, 5, 15, 15},
     {{0, 0, 10, 10}, {5, 5, 15, 15}}},
    {"an empty rect", {{0, 0, 10, 10}}, {20, 20, 20, 40}, {{0, 0, 10, 10}}},
    {"the first rect that can take it", {{0, 0, 10, 10}, {20, 0, 30, 10}}, {10, 0, 20, 10},
     {{0, 0, 20, 10}, {20, 0, 30, 10}}},
    // An empty first slot is taken over: its edges must not widen the new rect.
    {"an empty first slot", {{0, 5, 10, 5}, {20, 20, 30, 30}}, {50, 50, 60, 60}, {{50, 50, 60, 60}, {20, 20, 30, 30}}},
};

TEST_F(RectListMerge, QuickAddTable)
{
    for (const QuickAddCase& c : kQuickAddCases) {
        RteRectList list = Make(c.before);
        RteAddRectToList(list, &c.added);
        EXPECT_EQ(RectsOf(list), c.after) << c.name;
        Rects all = c.before;
        all.push_back(c.added);
        EXPECT_EQ(BoundsOf(list), Enclosing(all)) << c.name;
    }
}

TEST_F(RectListMerge, NormalizeMergesAStackGivenInAnyOrder)
{
    RteRectList list = Make({{20, 0, 30, 10}, {0, 0, 10, 10}, {10, 0, 20, 10}});
    {
        RteRectIterator rects(list);
        RteNormalizeRectList(rects);
    }
    EXPECT_EQ(RectsOf(list), (Rects{{0, 0, 30, 10}}));
    EXPECT_EQ(BoundsOf(list), (RteRect{0, 0, 30, 10}));
}

TEST_F(RectListMerge, NormalizeSortsByTopKeepingTheOrderOfEqualTops)
{
    RteRectList list = Make({{5, 0, 6, 1}, {0, 10, 1, 11}, {5, 20, 6, 21}, {0, 30, 1, 31}});
    {
        RteRectIterator rects(list);
        RteNormalizeRectList(rects);
    }
    EXPECT_EQ(RectsOf(list), (Rects{{0, 10, 1, 11}, {0, 30, 1, 31}, {5, 0, 6, 1}, {5, 20, 6, 21}}));
    EXPECT_EQ(BoundsOf(list), (RteRect{0, 0, 6, 31}));
}

TEST_F(RectListMerge, NormalizeDropsRectsInsideOthers)
{
    RteRectList list = Make({{0, 0, 10, 10}, {2, 2, 4, 4}, {5, 5, 6, 6}});
    {
        RteRectIterator rects(list);
        RteNormalizeRectList(rects);
    }
    EXPECT_EQ(RectsOf(list), (Rects{{0, 0, 10, 10}}));
}

void ExpectRegion(RteRectList list, const Rects& area, const char* name)
{
    const Rects rects = RectsOf(list);
    EXPECT_EQ(Cells(rects), Cells(area)) << name;
    EXPECT_TRUE(Disjoint(rects)) << name;
    EXPECT_TRUE(NoneMeet(rects)) << name;
    EXPECT_TRUE(SortedByTop(rects)) << name;
    EXPECT_EQ(BoundsOf(list), Enclosing(area)) << name;
}

TEST_F(RectListMerge, UnionOfAnLShapeLeavesDisjointRects)
{
    RteRectList list = Make({{0, 0, 10, 10}});
    const RteRect added{5, 5, 15, 20};
    RteUnionRectIntoList(list, &added);
    ExpectRegion(list, {{0, 0, 10, 10}, added}, "L shape");
    EXPECT_EQ(RectsOf(list), (Rects{{0, 0, 5, 10}, {5, 0, 10, 20}, {10, 5, 15, 20}}));
}

// Two rects side by side whose tops differ: merging their pieces back and normalising
// would rebuild the same pair for ever; cut into bands they end.
TEST_F(RectListMerge, UnionOfRectsSideBySideWithDifferentTopsEnds)
{
    RteRectList list = Make({{0, 0, 10, 10}});
    const RteRect added{5, 10, 15, 20};
    RteUnionRectIntoList(list, &added);
    ExpectRegion(list, {{0, 0, 10, 10}, added}, "staircase");
    EXPECT_EQ(RectsOf(list), (Rects{{0, 0, 5, 10}, {5, 0, 10, 20}, {10, 10, 15, 20}}));
}

TEST_F(RectListMerge, UnionOfARectThatMeetsNothingIsAddedAndSorted)
{
    RteRectList list = Make({{10, 0, 20, 10}});
    const RteRect apart{0, 50, 5, 60};
    RteUnionRectIntoList(list, &apart);
    EXPECT_EQ(RectsOf(list), (Rects{apart, {10, 0, 20, 10}}));
    const RteRect below{20, 0, 30, 10};
    RteUnionRectIntoList(list, &below);
    EXPECT_EQ(RectsOf(list), (Rects{apart, {10, 0, 30, 10}}));
    EXPECT_EQ(BoundsOf(list), (RteRect{0, 0, 30, 60}));
}

TEST_F(RectListMerge, UnionIgnoresAnEmptyRect)
{
    RteRectList list = Make({{0, 0, 10, 10}});
    const RteRect line{5, 0, 5, 30};
    RteUnionRectIntoList(list, &line);
    EXPECT_EQ(RectsOf(list), (Rects{{0, 0, 10, 10}}));
}

TEST_F(RectListMerge, UnionSortsOutOverlapsTheListAlreadyHad)
{
    const Rects overlapping{{0, 0, 10, 10}, {5, 5, 15, 15}};
    RteRectList list = Make(overlapping);
    const RteRect added{8, 0, 12, 30};
    RteUnionRectIntoList(list, &added);
    ExpectRegion(list, {overlapping[0], overlapping[1], added}, "overlapping list");
}

TEST_F(RectListMerge, UnionOfRandomRectsKeepsTheArea)
{
    RandomRects random(20261210);
    for (int run = 0; run < 150; ++run) {
        const Rects added = random.Next(6);
        RteRectList list = Empty();
        Rects soFar;
        for (const RteRect& rect : added) {
            RteUnionRectIntoList(list, &rect);
            soFar.push_back(rect);
            ExpectRegion(list, soFar, "random");
        }
        Free(list);
        if (HasFailure())
            break;
    }
}

}  // namespace
