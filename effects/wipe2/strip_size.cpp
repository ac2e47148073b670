// Shares of a side, tried from the smallest up.
#include "strip_size.h"

#include <initializer_list>

namespace {

int FirstShareAbove(int side, int threshold, int fallback)
{
    for (double fraction : {0.05, 0.10, 0.20}) {
        int size = RoundedShare(side, fraction);
        if (size > threshold)
            return size;
    }
    return fallback;
}

} // namespace

int RoundedShare(int side, double fraction)
{
    return static_cast<int>(static_cast<long double>(side) * fraction + 0.5L);
}

int NarrowStripSize(int side)
{
    return FirstShareAbove(side, 3, 3);
}

int SweepStepSize(int side)
{
    return FirstShareAbove(side, 5, 15);
}
