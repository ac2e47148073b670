// Start-up of the foundation library. The open-file table is made on first use and emptied
// by its own destructor when the library leaves the process, and the internet binding starts
// unbound; neither needs work here. Nothing here may load or free another library: the
// loader's lock is held.
#include "qxbase.h"
#include "qxcontrols.h"

#include <cstdlib>
#include <ctime>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        std::srand(static_cast<unsigned>(std::time(nullptr)));  // for temporary file names
        InitCC();  // the dialog controls every module's templates name
    } else if (reason == DLL_PROCESS_DETACH) {
        FreeCC();
    }
    return TRUE;
}
