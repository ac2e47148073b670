// What ends a fuzz run at its first fault: a vectored exception handler for crashes, a handler
// of abort() for failed checks and a watchdog thread for inputs that take too long. Each saves
// the input being read into the findings folder and names it before the process ends.
#pragma once

#include <windows.h>

#include <string>

class FuzzGuard {
public:
    // Inputs that fault are saved into `findings` (made when needed); an input read for more
    // than `limitMs` milliseconds is a hang.
    FuzzGuard(const std::string& findings, DWORD limitMs);
    ~FuzzGuard();
    FuzzGuard(const FuzzGuard&) = delete;
    FuzzGuard& operator=(const FuzzGuard&) = delete;

    // The input `bytes` of `target`, from corpus file `origin`, is being read from now on.
    void Begin(const std::string& target, const std::string& origin, const std::string& bytes);
    void End();
};

// The process's exit code after a fault was reported.
constexpr UINT FUZZ_FAULT_EXIT = 3;
