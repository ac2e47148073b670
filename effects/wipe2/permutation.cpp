// Random orders drawn by taking, for each position, one of the numbers not yet taken.
#include "permutation.h"

#include <random>

namespace {

// A uniform 31-bit generator of the module, in its default state at load.
std::minstd_rand& Generator()
{
    static std::minstd_rand generator;
    return generator;
}

} // namespace

std::unique_ptr<int[]> Permutation::AllocateEntries(std::size_t count)
{
    return std::unique_ptr<int[]>(new (std::nothrow) int[count]);
}

Permutation::Permutation(int count, Allocate allocate)
{
    if (count <= 0)
        return;
    auto size = static_cast<std::size_t>(count);
    std::unique_ptr<int[]> order = allocate(size);
    std::unique_ptr<int[]> left = allocate(size);
    if (!order || !left)
        return;
    for (int i = 0; i < count; ++i)
        left[i] = i;
    for (int i = 0, remaining = count; i < count; ++i, --remaining) {
        int k = static_cast<int>(Generator()() % static_cast<unsigned>(remaining));
        order[i] = left[k];
        for (int j = k; j + 1 < remaining; ++j)
            left[j] = left[j + 1];
    }
    order_ = std::move(order);
}
