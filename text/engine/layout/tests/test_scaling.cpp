// Scaling of coordinates, points and rects: the packed factor and its inverse, rounding,
// round trips, offsets carried along, and results at the ends of the ranges.
#include "geometry_printing.h"
#include "scaling.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

int32_t Inverse(int32_t factor)
{
    return -factor;
}

struct ValueCase {
    const char* name;
    int32_t factor;
    int32_t origin;
    int32_t value;
    int32_t scaled;    // the value afterwards
    int32_t returned;  // before the origin is added back
};

const ValueCase kValueCases[] = {
    {"doubled about 2", RtePackFactor(2, 1), 2, 10, 18, 16},
    {"halved about 2 (the inverse)", Inverse(RtePackFactor(2, 1)), 2, 10, 6, 4},
    {"a negative value flips the origin", RtePackFactor(2, 1), 2, -10, -18, -16},
    {"no factor", 0, 2, 10, 10, 0},
    {"a half rounds away from zero", RtePackFactor(1, 2), 0, 11, 6, 6},
    {"a negative half rounds away from zero", RtePackFactor(1, 2), 0, -11, -6, -6},
    {"the inverse truncates towards zero", Inverse(RtePackFactor(3, 1)), 0, 11, 3, 3},
    {"the inverse truncates negative values towards zero", Inverse(RtePackFactor(3, 1)), 0, -11, -3, -3},
    {"three halves", RtePackFactor(3, 2), 100, 110, 115, 15},
    {"a zero numerator collapses onto the origin", RtePackFactor(0, 1), 7, 30, 7, 0},
    {"the inverse of a zero ratio gives the origin", Inverse(RtePackFactor(0, 1)), 7, 30, 7, 0},
    // A zero denominator is never stored; it must not divide by zero.
    {"a zero denominator leaves the value", RtePackFactor(2, 0), 0, 10, 10, 0},
    {"results stay at the top of the range", RtePackFactor(2, 1), 0, kMax, kMax, kMax},
    {"results stay at the bottom of the range", RtePackFactor(2, 1), 0, kMin, kMin, kMin},
    {"the largest factor", RtePackFactor(0x7FFF, 1), 0, 3, 3 * 0x7FFF, 3 * 0x7FFF},
    {"the origin at the end of the range", RtePackFactor(2, 1), kMin, -1, kMin, kMin},
};

TEST(Scaling, ScaleValueTable)
{
    for (const ValueCase& c : kValueCases) {
        int32_t value = c.value;
        EXPECT_EQ(RteScaleValue(c.factor, c.origin, &value), c.returned) << c.name;
        EXPECT_EQ(value, c.scaled) << c.name;
    }
}

// The origin's sign follows the value's, so the way back uses the same origin only when a value
// and its image have the same sign: values well away from the origins.
TEST(Scaling, WholeFactorsRoundTrip)
{
    const int16_t numerators[] = {1, 2, 3, 10, 100};
    const int32_t origins[] = {0, 2, -50};
    const int32_t values[] = {100, -100, 777, -777, 12345, -12345, 1000000, -1000000};
    for (int16_t numerator : numerators) {
        const int32_t factor = RtePackFactor(numerator, 1);
        for (int32_t origin : origins) {
            for (int32_t value : values) {
                int32_t there = value;
                RteScaleValue(factor, origin, &there);
                int32_t back = there;
                RteScaleValue(Inverse(factor), origin, &back);
                EXPECT_EQ(back, value) << numerator << " about " << origin;
            }
        }
    }
}

TEST(Scaling, FractionalFactorsRoundTripWithinOneUnit)
{
    const int32_t factors[] = {RtePackFactor(3, 2), RtePackFactor(4, 3), RtePackFactor(7, 5), RtePackFactor(150, 100)};
    for (int32_t factor : factors) {
        for (int32_t value = -200; value <= 200; value += 7) {
            int32_t there = value;
            RteScaleValue(factor, 0, &there);
            int32_t back = there;
            RteScaleValue(Inverse(factor), 0, &back);
            EXPECT_LE(std::abs(back - value), 1) << std::hex << factor << std::dec << " value " << value;
        }
    }
}

TEST(Scaling, ScaleShortKeepsTheResultInSixteenBits)
{
    const struct {
        int16_t value;
        int16_t scaled;
        int32_t returned;
    } cases[] = {{100, 200, 200}, {20000, 32767, 40000}, {-20000, -32768, -40000}};
    for (const auto& c : cases) {
        int16_t value = c.value;
        EXPECT_EQ(RteScaleShort(RtePackFactor(2, 1), 0, &value), c.returned) << c.value;
        EXPECT_EQ(value, c.scaled) << c.value;
    }
}

