// The multimedia timers behind the pacing tables.
#include "pacing_clock.h"

#include <mmsystem.h>

void MultimediaClock::Start(std::function<void()> tick)
{
    Stop();
    tick_ = std::move(tick);
    // Synchronous kill: once Stop returns no tick runs any more.
    id_ = timeSetEvent(PACING_TICK_MS, 1, &MultimediaClock::OnTick, reinterpret_cast<DWORD_PTR>(this),
                       TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS);
}

void MultimediaClock::Stop()
{
    if (id_)
        timeKillEvent(id_);
    id_ = 0;
}

void CALLBACK MultimediaClock::OnTick(UINT, UINT, DWORD_PTR self, DWORD_PTR, DWORD_PTR)
{
    reinterpret_cast<MultimediaClock*>(self)->tick_();
}

namespace {

void PostToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    PostMessageA(window, message, wParam, lParam);
}

}  // namespace

PacingTable& FlicPlayerTable()
{
    static MultimediaClock clock;
    static PacingTable table(PacingTable::Rule::Players, clock, PostToWindow);
    return table;
}

PacingTable& MillisecondTimers()
{
    static MultimediaClock clock;
    static PacingTable table(PacingTable::Rule::Timers, clock, PostToWindow);
    return table;
}
