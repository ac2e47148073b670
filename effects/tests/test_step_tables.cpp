// Steps, amounts, strip sizes and pauses of the effects on the sizes where their rules turn,
// read from a step log of the same plans that the modules draw.
#include "edge_run.h"
#include "step_log.h"
#include "strip_size.h"
#include "wipe2_effects.h"
#include "wipe3_effects.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

namespace {

StepLog Log(const EffectCatalogue& module, int index, const Area& area)
{
    return LogEffect(module.entries[index], area);
}

// Moves of pictures entering from the near edge go forwards, those from the far edge
// backwards; only the latter may move by nothing.
enum class Edge { Near, Far };

// The distances moved, step by step, by the picture entering from `edge`.
std::vector<int> Amounts(const StepLog& log, Edge edge)
{
    std::vector<int> amounts;
    for (const LoggedStep& step : log.Steps()) {
        for (const ScrollMove& move : step.moves) {
            int distance = move.offset.x + move.offset.y;
            if ((distance > 0) == (edge == Edge::Near))
                amounts.push_back(std::abs(distance));
        }
    }
    return amounts;
}

std::vector<int> Repeated(int value, int count, std::vector<int> tail = {})
{
    std::vector<int> amounts(count, value);
    amounts.insert(amounts.end(), tail.begin(), tail.end());
    return amounts;
}

int Sum(const std::vector<int>& amounts)
{
    int sum = 0;
    for (int amount : amounts)
        sum += amount;
    return sum;
}

struct StepCase {
    const char* name;
    const EffectCatalogue* module;
    int index;
    Area area;
    std::size_t steps;
    DWORD totalPause;
};

class StepCounts : public testing::TestWithParam<StepCase> {};

TEST_P(StepCounts, MatchTheTable)
{
    StepLog log = Log(*GetParam().module, GetParam().index, GetParam().area);
    EXPECT_EQ(log.Steps().size(), GetParam().steps);
    EXPECT_EQ(log.TotalPause(), GetParam().totalPause);
}

INSTANTIATE_TEST_SUITE_P(
    Effects, StepCounts,
    testing::Values(
        // name, module, index, area, steps, total pause (ms)
        StepCase{"PushDownH100", &kWipe3Effects, 0, {0, 0, 10, 100}, 33, 33 * 15},
        StepCase{"PushUpH100", &kWipe3Effects, 1, {0, 0, 10, 100}, 51, 51 * 10},
        StepCase{"PushUpH1", &kWipe3Effects, 1, {0, 0, 10, 1}, 2, 2 * 10},
        StepCase{"PushDownH1", &kWipe3Effects, 0, {0, 0, 10, 1}, 1, 15},
        StepCase{"PushRightW640", &kWipe3Effects, 2, {0, 0, 640, 480}, 50, 50 * 20},
        StepCase{"PushLeftW640", &kWipe3Effects, 3, {0, 0, 640, 480}, 50, 50 * 15},
        StepCase{"PushToCentreW101", &kWipe3Effects, 5, {0, 0, 101, 10}, 17, 17 * 20},
        StepCase{"PushToCentreH3", &kWipe3Effects, 4, {0, 0, 10, 3}, 2, 2 * 20},
        StepCase{"VerticalDoorsH100", &kWipe3Effects, 6, {0, 0, 10, 100}, 17, 17 * 20},
        StepCase{"HorizontalDoorsW7", &kWipe3Effects, 7, {0, 0, 7, 10}, 5, 5 * 20},
        StepCase{"NarrowVerticalStrips", &kWipe2Effects, 0, {0, 0, 12, 60}, 31, 14 * 15},
        StepCase{"HorizontalBands30x20", &kWipe2Effects, 1, {0, 0, 30, 20}, 31, 31 * 35},
        StepCase{"Discs200x100", &kWipe2Effects, 2, {0, 0, 200, 100}, 21 * 21, 0},
        StepCase{"Clockwise30x20", &kWipe2Effects, 3, {0, 0, 30, 20}, 4 + 5 + 7 + 5 + 4, 4 * 5 + 5 * 2 + 7 * 3 + 5 * 3 + 4 * 3},
        StepCase{"OppositeWedges30x20", &kWipe2Effects, 4, {0, 0, 30, 20}, 4 + 5 + 4, 4 * 5 + 5 * 2 + 4 * 3},
        StepCase{"Butterfly30x20", &kWipe2Effects, 5, {0, 0, 30, 20}, 4 + 3, 4 * 5 + 3 * 2},
        StepCase{"CornerW20", &kWipe2Effects, 6, {0, 0, 20, 14}, 3 + 2, 5 * 3},
        StepCase{"BlackClockwise30x20", &kWipe2Effects, 7, {0, 0, 30, 20}, 2 * 25, 2 * 78},
        StepCase{"BlackButterfly30x20", &kWipe2Effects, 8, {0, 0, 30, 20}, 16 + 7, 16 * 20 + 26}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PushDown, HeightOf100MovesBy3ThenTakesTheLast4)
{
    EXPECT_EQ(Amounts(Log(kWipe3Effects, 0, {0, 0, 10, 100}), Edge::Near), Repeated(3, 32, {4}));
}

TEST(PushUp, HeightOf100MovesBy2ThenByNothing)
{
    EXPECT_EQ(Amounts(Log(kWipe3Effects, 1, {0, 0, 10, 100}), Edge::Far), Repeated(2, 50, {0}));
}

TEST(PushUp, HeightOf1MovesBy1ThenByNothing)
{
    EXPECT_EQ(Amounts(Log(kWipe3Effects, 1, {0, 0, 10, 1}), Edge::Far), (std::vector<int>{1, 0}));
}

TEST(PushDown, HeightOf1StillMovesItsOnlyRow)
{
    EXPECT_EQ(Amounts(Log(kWipe3Effects, 0, {0, 0, 10, 1}), Edge::Near), (std::vector<int>{1}));
}

TEST(PushToCentre, OddWidthGivesTheRightHalfItsExtraPixelInItsLastStep)
{
    StepLog odd = Log(kWipe3Effects, 5, {0, 0, 101, 10});
    StepLog even = Log(kWipe3Effects, 5, {0, 0, 100, 10});
    EXPECT_EQ(Amounts(odd, Edge::Near), Repeated(3, 16, {2}));
    EXPECT_EQ(Amounts(odd, Edge::Far), Repeated(3, 16, {3}));
    EXPECT_EQ(Amounts(even, Edge::Far), Repeated(3, 16, {2}));
    EXPECT_EQ(Sum(Amounts(odd, Edge::Near)), 50);
    EXPECT_EQ(Sum(Amounts(odd, Edge::Far)), 51);
}

TEST(PushToCentre, HalfOfOneRowIsStillPushedIn)
{
    StepLog log = Log(kWipe3Effects, 4, {0, 0, 10, 3});
    EXPECT_EQ(Sum(Amounts(log, Edge::Near)), 1);
    EXPECT_EQ(Sum(Amounts(log, Edge::Far)), 2);
}

TEST(Doors, LastStepsMoveBandsNarrowerThanTheStep)
{
    StepLog log = Log(kWipe3Effects, 6, {0, 0, 10, 100});
    const LoggedStep& last = log.Steps().back();
    ASSERT_EQ(last.moves.size(), 2u);
    EXPECT_EQ(last.moves[0].area.bottom - last.moves[0].area.top, 2) << "upper door";
    EXPECT_EQ(last.moves[0].offset.y, -3);
    EXPECT_EQ(last.moves[1].area.top, 98) << "lower door";
    EXPECT_EQ(last.moves[1].area.bottom, 100);
}

TEST(Strips, NarrowImageLosesItsPauseAfterThreeStepsPerStrip)
{
    // 12 wide: strips of 3, 12 / 3 + 1 = 5 strips, so steps 15 and later do not pause.
    StepLog log = Log(kWipe2Effects, 0, {0, 0, 12, 60});
    for (std::size_t i = 0; i < log.Steps().size(); ++i)
        EXPECT_EQ(log.Steps()[i].pause, i + 1 < 15 ? 15u : 0u) << "step " << i + 1;
    ASSERT_FALSE(log.Steps()[0].moves.empty());
    ASSERT_TRUE(log.Steps()[0].moves[0].strips);
    EXPECT_EQ(log.Steps()[0].moves[0].strips->size, 3);
}

TEST(Strips, UpStripsTakeAtLeastAsManyStepsAsDownStrips)
{
    StepLog log = Log(kWipe2Effects, 0, {0, 0, 37, 50});
    std::size_t down = Amounts(log, Edge::Near).size();
    EXPECT_EQ(Sum(Amounts(log, Edge::Near)), 50);
    EXPECT_GE(log.Steps().size(), down);
}

TEST(Discs, EveryCellOfTheGridIsDrawnExactlyOnce)
{
    // 200 x 100: cells of 10, 21 positions (odd), discs 17 across set back by 3.
    StepLog log = Log(kWipe2Effects, 2, {0, 0, 200, 100});
    std::set<std::pair<int, int>> cells;
    int discs = 0;
    for (const LoggedStep& step : log.Steps()) {
        for (const RECT& disc : step.discs) {
            ++discs;
            EXPECT_EQ(disc.right - disc.left, 17);
            EXPECT_EQ(disc.bottom - disc.top, 17);
            EXPECT_EQ((disc.left + 3) % 10, 0);
            cells.insert({(disc.left + 3) / 10, (disc.top + 3) / 10});
        }
    }
    EXPECT_EQ(discs, 21 * 11) << "rows above 10 are skipped";
    EXPECT_EQ(cells.size(), 21u * 11u);
    EXPECT_EQ(cells.begin()->first, 0);
    EXPECT_EQ(cells.rbegin()->first, 20);
    EXPECT_EQ(cells.rbegin()->second, 10);
}

struct SizeCase {
    int side;
    int narrowStrip;
    int sweepStep;
};

class StripSizes : public testing::TestWithParam<SizeCase> {};

TEST_P(StripSizes, FollowTheirThresholds)
{
    EXPECT_EQ(NarrowStripSize(GetParam().side), GetParam().narrowStrip);
    EXPECT_EQ(SweepStepSize(GetParam().side), GetParam().sweepStep);
}

// 30: shares 2, 3, 6; 20: shares 1, 2, 4; 12: shares 1, 1, 2.
INSTANTIATE_TEST_SUITE_P(Sides, StripSizes,
                         testing::Values(SizeCase{30, 6, 6}, SizeCase{20, 4, 15}, SizeCase{12, 3, 15},
                                         SizeCase{70, 4, 7}, SizeCase{640, 32, 32}, SizeCase{1, 3, 15}));

TEST(RoundedShare, AddsOneHalfBeforeTruncating)
{
    EXPECT_EQ(RoundedShare(30, 0.05), 2);
    EXPECT_EQ(RoundedShare(30, 0.10), 3);
    EXPECT_EQ(RoundedShare(30, 0.20), 6);
    EXPECT_EQ(RoundedShare(20, 0.05), 1);
    EXPECT_EQ(RoundedShare(50, 0.05), 3);
    EXPECT_EQ(RoundedShare(49, 0.05), 2);
}

struct RunCase {
    const char* name;
    EdgeRun run;
    std::vector<int> amounts;
};

class EdgeRuns : public testing::TestWithParam<RunCase> {};

TEST_P(EdgeRuns, AdvanceByTheirRule)
{
    EdgeRun run = GetParam().run;
    std::vector<int> amounts;
    while (run.Pending() && amounts.size() < 100)
        amounts.push_back(run.Advance());
    EXPECT_EQ(amounts, GetParam().amounts);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, EdgeRuns,
    testing::Values(RunCase{"CoverTakesTheRest", EdgeRun::Cover(10, 3), {3, 3, 3, 1}},
                    RunCase{"CoverOfOne", EdgeRun::Cover(1, 3), {1}},
                    RunCase{"PushMergesALastPixel", EdgeRun::Push(10, 3), {3, 3, 4}},
                    RunCase{"PushTakesTheRest", EdgeRun::Push(11, 3), {3, 3, 3, 2}},
                    RunCase{"PushOfOne", EdgeRun::Push(1, 3), {1}},
                    RunCase{"PushOfNothing", EdgeRun::Push(0, 3), {}},
                    RunCase{"FarEdgeEndsWithNothing", EdgeRun::FromFarEdge(6, 3, 6), {3, 3, 0}},
                    RunCase{"FarEdgeTakesTheRest", EdgeRun::FromFarEdge(7, 3, 7), {3, 3, 1}},
                    RunCase{"FarEdgeBeyondItsLimit", EdgeRun::FromFarEdge(7, 3, 6), {3, 3, 1}},
                    RunCase{"FarEdgeOfOneFromNothing", EdgeRun::FromFarEdge(1, 1, 0), {1}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
