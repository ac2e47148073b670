// Pieces of a rect outside another, and the intersection and difference of areas.
#include "random_rects.h"
#include "rect_ops.h"

#include <algorithm>
#include <iterator>

namespace {

using RectListSetOps = RectListTest;

struct MinusCase {
    const char* name;
    RteRect a;
    RteRect b;
    int result;
    Rects pieces;
};

const MinusCase kMinusCases[] = {
    {"a contains b", {0, 0, 10, 10}, {2, 2, 8, 8}, -1, {}},
    {"a equals b", {0, 0, 10, 10}, {0, 0, 10, 10}, -1, {}},
    {"apart", {0, 0, 10, 10}, {20, 20, 30, 30}, 0, {}},
    {"sharing an edge only", {0, 0, 10, 10}, {0, 10, 10, 20}, 0, {}},
    {"a hole in the middle: above, left, right, below", {4, 4, 6, 6}, {0, 0, 10, 10}, 4,
     {{0, 0, 4, 10}, {4, 0, 6, 4}, {4, 6, 6, 10}, {6, 0, 10, 10}}},
    {"a across the top", {-5, -5, 3, 20}, {0, 0, 10, 10}, 1, {{3, 0, 10, 10}}},
    {"a on the left edge", {2, -5, 4, 3}, {0, 0, 10, 10}, 3, {{0, 0, 2, 10}, {2, 3, 4, 10}, {4, 0, 10, 10}}},
    {"a through the middle, top to bottom", {-1, 4, 11, 6}, {0, 0, 10, 10}, 2, {{0, 0, 10, 4}, {0, 6, 10, 10}}},
};

TEST(RectMinusRect, Table)
{
    for (const MinusCase& c : kMinusCases) {
        RteRect pieces[4];
        const int result = RteRectMinusRect(&c.a, &c.b, pieces);
        EXPECT_EQ(result, c.result) << c.name;
        if (result > 0) {
            EXPECT_EQ(Rects(pieces, pieces + result), c.pieces) << c.name;
        }
    }
}

TEST_F(RectListSetOps, SectOfAreasWhoseBoundsMissIsEmpty)
{
    RteRectList a = Make({{0, 0, 10, 10}});
    RteRectList b = Make({{20, 20, 30, 30}});
    RteRectList out = Make({{1, 1, 2, 2}});
    EXPECT_EQ(RteSectRectLists(a, b, out), 0);
    EXPECT_EQ(RteEmptyRectList(out), 1);
    EXPECT_EQ(RteSectRectLists(a, b, nullptr), 0);
    EXPECT_EQ(RteSectRectLists(a, Empty(), out), 0);
}

TEST_F(RectListSetOps, SectOfAreasWhoseBoundsMeetButRectsDoNot)
{
    RteRectList a = Make({{0, 0, 10, 10}, {20, 20, 30, 30}});
    RteRectList b = Make({{0, 20, 10, 30}});
    RteRectList out = Empty();
    EXPECT_EQ(RteSectRectLists(a, b, nullptr), 0);
    EXPECT_EQ(RteSectRectLists(a, b, out), 0);
    EXPECT_EQ(RteEmptyRectList(out), 1);
}

TEST_F(RectListSetOps, SectGivesTheCommonArea)
{
    RteRectList a = Make({{0, 0, 10, 10}, {10, 0, 20, 5}});
    RteRectList b = Make({{5, 2, 15, 8}});
    RteRectList out = Empty();
    EXPECT_EQ(RteSectRectLists(a, b, nullptr), 1);
    ASSERT_EQ(RteSectRectLists(a, b, out), 1);
    EXPECT_EQ(RectsOf(out), (Rects{{5, 2, 10, 8}, {10, 2, 15, 5}}));
    EXPECT_EQ(BoundsOf(out), (RteRect{5, 2, 15, 8}));
}

TEST_F(RectListSetOps, SectIntoOneOfItsInputs)
{
    RteRectList a = Make({{0, 0, 10, 10}});
    RteRectList b = Make({{5, 5, 15, 15}});
    ASSERT_EQ(RteSectRectLists(a, b, a), 1);
    EXPECT_EQ(RectsOf(a), (Rects{{5, 5, 10, 10}}));
}

TEST_F(RectListSetOps, DiffWithACoveringAllOfBLeavesNoArea)
{
    RteRectList a = Make({{0, 0, 10, 10}, {10, 0, 20, 10}});
    RteRectList b = Make({{2, 2, 8, 8}, {9, 1, 12, 9}});
    RteRectList out = Make({{40, 40, 50, 50}});
    RteDiffRectLists(a, b, out);
    EXPECT_EQ(RteEmptyRectList(out), 1);
    EXPECT_TRUE(Cells(RectsOf(out)).empty());
}

TEST_F(RectListSetOps, DiffWithBoundsApartCopiesB)
{
    RteRectList a = Make({{0, 0, 10, 10}});
    RteRectList b = Make({{20, 20, 30, 30}, {25, 25, 40, 40}});
    RteRectList out = Empty();
    RteDiffRectLists(a, b, out);
    EXPECT_EQ(RteEqualRectLists(out, b), 1);
    RteDiffRectLists(Empty(), b, out);
    EXPECT_EQ(RteEqualRectLists(out, b), 1);
}

TEST_F(RectListSetOps, DiffCutsAHole)
{
    RteRectList a = Make({{4, 4, 6, 6}});
    RteRectList b = Make({{0, 0, 10, 10}});
    RteRectList out = Empty();
    RteDiffRectLists(a, b, out);
    const Rects rects = RectsOf(out);
    EXPECT_EQ(rects, (Rects{{0, 0, 4, 10}, {4, 0, 6, 4}, {4, 6, 6, 10}, {6, 0, 10, 10}}));
    EXPECT_EQ(BoundsOf(out), (RteRect{0, 0, 10, 10}));
}

// b's own overlaps must not survive into the result, which promises disjoint rects.
TEST_F(RectListSetOps, DiffOfOverlappingRectsIsDisjoint)
{
    RteRectList a = Make({{0, 0, 2, 2}});
    RteRectList b = Make({{0, 0, 10, 10}, {5, 5, 15, 15}});
    RteDiffRectLists(a, b, b);
    const Rects rects = RectsOf(b);
    EXPECT_TRUE(Disjoint(rects));
    std::set<std::pair<int, int>> expected = Cells({{0, 0, 10, 10}, {5, 5, 15, 15}});
    for (const auto& cell : Cells({{0, 0, 2, 2}}))
        expected.erase(cell);
    EXPECT_EQ(Cells(rects), expected);
}

std::set<std::pair<int, int>> Minus(const std::set<std::pair<int, int>>& from, const std::set<std::pair<int, int>>& cut)
{
    std::set<std::pair<int, int>> rest;
    std::set_difference(from.begin(), from.end(), cut.begin(), cut.end(), std::inserter(rest, rest.end()));
    return rest;
}

std::set<std::pair<int, int>> Common(const std::set<std::pair<int, int>>& a, const std::set<std::pair<int, int>>& b)
{
    std::set<std::pair<int, int>> common;
    std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::inserter(common, common.end()));
    return common;
}

