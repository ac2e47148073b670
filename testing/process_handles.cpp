#include "process_handles.h"

#include <algorithm>
#include <vector>

namespace {

// The system's handle table as the native API lists it (extended form).
constexpr ULONG SYSTEM_EXTENDED_HANDLE_INFORMATION = 64;
constexpr LONG STATUS_INFO_LENGTH_MISMATCH = static_cast<LONG>(0xC0000004);

struct SYSTEMHANDLE {
    PVOID object;
    ULONG_PTR processId;
    ULONG_PTR handle;
    ULONG access;
    USHORT creatorBackTrace;
    USHORT typeIndex;
    ULONG attributes;
    ULONG reserved;
};

struct SYSTEMHANDLES {
    ULONG_PTR count;
    ULONG_PTR reserved;
    SYSTEMHANDLE entries[1];
};

using QUERYSYSTEMINFORMATION = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

}  // namespace

DWORD ProcessHandleCount(DWORD processId)
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
    const auto* table = reinterpret_cast<const SYSTEMHANDLES*>(buffer.data());
    DWORD count = 0;
    for (ULONG_PTR i = 0; i < table->count; ++i)
        count += table->entries[i].processId == processId;
    return count;
}

