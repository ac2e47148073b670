// Pushes: every step scrolls a whole region of the target, the old picture with the part of
// the new image already shown, and fills the strip uncovered at the edge.
#include "pushes.h"

#include "edge_moves.h"
#include "edge_run.h"

void PushFromNearEdge(const Lane& lane, int step, DWORD pause, EffectCanvas& canvas)
{
    int length = lane.Length();
    RECT whole = lane.Band(0, length);
    EdgeRun run = EdgeRun::Push(length, step);
    while (run.Pending()) {
        canvas.BeginStep();
        int amount = run.Advance();
        canvas.ScrollAndFill(EnterFromNearEdge(lane, whole, amount, run.Travelled(), length));
        canvas.EndStep(pause);
    }
}

void PushFromFarEdge(const Lane& lane, int step, DWORD pause, EffectCanvas& canvas)
{
    int length = lane.Length();
    RECT whole = lane.Band(0, length);
    EdgeRun run = EdgeRun::FromFarEdge(length, step, length);
    while (run.Pending()) {
        canvas.BeginStep();
        int amount = run.Advance();
        canvas.ScrollAndFill(EnterFromFarEdge(lane, whole, amount, run.Travelled(), 0));
        canvas.EndStep(pause);
    }
}

void PushToCentre(const Lane& lane, int step, DWORD pause, EffectCanvas& canvas)
{
    int length = lane.Length();
    int half = lane.Half();
    RECT nearHalf = lane.Band(0, half);
    RECT farHalf = lane.Band(half, length);
    EdgeRun nearRun = EdgeRun::Push(half, step);
    // On an odd length the farRun half is one pixel longer; its last step takes that pixel.
    EdgeRun farRun = EdgeRun::FromFarEdge(length - half, step, half);
    while (nearRun.Pending() || farRun.Pending()) {
        canvas.BeginStep();
        if (nearRun.Pending()) {
            int amount = nearRun.Advance();
            canvas.ScrollAndFill(EnterFromNearEdge(lane, nearHalf, amount, nearRun.Travelled(), half));
        }
        if (farRun.Pending()) {
            int amount = farRun.Advance();
            canvas.ScrollAndFill(EnterFromFarEdge(lane, farHalf, amount, farRun.Travelled(), half));
        }
        canvas.EndStep(pause);
    }
}
