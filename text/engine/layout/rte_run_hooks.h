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

// The style class bits that ask for the calls of kinds 0 and 1, and of kind 2.
constexpr uint32_t RTE_STYLE_NOTICE_HOOK = 0x200;
constexpr uint32_t RTE_STYLE_RANGE_HOOK = 0x800;

// Kind 2 with this as its first value: measuring asks where the run's text falls into
// sub-runs measured apart (a part of the run that the style's owner draws its own way). The
// second value is an int32_t* holding the end of the range; a hook whose sub-run that holds
// the range start ends sooner lowers it to that document offset.
constexpr intptr_t RTE_RUN_HOOK_SUB_RUN_END = 1;

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

// Where the sub-run that starts at an offset ends, before end, as the range hook of a style
// that has one says (RTE_RUN_HOOK_SUB_RUN_END); end for any other style. Never before at + 1.
int32_t RteSubRunEnd(RteHandle doc, const RteCharStyle* style, int32_t at, int32_t end);