TEST(Scaling, OffsetIsScaledWithThePoint)
{
    // A scrolled point lands where the unscrolled one would.
    const RteScaling scalings[] = {{0, 0, RtePackFactor(2, 1)}, {2, 3, RtePackFactor(2, 1)}, {5, 5, RtePackFactor(3, 2)},
                                   {-4, 9, Inverse(RtePackFactor(2, 1))}};
    const RtePoint points[] = {{15, 13}, {100, 40}, {17, 18}};
    const RtePoint offset{5, 3};
    for (const RteScaling& scaling : scalings) {
        for (const RtePoint& point : points) {
            RtePoint plain = point;
            RteScalePoint(&scaling, nullptr, &plain);
            RtePoint withOffset = point;
            RteScalePoint(&scaling, &offset, &withOffset);
            EXPECT_LE(std::abs(withOffset.v - plain.v), 1) << point.v << "," << point.h;
            EXPECT_LE(std::abs(withOffset.h - plain.h), 1) << point.v << "," << point.h;
        }
    }
    const RteScaling doubling{2, 2, RtePackFactor(2, 1)};
    RtePoint point{15, 13};
    RteScalePoint(&doubling, &offset, &point);
    EXPECT_EQ(point, (RtePoint{28, 24}));
}

TEST(Scaling, NoFactorLeavesPointsAndRects)
{
    const RteScaling none{4, 4, 0};
    const RtePoint offset{1, 1};
    RtePoint point{10, 20};
    RteScalePoint(&none, &offset, &point);
    EXPECT_EQ(point, (RtePoint{10, 20}));
    RteRect rect{1, 2, 3, 4};
    RteScaleRect(&none, &offset, &rect);
    EXPECT_EQ(rect, (RteRect{1, 2, 3, 4}));
}

TEST(Scaling, ScaleRectScalesBothCornersAboutTheOrigin)
{
    const RteScaling scaling{10, 20, RtePackFactor(2, 1)};
    RteRect rect{10, 20, 15, 30};
    RteScaleRect(&scaling, nullptr, &rect);
    EXPECT_EQ(rect, (RteRect{10, 20, 20, 40}));

    const RtePoint origin{10, 20};
    RteRect about{10, 20, 15, 30};
    RteScaleRectAbout(&origin, &about, 2, 1);
    EXPECT_EQ(about, rect);
    const RteScaling back{10, 20, Inverse(RtePackFactor(2, 1))};
    RteScaleRect(&back, nullptr, &about);
    EXPECT_EQ(about, (RteRect{10, 20, 15, 30}));
}

TEST(Scaling, CopyOffsetScaleRect)
{
    const RteScaling scaling{0, 0, RtePackFactor(2, 1)};
    const RteRect source{1, 2, 3, 4};
    const RtePoint offset{10, 20};
    RteRect out;
    RteCopyOffsetScaleRect(&scaling, &source, &out, &offset);
    EXPECT_EQ(out, (RteRect{22, 44, 26, 48}));
    RteCopyOffsetScaleRect(nullptr, &source, &out, &offset);
    EXPECT_EQ(out, (RteRect{11, 22, 13, 24}));
    RteCopyOffsetScaleRect(&scaling, &source, &out, nullptr);
    EXPECT_EQ(out, (RteRect{2, 4, 6, 8}));
    RteRect inPlace = source;
    RteCopyOffsetScaleRect(&scaling, &inPlace, &inPlace, &offset);
    EXPECT_EQ(inPlace, (RteRect{22, 44, 26, 48}));
}

TEST(Scaling, PtInRectAdjustedScalesThenInsets)
{
    const RteRect rect{0, 0, 10, 10};
    const RteScaling doubling{0, 0, RtePackFactor(2, 1)};
    const RtePoint inset{2, 3};
    const struct {
        RtePoint point;
        const RtePoint* inset;
        const RteScaling* scaling;
        int inside;
    } cases[] = {
        {{15, 15}, nullptr, nullptr, 0}, {{15, 15}, nullptr, &doubling, 1}, {{18, 15}, &inset, &doubling, 0},
        {{17, 16}, &inset, &doubling, 1}, {{1, 5}, &inset, nullptr, 0},    {{2, 3}, &inset, nullptr, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RtePtInRectAdjusted(&c.point, &rect, c.inset, c.scaling), c.inside) << c.point.v << "," << c.point.h;
    }
}

TEST(Scaling, RoundFixedTable)
{
    const struct {
        int32_t value;
        int32_t rounded;
    } cases[] = {
        {0x18000, 0x20000},      // 1.5 -> 2.0
        {-0x18000, -0x10000},    // -1.5 -> -1.0: halves go up
        {0x24000, 0x20000},      // 2.25 -> 2.0
        {-0x8000, 0},            // -0.5 -> 0
        {-0x8001, -0x10000},     // just below -0.5 -> -1.0
        {kMax, 0x7FFF0000},      // would round past the range
        {kMin, kMin},            // -32768.0 is whole already
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RteRoundFixed(c.value), c.rounded) << std::hex << c.value;
    }
}

}  // namespace
