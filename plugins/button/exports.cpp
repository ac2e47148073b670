// The module's exports: allocation of buttons, the tool record and the interactive creation
// of a new button.
#include "bouton.h"

#include "accessors.h"
#include "kerntree.h"
#include "qxplugin.h"
#include "resource.h"

extern TOOLBITMAPS BoutonToolBitmaps;

QXPLUGIN_EXPORT OBJET* AllocObjet(KERNEL* kernel)
{
    try {
        return new BOUTON(kernel, BoutonModule);
    } catch (...) {
        return nullptr;
    }
}

QXPLUGIN_EXPORT int GetNumberTools(int, int category) { return ToolCount(category); }

QXPLUGIN_EXPORT void AddBouton(KERNEL* kernel, int);

QXPLUGIN_EXPORT void GetTool(int, int category, TOOLINFO* tool, int)
{
    FillToolInfo(BoutonModule, BoutonToolBitmaps, AddBouton, IDS_TOOLTIP, BOUTON_HELP_PAGE, category, tool);
}

QXPLUGIN_EXPORT void AddBouton(KERNEL* kernel, int)
{
    OBJET* object = AllocObjet(kernel);
    if (!object)
        return;
    object->SetBeParent(0);
    object->ux = KernS2Ux(kernel, object->x);
    object->uy = KernS2Uy(kernel, object->y);
    object->uw = KernS2Ux(kernel, object->w) - KernS2Ux(kernel, 0);
    object->uh = KernS2Uy(kernel, object->h) - KernS2Uy(kernel, 0);
    OBJET* parent = KernLocateParent(kernel, object);
    RECT client{};
    if (parent && parent->window)
        GetClientRect(parent->window, &client);
    const int left = (client.right - object->w) / 2;
    const int top = (client.bottom - object->h) / 2;
    object->SetXYWH(left, top, object->w, object->h);
    object->ux = KernS2Ux(kernel, left);
    object->uy = KernS2Uy(kernel, top);
    if (!object->Modify()) {
        delete object;
        return;
    }
    object->loaded = 1;
    KernLinkParentChild(parent, object, 0);
    KernUpdateNewObjet(kernel, object);
}
