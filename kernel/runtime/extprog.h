// Programs and documents started by branches: independently, or in the dependent mode in
// which the presentation waits, disabled and behind the program, for the program's end and
// takes the return-code branch its exit code chooses.
#pragma once

#include "qxkernel.h"

// Starts the command line in a new console with the show state; the process information of
// a started program (its handles are the caller's), else false.
bool KernStartProgram(const char* commandLine, const char* currentDirectory, WORD showState,
                      PROCESS_INFORMATION* info);

// The one dependent program of the process: the hooks that keep it in front, the thread
// that waits for its end, and the hand-off of that end to the user-interface thread.
class QXCORE_API DEP_EXEPROCESS {
public:
    DEP_EXEPROCESS(KERNEL* kernel, BRANCH* branch, DWORD threadId);
    ~DEP_EXEPROCESS();  // closes the program's handles, removes the hooks
    DEP_EXEPROCESS(const DEP_EXEPROCESS&) = delete;
    DEP_EXEPROCESS& operator=(const DEP_EXEPROCESS&) = delete;

    // 1 when the program runs and is watched (host disabled, branches refused), else 0.
    int RunProcess(char* commandLine, char* currentDirectory, unsigned short showState, DWORD* watcherThreadId);
    HANDLE GetProcessHandle() const;

    static LRESULT CALLBACK CBTProc(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam);
    static BOOL CALLBACK ActivateProcessWindow(HWND window, LPARAM unused);
    static DWORD WINAPI CheckEndOfProcessTHREAD(void* self);

    DWORD uiThreadId;
    KERNEL* kernel;
    BRANCH* branch;                  // not owned: its return-code branches decide what follows
    PROCESS_INFORMATION* info{};     // owned
    HHOOK cbtHook{};
    HHOOK mouseHook{};
    HANDLE watcher{};
    HANDLE stop{};                   // wakes the watcher when the kernel goes
    HWND handOff{};                  // receives the end on the user-interface thread

private:
    void Release();
    // On the user-interface thread: the presentation comes back and the exit code branches.
    void Finish(DWORD exitCode);
    static LRESULT CALLBACK HandOffProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// Stops watching the kernel's dependent program (the kernel is being destroyed): the program
// goes on, the presentation no longer waits for it.
QXCORE_EXPORT void KernStopDepProcess(KERNEL* kernel);
// A program's parameters with each word in parentheses replaced by the local file it names
// (kept as written when it cannot be fetched); each word preceded by one space. Unchanged
// when the result would not fit in 500 characters.
QXCORE_API QXSTRING KernExpandProgramParameters(KERNEL* kernel, const char* parameters);
