// Where the FLIC reader takes its bytes from: the seam between the platform-free reader and
// the system's files.
#pragma once

#include <cstddef>
#include <cstdint>

class FlicInput {
public:
    virtual ~FlicInput() = default;
    virtual uint64_t Length() = 0;
    // true when all `count` bytes at `offset` were read into `out`.
    virtual bool ReadAt(uint64_t offset, uint8_t* out, size_t count) = 0;
};
