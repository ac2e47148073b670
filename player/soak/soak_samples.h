// What the soak samples of the player: its kernel handles, GDI and USER objects (0 where the
// platform does not count them) and private bytes; and whether they grew past the warm-up.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

struct SoakSample {
    int changes = 0;
    DWORD handles = 0;
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
    size_t privateBytes = 0;
};

SoakSample TakeSample(HANDLE process, int changes);

// What may vary without being a leak: a few handles of threads and timers that come and go
// with a page, and the heap's own slack.
constexpr DWORD SOAK_COUNT_SLACK = 8;
constexpr size_t SOAK_BYTES_SLACK = 2 * 1024 * 1024;

struct SoakGrowth {
    long handles = 0;
    long gdiObjects = 0;
    long userObjects = 0;
    long long privateBytes = 0;
    bool Leaks() const;
};

// The highest value of the last tenth of the samples against the highest of those taken
// between `warmUp` changes and the tenth of the run: a leak grows with the changes, while
// what a page holds only while it is shown comes and goes.
SoakGrowth GrowthAfter(const std::vector<SoakSample>& samples, int warmUp);
