// The worker thread of one synchronous FTP connection: requests are posted to its hidden
// window as messages that live on the caller's stack, run there one after another, and the
// caller waits for each one's event before it reads the result.
#pragma once

#include "named_objects.h"

#include <windows.h>

constexpr UINT IPW_THREAD_REQUEST = WM_USER + 1;

class CIPWThreadMessageBase {
public:
    // Runs the step and signals its event; the caller may destroy the message as soon as it
    // is signalled.
    virtual void Run() = 0;
    virtual HANDLE Event() const = 0;
    virtual int Result() const = 0;

protected:
    ~CIPWThreadMessageBase() = default;
};

// A request for `Target`: its step is a member of the target that takes the request (each
// request class adds its parameters after these fields).
template <class Target>
class CIPWThreadMessage : public CIPWThreadMessageBase {
public:
    using Step = int (Target::*)(CIPWThreadMessage& message);

    CIPWThreadMessage(Target* target, Step step)
        : target_(target), step_(step), event_(CreateEventA(nullptr, TRUE, FALSE, nullptr))
    {
        if (!event_)
            ThrowSyncFailure();
    }
    ~CIPWThreadMessage() { CloseHandle(event_); }
    CIPWThreadMessage(const CIPWThreadMessage&) = delete;
    CIPWThreadMessage& operator=(const CIPWThreadMessage&) = delete;

    void Run() override
    {
        result_ = (target_->*step_)(*this);
        const HANDLE event = event_;
        SetEvent(event);  // nothing of this message is touched past here
    }
    HANDLE Event() const override { return event_; }
    int Result() const override { return result_; }

private:
    Target* target_;
    Step step_;
    HANDLE event_;
    int result_ = 0;
};

class CIPWThread {
public:
    // Starts the thread and returns once its window and message queue exist; throws when
    // either cannot be made.
    CIPWThread();
    CIPWThread(const CIPWThread&) = delete;
    CIPWThread& operator=(const CIPWThread&) = delete;

    // Runs the message on the worker and waits without limit until it has run.
    static void PostAndWait(CIPWThread* worker, CIPWThreadMessageBase& message);
    // Ends the thread and waits for it; the worker object is gone afterwards.
    static void Stop(CIPWThread* worker);

    // The window class, registered while the library is loaded.
    static void RegisterWindowClass();
    static void UnregisterWindowClass();

private:
    // Freed by its own thread as it ends.
    ~CIPWThread();
    static DWORD WINAPI Body(void* worker);
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HANDLE started_;
    DWORD threadId_ = 0;
    HANDLE thread_ = nullptr;
    HWND window_ = nullptr;
};
