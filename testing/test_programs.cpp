// Finding and running the programs that stand beside a test program.
#include "test_programs.h"

std::string TestProgramFolder()
{
    char name[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, name, MAX_PATH);
    const std::string path = name;
    return path.substr(0, path.rfind('\\') + 1);
}

DWORD RunTestProgram(const char* program, const char* arguments)
{
    std::string command = "\"" + TestProgramFolder() + program + "\" " + arguments;
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
