// Block operations that run out of memory on demand, installed for one test's scope.
#pragma once

#include "rte_block.h"

class FailingBlocks {
public:
    FailingBlocks();
    ~FailingBlocks();
    FailingBlocks(const FailingBlocks&) = delete;
    FailingBlocks& operator=(const FailingBlocks&) = delete;

    // Requests for more than `bytes` (allocations, or growths to that size) fail from now on.
    void FailAbove(size_t bytes);
    // Every allocation and growth fails from now on.
    void FailAll() { FailAbove(0); }
    // Requests (allocations and growths) fail from the n-th on, counting from now (1 = the next).
    void FailFromRequest(int n);
    int Requests() const;
    void Heal();
    int Failures() const;
};
