// Waiting inside an action while the driving thread's windows go on working.
#include "action_wait.h"

#include "ipworks_api.h"

namespace {

constexpr DWORD WaitSliceMilliseconds = 100;

}  // namespace

DWORD ActionWait::Deadline() const
{
    return timeoutSeconds_ > 0 ? GetTickCount() + static_cast<DWORD>(timeoutSeconds_) * 1000 : 0;
}

void ActionWait::ServeWindows()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!msg.hwnd) {
            threadMessages_.push_back(msg);
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

int ActionWait::ServeBetweenBlocks()
{
    ServeWindows();
    return interrupted_ ? IPWORKS_INTERRUPTED : IPWORKS_OK;
}

int ActionWait::Wait(WSAEVENT event, DWORD deadline)
{
    if (interrupted_)
        return IPWORKS_INTERRUPTED;
    DWORD slice = WaitSliceMilliseconds;
    if (deadline) {
        const LONG left = static_cast<LONG>(deadline - GetTickCount());
        if (left <= 0)
            return IPWORKS_TIMEOUT;
        slice = std::min<DWORD>(slice, static_cast<DWORD>(left));
    }
    if (MsgWaitForMultipleObjects(1, &event, FALSE, slice, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
        ServeWindows();
    WSAResetEvent(event);
    return interrupted_ ? IPWORKS_INTERRUPTED : IPWORKS_OK;
}

void ActionWait::Begin()
{
    running_ = true;
    interrupted_ = false;
}

void ActionWait::End()
{
    running_ = false;
    interrupted_ = false;
    for (const MSG& msg : threadMessages_) {
        if (msg.message == WM_QUIT)
            PostQuitMessage(static_cast<int>(msg.wParam));
        else
            PostThreadMessageA(GetCurrentThreadId(), msg.message, msg.wParam, msg.lParam);
    }
    threadMessages_.clear();
}
