// The worker thread, its hidden window and its message loop.
#include "ipw_thread.h"

#include "synchronize_window.h"

namespace {

constexpr char WindowClass[] = "CIPWThread::WindowClass";
constexpr char ObjectProperty[] = "Object";

void RunRequest(LPARAM request) { reinterpret_cast<CIPWThreadMessageBase*>(request)->Run(); }

}  // namespace

void CIPWThread::RegisterWindowClass()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = LibraryInstance();
    windowClass.lpszClassName = WindowClass;
    RegisterClassA(&windowClass);
}

void CIPWThread::UnregisterWindowClass() { UnregisterClassA(WindowClass, LibraryInstance()); }

CIPWThread::CIPWThread() : started_(CreateEventA(nullptr, TRUE, FALSE, nullptr))
{
    if (!started_)
        ThrowSyncFailure();
    thread_ = CreateThread(nullptr, 0, Body, this, 0, &threadId_);
    if (!thread_) {
        CloseHandle(started_);
        ThrowSyncFailure();
    }
    WaitForSingleObject(started_, INFINITE);
    if (!window_) {
        // The thread ends at once without touching this object again.
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        CloseHandle(started_);
        ThrowSyncFailure();
    }
}

CIPWThread::~CIPWThread()
{
    CloseHandle(started_);
    CloseHandle(thread_);
}

DWORD WINAPI CIPWThread::Body(void* parameter)
{
    auto* worker = static_cast<CIPWThread*>(parameter);
    // Only messages ever reach this window: it needs no place on the desktop.
    worker->window_ = CreateWindowExA(0, WindowClass, WindowClass, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      LibraryInstance(), nullptr);
    if (!worker->window_) {
        SetEvent(worker->started_);
        return 0;
    }
    SetPropA(worker->window_, ObjectProperty, worker);
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // makes the queue before anyone posts
    SetEvent(worker->started_);
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!msg.hwnd && msg.message == IPW_THREAD_REQUEST)
            RunRequest(msg.wParam);
        else
            DispatchMessageA(&msg);
    }
    RemovePropA(worker->window_, ObjectProperty);
    DestroyWindow(worker->window_);
    delete worker;
    return 0;
}

LRESULT CALLBACK CIPWThread::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == IPW_THREAD_REQUEST && GetPropA(window, ObjectProperty)) {
        RunRequest(wParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void CIPWThread::PostAndWait(CIPWThread* worker, CIPWThreadMessageBase& message)
{
    if (!PostMessageA(worker->window_, IPW_THREAD_REQUEST, reinterpret_cast<WPARAM>(&message), 0))
        ThrowSyncFailure();
    if (WaitForSingleObject(message.Event(), INFINITE) != WAIT_OBJECT_0)
        ThrowSyncFailure();
}

void CIPWThread::Stop(CIPWThread* worker)
{
    HANDLE thread = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), worker->thread_, GetCurrentProcess(), &thread, SYNCHRONIZE, FALSE, 0))
        ThrowSyncFailure();
    // The thread frees the worker as it ends: only the duplicate is used past this point.
    PostThreadMessageA(worker->threadId_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
}
