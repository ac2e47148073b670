// Discs over a grid of cells, in an order scattered by a random permutation.
#include "discs.h"

#include "permutation.h"
#include "strip_size.h"

#include <algorithm>
#include <cmath>

void RevealDiscs(const Area& area, EffectCanvas& canvas)
{
    int cell = NarrowStripSize(area.width);
    int side = std::max(area.width, area.height) / cell + 1;
    // An odd count makes the walk below meet every pair of positions exactly once.
    int count = side % 2 == 0 ? side + 1 : side;
    Permutation order(count);

    // A disc circumscribes its cell, with a margin.
    int diameter = static_cast<int>(std::sqrt(2.0 * cell * cell) + 3);
    int inset = (diameter - cell) / 2;
    int columns = area.width / cell + 1;
    int rows = area.height / cell + 1;

    // Each round walks a diagonal of the position pairs: a rises and b falls, both wrapping,
    // so their sum is fixed within a round and differs from one round to the next.
    for (int round = 0; round < count; ++round) {
        int a = order[round];
        int b = (a - 1 + count) % count;
        for (int n = 0; n < count; ++n) {
            canvas.BeginStep();
            int column = order[a];
            int row = order[b];
            a = (a + 1) % count;
            b = (b - 1 + count) % count;
            if (column < columns && row < rows) {
                int left = area.x + cell * column - inset;
                int top = area.y + cell * row - inset;
                canvas.Disc(RECT{left, top, left + diameter, top + diameter});
            }
            canvas.EndStep(0);
        }
    }
}
