// The page module's entry point and exports.
#include "page.h"

#include "qxplugin.h"

namespace {

HINSTANCE thisModule = nullptr;

}  // namespace

QXPLUGIN_EXPORT OBJET* AllocObjet(KERNEL* kernel) { return new PAGE(kernel, thisModule); }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        thisModule = instance;
    return TRUE;
}
