// The page module's entry point and exports.
#include "page.h"
#include "page_module.h"

#include "qxplugin.h"

namespace {

HINSTANCE thisModule = nullptr;

}  // namespace

HINSTANCE PageModule() { return thisModule; }

std::string PageString(int id)
{
    char text[QX_NAME_BUFFER] = {};
    LoadStringA(thisModule, id, text, sizeof text);
    return text;
}

QXPLUGIN_EXPORT OBJET* AllocObjet(KERNEL* kernel) { return new PAGE(kernel, thisModule); }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        thisModule = instance;
    return TRUE;
}
