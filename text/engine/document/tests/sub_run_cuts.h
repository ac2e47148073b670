// A style range hook for the engine tests that cuts every run into sub-runs at given document offsets
// and counts how often measuring or drawing asked.
#pragma once

#include <cstdint>
#include <vector>

#include "rte_run_hooks.h"

struct SubRunCuts {
    std::vector<int32_t> at;
    int32_t asked = 0;
};
// The cuts the hook gives; reset by each test.
SubRunCuts& TheSubRunCuts();
// Character-style slot 14.
intptr_t CutIntoSubRuns(RteHandle doc, RteCharStyle* style, intptr_t request, intptr_t kind);
