// Engine rects into the Windows order and the 16-bit device space.
#include "device_rects.h"
#include "geometry_printing.h"
#include "scaling.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TEST(DeviceRects, ClampCoordTable)
{
    const struct {
        int32_t value;
        int16_t clamped;
    } cases[] = {{20000, 16380}, {-20000, -16380}, {16380, 16380}, {-16381, -16380}, {0, 0},
                 {1234, 1234},   {kMax, 16380},    {kMin, -16380}};
    for (const auto& c : cases) {
        EXPECT_EQ(RteClampCoord(c.value), c.clamped) << c.value;
    }
}

TEST(DeviceRects, RectToWinTable)
{
    const RtePoint offset{100, 200};
    const struct {
        const char* name;
        RteRect rect;
        const RtePoint* offset;
        RteWinRect expected;
    } cases[] = {
        {"plain", {1, 2, 3, 4}, nullptr, {2, 1, 4, 3}},
        {"offset, h to left and right, v to top and bottom", {1, 2, 3, 4}, &offset, {202, 101, 204, 103}},
        {"clamped", {-20000, -30000, 20000, 30000}, nullptr, {-16380, -16380, 16380, 16380}},
        // The sum is clamped whole: it must not wrap round to a small value.
        {"a sum past the 32-bit range", {0, kMax - 50, 10, kMax}, &offset, {16380, 100, 16380, 110}},
    };
    for (const auto& c : cases) {
        RteWinRect out;
        RteRectToWin(&c.rect, c.offset, &out);
        EXPECT_EQ(out, c.expected) << c.name;
    }
}

TEST(DeviceRects, SwapRectOrderBothWays)
{
    const RteRect engine{1, 2, 3, 4};
    RteWinRect windows;
    RteSwapRectOrder(&engine, &windows);
    EXPECT_EQ(windows, (RteWinRect{2, 1, 4, 3}));
    RteRect back;
    RteSwapRectOrder(&windows, &back);
    EXPECT_EQ(back, engine);
}

TEST(DeviceRects, ScaleWinRect)
{
    const RteScaling doubling{0, 0, RtePackFactor(2, 1)};
    RteWinRect rect{10, 20, 30, 40};
    RteScaleWinRect(&doubling, &rect);
    EXPECT_EQ(rect, (RteWinRect{20, 40, 60, 80}));

    RteWinRect large{-10000, -10000, 10000, 10000};
    RteScaleWinRect(&doubling, &large);
    EXPECT_EQ(large, (RteWinRect{-16380, -16380, 16380, 16380}));

    const RteScaling none{5, 5, 0};
    RteWinRect unscaled{-20000, 1, 2, 3};
    RteScaleWinRect(&none, &unscaled);
    EXPECT_EQ(unscaled, (RteWinRect{-16380, 1, 2, 3}));
}

}  // namespace
