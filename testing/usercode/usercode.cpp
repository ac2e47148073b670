// A user DLL of the tests: a page procedure and one of the two function pairs of a data
// module (AllocData and FreeData with QX_USERCODE_CPP_PAIR, else DataAllocate and DataFree).
#include "usercode_journal.h"

#include <string>

namespace {

// The data block handed to the kernel: its first two slots are the kernel's (branch DLLs read
// the kernel and the branch there).
void* block[4];

void Note(const std::string& event)
{
    SetEnvironmentVariableA(QX_USERCODE_JOURNAL, (UserCodeJournal() + event + ";").c_str());
}

void* Allocate(const char* name)
{
    Note(name);
    return block;
}

void Free(const char* name, void* data) { Note(std::string(name) + (data == block ? "" : " foreign")); }

}  // namespace

// Sees every message of the page window: noted once, so that the journal stays short.
extern "C" __declspec(dllexport) LRESULT PageProcedure(HWND, UINT, WPARAM, LPARAM)
{
    static bool called = false;
    if (!called)
        Note("procedure");
    called = true;
    return 0;
}

#ifdef QX_USERCODE_CPP_PAIR
extern "C" __declspec(dllexport) void* WINAPI AllocData(void*) { return Allocate("AllocData"); }
extern "C" __declspec(dllexport) void WINAPI FreeData(void* data) { Free("FreeData", data); }
#else
extern "C" __declspec(dllexport) void* WINAPI DataAllocate(void*) { return Allocate("DataAllocate"); }
extern "C" __declspec(dllexport) void WINAPI DataFree(void* data) { Free("DataFree", data); }
#endif

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        Note("loaded");
    return TRUE;
}
