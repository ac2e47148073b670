// What a library gives back when it is unloaded. The C++ runtime linked into each of our
// libraries takes, at every load, a reserve for exceptions thrown when memory runs out, and
// its threads library takes a thread-local slot of the process the first time the library
// needs it (a local static, an exception), with a record of the thread that holds a copy of
// the thread's handle and an event, and a table of the records it made; none of it is given
// back when the library goes; nor is the memory of each lock of the threads library, made the
// first time the lock is taken. A host that loads and frees plug-ins page after page would
// grow without end, and abort once the process's 1,088 slots are gone.
#include <windows.h>

#include <malloc.h>
#include <pthread.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

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

// Visits the library's writable words, as the linker placed them, until `visit` answers true.
template <class Visit>
void** FindWritableWord(Visit visit)
{
    auto* image = reinterpret_cast<BYTE*>(&__ImageBase);
    auto* headers = reinterpret_cast<IMAGE_NT_HEADERS*>(image + __ImageBase.e_lfanew);
    IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(headers);
    for (WORD s = 0; s < headers->FileHeader.NumberOfSections; ++s, ++section) {
        if (!(section->Characteristics & IMAGE_SCN_MEM_WRITE))
            continue;
        auto** words = reinterpret_cast<void**>(image + section->VirtualAddress);
        const DWORD count = section->Misc.VirtualSize / sizeof(void*);
        for (DWORD i = 0; i < count; ++i)
            if (visit(&words[i]))
                return &words[i];
    }
    return nullptr;
}

// The threads library's table of its records, kept in one of this library's own variables:
// the variable is found by what it points to, a table whose first entry is the loading
// thread's record. Only words that point into memory the process can read are followed.
void** FindRecordTable(void* record)
{
    if (!record)
        return nullptr;
    return FindWritableWord([record](void** word) {
        MEMORY_BASIC_INFORMATION target{};
        return *word && *word != record && VirtualQuery(*word, &target, sizeof target) &&
               target.State == MEM_COMMIT && (target.Protect & (PAGE_READWRITE | PAGE_EXECUTE_READWRITE)) &&
               *static_cast<void**>(*word) == record;
    });
}

// A lock of the threads library is a word that holds its initial value until the lock is
// first taken: the library then makes the lock's memory, laid out as below, and keeps a
// pointer to it in the word. The C++ runtime's lock of local statics is made the same way.
struct LOCKMEMORY {
    LONG state;  // 0: not held
    int type;    // 0 normal, 1 error-checking, 2 recursive
    HANDLE event;
    unsigned recursion;
    DWORD owner;  // -1: none
};

// The initial value of each kind of lock, in the order of the kinds' types.
constexpr intptr_t LockInitialValues[] = {-1, -2, -3};
constexpr int LockKinds = sizeof LockInitialValues / sizeof LockInitialValues[0];

// The blocks of the C runtime's heap of the size of a lock's memory, in address order. Walked
// rather than asked of each word: the heap cannot tell safely whether any value at all is one
// of its blocks.
std::vector<void*> LockSizedBlocks(HANDLE heap)
{
    std::vector<void*> blocks;
    if (!HeapLock(heap))
        return blocks;
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heap, &entry))
        if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) && entry.cbData == sizeof(LOCKMEMORY))
            blocks.push_back(entry.lpData);
    HeapUnlock(heap);
    std::sort(blocks.begin(), blocks.end());
    return blocks;
}

bool IsFreeLock(const LOCKMEMORY& memory)
{
    return memory.state == 0 && memory.type >= 0 && memory.type < LockKinds && memory.recursion == 0 &&
           memory.owner == static_cast<DWORD>(-1);
}

// Gives back the memory of every lock of this library that was taken and is free, and puts
// the lock's initial value back. A word counts as a lock when it points to a block of the C
// runtime's heap of the size of a lock's memory that reads as a free lock.
void ReleaseLocks()
{
    const std::vector<void*> blocks = LockSizedBlocks(reinterpret_cast<HANDLE>(_get_heap_handle()));
    FindWritableWord([&blocks](void** word) {
        if (!std::binary_search(blocks.begin(), blocks.end(), *word))
            return false;
        auto* memory = static_cast<LOCKMEMORY*>(*word);
        if (!IsFreeLock(*memory))
            return false;
        if (memory->event)
            CloseHandle(memory->event);
        *word = reinterpret_cast<void*>(LockInitialValues[memory->type]);
        std::free(memory);
        return false;
    });
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
        ReleaseLocks();
    }
    const DWORD slot;
    const DWORD loader;
    const RECORDHANDLES handles;
    void* const record;
    void** const table;
} release;

}  // namespace
