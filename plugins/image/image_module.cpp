// The image module: entry point, tool record, creation and drop.
#include "image.h"

#include "accessors.h"
#include "image_dialog.h"
#include "imageres.h"
#include "kernel.h"
#include "kerntree.h"
#include "objgeometry.h"
#include "qxplugin.h"

#include <cstring>

namespace {

HINSTANCE thisModule = nullptr;
TOOLBITMAPS toolBitmaps;

// The suffixes of picture files a drop accepts.
constexpr const char* DroppedSuffixes =
    "clp ani pbm iff cal jbg png dic fpx img gif ica jpg jff jtf cmp pic pct mac awd msp pcx dcx pcd psd eps "
    "ras tga tif fxs bmp cur ico emf wmf wpg xpm xwd xbm qxi";

}  // namespace

HINSTANCE ImageModule() { return thisModule; }

bool IsDroppableImage(const char* path)
{
    return HasSuffixIn(path, DroppedSuffixes);
}

QXPLUGIN_EXPORT OBJET* AllocObjet(KERNEL* kernel) { return new IMAGE(kernel, thisModule); }

QXPLUGIN_EXPORT int GetNumberTools(int, int category) { return ToolCount(category); }

QXPLUGIN_EXPORT void AddImage(KERNEL* kernel, int);

QXPLUGIN_EXPORT void GetTool(int, int category, TOOLINFO* tool, int)
{
    FillToolInfo(thisModule, toolBitmaps, AddImage, IDS_TOOLTIP, "image.pag", category, tool);
}

QXPLUGIN_EXPORT void AddImage(KERNEL* kernel, int)
{
    auto* image = static_cast<IMAGE*>(AllocObjet(kernel));
    if (!image)
        return;
    image->fileName = "";
    image->SetBeParent(0);
    OBJET* parent = KernLocateParent(kernel, image);
    RECT client{};
    if (parent && parent->window)
        GetClientRect(parent->window, &client);
    image->OBJET::SetXYWH((client.right - 100) / 2, (client.bottom - 100) / 2, 100, 100);
    UnitsFromPixels(image);
    if (!image->Modify()) {
        delete image;
        return;
    }
    image->LoadPicture();
    image->loaded = 1;
    KernLinkParentChild(parent, image, 0);
    KernUpdateNewObjet(kernel, image);
}

QXPLUGIN_EXPORT int FileDropped(KERNEL* kernel, const char* path, POINT* drop)
{
    if (!kernel || !path || !*path || !IsDroppableImage(path) || kernel->loadedPages.Items() == 0)
        return 0;
    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    auto* image = static_cast<IMAGE*>(AllocObjet(kernel));
    int accepted = 0;
    if (image) {
        image->fileName = path;
        image->localPath = path;
        image->SetBeParent(0);
        BMP decoded;
        if (decoded.Import(path) == 0) {
            int width = 0, height = 0;
            decoded.GetWH(width, height);
            image->crop[2] = width;
            image->crop[3] = height;
            image->transparent = decoded.IsTransparentColor() ? 1 : 0;
            image->transparentColour = decoded.GetTransparentColor();
            OBJET* parent = KernLocateParent(kernel, image);
            const POINT at = DroppedPlace(KernGetTopParentObjet(kernel, parent), drop, width, height);
            KernLinkParentChild(parent, image, 0);
            image->OBJET::SetXYWH(at.x, at.y, width, height);
            UnitsFromPixels(image);
            image->LoadPicture();
            image->loaded = 1;
            KernUpdateNewObjet(kernel, image);
            accepted = 1;
        } else {
            // A file that does not decode leaves nothing on the page.
            delete image;
        }
    }
    SetCursor(previous);
    return accepted;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        thisModule = instance;
        toolBitmaps.Load(instance);
        RegisterPreviewClass(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        toolBitmaps.Free();
        UnregisterPreviewClass(instance);
        // At process exit the camera module may be gone already; only an unload frees it.
        if (!reserved)
            ReleaseCamera();
    }
    return TRUE;
}
