// A canvas that records an effect's steps instead of drawing them, so that the steps, their
// strokes and their pauses can be counted and checked without a screen.
#pragma once

#include "catalogue.h"

#include <array>
#include <vector>

struct LoggedStep {
    DWORD pause = 0;
    std::vector<ScrollMove> moves;
    std::vector<std::array<POINT, 3>> wedges;
    std::vector<RECT> discs;
};

class StepLog final : public EffectCanvas {
public:
    void BeginStep() override;
    void EndStep(DWORD pause) override;
    void ScrollAndFill(const ScrollMove& move) override;
    void Wedge(POINT apex, POINT from, POINT to) override;
    void Disc(const RECT& bounds) override;

    const std::vector<LoggedStep>& Steps() const { return steps_; }
    // The time that the pauses of all steps add up to, in milliseconds.
    DWORD TotalPause() const;

private:
    LoggedStep& Current();

    std::vector<LoggedStep> steps_;
};

// The steps of a catalogue entry on `area`: its black pass first when it has one.
StepLog LogEffect(const EffectEntry& effect, const Area& area);
