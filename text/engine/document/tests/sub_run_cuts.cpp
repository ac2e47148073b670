// A range hook that cuts runs into sub-runs where a test says.
#include "sub_run_cuts.h"

SubRunCuts& TheSubRunCuts()
{
    static SubRunCuts cuts;
    return cuts;
}

intptr_t CutIntoSubRuns(RteHandle, RteCharStyle*, intptr_t request, intptr_t kind)
{
    const auto& call = *reinterpret_cast<const RteRunHookCall*>(request);
    if (kind != RTE_RUN_HOOK_RANGE || call.values[0] != RTE_RUN_HOOK_SUB_RUN_END)
        return 0;
    ++TheSubRunCuts().asked;
    auto* end = reinterpret_cast<int32_t*>(call.values[1]);
    for (int32_t cut : TheSubRunCuts().at) {
        if (cut > call.rangeStart && cut < *end)
            *end = cut;
    }
    return 0;
}
