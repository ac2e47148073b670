// A player changes pages all day, loading and freeing plug-ins and effect modules for each:
// every module can be loaded and freed without end, as the kernel that stays loaded sees it,
// and leaves no handle and almost no memory behind.
#include "process_handles.h"

#include <windows.h>
#include <malloc.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int Cycles = 5000;

// Pages Wine may keep for its own books of the loads; a thread record or table left behind
// would be ten times that. The heap's blocks are counted apart, one by one.
constexpr SIZE_T BytesKeptPerCycle = 100;

// The process's private bytes: Wine fills only the older of the two fields.
SIZE_T PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    return memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
}

// The blocks in use in the C runtime's heap, where a module's runtime and threads library make
// their locks, records and tables.
size_t BusyHeapBlocks()
{
    const auto heap = reinterpret_cast<HANDLE>(_get_heap_handle());
    size_t busy = 0;
    HeapLock(heap);
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heap, &entry))
        busy += (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0;
    HeapUnlock(heap);
    return busy;
}

class ModuleCycles : public testing::TestWithParam<const char*> {};

TEST_P(ModuleCycles, LoadAndFreeWithoutEnd)
{
    const char* module = GetParam();
    // The kernel and the foundation stay loaded, as in the player.
    static const HMODULE kernel = LoadLibraryA("qxcore40.dll");
    ASSERT_NE(nullptr, kernel);
    ASSERT_EQ(nullptr, GetModuleHandleA(module)) << module << " must come and go with each cycle";
    // A first cycle sets up what the process keeps whatever the count.
    FreeLibrary(LoadLibraryA(module));
    const DWORD handlesBefore = ProcessHandleCount(GetCurrentProcessId());
    const SIZE_T bytesBefore = PrivateBytes();
    const size_t blocksBefore = BusyHeapBlocks();
    for (int cycle = 0; cycle < Cycles; ++cycle) {
        const HMODULE loaded = LoadLibraryA(module);
        ASSERT_NE(nullptr, loaded) << module << ", cycle " << cycle << ": error " << GetLastError();
        ASSERT_TRUE(FreeLibrary(loaded));
        ASSERT_EQ(nullptr, GetModuleHandleA(module)) << module << ", cycle " << cycle;
    }
    EXPECT_GE(blocksBefore + 2, BusyHeapBlocks()) << module << " after " << Cycles << " cycles";
    EXPECT_EQ(handlesBefore, ProcessHandleCount(GetCurrentProcessId())) << module << " after " << Cycles << " cycles";
    const SIZE_T bytesAfter = PrivateBytes();
    EXPECT_LT(bytesAfter, bytesBefore + Cycles * BytesKeptPerCycle)
        << module << " after " << Cycles << " cycles: " << (bytesAfter - bytesBefore) / Cycles << " bytes a cycle";
    // The process still has thread-local slots for the next module.
    const DWORD slot = TlsAlloc();
    EXPECT_NE(TLS_OUT_OF_INDEXES, slot);
    TlsFree(slot);
}

INSTANTIATE_TEST_SUITE_P(PlugInsAndEffects, ModuleCycles,
                         testing::Values("qxsheet40.dll", "qxpict40.dll", "qxpush40.dll", "qxaudio40.dll",
                                         "qxmotion40.dll", "qxtext40.dll", "qxfxwipe2.dll", "qxfxwipe3.dll"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             return name.substr(0, name.find('.'));
                         });

}  // namespace
