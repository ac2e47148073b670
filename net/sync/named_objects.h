// Mutexes and events known by name: every use opens its own handle by the name, so a wrapper
// can be used from any thread without sharing a handle. Every failing system call throws the
// library's one exception, the int 0, which each thread catches at its top.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

// The library's only exception: a synchronisation call failed.
constexpr int QNET_SYNC_FAILURE = 0;
[[noreturn]] void ThrowSyncFailure();

// Base name, tick count and creating thread's id, the two numbers as 8 upper-case hex digits:
// two jobs made from the same base name get distinct objects.
std::string MakeUniqueObjectName(const char* base, DWORD tickCount, DWORD threadId);

// Waits are given in milliseconds; INFINITE waits without limit, 0 only tries.
class qnet_CNamedObject {
public:
    qnet_CNamedObject(const qnet_CNamedObject&) = delete;
    qnet_CNamedObject& operator=(const qnet_CNamedObject&) = delete;
    const char* Name() const { return name_; }
    // Handles open at the moment, the creating one included.
    long OpenHandles() const { return openHandles_; }

protected:
    explicit qnet_CNamedObject(const char* base);
    // Never throws: a handle still open from a use is left to the process's end.
    ~qnet_CNamedObject();
    // Makes the object by its name with `create` (a null handle throws). An object of that name
    // still open elsewhere (one made by this thread within the same tick) is not taken for
    // this one: the name is made again on the next tick.
    template <class Create>
    void CreateFresh(Create create)
    {
        for (;;) {
            const HANDLE created = create(name_);
            const bool existed = created && GetLastError() == ERROR_ALREADY_EXISTS;
            if (!existed)
                return Adopt(created);
            CloseHandle(created);
            NameOnNextTick();
        }
    }
    // A handle of this object opened by name for one use; closed by the guard.
    class Use {
    public:
        Use(qnet_CNamedObject& object, HANDLE opened);
        ~Use();
        Use(const Use&) = delete;
        Use& operator=(const Use&) = delete;
        HANDLE Handle() const { return handle_; }

    private:
        qnet_CNamedObject& object_;
        HANDLE handle_;
    };
    // 1 signalled (or acquired), 0 when the time passed; a failed wait or an abandoned mutex
    // throws.
    static int WaitResult(DWORD waited);
    // Runs `signal` (setting an event, releasing a mutex) on a handle opened by name. A waiter
    // may destroy this object as soon as it is signalled: nothing of it is touched afterwards.
    static void Signal(HANDLE opened, BOOL(WINAPI* signal)(HANDLE));

private:
    void Adopt(HANDLE created);
    void NameOnNextTick();
    std::string base_;
    char name_[MAX_PATH] = {};
    std::atomic<long> openHandles_{0};
    HANDLE created_ = nullptr;
};

class qnet_CMutex : public qnet_CNamedObject {
public:
    // An unowned mutex.
    explicit qnet_CMutex(const char* base);
    // Recursive for the owning thread: a try on a mutex this thread holds answers 1.
    int Lock(DWORD timeout = INFINITE);
    void Unlock();
};

// Manual-reset.
class qnet_CEvent : public qnet_CNamedObject {
public:
    qnet_CEvent(const char* base, bool signalled);
    int Wait(DWORD timeout = INFINITE);
    // Set when `on`, reset otherwise.
    void Set(bool on = true);
    // Waits without limit, serving sent messages (below).
    void WaitServingSentMessages();
};

// Waits without limit for the handle and meanwhile runs the messages sent to this thread's
// windows, so that a thread serving the synchronisation window can wait for one that calls it.
// A failed wait throws.
void WaitServingSentMessages(HANDLE handle);
// The same for at most `timeout` milliseconds: false when the time passed first.
bool WaitServingSentMessages(HANDLE handle, DWORD timeout);
