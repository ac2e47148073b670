// One fuzz session of one target: its corpus read once, then inputs made from them, each
// written into a scratch folder of its own and read under the guard.
#pragma once

#include "fuzz_targets.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct FuzzOptions {
    uint64_t start = 1;  // the mutator's starting number
    size_t runs = 2500;     // inputs at most
    DWORD seconds = 10;     // and for this long at most
    DWORD limitMs = 10000;  // an input read for longer is a hang
    std::string findings;   // where faulting inputs are saved
};

struct FuzzOutcome {
    size_t corpusFiles = 0;
    size_t inputs = 0;
    // Inputs whose file the reader changed though it may not (their origin and what was done).
    std::vector<std::string> changedInputs;
};

FuzzOutcome RunFuzzTarget(const FuzzTarget& target, const FuzzOptions& options);
// Reads one saved input as the target reads it, under the guard: a fault ends the process.
bool ReplayFuzzInput(const FuzzTarget& target, const std::string& file, const FuzzOptions& options);
