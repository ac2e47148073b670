// Entry point of the button module: keeps its instance and holds its tool-bar pictures for
// as long as it is loaded.
#include "bouton.h"
#include "bouton_dialog.h"
#include "qxplugin.h"

TOOLBITMAPS BoutonToolBitmaps;

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        BoutonModule = instance;
        BoutonToolBitmaps.Load(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        BoutonToolBitmaps.Free();
        ForgetLabelHistory();
    }
    return TRUE;
}
