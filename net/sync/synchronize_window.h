// The hidden window that runs call objects on the thread that opened the library, so that a
// worker can show a form there and wait for its answer.
#pragma once

#include <windows.h>

constexpr UINT QNET_SYNCHRO_EXECUTE = 1025;

// A call to run on the synchronisation window's thread.
class qnet_CSynchroExecObject {
public:
    virtual int Execute() = 0;
    virtual ~qnet_CSynchroExecObject() = default;
};

class qnet_CSynchronizeWindow {
public:
    // Registers the class and makes the window, owned by the calling thread; throws on failure.
    qnet_CSynchronizeWindow();
    virtual ~qnet_CSynchronizeWindow();
    qnet_CSynchronizeWindow(const qnet_CSynchronizeWindow&) = delete;
    qnet_CSynchronizeWindow& operator=(const qnet_CSynchronizeWindow&) = delete;

    // Runs the call on the window's thread (directly when called there) and answers its result;
    // blocks until then. A null call throws.
    int Execute(qnet_CSynchroExecObject* call);
    HWND Window() const { return window_; }

private:
    HWND window_ = nullptr;
};

// The module whose instance registers the library's window classes.
HINSTANCE LibraryInstance();