TEST_F(RectListSetOps, RandomAreasKeepTheirCells)
{
    RandomRects random(4242);
    for (int run = 0; run < 200; ++run) {
        const Rects rectsA = random.Next(1 + run % 4);
        const Rects rectsB = random.Next(1 + run % 5);
        RteRectList a = Make(rectsA);
        RteRectList b = Make(rectsB);
        RteRectList out = Empty();

        RteDiffRectLists(a, b, out);
        const Rects rest = RectsOf(out);
        EXPECT_EQ(Cells(rest), Minus(Cells(rectsB), Cells(rectsA))) << "run " << run;
        const RteRect boundsA = BoundsOf(a);
        const RteRect boundsB = BoundsOf(b);
        if (RteSectRect(&boundsA, &boundsB, nullptr))
            EXPECT_TRUE(Disjoint(rest)) << "run " << run;
        else
            EXPECT_EQ(RteEqualRectLists(out, b), 1) << "run " << run << ": b as it was";
        EXPECT_EQ(BoundsOf(out), Enclosing(rest)) << "run " << run;

        const int common = RteSectRectLists(a, b, out);
        const auto expected = Common(Cells(rectsA), Cells(rectsB));
        EXPECT_EQ(Cells(RectsOf(out)), expected) << "run " << run;
        EXPECT_EQ(common, expected.empty() ? 0 : 1) << "run " << run;
        EXPECT_EQ(RteSectRectLists(a, b, nullptr), common) << "run " << run;

        Free(out);
        Free(b);
        Free(a);
        if (HasFailure())
            break;
    }
}

}  // namespace
