// The effects of qxfxwipe3 in the order of their indexes and of their names in the string
// table, each with its axis, its step (a share of the side it moves along) and its pause.
#include "wipe3_effects.h"

#include "doors.h"
#include "pushes.h"

#include <iterator>

namespace {

int FiftiethStep(const Lane& lane)
{
    return lane.Length() / 50 + 1;
}

void PushDown(const Area& area, EffectCanvas& canvas)
{
    Lane lane(area, Axis::Vertical);
    PushFromNearEdge(lane, FiftiethStep(lane), 15, canvas);
}

// Finer than the others: a hundredth of the height.
void PushUp(const Area& area, EffectCanvas& canvas)
{
    Lane lane(area, Axis::Vertical);
    PushFromFarEdge(lane, lane.Length() / 100 + 1, 10, canvas);
}

void PushRight(const Area& area, EffectCanvas& canvas)
{
    Lane lane(area, Axis::Horizontal);
    PushFromNearEdge(lane, FiftiethStep(lane), 20, canvas);
}

void PushLeft(const Area& area, EffectCanvas& canvas)
{
    Lane lane(area, Axis::Horizontal);
    PushFromFarEdge(lane, FiftiethStep(lane), 15, canvas);
}

void PushVerticallyToCentre(const Area& area, EffectCanvas& canvas)
{
    Lane lane(area, Axis::Vertical);
    PushToCentre(lane, FiftiethStep(lane), 20, canvas);
}

void PushHorizontallyToCentre(const Area& area, EffectCanvas& canvas)
{
    Lane lane(area, Axis::Horizontal);
    PushToCentre(lane, FiftiethStep(lane), 20, canvas);
}

void OpenVerticalDoors(const Area& area, EffectCanvas& canvas)
{
    Lane lane(area, Axis::Vertical);
    OpenDoors(lane, FiftiethStep(lane), 20, canvas);
}

void OpenHorizontalDoors(const Area& area, EffectCanvas& canvas)
{
    Lane lane(area, Axis::Horizontal);
    OpenDoors(lane, FiftiethStep(lane), 20, canvas);
}

const EffectEntry kEntries[] = {
    {PushDown, nullptr},
    {PushUp, nullptr},
    {PushRight, nullptr},
    {PushLeft, nullptr},
    {PushVerticallyToCentre, nullptr},
    {PushHorizontallyToCentre, nullptr},
    {OpenVerticalDoors, nullptr},
    {OpenHorizontalDoors, nullptr},
};

} // namespace

const EffectCatalogue kWipe3Effects = {kEntries, static_cast<int>(std::size(kEntries))};
