// Which rect of an area a rect or point falls in, the area's shape, insetting its outline and
// fitting lines into a column of rects.
#include "rect_list_fixture.h"
#include "scaling.h"

namespace {

using RectListQueries = RectListTest;

constexpr RteRect kUntouched{-7, -7, -7, -7};

TEST_F(RectListQueries, SectingAndMeetingNumberTheFirstRectFromOne)
{
    RteRectList list = Make({{0, 0, 10, 10}, {0, 20, 10, 30}, {20, 0, 30, 30}});
    const struct {
        const char* name;
        RteRect rect;
        int32_t secting;
        RteRect sectOut;
        int32_t meeting;
        RteRect meetOut;
    } cases[] = {
        {"inside rect 2", {2, 22, 4, 24}, 2, {2, 22, 4, 24}, 2, {2, 22, 4, 24}},
        {"across rects 1 and 3", {5, 5, 25, 8}, 1, {5, 5, 10, 8}, 1, {5, 5, 10, 8}},
        {"touching rect 2's left edge only", {2, 12, 4, 20}, 0, kUntouched, 2, {2, 20, 4, 20}},
        {"in the gap, touching nothing", {2, 12, 4, 18}, 0, kUntouched, 0, kUntouched},
        {"on rect 3's top edge only", {15, 0, 20, 5}, 0, kUntouched, 0, kUntouched},
    };
    for (const auto& c : cases) {
        RteRect out = kUntouched;
        EXPECT_EQ(RteListRectSecting(list, &c.rect, &out), c.secting) << c.name;
        EXPECT_EQ(out, c.sectOut) << c.name;
        out = kUntouched;
        EXPECT_EQ(RteListRectMeeting(list, &c.rect, &out), c.meeting) << c.name;
        EXPECT_EQ(out, c.meetOut) << c.name;
    }
}

TEST_F(RectListQueries, RectListSectOffsetsTheRectFirst)
{
    RteRectList list = Make({{0, 0, 10, 10}, {0, 20, 10, 30}});
    const RteRect rect{0, 0, 5, 5};
    const RtePoint intoRect2{2, 21};
    const RtePoint intoTheGap{2, 12};
    RteRect out = kUntouched;
    EXPECT_EQ(RteRectListSect(list, &rect, &intoRect2, &out), 1);
    EXPECT_EQ(out, (RteRect{2, 21, 7, 26}));
    out = kUntouched;
    EXPECT_EQ(RteRectListSect(list, &rect, &intoTheGap, &out), 0);
    EXPECT_EQ(out, kUntouched);
    EXPECT_EQ(RteRectListSect(list, &rect, nullptr, nullptr), 1);
}

TEST_F(RectListQueries, IndexAtPointTable)
{
    RteRectList list = Make({{0, 0, 10, 10}, {0, 20, 10, 30}});
    const RtePoint offset{100, 200};
    const RtePoint inset{2, 2};
    const RteScaling doubling{0, 0, RtePackFactor(2, 1)};
    const struct {
        const char* name;
        RtePoint point;
        const RtePoint* offset;
        const RtePoint* inset;
        const RteScaling* scaling;
        int32_t number;
    } cases[] = {
        {"in rect 1", {5, 5}, nullptr, nullptr, nullptr, 1},
        {"in rect 2", {5, 25}, nullptr, nullptr, nullptr, 2},
        {"on rect 2's right edge", {5, 30}, nullptr, nullptr, nullptr, 0},
        {"offset into rect 2", {105, 225}, &offset, nullptr, nullptr, 2},
        {"inside rect 1 but in its inset", {1, 5}, nullptr, &inset, nullptr, 0},
        {"in rect 2 once doubled", {15, 45}, nullptr, nullptr, &doubling, 2},
        {"in the doubled gap", {15, 30}, nullptr, nullptr, &doubling, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RteRectListIndexAtPoint(list, &c.point, c.offset, c.inset, c.scaling), c.number) << c.name;
    }
    const RtePoint anywhere{5, 5};
    EXPECT_EQ(RteRectListIndexAtPoint(nullptr, &anywhere, nullptr, nullptr, nullptr), 0);
}

struct ShapeCase {
    const char* name;
    Rects rects;
    int shape;
};

const ShapeCase kShapeCases[] = {
    {"one rect", {{0, 0, 10, 10}}, 0},
    {"two separated rects of equal width", {{0, 0, 10, 10}, {20, 0, 30, 10}}, RTE_SHAPE_SEVERAL},
    {"stacked exactly", {{0, 0, 10, 10}, {10, 0, 20, 10}}, RTE_SHAPE_SEVERAL | RTE_SHAPE_CONTINUED},
    {"stacked, narrower below", {{0, 0, 10, 10}, {10, 2, 20, 8}},
     RTE_SHAPE_SEVERAL | RTE_SHAPE_WIDTHS_DIFFER | RTE_SHAPE_CONTINUED},
    {"overlapping", {{0, 0, 10, 10}, {5, 5, 15, 15}},
     RTE_SHAPE_SEVERAL | RTE_SHAPE_OVERLAPPING | RTE_SHAPE_INTERSECTING},
    {"side by side, same width", {{0, 0, 10, 10}, {0, 10, 10, 20}},
     RTE_SHAPE_SEVERAL | RTE_SHAPE_OVERLAPPING | RTE_SHAPE_CONTINUED},
    {"later pairs count too", {{0, 0, 10, 10}, {20, 0, 30, 10}, {25, 0, 35, 10}},
     RTE_SHAPE_SEVERAL | RTE_SHAPE_OVERLAPPING | RTE_SHAPE_INTERSECTING},
};

TEST_F(RectListQueries, ShapeTable)
{
    for (const ShapeCase& c : kShapeCases) {
        EXPECT_EQ(RteRectListShape(Make(c.rects)), c.shape) << c.name;
    }
}

struct InsetCase {
    const char* name;
    Rects before;
    int32_t dh;
    int32_t dv;
    Rects after;
};

const InsetCase kInsetCases[] = {
    {"one rect", {{0, 0, 10, 20}}, 2, 1, {{1, 2, 9, 18}}},
    {"two stacked rects keep their shared edge", {{0, 0, 10, 20}, {10, 0, 30, 20}}, 2, 1,
     {{1, 2, 10, 18}, {10, 2, 29, 18}}},
    {"two rects side by side keep theirs", {{0, 0, 10, 10}, {0, 10, 10, 20}}, 2, 1, {{1, 2, 9, 10}, {1, 10, 9, 18}}},
    {"negative amounts grow the outline", {{0, 0, 10, 20}, {10, 0, 30, 20}}, -2, -1,
     {{-1, -2, 10, 22}, {10, -2, 31, 22}}},
};

TEST_F(RectListQueries, InsetTable)
{
    for (const InsetCase& c : kInsetCases) {
        RteRectList list = Make(c.before);
        const RteRect bounds = BoundsOf(list);
        RteInsetRectList(list, c.dh, c.dv);
        EXPECT_EQ(RectsOf(list), c.after) << c.name;
        EXPECT_EQ(BoundsOf(list), bounds) << c.name << ": the bounds stay";
    }
}

struct FitCase {
    const char* name;
    RteRect line;
    int32_t minWidth;
    int32_t startAt;
    int fits;
    RteRect fitted;
    int32_t reached;
};

// A column: rect 1 wide, rect 2 narrower below it, rect 3 wide again, rect 4 apart.
const Rects kColumn{{0, 0, 10, 100}, {10, 10, 20, 90}, {20, 0, 30, 100}, {40, 0, 50, 100}};

const FitCase kFitCases[] = {
    {"inside rect 1", {2, 0, 8, 0}, 10, 1, 1, {2, 0, 8, 100}, 1},
    {"into rect 2, narrowing", {5, 0, 15, 0}, 10, 1, 1, {5, 10, 15, 90}, 2},
    // Rect 2 still limits a line that reaches rect 3.
    {"through all three", {5, 0, 25, 0}, 10, 1, 1, {5, 10, 25, 90}, 3},
    {"too narrow in rect 2", {5, 0, 15, 0}, 85, 1, 0, {5, 10, 15, 90}, 2},
    {"past the column's end", {25, 0, 45, 0}, 10, 3, 0, {25, 0, 45, 100}, 3},
    {"from a rect number beyond the list", {0, 0, 5, 0}, 10, 9, 0, {0, 0, 5, 0}, 9},
};

TEST_F(RectListQueries, FitLineTable)
{
    RteRectList list = Make(kColumn);
    for (const FitCase& c : kFitCases) {
        RteRect line = c.line;
        int32_t number = c.startAt;
        const RtePoint noOffset{0, 0};
        EXPECT_EQ(RteFitLineInRects(list, &line, c.minWidth, &number, &noOffset), c.fits) << c.name;
        EXPECT_EQ(line, c.fitted) << c.name;
        EXPECT_EQ(number, c.reached) << c.name;
    }
}

TEST_F(RectListQueries, FitLineWorksInTheOffsetPlane)
{
    RteRectList list = Make(kColumn);
    const RtePoint offset{1000, 500};
    RteRect line{1005, 500, 1015, 500};
    int32_t number = 1;
    EXPECT_EQ(RteFitLineInRects(list, &line, 10, &number, &offset), 1);
    EXPECT_EQ(line, (RteRect{1005, 510, 1015, 590}));
    EXPECT_EQ(number, 2);
}

}  // namespace
