// Block operations that end every block at a page no one may read or write: a read or write
// one byte past a handle's elements (when the handle has no spare room) ends the test.
#pragma once

#include <cstddef>

#include "rte_block.h"

class GuardedBlocks {
public:
    GuardedBlocks();
    ~GuardedBlocks();
    GuardedBlocks(const GuardedBlocks&) = delete;
    GuardedBlocks& operator=(const GuardedBlocks&) = delete;
};

// Bytes whose last one lies just before a page no one may read.
class GuardedBytes {
public:
    GuardedBytes(const void* bytes, size_t size);
    ~GuardedBytes();
    GuardedBytes(const GuardedBytes&) = delete;
    GuardedBytes& operator=(const GuardedBytes&) = delete;
    const unsigned char* data() const { return data_; }
    size_t size() const { return size_; }

private:
    void* base_;
    const unsigned char* data_;
    size_t size_;
};
