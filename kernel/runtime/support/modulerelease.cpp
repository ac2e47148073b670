// What a library gives back when it is unloaded. The C++ runtime linked into each of our
// libraries takes, at every load, a reserve for exceptions thrown when memory runs out, and
// its threads library takes a thread-local slot of the process the first time the library
// needs it (a local static, an exception), with a record of the thread that holds a copy of
// the thread's handle and an event, and a table of the records it made; none of it is given
// back when the library goes. A host
// that loads and frees plug-ins page after page would grow without end, and abort once the
// process's 1,088 slots are gone.
#include <windows.h>

#include <pthread.h>

#include <cstdlib>

// The threads library's record of a thread, as it keeps it in its slot.
extern "C" void* __pth_gpointer_locked(pthread_t thread);
// This library's image, as the linker places it.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace __gnu_cxx {
// Frees the C++ runtime's reserve for exceptions.
void __freeres() noexcept;
}

namespace {

constexpr DWORD ProcessThreadSlots = TLS_MINIMUM_AVAILABLE + 1024;

// The threads library's slot: the one that holds its record of the loading thread, which
// asking for the thread's identity makes.
DWORD ThreadLibrarySlot()
{
    void* record = __pth_gpointer_locked(pthread_self());
    for (DWORD slot = 0; record && slot < ProcessThreadSlots; ++slot) {
        if (TlsGetValue(slot) == record)
            return slot;
    }
    return TLS_OUT_OF_INDEXES;
}

// The record's copy of the thread's handle, and the event beside it. The threads library
// closes both when the thread ends, never when the library goes: a thread that loads and
// frees libraries all day would keep two handles of each load. The record's layout is the
// library's own, so the two are found by what they hold: a handle of this very thread, then
// an event not set.
struct RECORDHANDLES {
    HANDLE* thread = nullptr;
    HANDLE* event = nullptr;
};

constexpr int RecordWordsSearched = 16;

RECORDHANDLES FindRecordHandles(DWORD slot)
{
    RECORDHANDLES found;
    auto* words = slot != TLS_OUT_OF_INDEXES ? static_cast<HANDLE*>(TlsGetValue(slot)) : nullptr;
    for (int i = 0; words && i + 1 < RecordWordsSearched; ++i) {
        const HANDLE word = words[i];
        if (!word || word == GetCurrentThread() || word == GetCurrentProcess() ||
            GetThreadId(word) != GetCurrentThreadId())
            continue;
        if (words[i + 1] && WaitForSingleObject(words[i + 1], 0) == WAIT_TIMEOUT) {
            found.thread = &words[i];
            found.event = &words[i + 1];
        }
        break;
    }
    return found;
}

// The threads library's table of its records, kept in one of this library's own variables:
// the variable is found by what it points to, a table whose first entry is the loading
// thread's record. Only words that point into memory the process can read are followed.
void** FindRecordTable(void* record)
{
    if (!record)
        return nullptr;
    auto* image = reinterpret_cast<BYTE*>(&__ImageBase);
    auto* headers = reinterpret_cast<IMAGE_NT_HEADERS*>(image + __ImageBase.e_lfanew);
    IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(headers);
    for (WORD s = 0; s < headers->FileHeader.NumberOfSections; ++s, ++section) {
        if (!(section->Characteristics & IMAGE_SCN_MEM_WRITE))
            continue;
        auto** words = reinterpret_cast<void**>(image + section->VirtualAddress);
        const DWORD count = section->Misc.VirtualSize / sizeof(void*);
        for (DWORD i = 0; i < count; ++i) {
            MEMORY_BASIC_INFORMATION target{};
            if (!words[i] || words[i] == record || !VirtualQuery(words[i], &target, sizeof target) ||
                target.State != MEM_COMMIT || !(target.Protect & (PAGE_READWRITE | PAGE_EXECUTE_READWRITE)))
                continue;
            if (*static_cast<void**>(words[i]) == record)
                return &words[i];
        }
    }
    return nullptr;
}

// Made when the library is loaded and destroyed when it is unloaded, after its own detach
// code has run. The slot and the record's handles are found at the load, so that the unload
// calls nothing of the threads library, whose other threads may be ending meanwhile.
struct MODULERELEASE {
    MODULERELEASE()
        : slot(ThreadLibrarySlot()), loader(GetCurrentThreadId()), handles(FindRecordHandles(slot)),
          record(slot != TLS_OUT_OF_INDEXES ? TlsGetValue(slot) : nullptr), table(FindRecordTable(record))
    {
    }
    MODULERELEASE(const MODULERELEASE&) = delete;
    MODULERELEASE& operator=(const MODULERELEASE&) = delete;
    ~MODULERELEASE()
    {
        // Only the thread that loaded the library still has its record as it was: the record
        // of a thread that ended was given back already.
        if (handles.thread && GetCurrentThreadId() == loader) {
            CloseHandle(*handles.thread);
            CloseHandle(*handles.event);
            *handles.thread = nullptr;
            *handles.event = nullptr;
        }
        // The record and the table are the C runtime's memory, which the process keeps.
        if (GetCurrentThreadId() == loader && table) {
            std::free(*table);
            *table = nullptr;
            std::free(record);
        }
        if (slot != TLS_OUT_OF_INDEXES)
            TlsFree(slot);
        __gnu_cxx::__freeres();
    }
    const DWORD slot;
    const DWORD loader;
    const RECORDHANDLES handles;
    void* const record;
    void** const table;
} release;

}  // namespace
