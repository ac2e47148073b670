// Sizes of strips, disc cells and sweep steps, as shares of a side of the target rectangle.
#pragma once

// `fraction` of `side`, multiplied in extended precision, plus one half, truncated.
int RoundedShare(int side, double fraction);

// Strips and disc cells: 5 % of the side, or 10 %, or 20 % while that is still 3 pixels or
// less; 3 when even 20 % is.
int NarrowStripSize(int side);

// Sweep steps: the same shares while they are 5 pixels or less; 15 when even 20 % is.
int SweepStepSize(int side);
