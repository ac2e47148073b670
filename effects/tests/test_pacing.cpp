// Pacing of steps on a tick count that may wrap past zero during a wait.
#include "pacing.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

DWORD fakeNow;
int dozes;

DWORD FakeClock()
{
    return fakeNow;
}

// One millisecond a doze; a wait that has not ended after a thousand is stuck.
void FakeDoze()
{
    ++fakeNow;
    if (++dozes > 1000)
        throw std::runtime_error("the wait does not end");
}

struct PacingCase {
    const char* name;
    DWORD start;
    DWORD pause;
    int dozes;  // more than `pause` milliseconds
};

class Pacing : public testing::TestWithParam<PacingCase> {};

TEST_P(Pacing, WaitsMoreThanThePause)
{
    fakeNow = GetParam().start;
    dozes = 0;
    EXPECT_NO_THROW(WaitPast(GetParam().start, GetParam().pause, FakeClock, FakeDoze));
    EXPECT_EQ(dozes, GetParam().dozes);
}

// A step that starts just before the wrap would wait for ever on `now > start + pause`.
INSTANTIATE_TEST_SUITE_P(Ticks, Pacing,
                         testing::Values(PacingCase{"Plain", 1000, 15, 16},
                                         PacingCase{"EndJustBeforeTheWrap", 0xFFFFFFF0, 15, 16},
                                         PacingCase{"WrapInTheMiddle", 0xFFFFFFFA, 20, 21},
                                         PacingCase{"StartAtTheLastTick", 0xFFFFFFFF, 2, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PaceStep, PauseOfZeroDoesNotWaitForTheNextTick)
{
    DWORD start = GetTickCount();
    for (int i = 0; i < 1000; ++i)
        PaceStep(GetTickCount(), 0);
    EXPECT_LT(GetTickCount() - start, 50u);
}

TEST(PaceStep, LastsMoreThanThePause)
{
    DWORD start = GetTickCount();
    PaceStep(start, 20);
    EXPECT_GT(GetTickCount() - start, 20u);
}

} // namespace
