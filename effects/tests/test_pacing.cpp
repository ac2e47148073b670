// Pacing of steps: each lasts its pause, and the system's late wake-ups do not add up over an
// effect's steps.
#include "pacing.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

Microseconds fakeNow;
Microseconds lateness;  // how much later than asked each doze wakes up
int dozes;

Microseconds FakeClock()
{
    return fakeNow;
}

void FakeDoze(Microseconds remaining)
{
    fakeNow += remaining + lateness;
    if (++dozes > 10000)
        throw std::runtime_error("the wait does not end");
}

// Wakes up on the next tick of a coarse system timer, as Windows' default 15.6 ms one.
void TickDoze(Microseconds)
{
    fakeNow += 15625 - fakeNow % 15625;
    ++dozes;
}

// A pacer on the fake clock, which starts at `start` with no doze yet.
StepPacer FakePacer(StepPacer::Doze doze = FakeDoze, Microseconds start = 0, Microseconds late = 0)
{
    fakeNow = start;
    lateness = late;
    dozes = 0;
    return StepPacer(FakeClock, doze);
}

struct PacingCase {
    const char* name;
    StepPacer::Doze doze;
    Microseconds lateness;
    int steps;
    DWORD pause;
    Microseconds drawing;  // each step's
    Microseconds atMost;   // the effect's time beyond its pauses
};

class Pacing : public testing::TestWithParam<PacingCase> {};

TEST_P(Pacing, EffectLastsItsPausesAndLittleMore)
{
    const PacingCase& run = GetParam();
    StepPacer pacer = FakePacer(run.doze, 1000000, run.lateness);
    Microseconds start = fakeNow;
    for (int step = 0; step < run.steps; ++step) {
        pacer.BeginStep();
        fakeNow += run.drawing;
        ASSERT_NO_THROW(pacer.EndStep(run.pause));
    }
    Microseconds pauses = static_cast<Microseconds>(run.steps) * run.pause * 1000;
    EXPECT_GE(fakeNow - start, pauses);
    EXPECT_LE(fakeNow - start, pauses + run.atMost);
}

// Beyond the pauses, only the last wake-up's lateness remains.
INSTANTIATE_TEST_SUITE_P(
    Steps, Pacing,
    testing::Values(PacingCase{"Punctual", FakeDoze, 0, 80, 3, 50, 0},
                    PacingCase{"WakingLateByAMillisecond", FakeDoze, 1000, 80, 3, 50, 1000},
                    PacingCase{"WakingOnCoarseTicks", TickDoze, 0, 100, 2, 50, 15625},
                    PacingCase{"DrawingWithinThePause", FakeDoze, 700, 20, 20, 19000, 700}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StepPacer, StepWhoseDrawingOutlastsItsPauseDoesNotWaitNorShortenTheNext)
{
    StepPacer pacer = FakePacer();
    pacer.BeginStep();
    fakeNow += 8000;
    pacer.EndStep(5);
    EXPECT_EQ(dozes, 0);
    EXPECT_EQ(fakeNow, 8000);

    pacer.BeginStep();
    pacer.EndStep(5);
    EXPECT_EQ(fakeNow, 13000);
}

TEST(StepPacer, StepHeldUpLongerThanTheMakeUpLimitWaitsItsWholePause)
{
    StepPacer pacer = FakePacer();
    pacer.BeginStep();
    pacer.EndStep(5);
    fakeNow += StepPacer::kMakeUpLimit + 1000;
    Microseconds begun = fakeNow;
    pacer.BeginStep();
    pacer.EndStep(5);
    EXPECT_EQ(fakeNow - begun, 5000);
}

TEST(StepPacer, PauseOfZeroDoesNotWait)
{
    StepPacer pacer = FakePacer();
    for (int i = 0; i < 1000; ++i) {
        pacer.BeginStep();
        pacer.EndStep(0);
    }
    EXPECT_EQ(dozes, 0);
}

double MillisecondsSince(const LARGE_INTEGER& start)
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

TEST(StepPacer, SystemStepLastsAtLeastItsPause)
{
    FineTimerPeriod finePauses;
    StepPacer pacer;
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    pacer.BeginStep();
    pacer.EndStep(20);
    EXPECT_GE(MillisecondsSince(start), 20.0);
}

} // namespace
