// Grid snapping of the rubber band's coordinates.
#include "rubber_grid.h"

int SnapToGrid(int value, int origin, int step)
{
    if (step == 0)
        return value;
    const int distance = value - origin;
    const int remainder = distance % step;  // takes the sign of the distance
    if (remainder < step / 2)
        return origin + distance - remainder;
    return origin + distance + (step - remainder);
}

int SnapToGridPositive(int value, int origin, int step)
{
    if (step == 0)
        return value;
    const int snapped = SnapToGrid(value, origin, step);
    return snapped <= 0 ? step : snapped;
}
