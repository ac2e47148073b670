// What a library gives back when it is unloaded. The C++ runtime linked into each of our
// libraries takes, at every load, a reserve for exceptions thrown when memory runs out, and
// its threads library takes a thread-local slot of the process the first time the library
// needs it (a local static, an exception); neither is given back when the library goes. A
// host that loads and frees plug-ins page after page would grow without end, and abort once
// the process's 1,088 slots are gone.
#include <windows.h>

#include <pthread.h>

// The threads library's record of a thread, as it keeps it in its slot.
extern "C" void* __pth_gpointer_locked(pthread_t thread);

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

// Made when the library is loaded and destroyed when it is unloaded, after its own detach
// code has run. The slot is found at the load, so that the unload calls nothing of the
// threads library, whose other threads may be ending meanwhile.
struct MODULERELEASE {
    MODULERELEASE() : slot(ThreadLibrarySlot()) {}
    MODULERELEASE(const MODULERELEASE&) = delete;
    MODULERELEASE& operator=(const MODULERELEASE&) = delete;
    ~MODULERELEASE()
    {
        if (slot != TLS_OUT_OF_INDEXES)
            TlsFree(slot);
        __gnu_cxx::__freeres();
    }
    const DWORD slot;
} release;

}  // namespace
