// Object and lock counting of the serving thread, and its message loop.
#include "server_lifetime.h"

#include <windows.h>

namespace {

constexpr UINT IdleDelayMs = 3000;

// Every object lives on the serving thread, so plain counters are enough.
int holders = 0;
bool withdrawn = false;
void (*withdrawFactories)() = nullptr;
UINT_PTR idleTimer = 0;

void StopIdleTimer()
{
    if (idleTimer)
        KillTimer(nullptr, idleTimer);
    idleTimer = 0;
}

void CALLBACK IdleElapsed(HWND, UINT, UINT_PTR, DWORD)
{
    StopIdleTimer();
    if (holders || withdrawn)
        return;
    withdrawn = true;
    withdrawFactories();
    // Calls already queued are still dispatched before WM_QUIT comes out of the queue.
    PostQuitMessage(0);
}

void StartIdleTimer()
{
    StopIdleTimer();
    idleTimer = SetTimer(nullptr, 0, IdleDelayMs, IdleElapsed);
}

}  // namespace

void ServerAddRef()
{
    ++holders;
    StopIdleTimer();
}

void ServerRelease()
{
    if (--holders > 0)
        return;
    if (withdrawn)
        PostQuitMessage(0);
    else
        StartIdleTimer();
}

void RunServerLoop(void (*withdraw)())
{
    withdrawFactories = withdraw;
    StartIdleTimer();
    MSG message;
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == -1)
            break;
        // An object made by a call that came in after the factories were withdrawn keeps
        // the server running until it is released.
        if (!got) {
            if (holders == 0)
                break;
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    StopIdleTimer();
}
