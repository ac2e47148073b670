// Rect arithmetic: intersection, union, meeting, point tests, edge distances and moves, with
// empty and inside-out rects and coordinates at the ends of the 32-bit range.
#include "geometry_printing.h"
#include "rect_ops.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr RteRect kUntouched{-7, -7, -7, -7};

struct SectCase {
    const char* name;
    RteRect a;
    RteRect b;
    int expected;
    RteRect out;  // kUntouched when the out rect must not be written
};

const SectCase kSectCases[] = {
    {"overlapping", {0, 0, 10, 10}, {5, 5, 15, 15}, 1, {5, 5, 10, 10}},
    {"b inside a", {0, 0, 10, 10}, {2, 3, 4, 5}, 1, {2, 3, 4, 5}},
    {"sharing a horizontal edge", {0, 0, 10, 10}, {10, 0, 20, 10}, 0, kUntouched},
    {"sharing a vertical edge", {0, 0, 10, 10}, {0, 10, 10, 20}, 0, kUntouched},
    {"touching at a corner", {0, 0, 10, 10}, {10, 10, 20, 20}, 0, kUntouched},
    {"far apart", {0, 0, 10, 10}, {50, 50, 60, 60}, 0, kUntouched},
    {"a line across the middle of b", {5, 0, 5, 10}, {0, 0, 10, 10}, 1, {5, 0, 5, 10}},
    {"a inside out", {10, 10, 0, 0}, {0, 0, 10, 10}, 0, kUntouched},
    {"the whole plane", {kMin, kMin, kMax, kMax}, {-3, 4, 5, 6}, 1, {-3, 4, 5, 6}},
    {"at the far corner of the plane", {kMax - 10, kMax - 10, kMax, kMax}, {kMax - 5, kMax - 20, kMax, kMax - 8}, 1,
     {kMax - 5, kMax - 10, kMax, kMax - 8}},
};

TEST(RectOps, SectRectTable)
{
    for (const SectCase& c : kSectCases) {
        RteRect out = kUntouched;
        EXPECT_EQ(RteSectRect(&c.a, &c.b, &out), c.expected) << c.name;
        EXPECT_EQ(out, c.out) << c.name;
        EXPECT_EQ(RteSectRect(&c.b, &c.a, nullptr), c.expected) << c.name << " (swapped, as a test)";
    }
}

TEST(RectOps, SectRectMissingRectsStandForNoLimit)
{
    const RteRect a{1, 2, 3, 4};
    RteRect out = kUntouched;
    EXPECT_EQ(RteSectRect(&a, nullptr, &out), 1);
    EXPECT_EQ(out, a);
    out = kUntouched;
    EXPECT_EQ(RteSectRect(nullptr, &a, &out), 1);
    EXPECT_EQ(out, a);
    out = kUntouched;
    EXPECT_EQ(RteSectRect(nullptr, nullptr, &out), 1);
    EXPECT_EQ(out, kUntouched);
}

TEST(RectOps, SectRectWritesOverItsInput)
{
    RteRect a{0, 0, 10, 10};
    const RteRect b{5, -5, 20, 5};
    ASSERT_EQ(RteSectRect(&a, &b, &a), 1);
    EXPECT_EQ(a, (RteRect{5, 0, 10, 5}));
}

struct UnionCase {
    const char* name;
    RteRect a;
    RteRect b;
    RteRect unionRect;
    RteRect unionNonNull;
};

const UnionCase kUnionCases[] = {
    {"zero accumulator takes the rect", {}, {3, 4, 5, 6}, {3, 4, 5, 6}, {3, 4, 5, 6}},
    {"a point elsewhere is no part of it", {50, 50, 50, 50}, {3, 4, 5, 6}, {3, 4, 5, 6}, {3, 4, 5, 6}},
    {"an empty rect only widens the non-null union", {0, 0, 10, 10}, {20, 5, 30, 5}, {0, 0, 10, 10}, {0, 0, 30, 10}},
    {"a null rect widens neither", {0, 0, 10, 10}, {20, 20, 20, 20}, {0, 0, 10, 10}, {0, 0, 10, 10}},
    {"two rects", {0, 0, 10, 10}, {5, -5, 20, 5}, {0, -5, 20, 10}, {0, -5, 20, 10}},
    {"the ends of the plane", {kMin, 0, 0, 1}, {0, 0, kMax, kMax}, {kMin, 0, kMax, kMax}, {kMin, 0, kMax, kMax}},
};

