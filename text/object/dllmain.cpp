// Entry point of the module.
#include <windows.h>

#include "rte_device.h"
#include "rte_gdi.h"

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    // The engine draws and measures on GDI in this module: every environment it starts takes
    // the GDI device.
    if (reason == DLL_PROCESS_ATTACH)
        RteSetDevice(&RteGdiDevice());
    return TRUE;
}
