// Strips and halves sliding in over the old picture.
//
// A sliding part scrolls only what it has already shown (plus one more row on an odd side),
// so the old picture stays where it is until it is covered.
#include "slides.h"

#include "edge_moves.h"
#include "edge_run.h"
#include "strip_size.h"

#include <climits>

namespace {

struct StripTiming {
    DWORD pause;
    int fullSpeedFrom;  // from this step number on, steps do not pause
};

void SlideStrips(const Lane& lane, int stripSize, StripTiming timing, EffectCanvas& canvas)
{
    int length = lane.Length();
    int odd = length % 2;
    int step = length / 50 + 1;
    EdgeRun nearRun = EdgeRun::Cover(length, step);
    EdgeRun farRun = EdgeRun::FromFarEdge(length, step, length);
    for (int number = 1; nearRun.Pending() || farRun.Pending(); ++number) {
        canvas.BeginStep();
        if (nearRun.Pending()) {
            int amount = nearRun.Advance();
            int travelled = nearRun.Travelled();
            ScrollMove move = EnterFromNearEdge(lane, lane.Band(0, travelled + odd), amount, travelled, length);
            move.strips = Strips{lane.Direction(), stripSize, 0};
            canvas.ScrollAndFill(move);
        }
        if (farRun.Pending()) {
            int amount = farRun.Advance();
            int travelled = farRun.Travelled();
            ScrollMove move = EnterFromFarEdge(lane, lane.Band(length - travelled, length), amount, travelled, 0);
            move.strips = Strips{lane.Direction(), stripSize, 1};
            canvas.ScrollAndFill(move);
        }
        canvas.EndStep(number < timing.fullSpeedFrom ? timing.pause : 0);
    }
}

} // namespace

void SlideVerticalStrips(const Area& area, EffectCanvas& canvas)
{
    int stripSize = NarrowStripSize(area.width);
    int strips = area.width / stripSize + 1;
    SlideStrips(Lane(area, Axis::Vertical), stripSize, StripTiming{15, 3 * strips}, canvas);
}

void SlideHorizontalBands(const Area& area, EffectCanvas& canvas)
{
    SlideStrips(Lane(area, Axis::Horizontal), NarrowStripSize(area.height), StripTiming{35, INT_MAX}, canvas);
}

void SlideHalvesToCentre(const Area& area, EffectCanvas& canvas)
{
    Lane lane(area, Axis::Horizontal);
    int length = lane.Length();
    int half = lane.Half();
    int step = length / 50 + 1;
    EdgeRun left = EdgeRun::Push(half, step);
    EdgeRun right = EdgeRun::FromFarEdge(length - half, step, half);
    while (left.Pending() || right.Pending()) {
        canvas.BeginStep();
        if (left.Pending()) {
            int amount = left.Advance();
            int travelled = left.Travelled();
            canvas.ScrollAndFill(EnterFromNearEdge(lane, lane.Band(0, travelled + length % 2), amount, travelled, half));
        }
        if (right.Pending()) {
            int amount = right.Advance();
            int travelled = right.Travelled();
            canvas.ScrollAndFill(EnterFromFarEdge(lane, lane.Band(length - travelled, length), amount, travelled, half));
        }
        canvas.EndStep(20);
    }
}
