// The control's module: its entry point, its instance and its folder, and the count of what keeps
// it loaded.
#include "module.h"

namespace {

HINSTANCE instance = nullptr;
LONG users = 0;

}  // namespace

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        instance = module;
        DisableThreadLibraryCalls(module);
    }
    return TRUE;
}

HINSTANCE ModuleInstance()
{
    return instance;
}

std::string ModuleFolder()
{
    char file[MAX_PATH] = {};
    GetModuleFileNameA(instance, file, sizeof file);
    std::string folder(file);
    folder.erase(folder.find_last_of("\\/") + 1);
    return folder;
}

void ModuleAddRef()
{
    InterlockedIncrement(&users);
}

void ModuleRelease()
{
    InterlockedDecrement(&users);
}

bool ModuleInUse()
{
    return users != 0;
}
