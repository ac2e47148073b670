// Running this thread's messages while a test waits for timers, posted notices and the
// notifications of devices.
#pragma once

#include <windows.h>

#include <functional>

// Dispatches until `done` answers true or `ms` milliseconds have passed; whether `done` did.
bool PumpUntil(const std::function<bool()>& done, DWORD ms);
// Dispatches for `ms` milliseconds.
void PumpFor(DWORD ms);
