// The effects of qxfxwipe2 in the order of their indexes and of their names in the string
// table. The table holds a tenth name for which the module has no effect.
#include "wipe2_effects.h"

#include "discs.h"
#include "slides.h"
#include "sweeps.h"

#include <iterator>

namespace {

const EffectEntry kEntries[] = {
    {SlideVerticalStrips, nullptr},
    {SlideHorizontalBands, nullptr},
    {RevealDiscs, nullptr},
    {SweepClockwise, nullptr},
    {SweepOppositeWedges, nullptr},
    {OpenButterfly, nullptr},
    {SweepFromCorner, nullptr},
    {SweepClockwise, SweepClockwise},
    {OpenButterfly, SlideHalvesToCentre},
};

} // namespace

const EffectCatalogue kWipe2Effects = {kEntries, static_cast<int>(std::size(kEntries))};
