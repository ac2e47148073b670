#include "soak_samples.h"

#include "process_handles.h"

#include <psapi.h>

#include <algorithm>
#include <vector>

SoakSample TakeSample(HANDLE process, int changes)
{
    SoakSample sample;
    sample.changes = changes;
    if (!GetProcessHandleCount(process, &sample.handles) || sample.handles == 0)
        sample.handles = ProcessHandleCount(GetProcessId(process));
    sample.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    if (sample.gdiObjects == 0)
        sample.gdiObjects = ProcessGdiObjectCount(process);
    sample.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    if (sample.userObjects == 0)
        sample.userObjects = ProcessWindowCount(GetProcessId(process));
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    // The commit charge is the private bytes: Wine fills only the older of the two fields.
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
        sample.privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    return sample;
}

bool SoakGrowth::Leaks() const
{
    return handles > static_cast<long>(SOAK_COUNT_SLACK) || gdiObjects > static_cast<long>(SOAK_COUNT_SLACK) ||
           userObjects > static_cast<long>(SOAK_COUNT_SLACK) ||
           privateBytes > static_cast<long long>(SOAK_BYTES_SLACK);
}

SoakGrowth GrowthAfter(const std::vector<SoakSample>& samples, int warmUp)
{
    SoakGrowth growth;
    if (samples.empty())
        return growth;
    const int last = samples.back().changes;
    const int earlyEnd = std::max(warmUp, last / 10);
    const int lateStart = last - last / 10;
    SoakSample early, late;
    for (const SoakSample& s : samples) {
        SoakSample* into = s.changes >= warmUp && s.changes <= earlyEnd ? &early : s.changes >= lateStart ? &late : nullptr;
        if (!into)
            continue;
        into->handles = std::max(into->handles, s.handles);
        into->gdiObjects = std::max(into->gdiObjects, s.gdiObjects);
        into->userObjects = std::max(into->userObjects, s.userObjects);
        into->privateBytes = std::max(into->privateBytes, s.privateBytes);
    }
    growth.handles = static_cast<long>(late.handles) - static_cast<long>(early.handles);
    growth.gdiObjects = static_cast<long>(late.gdiObjects) - static_cast<long>(early.gdiObjects);
    growth.userObjects = static_cast<long>(late.userObjects) - static_cast<long>(early.userObjects);
    growth.privateBytes = static_cast<long long>(late.privateBytes) - static_cast<long long>(early.privateBytes);
    return growth;
}
