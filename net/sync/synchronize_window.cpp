// The synchronisation window: message 1025 runs the call object in lParam on the window's
// thread and stores its result through wParam.
#include "synchronize_window.h"

#include "named_objects.h"

namespace {

const char WindowClass[] = "qnet_CSynchronizeWindow_WndClass";

LRESULT CALLBACK SynchronizeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != QNET_SYNCHRO_EXECUTE)
        return DefWindowProcA(window, message, wParam, lParam);
    auto* call = reinterpret_cast<qnet_CSynchroExecObject*>(lParam);
    if (!call)
        return 0;
    // No exception may cross the window procedure: a call that throws answers as not run.
    int result = 0;
    try {
        result = call->Execute();
    } catch (...) {
        return 0;
    }
    if (wParam)
        *reinterpret_cast<int*>(wParam) = result;
    return 1;
}

}  // namespace

HINSTANCE LibraryInstance()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<const char*>(&LibraryInstance), &module);
    return module;
}

qnet_CSynchronizeWindow::qnet_CSynchronizeWindow()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = SynchronizeProc;
    windowClass.hInstance = LibraryInstance();
    windowClass.lpszClassName = WindowClass;
    if (!RegisterClassA(&windowClass))
        ThrowSyncFailure();
    window_ = CreateWindowExA(0, WindowClass, "qnet_CSynchronizeWindow", 0, 0, 0, 0, 0, nullptr, nullptr,
                              LibraryInstance(), nullptr);
    if (!window_) {
        UnregisterClassA(WindowClass, LibraryInstance());
        ThrowSyncFailure();
    }
}

qnet_CSynchronizeWindow::~qnet_CSynchronizeWindow()
{
    DestroyWindow(window_);
    UnregisterClassA(WindowClass, LibraryInstance());
}

int qnet_CSynchronizeWindow::Execute(qnet_CSynchroExecObject* call)
{
    if (!call || !window_)
        ThrowSyncFailure();
    int result = 0;
    SendMessageA(window_, QNET_SYNCHRO_EXECUTE, reinterpret_cast<WPARAM>(&result), reinterpret_cast<LPARAM>(call));
    return result;
}
