#include "soak_samples.h"

#include <psapi.h>

#include <algorithm>
#include <vector>

namespace {

// The system's handle table as the native API lists it (extended form), for a platform whose
// GetProcessHandleCount does not count another process's handles.
constexpr ULONG SYSTEM_EXTENDED_HANDLE_INFORMATION = 64;
constexpr LONG STATUS_INFO_LENGTH_MISMATCH = static_cast<LONG>(0xC0000004);

struct HANDLEENTRY {
    PVOID object;
    ULONG_PTR processId;
    ULONG_PTR handle;
    ULONG access;
    USHORT creatorBackTrace;
    USHORT typeIndex;
    ULONG attributes;
    ULONG reserved;
};

struct HANDLETABLE {
    ULONG_PTR count;
    ULONG_PTR reserved;
    HANDLEENTRY entries[1];
};

using QUERYSYSTEMINFORMATION = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

DWORD HandlesInSystemTable(DWORD processId)
{
    const auto query = reinterpret_cast<QUERYSYSTEMINFORMATION>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (!query)
        return 0;
    std::vector<unsigned char> buffer(1 << 20);
    ULONG needed = 0;
    LONG status;
    while ((status = query(SYSTEM_EXTENDED_HANDLE_INFORMATION, buffer.data(), static_cast<ULONG>(buffer.size()),
                           &needed)) == STATUS_INFO_LENGTH_MISMATCH)
        buffer.resize(std::max<size_t>(buffer.size() * 2, needed));
    if (status < 0)
        return 0;
    const auto* table = reinterpret_cast<const HANDLETABLE*>(buffer.data());
    DWORD count = 0;
    for (ULONG_PTR i = 0; i < table->count; ++i)
        count += table->entries[i].processId == processId;
    return count;
}

}  // namespace

SoakSample TakeSample(HANDLE process, int changes)
{
    SoakSample sample;
    sample.changes = changes;
    if (!GetProcessHandleCount(process, &sample.handles) || sample.handles == 0)
        sample.handles = HandlesInSystemTable(GetProcessId(process));
    sample.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    sample.userObjects = GetGuiResources(process, GR_USEROBJECTS);
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
