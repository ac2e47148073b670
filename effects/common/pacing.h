// Pacing of an effect's steps on the system tick count.
#pragma once

#include "fxbase.h"

// Returns once more than `pause` milliseconds have passed since `start` on the clock `now`,
// calling `doze` between looks. Elapsed time is compared, so a clock that wraps past zero
// during the wait ends it on time.
void WaitPast(DWORD start, DWORD pause, DWORD (*now)(), void (*doze)());

// Ends a step that began at tick `start` and must last more than `pause` milliseconds; a
// pause of 0 does not wait.
void PaceStep(DWORD start, DWORD pause);
