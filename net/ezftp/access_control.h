// The locks of the synchronous FTP interface: an unnamed mutex, an unnamed manual-reset event
// and a read/write lock of two slots. A failing system call throws the library's exception.
#pragma once

#include <windows.h>

class CMutex {
public:
    CMutex();
    ~CMutex();
    CMutex(const CMutex&) = delete;
    CMutex& operator=(const CMutex&) = delete;
    void Lock();
    void Unlock();

private:
    HANDLE mutex_;
};

class CMutexLock {
public:
    explicit CMutexLock(CMutex& mutex) : mutex_(mutex) { mutex_.Lock(); }
    ~CMutexLock() { mutex_.Unlock(); }
    CMutexLock(const CMutexLock&) = delete;
    CMutexLock& operator=(const CMutexLock&) = delete;

private:
    CMutex& mutex_;
};

// Manual-reset.
class CEvent {
public:
    explicit CEvent(bool signalled = false);
    ~CEvent();
    CEvent(const CEvent&) = delete;
    CEvent& operator=(const CEvent&) = delete;
    void Set();
    void Reset();
    void Wait();
    HANDLE Handle() const { return event_; }

private:
    HANDLE event_;
};

// Readers take one slot, a writer takes every slot. Writers queue on a mutex of their own
// before they take the slots one by one, so two writers never hold a slot each and wait for
// ever on the other.
class CAccessControl {
public:
    CAccessControl();
    ~CAccessControl();
    CAccessControl(const CAccessControl&) = delete;
    CAccessControl& operator=(const CAccessControl&) = delete;
    void LockRead();
    void UnlockRead();
    void LockWrite();
    void UnlockWrite();

private:
    static constexpr LONG Slots = 2;
    HANDLE semaphore_;
    CMutex writers_;
};

class CAccessControlReadLock {
public:
    explicit CAccessControlReadLock(CAccessControl& control) : control_(control) { control_.LockRead(); }
    ~CAccessControlReadLock() { control_.UnlockRead(); }
    CAccessControlReadLock(const CAccessControlReadLock&) = delete;
    CAccessControlReadLock& operator=(const CAccessControlReadLock&) = delete;

private:
    CAccessControl& control_;
};

class CAccessControlWriteLock {
public:
    explicit CAccessControlWriteLock(CAccessControl& control) : control_(control) { control_.LockWrite(); }
    ~CAccessControlWriteLock() { control_.UnlockWrite(); }
    CAccessControlWriteLock(const CAccessControlWriteLock&) = delete;
    CAccessControlWriteLock& operator=(const CAccessControlWriteLock&) = delete;

private:
    CAccessControl& control_;
};
