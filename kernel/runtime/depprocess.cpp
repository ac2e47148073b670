// The dependent program: while it runs the presentation is disabled and every activation of
// its windows brings the program back in front; a thread waits for the program's end and
// hands it to the user-interface thread through a message-only window.
#include "extprog.h"

#include "branch.h"
#include "kernel.h"
#include "kernelprocess.h"
#include "kernelres.h"

namespace {

constexpr const char* HandOffClass = "KernDepProcessWindow";
// The watcher's message: wParam the exit code.
constexpr UINT WM_DEPPROCESS_ENDED = WM_APP + 1;

// Hooks have no user data: they reach the one dependent program of the process here.
DEP_EXEPROCESS* current = nullptr;

bool RegisterHandOffClass()
{
    WNDCLASSA windowClass{};
    if (GetClassInfoA(KernProcess().module, HandOffClass, &windowClass))
        return true;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = KernProcess().module;
    windowClass.lpszClassName = HandOffClass;
    return RegisterClassA(&windowClass) != 0;
}

bool BelongsToThisProcess(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId();
}

// Brings the program in front and swallows the event; 0 lets it through.
LRESULT KeepProgramInFront(HWND window)
{
    if (!current || !current->info || !window || !BelongsToThisProcess(window))
        return 0;
    EnumThreadWindows(current->info->dwThreadId, DEP_EXEPROCESS::ActivateProcessWindow, 0);
    return 1;
}

BRANCH* ReturnCodeBranch(BRANCH* branch, DWORD exitCode)
{
    BRANCH* fallback = nullptr;
    for (int i = 0; i < branch->codeBranches.Items(); ++i) {
        BRANCH* candidate = branch->GetCodeBranch(i);
        if (candidate->code == exitCode)
            return candidate;
        if (candidate->defaultCode)
            fallback = candidate;
    }
    return fallback;
}

}  // namespace

DEP_EXEPROCESS::DEP_EXEPROCESS(KERNEL* kernel, BRANCH* branch, DWORD threadId)
    : uiThreadId(threadId), kernel(kernel), branch(branch)
{
    current = this;
}

DEP_EXEPROCESS::~DEP_EXEPROCESS()
{
    Release();
    if (watcher) {
        SetEvent(stop);
        WaitForSingleObject(watcher, INFINITE);
        CloseHandle(watcher);
    }
    if (stop)
        CloseHandle(stop);
    if (info) {
        if (info->hThread)
            CloseHandle(info->hThread);
        if (info->hProcess)
            CloseHandle(info->hProcess);
        delete info;
    }
    if (handOff)
        DestroyWindow(handOff);
    if (current == this)
        current = nullptr;
}

void DEP_EXEPROCESS::Release()
{
    if (cbtHook)
        UnhookWindowsHookEx(cbtHook);
    if (mouseHook)
        UnhookWindowsHookEx(mouseHook);
    cbtHook = nullptr;
    mouseHook = nullptr;
}

HANDLE DEP_EXEPROCESS::GetProcessHandle() const { return info ? info->hProcess : nullptr; }

int DEP_EXEPROCESS::RunProcess(char* commandLine, char* currentDirectory, unsigned short showState,
                               DWORD* watcherThreadId)
{
    info = new PROCESS_INFORMATION{};
    if (!info)
        return 0;
    cbtHook = SetWindowsHookExA(WH_CBT, CBTProc, nullptr, GetCurrentThreadId());
    mouseHook = SetWindowsHookExA(WH_MOUSE, MouseProc, nullptr, GetCurrentThreadId());
    stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!cbtHook || !mouseHook || !stop || !RegisterHandOffClass()) {
        Release();
        return 0;
    }
    handOff = CreateWindowExA(0, HandOffClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, KernProcess().module,
                              nullptr);
    if (!handOff) {
        Release();
        return 0;
    }
    SetWindowLongPtrA(handOff, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HandOffProc));
    SetWindowLongPtrA(handOff, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    const HWND host = KernGetAppWindow(kernel);
    kernel->depProcessRunning = 1;
    EnableWindow(host, FALSE);
    KernClearBranchTimer(kernel);
    auto giveBack = [&] {
        Release();
        kernel->depProcessRunning = 0;
        EnableWindow(host, TRUE);
    };
    if (!KernStartProgram(commandLine, currentDirectory, showState, info)) {
        giveBack();
        return 0;
    }
    DWORD id = 0;
    watcher = CreateThread(nullptr, 0, CheckEndOfProcessTHREAD, this, 0, &id);
    if (!watcher) {
        KernAlert(host, IDS_INTERNAL_ERROR, IDS_DEPENDENT_NOT_WATCHED);
        giveBack();
        return 0;
    }
    if (watcherThreadId)
        *watcherThreadId = id;
    return 1;
}

DWORD WINAPI DEP_EXEPROCESS::CheckEndOfProcessTHREAD(void* self)
{
    auto* dependent = static_cast<DEP_EXEPROCESS*>(self);
    const HANDLE waited[2] = {dependent->info->hProcess, dependent->stop};
    if (WaitForMultipleObjects(2, waited, FALSE, INFINITE) != WAIT_OBJECT_0)
        return 0;
    DWORD exitCode = STILL_ACTIVE;
    if (!GetExitCodeProcess(dependent->info->hProcess, &exitCode))
        exitCode = STILL_ACTIVE;
    PostMessageA(dependent->handOff, WM_DEPPROCESS_ENDED, exitCode, 0);
    return 0;
}

LRESULT CALLBACK DEP_EXEPROCESS::HandOffProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* dependent = reinterpret_cast<DEP_EXEPROCESS*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message != WM_DEPPROCESS_ENDED || !dependent)
        return DefWindowProcA(window, message, wParam, lParam);
    dependent->Finish(static_cast<DWORD>(wParam));
    return 0;
}

void DEP_EXEPROCESS::Finish(DWORD exitCode)
{
    const HWND host = KernGetAppWindow(kernel);
    EnableWindow(host, TRUE);
    kernel->depProcessRunning = 0;
    if (const HWND view = GetParent(host))
        SetForegroundWindow(view);
    KERNEL* owner = kernel;
    BRANCH* next = exitCode == STILL_ACTIVE ? nullptr : ReturnCodeBranch(branch, exitCode);
    // The hooks go before the next branch is requested; the watcher has already ended.
    delete this;
    if (next)
        KernSetBranch(owner, next);
}

LRESULT CALLBACK DEP_EXEPROCESS::CBTProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && KeepProgramInFront(reinterpret_cast<HWND>(wParam)))
        return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK DEP_EXEPROCESS::MouseProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && KeepProgramInFront(reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam)->hwnd))
        return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK DEP_EXEPROCESS::ActivateProcessWindow(HWND window, LPARAM)
{
    SetForegroundWindow(window);
    return FALSE;
}

void KernStopDepProcess(KERNEL* kernel)
{
    if (!current || current->kernel != kernel)
        return;
    kernel->depProcessRunning = 0;
    EnableWindow(KernGetAppWindow(kernel), TRUE);
    delete current;
}
