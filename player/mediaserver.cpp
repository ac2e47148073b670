// Making sure the outside media server is registered before the application starts.
#include "player.h"
#include "resource.h"

#include "qxmedia.h"

namespace {

CMediaModule* mediaModule = nullptr;

// The registration program normally ends at once; the wait is bounded all the same so that a
// server that hangs never holds a start without a user in front of it.
constexpr DWORD kRegistrationWaitMs = 60000;

std::string LoadText(UINT id)
{
    char text[500] = {};
    LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
    return text;
}

void ShowMediaMessage(UINT id)
{
    MessageBoxA(nullptr, LoadText(id).c_str(), LoadText(IDS_MEDIA_CAPTION).c_str(), MB_OK);
}

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

bool ServerRegistered()
{
    char server[MAX_PATH] = {};
    LONG size = sizeof server;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, "CLSID\\{666BA0D0-9944-11D3-9FE1-0040F6D49C4D}", nullptr, nullptr) !=
        ERROR_SUCCESS)
        return false;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, "CLSID\\{687C6184-9B69-11D3-9FE3-0040F6D49C4D}\\LocalServer32", server,
                       &size) != ERROR_SUCCESS)
        return false;
    HMODULE file = LoadLibraryExA(server, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!file) return false;
    FreeLibrary(file);
    return true;
}

}  // namespace

int RegisterMediaServer()
{
    char module[500] = {};
    GetModuleFileNameA(nullptr, module, sizeof module);
    std::string folder(module);
    folder.erase(folder.find_last_of('\\') + 1);
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof current, current);
    SetCurrentDirectoryA(folder.c_str());
    bool registered = ServerRegistered() || StartAndWait(folder + "QXQuickTime.exe /REGSERVER", kRegistrationWaitMs);
    SetCurrentDirectoryA(current);
    if (!registered) {
        ShowMediaMessage(IDS_NEED_QUICKTIME);
        return 0;
    }
    mediaModule = new CMediaModule;
    if (!mediaModule || !mediaModule->Active()) return 0;
    mediaModule->Init();
    if (mediaModule->IsQuickTime4Install()) return 1;
    std::string installer = "\"" + folder + "Redist\\QuickTime\\QuickTimeInstaller.exe\"";
    if (StartAndWait(installer, 0)) {
        ShowMediaMessage(IDS_INSTALL_QUICKTIME);
        mediaModule->Init();
    } else {
        ShowMediaMessage(IDS_NEED_QUICKTIME);
    }
    return 0;
}

void DeleteMediaModule()
{
    delete mediaModule;
    mediaModule = nullptr;
}
