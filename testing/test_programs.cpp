// Finding and running the programs that stand beside a test program.
#include "test_programs.h"

#include <tlhelp32.h>

std::string TestProgramFolder()
{
    char name[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, name, MAX_PATH);
    const std::string path = name;
    return path.substr(0, path.rfind('\\') + 1);
}

DWORD RunTestProgram(const char* program, const char* arguments)
{
    return RunProgram("\"" + TestProgramFolder() + program + "\" " + arguments);
}

DWORD RunProgram(std::string command)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return static_cast<DWORD>(-1);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = static_cast<DWORD>(-1);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

bool ProcessRuns(const char* exeName, bool end, DWORD parent)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32First(snapshot, &entry); more && (end || !found); more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, exeName) != 0 || (parent && entry.th32ParentProcessID != parent))
            continue;
        found = true;
        if (HANDLE process = end ? OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID) : nullptr) {
            TerminateProcess(process, 1);
            CloseHandle(process);
        }
    }
    CloseHandle(snapshot);
    return found;
}
