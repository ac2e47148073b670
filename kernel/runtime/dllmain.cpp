// Entry point of the kernel library: it keeps its own module instance, in which its window
// classes, strings and built-in actions are found.
#include "kernelprocess.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        KernProcess().module = instance;
    return TRUE;
}
