// Entry point of the module: keeps the instance for the dialog resources.
#include "netdlg_base.h"

HINSTANCE netdlgModule = nullptr;

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        netdlgModule = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
