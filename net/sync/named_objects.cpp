// Named mutexes and events, opened by name for each use.
#include "named_objects.h"

#include <cstdio>

void ThrowSyncFailure()
{
    throw QNET_SYNC_FAILURE;
}

std::string MakeUniqueObjectName(const char* base, DWORD tickCount, DWORD threadId)
{
    char name[MAX_PATH];
    std::snprintf(name, sizeof name, "%s%08lX%08lX", base, static_cast<unsigned long>(tickCount),
                  static_cast<unsigned long>(threadId));
    return name;
}

qnet_CNamedObject::qnet_CNamedObject(const char* base) : base_(base)
{
    const std::string name = MakeUniqueObjectName(base, GetTickCount(), GetCurrentThreadId());
    lstrcpynA(name_, name.c_str(), sizeof name_);
    // Two objects of one base made by one thread within the same tick would share a name.
    Sleep(1);
}

void qnet_CNamedObject::NameOnNextTick()
{
    const DWORD taken = GetTickCount();
    while (GetTickCount() == taken)
        Sleep(1);
    const std::string name = MakeUniqueObjectName(base_.c_str(), GetTickCount(), GetCurrentThreadId());
    lstrcpynA(name_, name.c_str(), sizeof name_);
}

qnet_CNamedObject::~qnet_CNamedObject()
{
    if (openHandles_ != 1)
        OutputDebugStringA("qxweb40: a synchronisation object is destroyed while in use\n");
    if (created_)
        CloseHandle(created_);
}

void qnet_CNamedObject::Adopt(HANDLE created)
{
    if (!created)
        ThrowSyncFailure();
    created_ = created;
    openHandles_ = 1;
}

qnet_CNamedObject::Use::Use(qnet_CNamedObject& object, HANDLE opened) : object_(object), handle_(opened)
{
    if (!opened)
        ThrowSyncFailure();
    ++object_.openHandles_;
}

qnet_CNamedObject::Use::~Use()
{
    CloseHandle(handle_);
    --object_.openHandles_;
}

void qnet_CNamedObject::Signal(HANDLE opened, BOOL(WINAPI* signal)(HANDLE))
{
    if (!opened)
        ThrowSyncFailure();
    const BOOL signalled = signal(opened);
    CloseHandle(opened);
    if (!signalled)
        ThrowSyncFailure();
}

int qnet_CNamedObject::WaitResult(DWORD waited)
{
    if (waited == WAIT_OBJECT_0)
        return 1;
    if (waited == WAIT_TIMEOUT)
        return 0;
    ThrowSyncFailure();
}

qnet_CMutex::qnet_CMutex(const char* base) : qnet_CNamedObject(base)
{
    CreateFresh([](const char* name) { return CreateMutexA(nullptr, FALSE, name); });
}

int qnet_CMutex::Lock(DWORD timeout)
{
    const Use use(*this, OpenMutexA(SYNCHRONIZE, FALSE, Name()));
    return WaitResult(WaitForSingleObject(use.Handle(), timeout));
}

void qnet_CMutex::Unlock()
{
    Signal(OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, Name()), ReleaseMutex);
}

qnet_CEvent::qnet_CEvent(const char* base, bool signalled) : qnet_CNamedObject(base)
{
    CreateFresh([signalled](const char* name) { return CreateEventA(nullptr, TRUE, signalled, name); });
}

int qnet_CEvent::Wait(DWORD timeout)
{
    const Use use(*this, OpenEventA(EVENT_ALL_ACCESS, FALSE, Name()));
    return WaitResult(WaitForSingleObject(use.Handle(), timeout));
}

void qnet_CEvent::Set(bool on)
{
    Signal(OpenEventA(EVENT_ALL_ACCESS, FALSE, Name()), on ? SetEvent : ResetEvent);
}

void qnet_CEvent::WaitServingSentMessages()
{
    const Use use(*this, OpenEventA(EVENT_ALL_ACCESS, FALSE, Name()));
    ::WaitServingSentMessages(use.Handle());
}

void WaitServingSentMessages(HANDLE handle) { WaitServingSentMessages(handle, INFINITE); }

bool WaitServingSentMessages(HANDLE handle, DWORD timeout)
{
    const DWORD deadline = GetTickCount() + timeout;
    for (;;) {
        DWORD left = INFINITE;
        if (timeout != INFINITE) {
            const LONG remaining = static_cast<LONG>(deadline - GetTickCount());
            left = remaining > 0 ? static_cast<DWORD>(remaining) : 0;
        }
        const DWORD waited = MsgWaitForMultipleObjects(1, &handle, FALSE, left, QS_SENDMESSAGE);
        if (waited == WAIT_OBJECT_0)
            return true;
        if (waited == WAIT_TIMEOUT)
            return false;
        if (waited != WAIT_OBJECT_0 + 1)
            ThrowSyncFailure();
        // Peeking runs the sent messages; nothing posted is taken off the queue.
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}
