// Random orders for the discs effect, and the order used when there is no memory to draw one.
#include "permutation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

std::unique_ptr<int[]> NoMemory(std::size_t)
{
    return nullptr;
}

std::vector<int> Entries(const Permutation& order, int count)
{
    std::vector<int> entries;
    for (int i = 0; i < count; ++i)
        entries.push_back(order[i]);
    return entries;
}

TEST(Permutation, HoldsEachNumberOnce)
{
    for (int count : {1, 2, 3, 21, 65}) {
        std::vector<int> entries = Entries(Permutation(count), count);
        std::sort(entries.begin(), entries.end());
        for (int i = 0; i < count; ++i)
            EXPECT_EQ(entries[i], i) << "count " << count;
    }
}

TEST(Permutation, ScattersTheNumbers)
{
    std::vector<int> entries = Entries(Permutation(65), 65);
    int inPlace = 0;
    for (int i = 0; i < 65; ++i)
        inPlace += entries[i] == i;
    EXPECT_LT(inPlace, 10);
}

TEST(Permutation, WithoutMemoryIsTheIdentity)
{
    Permutation order(21, NoMemory);
    for (int i = 0; i < 21; ++i)
        EXPECT_EQ(order[i], i);
}

} // namespace
