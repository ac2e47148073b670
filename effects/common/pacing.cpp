// Pacing on the performance counter, sleeping between looks at the clock.
#include "pacing.h"

#include <mmsystem.h>

#include <algorithm>

namespace {

Microseconds CounterNow()
{
    static const LONGLONG frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return value.QuadPart;
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return count.QuadPart / frequency * 1000000 + count.QuadPart % frequency * 1000000 / frequency;
}

// Whole milliseconds, rounded down but never to 0: Sleep(0) would only yield and the wait
// would spin.
void SleepAbout(Microseconds remaining)
{
    Sleep(remaining >= 2000 ? static_cast<DWORD>(remaining / 1000) : 1);
}

} // namespace

StepPacer::StepPacer() : StepPacer(CounterNow, SleepAbout)
{
}

StepPacer::StepPacer(Clock now, Doze doze) : now_(now), doze_(doze)
{
}

void StepPacer::BeginStep()
{
    begun_ = now_();
    bool onTime = !first_ && begun_ - due_ <= kMakeUpLimit;
    stepStart_ = onTime ? due_ : begun_;
    first_ = false;
}

void StepPacer::EndStep(DWORD pause)
{
    // A step whose drawing outlasts its pause is due when its drawing ends: only the system's
    // late wake-ups are made up, never the drawing.
    Microseconds now = now_();
    due_ = stepStart_ + std::max(now - begun_, static_cast<Microseconds>(pause) * 1000);
    for (; now < due_; now = now_())
        doze_(due_ - now);
}

FineTimerPeriod::FineTimerPeriod() : granted_(timeBeginPeriod(1) == TIMERR_NOERROR)
{
}

FineTimerPeriod::~FineTimerPeriod()
{
    if (granted_)
        timeEndPeriod(1);
}
