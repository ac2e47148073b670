// Making sure the outside media server is registered before a program plays media.
#include "media_registration.h"

bool StartAndWait(const std::string& commandLine, DWORD waitMs)
{
    STARTUPINFOA start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESHOWWINDOW;
    start.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS,
                        nullptr, nullptr, &start, &process))
        return false;
    WaitForSingleObject(process.hThread, waitMs);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool MediaServerRegistered()
{
    char server[1024] = {};
    LONG size = sizeof server;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, "CLSID\\{666BA0D0-9944-11D3-9FE1-0040F6D49C4D}", nullptr, nullptr) !=
        ERROR_SUCCESS)
        return false;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, "CLSID\\{687C6184-9B69-11D3-9FE3-0040F6D49C4D}\\LocalServer32", server,
                       &size) != ERROR_SUCCESS)
        return false;
    // Opened as data only: the server is a program, and nothing of it must run in this process.
    HMODULE file = LoadLibraryExA(server, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!file) return false;
    FreeLibrary(file);
    return true;
}

bool EnsureMediaServerRegistered(const std::string& folder, DWORD waitMs)
{
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof current, current);
    SetCurrentDirectoryA(folder.c_str());
    const bool registered = MediaServerRegistered() || StartAndWait(folder + "QXQuickTime.exe /REGSERVER", waitMs);
    SetCurrentDirectoryA(current);
    return registered;
}
