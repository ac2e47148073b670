// Pacing on GetTickCount, yielding the processor between looks at the clock.
#include "pacing.h"

namespace {

DWORD TickNow()
{
    return GetTickCount();
}

void DozeBriefly()
{
    Sleep(1);
}

} // namespace

void WaitPast(DWORD start, DWORD pause, DWORD (*now)(), void (*doze)())
{
    while (now() - start <= pause)
        doze();
}

void PaceStep(DWORD start, DWORD pause)
{
    if (pause != 0)
        WaitPast(start, pause, TickNow, DozeBriefly);
}
