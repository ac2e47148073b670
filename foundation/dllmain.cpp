// Start-up of the foundation library.
#include "qxbase.h"

#include <cstdlib>
#include <ctime>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        std::srand(static_cast<unsigned>(std::time(nullptr)));  // for temporary file names
    return TRUE;
}
