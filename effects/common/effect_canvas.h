// What an effect draws with: steps, and in them the three kinds of strokes of the effects.
// The modules draw through ScreenCanvas onto the target DC; the step log of the tests and the
// benchmark records the same calls instead.
#pragma once

#include "lane.h"

#include <optional>

// Strips that run along `axis`, `size` wide, laid side by side across the target rectangle
// from its left (or top) edge; only those whose number has the given parity take part.
struct Strips {
    Axis axis;
    int size;
    int parity;
};

// The old picture inside `area` moves by `offset` (what leaves `area` is dropped); the part of
// `area` that this uncovers shows the new image, placed so that image point `fillSource`
// lands on DC point `fillDest`.
struct ScrollMove {
    RECT area;
    POINT offset;
    POINT fillDest;
    POINT fillSource;
    std::optional<Strips> strips;  // only these strips of `area` move; all of it when empty
};

class EffectCanvas {
public:
    virtual ~EffectCanvas() = default;

    // Every step begins here, before it draws anything...
    virtual void BeginStep() = 0;
    // ... and ends here, `pause` milliseconds after it began when pause is not 0.
    virtual void EndStep(DWORD pause) = 0;

    virtual void ScrollAndFill(const ScrollMove& move) = 0;
    // Shows the new image inside the triangle, where it lies in the target rectangle.
    virtual void Wedge(POINT apex, POINT from, POINT to) = 0;
    // Shows the new image inside the ellipse bounded by `bounds`.
    virtual void Disc(const RECT& bounds) = 0;
};
