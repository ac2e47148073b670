// A random order of the numbers 0 ... count - 1.
#pragma once

#include <cstddef>
#include <memory>

class Permutation {
public:
    using Allocate = std::unique_ptr<int[]> (*)(std::size_t count);

    // Draws the order with the module's own generator. The generator is never seeded, so a
    // process sees the same orders on every run. Without memory for the draw, the order is
    // 0 ... count - 1.
    explicit Permutation(int count, Allocate allocate = AllocateEntries);

    int operator[](int position) const { return order_ ? order_[position] : position; }

    static std::unique_ptr<int[]> AllocateEntries(std::size_t count);

private:
    std::unique_ptr<int[]> order_;
};
