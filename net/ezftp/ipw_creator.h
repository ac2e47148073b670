// The process's table of synchronous FTP connections: it turns the interface's integer
// handles (2 x slot + 1, never 0 or even) into connections, each made and deleted on its own
// worker so that the component's object lives on the thread that drives it.
#pragma once

#include "access_control.h"
#include "ezftp.h"
#include "ipw_thread.h"

#include <vector>

template <class Instance>
class CIPWCreator {
public:
    CIPWCreator() { CIPWThread::RegisterWindowClass(); }
    // Connections still open when the library goes are left to the process's end: their
    // workers may still be running.
    ~CIPWCreator() { CIPWThread::UnregisterWindowClass(); }
    CIPWCreator(const CIPWCreator&) = delete;
    CIPWCreator& operator=(const CIPWCreator&) = delete;

    // 1 with the new handle, else the failure (the handle stays 0).
    int CreateInstance(int* handle)
    {
        *handle = 0;
        CCreateInstanceMessage message(this, &CIPWCreator::CreateStep);
        message.worker = new CIPWThread;
        message.handle = handle;
        CIPWThread::PostAndWait(message.worker, message);
        // A connection whose component failed is known by no handle: it goes at once.
        if (message.Result() < 1)
            DestroyInstance(message.created);
        return message.Result();
    }

    // 1 with the instance counted as used until Release, or EZFTP_BAD_HANDLE.
    int Acquire(Instance** instance, int handle)
    {
        const CMutexLock locked(mutex_);
        Instance* found = Find(handle);
        if (!found)
            return EZFTP_BAD_HANDLE;
        found->AddUser();
        *instance = found;
        return EZFTP_OK;
    }

    void Release(Instance* instance) { instance->RemoveUser(); }

    // Waits for the requests running on the connection, then deletes it on its worker and
    // ends the worker.
    int DestroyInstance(int handle)
    {
        Instance* instance = nullptr;
        if (const int acquired = Acquire(&instance, handle); acquired < 1)
            return acquired;
        CIPWThread* worker = instance->TakeWorker();
        Release(instance);
        if (!worker)
            return EZFTP_NO_WORKER;  // another destroy has it
        CDestroyInstanceMessage message(this, &CIPWCreator::DestroyStep);
        message.handle = handle;
        CIPWThread::PostAndWait(worker, message);
        CIPWThread::Stop(worker);
        return message.Result();
    }

private:
    using Message = CIPWThreadMessage<CIPWCreator>;
    struct CCreateInstanceMessage : Message {
        using Message::Message;
        CIPWThread* worker = nullptr;
        int* handle = nullptr;
        int created = 0;
    };
    struct CDestroyInstanceMessage : Message {
        using Message::Message;
        int handle = 0;
    };
    static constexpr size_t Growth = 16;

    // Both under the table mutex.
    bool InRange(int handle) const
    {
        return handle % 2 != 0 && handle > 0 && static_cast<size_t>(handle - 1) / 2 < slots_.size();
    }
    Instance* Find(int handle) const { return InRange(handle) ? slots_[static_cast<size_t>(handle - 1) / 2] : nullptr; }

    int CreateStep(Message& message)
    {
        auto& create = static_cast<CCreateInstanceMessage&>(message);
        const CMutexLock locked(mutex_);
        size_t slot = 0;
        while (slot < slots_.size() && slots_[slot])
            ++slot;
        if (slot == slots_.size())
            slots_.resize(slots_.size() + Growth, nullptr);
        auto* instance = new Instance(static_cast<int>(2 * slot + 1));
        instance->SetWorker(create.worker);
        slots_[slot] = instance;
        create.created = instance->Handle();
        if (instance->Status() > 0)
            *create.handle = instance->Handle();
        return instance->Status();
    }

    int DestroyStep(Message& message)
    {
        const int handle = static_cast<CDestroyInstanceMessage&>(message).handle;
        const CMutexLock locked(mutex_);
        if (!InRange(handle))
            return EZFTP_BAD_HANDLE;
        Instance*& slot = slots_[static_cast<size_t>(handle - 1) / 2];
        delete slot;
        slot = nullptr;
        return EZFTP_OK;
    }

    CMutex mutex_;
    std::vector<Instance*> slots_;
};
