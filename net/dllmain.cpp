// Entry point of the module: the library's process-wide state lives from load to unload.
#include "net_session.h"

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        MakeSession();
    else if (reason == DLL_PROCESS_DETACH)
        EndSession();
    return TRUE;
}
