// Mutex, event and read/write lock over the plain system objects.
#include "access_control.h"

#include "named_objects.h"

namespace {

HANDLE Made(HANDLE handle)
{
    if (!handle)
        ThrowSyncFailure();
    return handle;
}

void Waited(HANDLE handle)
{
    const DWORD waited = WaitForSingleObject(handle, INFINITE);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED)
        ThrowSyncFailure();
}

}  // namespace

CMutex::CMutex() : mutex_(Made(CreateMutexA(nullptr, FALSE, nullptr))) {}
CMutex::~CMutex() { CloseHandle(mutex_); }
void CMutex::Lock() { Waited(mutex_); }
void CMutex::Unlock() { ReleaseMutex(mutex_); }

CEvent::CEvent(bool signalled) : event_(Made(CreateEventA(nullptr, TRUE, signalled, nullptr))) {}
CEvent::~CEvent() { CloseHandle(event_); }
void CEvent::Set() { SetEvent(event_); }
void CEvent::Reset() { ResetEvent(event_); }
void CEvent::Wait() { Waited(event_); }

CAccessControl::CAccessControl() : semaphore_(Made(CreateSemaphoreA(nullptr, Slots, Slots, nullptr))) {}
CAccessControl::~CAccessControl() { CloseHandle(semaphore_); }
void CAccessControl::LockRead() { Waited(semaphore_); }
void CAccessControl::UnlockRead() { ReleaseSemaphore(semaphore_, 1, nullptr); }

void CAccessControl::LockWrite()
{
    CMutexLock queued(writers_);
    for (LONG slot = 0; slot < Slots; ++slot)
        Waited(semaphore_);
}

void CAccessControl::UnlockWrite() { ReleaseSemaphore(semaphore_, Slots, nullptr); }
