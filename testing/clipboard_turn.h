// The clipboard is Wine's, shared by every test process of the prefix: one process at a time.
#pragma once

#include <windows.h>

class ClipboardTurn {
public:
    ClipboardTurn() : turn_(CreateMutexA(nullptr, FALSE, "QxObjectClipboardTests"))
    {
        WaitForSingleObject(turn_, INFINITE);
    }
    ~ClipboardTurn()
    {
        ReleaseMutex(turn_);
        CloseHandle(turn_);
    }
    ClipboardTurn(const ClipboardTurn&) = delete;
    ClipboardTurn& operator=(const ClipboardTurn&) = delete;

private:
    HANDLE turn_;
};