TEST(RectOps, UnionTable)
{
    for (const UnionCase& c : kUnionCases) {
        RteRect out;
        RteUnionRect(&c.a, &c.b, &out);
        EXPECT_EQ(out, c.unionRect) << c.name;
        RteUnionRectNonNull(&c.a, &c.b, &out);
        EXPECT_EQ(out, c.unionNonNull) << c.name;
    }
}

TEST(RectOps, UnionAccumulatesInPlace)
{
    RteRect bounds{};
    const RteRect rects[] = {{10, 10, 20, 20}, {0, 15, 5, 40}, {30, 30, 30, 50}};
    for (const RteRect& rect : rects)
        RteUnionRect(&bounds, &rect, &bounds);
    EXPECT_EQ(bounds, (RteRect{0, 10, 20, 40}));
}

struct MeetCase {
    const char* name;
    RteRect a;
    RteRect b;
    int expected;
    RteRect common;
};

const MeetCase kMeetCases[] = {
    {"overlapping", {0, 0, 10, 10}, {5, 5, 15, 15}, 1, {5, 5, 10, 10}},
    {"b beside a on the right", {0, 0, 10, 10}, {2, 10, 8, 20}, 1, {2, 10, 8, 10}},
    // The shared edge is a's left here, not its right.
    {"b beside a on the left", {0, 10, 10, 20}, {2, 0, 8, 10}, 1, {2, 10, 8, 10}},
    {"a line on b's left edge", {0, 5, 10, 5}, {0, 5, 10, 9}, 1, {0, 5, 10, 5}},
    {"sharing a horizontal edge", {0, 0, 10, 10}, {10, 0, 20, 10}, 0, kUntouched},
    {"touching at a corner", {0, 0, 10, 10}, {10, 10, 20, 20}, 0, kUntouched},
    {"a gap between them", {0, 0, 10, 10}, {0, 11, 10, 20}, 0, kUntouched},
};

TEST(RectOps, RectsMeetTable)
{
    for (const MeetCase& c : kMeetCases) {
        RteRect out = kUntouched;
        EXPECT_EQ(RteRectsMeet(&c.a, &c.b, &out), c.expected) << c.name;
        EXPECT_EQ(out, c.common) << c.name;
        EXPECT_EQ(RteRectsMeet(&c.b, &c.a, nullptr), c.expected) << c.name << " (swapped)";
    }
}

TEST(RectOps, RectsMeetOnEitherSideGiveTheSameEdge)
{
    const RteRect left{0, 0, 10, 10};
    const RteRect right{0, 10, 10, 20};
    RteRect fromLeft;
    RteRect fromRight;
    ASSERT_EQ(RteRectsMeet(&left, &right, &fromLeft), 1);
    ASSERT_EQ(RteRectsMeet(&right, &left, &fromRight), 1);
    EXPECT_EQ(fromLeft, fromRight);
    EXPECT_EQ(fromLeft, (RteRect{0, 10, 10, 10}));
}

struct PointCase {
    RtePoint point;
    int inside;
};

TEST(RectOps, PtInRectExcludesBottomAndRight)
{
    const RteRect rect{10, 20, 30, 40};
    const PointCase cases[] = {
        {{10, 20}, 1}, {{29, 39}, 1}, {{30, 25}, 0}, {{15, 40}, 0}, {{9, 25}, 0}, {{15, 19}, 0},
    };
    for (const PointCase& c : cases) {
        EXPECT_EQ(RtePtInRect(&c.point, &rect), c.inside) << c.point.v << "," << c.point.h;
    }
    const RteRect emptyRect{10, 20, 10, 40};
    const RtePoint onIt{10, 25};
    EXPECT_EQ(RtePtInRect(&onIt, &emptyRect), 0);
}

struct DistanceCase {
    const char* name;
    RtePoint point;
    RteRect rect;
    RtePoint distance;
};

const DistanceCase kDistanceCases[] = {
    {"inside, nearer the top left", {12, 22}, {10, 20, 30, 40}, {2, 2}},
    {"inside, nearer the bottom right", {28, 37}, {10, 20, 30, 40}, {2, 3}},
    {"in the middle: a tie", {20, 30}, {10, 20, 30, 40}, {10, 10}},
    {"outside above and to the left", {0, 0}, {10, 20, 30, 40}, {10, 20}},
    {"outside below and to the right", {45, 70}, {10, 20, 30, 40}, {15, 30}},
    {"across the whole plane", {kMin, kMin}, {kMax, kMax, kMax, kMax}, {kMax, kMax}},
};

