// The target rectangle seen along the axis on which an effect moves pictures. Positions
// "along" count from the near edge (top or left) towards the far edge; bands span the whole
// rectangle across. An effect written once on a lane serves both its vertical and its
// horizontal form.
#pragma once

#include "area.h"

enum class Axis { Vertical, Horizontal };

class Lane {
public:
    Lane(const Area& area, Axis axis) : area_(area), axis_(axis) {}

    const Area& Target() const { return area_; }
    Axis Direction() const { return axis_; }
    int Length() const;
    int Half() const { return Length() / 2; }

    // The band [from, to) along, across the whole rectangle, clamped to the rectangle.
    RECT Band(int from, int to) const;
    // A move of `distance` along the axis.
    POINT Shift(int distance) const;
    // The DC point at `along` on the near corner's edge.
    POINT At(int along) const;
    // The point of the new image at `along`.
    POINT InImage(int along) const;

private:
    bool Vertical() const { return axis_ == Axis::Vertical; }

    Area area_;
    Axis axis_;
};
