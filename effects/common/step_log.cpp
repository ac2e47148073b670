// Recording of an effect's steps.
#include "step_log.h"

void StepLog::BeginStep()
{
    steps_.emplace_back();
}

void StepLog::EndStep(DWORD pause)
{
    Current().pause = pause;
}

void StepLog::ScrollAndFill(const ScrollMove& move)
{
    Current().moves.push_back(move);
}

void StepLog::Wedge(POINT apex, POINT from, POINT to)
{
    Current().wedges.push_back({apex, from, to});
}

void StepLog::Disc(const RECT& bounds)
{
    Current().discs.push_back(bounds);
}

DWORD StepLog::TotalPause() const
{
    DWORD total = 0;
    for (const LoggedStep& step : steps_)
        total += step.pause;
    return total;
}

// A stroke made before the first step opens a step of its own, where a check will find it.
LoggedStep& StepLog::Current()
{
    if (steps_.empty())
        steps_.emplace_back();
    return steps_.back();
}

StepLog LogEffect(const EffectEntry& effect, const Area& area)
{
    StepLog log;
    if (effect.blackPass)
        effect.blackPass(area, log);
    effect.plan(area, log);
    return log;
}
