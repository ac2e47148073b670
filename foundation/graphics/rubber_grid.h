// Grid snapping of the rubber band's coordinates.
#pragma once

// The nearest grid line of origin + k * step (a remainder of half a step goes up);
// step 0 leaves the value alone.
int SnapToGrid(int value, int origin, int step);
// SnapToGrid for right and bottom edges: a result of 0 or less becomes one step.
int SnapToGridPositive(int value, int origin, int step);
