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


namespace {

// One entry of the GDI handle table: a type of 0 is a free entry.
struct GDIHANDLEENTRY {
    UINT64 object;
    ULONG owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    UINT64 user;
};
static_assert(sizeof(GDIHANDLEENTRY) == 24);

constexpr size_t GDI_HANDLE_COUNT = 0x10000;
constexpr USHORT GDI_STOCK_FLAG = 0x80;
constexpr size_t PEB_GDI_TABLE_OFFSET = 0xF8;

struct PROCESSBASICINFO {
    LONG exitStatus;
    PVOID peb;
    ULONG_PTR affinity;
    LONG priority;
    ULONG_PTR processId;
    ULONG_PTR parentId;
};

using QUERYINFORMATIONPROCESS = LONG(WINAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);

}  // namespace

DWORD ProcessGdiObjectCount(HANDLE process)
{
    const auto query = reinterpret_cast<QUERYINFORMATIONPROCESS>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESSBASICINFO basic{};
    if (!query || query(process, 0, &basic, sizeof basic, nullptr) < 0 || !basic.peb)
        return 0;
    UINT64 table = 0;
    if (!ReadProcessMemory(process, static_cast<char*>(basic.peb) + PEB_GDI_TABLE_OFFSET, &table, sizeof table, nullptr) ||
        !table)
        return 0;
    std::vector<GDIHANDLEENTRY> entries(GDI_HANDLE_COUNT);
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, reinterpret_cast<void*>(table), entries.data(), entries.size() * sizeof entries[0],
                           &read))
        return 0;
    DWORD count = 0;
    for (size_t i = 0; i < read / sizeof entries[0]; ++i)
        count += entries[i].type != 0 && !(entries[i].unique & GDI_STOCK_FLAG);
    return count;
}

namespace {

struct WINDOWCOUNT {
    DWORD processId;
    DWORD count = 0;
};

BOOL CALLBACK CountChildWindow(HWND, LPARAM lParam)
{
    ++reinterpret_cast<WINDOWCOUNT*>(lParam)->count;
    return TRUE;
}

// Counts a window of the process with every window below it.
BOOL CALLBACK CountWindowTree(HWND window, LPARAM lParam)
{
    auto* counted = reinterpret_cast<WINDOWCOUNT*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != counted->processId)
        return TRUE;
    ++counted->count;
    EnumChildWindows(window, CountChildWindow, lParam);
    return TRUE;
}

}  // namespace

DWORD ProcessWindowCount(DWORD processId)
{
    WINDOWCOUNT counted{processId};
    EnumWindows(CountWindowTree, reinterpret_cast<LPARAM>(&counted));
    for (HWND window = nullptr; (window = FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr));)
        CountWindowTree(window, reinterpret_cast<LPARAM>(&counted));
    return counted.count;
}
