// The process's two pacing tables on periodic multimedia timers.
#pragma once

#include "pacing_table.h"

// A periodic 5 ms multimedia timer. Resolution 1 ms: a coarser one lets the system bunch
// ticks together, and frames then come in bursts.
class MultimediaClock : public PacingClock {
public:
    ~MultimediaClock() override { Stop(); }
    void Start(std::function<void()> tick) override;
    void Stop() override;

private:
    static void CALLBACK OnTick(UINT id, UINT, DWORD_PTR self, DWORD_PTR, DWORD_PTR);
    std::function<void()> tick_;
    UINT id_ = 0;
};

// FLIC players (WM_TIMER to the player window) and millisecond timers (image series).
PacingTable& FlicPlayerTable();
PacingTable& MillisecondTimers();
