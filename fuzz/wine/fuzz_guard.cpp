// The guard's state is process-wide: the exception handler and the watchdog run on whatever
// thread faults or waits, and read the input that the fuzzing thread set before reading it.
#include "fuzz_guard.h"

#include <atomic>
#include <csignal>
#include <cstdio>

namespace {

struct GUARDSTATE {
    std::string findings;
    DWORD limitMs = 0;
    std::string target;
    std::string origin;
    std::string bytes;
    std::atomic<bool> reading{false};
    std::atomic<DWORD> started{0};
    std::atomic<bool> stopping{false};
    std::atomic<bool> reported{false};
    HANDLE watchdog = nullptr;
    PVOID handler = nullptr;
};

GUARDSTATE& State()
{
    static GUARDSTATE state;
    return state;
}

// Saves the input and names it, then ends the process; only the first fault is reported.
[[noreturn]] void Report(const char* kind, const char* detail)
{
    GUARDSTATE& state = State();
    if (!state.reported.exchange(true)) {
        CreateDirectoryA(state.findings.c_str(), nullptr);
        char name[MAX_PATH];
        snprintf(name, sizeof name, "%s\\%s-%s-%08lX.bin", state.findings.c_str(), state.target.c_str(), kind,
                 static_cast<unsigned long>(GetTickCount()));
        const HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        if (file != INVALID_HANDLE_VALUE) {
            WriteFile(file, state.bytes.data(), static_cast<DWORD>(state.bytes.size()), &written, nullptr);
            CloseHandle(file);
        }
        fprintf(stderr, "\nFUZZ %s in target %s (%s), input made from %s, %lu bytes, saved as %s\n", kind,
                state.target.c_str(), detail, state.origin.c_str(), static_cast<unsigned long>(state.bytes.size()), name);
        fflush(stderr);
    }
    TerminateProcess(GetCurrentProcess(), FUZZ_FAULT_EXIT);
    for (;;)
        Sleep(INFINITE);
}

bool IsFault(DWORD code)
{
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_STACK_OVERFLOW:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_NONCONTINUABLE_EXCEPTION:
    case 0xC0000374:  // heap corruption
    case 0xC0000409:  // stack buffer overrun
        return true;
    default:
        return false;
    }
}

LONG CALLBACK OnException(EXCEPTION_POINTERS* info)
{
    const EXCEPTION_RECORD* record = info->ExceptionRecord;
    if (!State().reading || !IsFault(record->ExceptionCode))
        return EXCEPTION_CONTINUE_SEARCH;
    char detail[160];
    snprintf(detail, sizeof detail, "exception 0x%08lX at %p, address %p",
             static_cast<unsigned long>(record->ExceptionCode), record->ExceptionAddress,
             record->NumberParameters >= 2 ? reinterpret_cast<void*>(record->ExceptionInformation[1]) : nullptr);
    Report("crash", detail);
}

void OnAbort(int) { Report("abort", "abort() called"); }

DWORD WINAPI Watch(void*)
{
    GUARDSTATE& state = State();
    while (!state.stopping) {
        Sleep(50);
        if (state.reading && GetTickCount() - state.started > state.limitMs) {
            char detail[64];
            snprintf(detail, sizeof detail, "still reading after %lu ms", static_cast<unsigned long>(state.limitMs));
            Report("hang", detail);
        }
    }
    return 0;
}

}  // namespace

FuzzGuard::FuzzGuard(const std::string& findings, DWORD limitMs)
{
    GUARDSTATE& state = State();
    state.findings = findings;
    state.limitMs = limitMs;
    state.stopping = false;
    state.handler = AddVectoredExceptionHandler(1, OnException);
    signal(SIGABRT, OnAbort);
    state.watchdog = CreateThread(nullptr, 0, Watch, nullptr, 0, nullptr);
}

FuzzGuard::~FuzzGuard()
{
    GUARDSTATE& state = State();
    state.stopping = true;
    WaitForSingleObject(state.watchdog, INFINITE);
    CloseHandle(state.watchdog);
    RemoveVectoredExceptionHandler(state.handler);
    signal(SIGABRT, SIG_DFL);
}

void FuzzGuard::Begin(const std::string& target, const std::string& origin, const std::string& bytes)
{
    GUARDSTATE& state = State();
    state.target = target;
    state.origin = origin;
    state.bytes = bytes;
    state.started = GetTickCount();
    state.reading = true;
}

void FuzzGuard::End() { State().reading = false; }
