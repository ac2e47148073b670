// Wedge sweeps, phase by phase. In each phase the wedges' moving corner reaches further by
// one sweep step per step, until it has passed the phase's extent; the last wedge of a phase
// reaches past the corner where the next phase begins, so no pixel is left between them.
#include "sweeps.h"

#include "strip_size.h"

namespace {

template <typename Wedges>
void SweepPhase(int extent, int stepSize, DWORD pause, EffectCanvas& canvas, Wedges wedges)
{
    for (long long reach = 0; reach <= static_cast<long long>(extent) + stepSize; reach += stepSize) {
        canvas.BeginStep();
        wedges(static_cast<int>(reach));
        canvas.EndStep(pause);
    }
}

} // namespace

void SweepClockwise(const Area& a, EffectCanvas& canvas)
{
    int size = SweepStepSize(a.width);
    POINT c = a.Centre();
    SweepPhase(a.HalfWidth(), size, 5, canvas, [&](int r) {
        canvas.Wedge(c, {c.x, a.y}, {c.x + r, a.y});
    });
    SweepPhase(a.height, size, 2, canvas, [&](int r) {
        canvas.Wedge(c, {a.Right(), a.y}, {a.Right(), a.y + r});
    });
    SweepPhase(a.width, size, 3, canvas, [&](int r) {
        canvas.Wedge(c, {a.Right(), a.Bottom()}, {a.Right() - r, a.Bottom()});
    });
    SweepPhase(a.height, size, 3, canvas, [&](int r) {
        canvas.Wedge(c, {a.x, a.Bottom()}, {a.x, a.Bottom() - r});
    });
    SweepPhase(a.HalfWidth(), size, 3, canvas, [&](int r) {
        canvas.Wedge(c, {a.x, a.y}, {a.x + r, a.y});
    });
}

void SweepOppositeWedges(const Area& a, EffectCanvas& canvas)
{
    int size = SweepStepSize(a.width);
    POINT c = a.Centre();
    SweepPhase(a.HalfWidth(), size, 5, canvas, [&](int r) {
        canvas.Wedge(c, {c.x, a.y}, {c.x + r, a.y});
        canvas.Wedge(c, {c.x, a.Bottom()}, {c.x - r, a.Bottom()});
    });
    SweepPhase(a.height, size, 2, canvas, [&](int r) {
        canvas.Wedge(c, {a.Right(), a.y}, {a.Right(), a.y + r});
        canvas.Wedge(c, {a.x, a.Bottom()}, {a.x, a.Bottom() - r});
    });
    SweepPhase(a.HalfWidth(), size, 3, canvas, [&](int r) {
        canvas.Wedge(c, {a.Right(), a.Bottom()}, {a.Right() - r, a.Bottom()});
        canvas.Wedge(c, {a.x, a.y}, {a.x + r, a.y});
    });
}

void OpenButterfly(const Area& a, EffectCanvas& canvas)
{
    int size = SweepStepSize(a.width);
    POINT c = a.Centre();
    SweepPhase(a.HalfWidth(), size, 5, canvas, [&](int r) {
        canvas.Wedge(c, {c.x, a.y}, {c.x + r, a.y});
        canvas.Wedge(c, {c.x, a.y}, {c.x - r, a.y});
        canvas.Wedge(c, {c.x, a.Bottom()}, {c.x + r, a.Bottom()});
        canvas.Wedge(c, {c.x, a.Bottom()}, {c.x - r, a.Bottom()});
    });
    SweepPhase(a.HalfHeight(), size, 2, canvas, [&](int r) {
        canvas.Wedge(c, {a.Right(), a.y}, {a.Right(), a.y + r});
        canvas.Wedge(c, {a.x, a.y}, {a.x, a.y + r});
        canvas.Wedge(c, {a.Right(), a.Bottom()}, {a.Right(), a.Bottom() - r});
        canvas.Wedge(c, {a.x, a.Bottom()}, {a.x, a.Bottom() - r});
    });
}

void SweepFromCorner(const Area& a, EffectCanvas& canvas)
{
    int size = SweepStepSize(a.width);
    POINT corner = {a.x, a.y};
    SweepPhase(a.width, size, 3, canvas, [&](int r) {
        canvas.Wedge(corner, {a.x, a.Bottom()}, {a.x + r, a.Bottom()});
    });
    SweepPhase(a.height, size, 3, canvas, [&](int r) {
        canvas.Wedge(corner, {a.Right(), a.Bottom()}, {a.Right(), a.Bottom() - r});
    });
}
