// Pacing of an effect's steps on the high-resolution clock.
#pragma once

#include "fxbase.h"

#include <cstdint>

using Microseconds = std::int64_t;

// Paces the steps of one pass. A step lasts its pause counted from when it begins, drawing
// included. The system wakes a sleeping thread late (by up to a millisecond under Wine, by up
// to a whole tick of 15.6 ms under Windows when the timer period cannot be shortened), so
// each step is counted from when the previous one was due to end, not from when the wait
// actually ended: a late wake-up is made up by the steps that follow instead of adding up
// over the dozens of steps of an effect. A step that begins later than `kMakeUpLimit` after
// the previous one was due (the thread was held up) starts the count afresh, so a hold-up is
// never followed by a rush of unpaced steps.
class StepPacer {
public:
    using Clock = Microseconds (*)();
    // Sleeps about `remaining` microseconds, at least a little: it never spins.
    using Doze = void (*)(Microseconds remaining);

    static constexpr Microseconds kMakeUpLimit = 32000;

    // The pacer of the modules: the performance counter, and Sleep in whole milliseconds.
    StepPacer();
    StepPacer(Clock now, Doze doze);

    void BeginStep();
    // Returns once `pause` milliseconds have passed since the step began; a step whose
    // drawing took longer, or whose pause is 0, does not wait.
    void EndStep(DWORD pause);

private:
    Clock now_;
    Doze doze_;
    bool first_ = true;
    Microseconds begun_ = 0;      // when the step actually began
    Microseconds stepStart_ = 0;  // when it is counted from
    Microseconds due_ = 0;
};

// Asks the system for a timer period of a millisecond while it lives, so that a short sleep
// lasts about what it asks rather than a whole tick.
class FineTimerPeriod {
public:
    FineTimerPeriod();
    ~FineTimerPeriod();
    FineTimerPeriod(const FineTimerPeriod&) = delete;
    FineTimerPeriod& operator=(const FineTimerPeriod&) = delete;

private:
    bool granted_;
};
