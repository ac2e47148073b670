// Areas as GDI regions: offset, scaled, clipped, inset and clamped into the device space.
#include "rect_list_fixture.h"
#include "rect_list_region.h"
#include "scaling.h"

#include <windows.h>

namespace {

class RectListRegion : public RectListTest {
protected:
    void SetUp() override { region_ = CreateRectRgn(1, 2, 3, 4); }
    void TearDown() override
    {
        DeleteObject(region_);
        RectListTest::TearDown();
    }

    // The device cells (x, y) the region covers within a window of the plane.
    std::set<std::pair<int, int>> RegionCells(int fromX, int fromY, int toX, int toY) const
    {
        std::set<std::pair<int, int>> cells;
        for (int y = fromY; y < toY; ++y) {
            for (int x = fromX; x < toX; ++x) {
                if (PtInRegion(region_, x, y))
                    cells.insert({x, y});
            }
        }
        return cells;
    }

    RECT Box() const
    {
        RECT box;
        GetRgnBox(region_, &box);
        return box;
    }

    HRGN region_ = nullptr;
};

// The same cells as (x, y), from rects given in the Windows order.
std::set<std::pair<int, int>> DeviceCells(std::initializer_list<RECT> rects)
{
    std::set<std::pair<int, int>> cells;
    for (const RECT& rect : rects) {
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x)
                cells.insert({x, y});
        }
    }
    return cells;
}

TEST_F(RectListRegion, UnionOfTheRectsOffsetByTheAmounts)
{
    RteRectList list = Make({{0, 0, 10, 10}, {10, 5, 20, 15}});
    RteRectListToRegion(list, 3, 2, nullptr, 0, nullptr, region_);
    EXPECT_EQ(RegionCells(-5, -5, 30, 30), DeviceCells({{3, 2, 13, 12}, {8, 12, 18, 22}}));
}

TEST_F(RectListRegion, ScaledRectsCarryTheOffsetAlong)
{
    RteRectList list = Make({{1, 2, 3, 4}});
    const RteScaling doubling{0, 0, RtePackFactor(2, 1)};
    RteRectListToRegion(list, 20, 10, &doubling, 0, nullptr, region_);
    EXPECT_EQ(RegionCells(0, 0, 60, 40), DeviceCells({{44, 22, 48, 26}}));
}

TEST_F(RectListRegion, ClipDropsRectsThatMissIt)
{
    RteRectList list = Make({{0, 0, 10, 10}, {20, 20, 30, 30}});
    const RteRect clip{5, 5, 15, 15};
    RteRectListToRegion(list, 0, 0, nullptr, 0, &clip, region_);
    EXPECT_EQ(RegionCells(-5, -5, 40, 40), DeviceCells({{5, 5, 10, 10}}));
}

TEST_F(RectListRegion, InsetShrinksEveryRectAndDropsThoseItEmpties)
{
    RteRectList list = Make({{0, 0, 10, 10}, {20, 0, 22, 40}});
    RteRectListToRegion(list, 0, 0, nullptr, 2, nullptr, region_);
    // The 2-high rect would turn inside out: it must add nothing.
    EXPECT_EQ(RegionCells(-5, -5, 50, 50), DeviceCells({{2, 2, 8, 8}}));
}

TEST_F(RectListRegion, NoRectKeptLeavesAnEmptyRegion)
{
    RteRectList list = Make({{0, 0, 10, 10}});
    const RteRect clip{50, 50, 60, 60};
    RteRectListToRegion(list, 0, 0, nullptr, 0, &clip, region_);
    RECT box;
    EXPECT_EQ(GetRgnBox(region_, &box), NULLREGION);
}

TEST_F(RectListRegion, RectsReachingPastTheDeviceSpaceAreClamped)
{
    RteRectList list = Make({{-100000, -90000, 100, 50}, {-50, -60, 2000000000, 2100000000}});
    RteRectListToRegion(list, 0, 0, nullptr, 0, nullptr, region_);
    const RECT box = Box();
    EXPECT_EQ(box.left, -16380);
    EXPECT_EQ(box.top, -16380);
    EXPECT_EQ(box.right, 16380);
    EXPECT_EQ(box.bottom, 16380);
}

TEST_F(RectListRegion, RectsWhollyOutsideTheDeviceSpaceCoverNothing)
{
    // Each is clamped into a line on an edge of the device space.
    RteRectList list = Make({{-100000, -90000, -50000, 70000}, {30000, 40000, 2000000000, 2100000000}});
    RteRectListToRegion(list, 0, 0, nullptr, 0, nullptr, region_);
    RECT box;
    EXPECT_EQ(GetRgnBox(region_, &box), NULLREGION);
}

}  // namespace