TEST(RectOps, EdgeDistanceTable)
{
    for (const DistanceCase& c : kDistanceCases) {
        RtePoint out;
        const int64_t packed = RteEdgeDistance(&c.point, &c.rect, &out);
        EXPECT_EQ(out, c.distance) << c.name;
        EXPECT_EQ(static_cast<int32_t>(packed & 0xFFFFFFFF), c.distance.v) << c.name;
        EXPECT_EQ(static_cast<int32_t>(packed >> 32), c.distance.h) << c.name;
    }
}

TEST(RectOps, RectContainsAllowsSharedEdges)
{
    const RteRect outer{0, 0, 10, 10};
    const RteRect same = outer;
    const RteRect inner{2, 2, 8, 8};
    const RteRect pokingOut{2, 2, 8, 11};
    EXPECT_EQ(RteRectContains(&outer, &same), 1);
    EXPECT_EQ(RteRectContains(&outer, &inner), 1);
    EXPECT_EQ(RteRectContains(&outer, &pokingOut), 0);
    EXPECT_EQ(RteRectContains(&inner, &outer), 0);
}

TEST(RectOps, EmptyAndNull)
{
    const RteRect rects[] = {{}, {5, 5, 5, 9}, {5, 5, 9, 5}, {5, 5, 9, 9}, {9, 9, 5, 5}};
    const int empty[] = {1, 1, 1, 0, 0};
    const int null[] = {1, 0, 0, 0, 0};
    for (size_t i = 0; i < std::size(rects); ++i) {
        EXPECT_EQ(RteEmptyRect(&rects[i]), empty[i]) << i;
        EXPECT_EQ(RteNullRect(&rects[i]), null[i]) << i;
    }
}

struct MoveCase {
    const char* name;
    RteRect rect;
    int32_t dh;
    int32_t dv;
    RteRect offset;
    RteRect inset;
};

const MoveCase kMoveCases[] = {
    {"both amounts", {10, 20, 30, 40}, 3, 5, {15, 23, 35, 43}, {15, 23, 25, 37}},
    {"negative amounts grow an inset", {10, 20, 30, 40}, -3, -5, {5, 17, 25, 37}, {5, 17, 35, 43}},
    {"zero amounts", {10, 20, 30, 40}, 0, 0, {10, 20, 30, 40}, {10, 20, 30, 40}},
    {"past the end of the range wraps", {0, kMax - 1, 1, kMax}, 2, 0, {0, kMin, 1, kMin + 1},
     {0, kMin, 1, kMax - 2}},
    {"the smallest amount", {0, 0, 1, 1}, kMin, kMin, {kMin, kMin, kMin + 1, kMin + 1}, {kMin, kMin, kMin + 1, kMin + 1}},
};

TEST(RectOps, OffsetAndInsetTable)
{
    for (const MoveCase& c : kMoveCases) {
        RteRect moved = c.rect;
        RteOffsetRect(&moved, c.dh, c.dv);
        EXPECT_EQ(moved, c.offset) << c.name;
        RteRect inset = c.rect;
        RteInsetRect(&inset, c.dh, c.dv);
        EXPECT_EQ(inset, c.inset) << c.name;
    }
}

TEST(RectOps, OffsetThereAndBackGivesTheRectBack)
{
    const RteRect rects[] = {{0, 0, 10, 10}, {kMax - 5, kMax - 5, kMax, kMax}, {kMin, kMin, kMin + 3, kMin + 3}};
    const int32_t amounts[] = {1, 100, kMax, kMin + 1};
    for (const RteRect& rect : rects) {
        for (int32_t amount : amounts) {
            RteRect moved = rect;
            RteOffsetRect(&moved, amount, -amount);
            RteOffsetRect(&moved, -amount, amount);
            EXPECT_EQ(moved, rect) << amount;
        }
    }
}

TEST(RectOps, OrderPair)
{
    const int32_t pairs[][2] = {{1, 2}, {2, 1}, {5, 5}, {kMax, kMin}};
    for (const auto& pair : pairs) {
        int32_t first = pair[0];
        int32_t second = pair[1];
        RteOrderPair(&first, &second);
        EXPECT_EQ(first, std::min(pair[0], pair[1]));
        EXPECT_EQ(second, std::max(pair[0], pair[1]));
    }
}

}  // namespace
