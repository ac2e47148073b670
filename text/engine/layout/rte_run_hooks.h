// The per-style hooks called over the character runs of a range.
#pragma once

#include <cstdint>

#include "rte_runs.h"

// Kinds of call: 0 and 1 tell the runs' styles with class bit 0x200 of a verb (0 with the
// caller's argument), through their slot 10; 2 hands the styles with class bit 0x800 their part
// of the range and three values of the caller's, through their slot 14.
constexpr int32_t RTE_RUN_HOOK_NOTICE = 0;
constexpr int32_t RTE_RUN_HOOK_VERB = 1;
constexpr int32_t RTE_RUN_HOOK_RANGE = 2;

// What the style's hook gets as its first argument (the kind as its second).
struct RteRunHookCall {
    int32_t kind;
    intptr_t argument;  // kind 0
    intptr_t verb;      // kinds 0 and 1
    int32_t runStart;
    int32_t rangeStart;
    const uint8_t* text;  // from the range start (kind 2: the run start) within its block
    int32_t count;        // bytes of it to the run's end or the block's, whichever comes first
    RteRange clipped;     // kind 2: the run's part of the range
    intptr_t values[3];   // kind 2
};

void RteCallRunHooks(RteHandle doc, intptr_t argument, intptr_t verb, int32_t start, int32_t length, int32_t kind,
                     intptr_t a, intptr_t b, intptr_t c);
