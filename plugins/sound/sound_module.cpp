// The sound module: entry point, tool record, creation and drop.
#include "sound.h"

#include "accessors.h"
#include "kernel.h"
#include "kerntree.h"
#include "objgeometry.h"
#include "qxplugin.h"
#include "soundres.h"

#include <cstring>

namespace {

HINSTANCE thisModule = nullptr;
TOOLBITMAPS toolBitmaps;
HBITMAP icons[2]{};  // "EDIT1" (the creation-mode icon) and "EDIT2"

// 48x48 at the bottom-left of the parent's client area.
void PlaceAtBottomLeft(SOUND* sound, OBJET* parent)
{
    RECT client{};
    if (parent && parent->window)
        GetClientRect(parent->window, &client);
    sound->OBJET::SetXYWH(0, client.bottom - 48, 48, 48);
    UnitsFromPixels(sound);
}

}  // namespace

HINSTANCE SoundModule() { return thisModule; }
HBITMAP SoundIcon() { return icons[0]; }

// The suffixes a drop accepts, upper-cased: "WAV MID RMI".
bool IsDroppableSound(const char* path)
{
    return HasSuffixIn(path, "WAV MID RMI");
}

QXPLUGIN_EXPORT OBJET* AllocObjet(KERNEL* kernel) { return new SOUND(kernel, thisModule); }

QXPLUGIN_EXPORT int GetNumberTools(int, int category) { return ToolCount(category); }

QXPLUGIN_EXPORT void AddSound(KERNEL* kernel, int);

QXPLUGIN_EXPORT void GetTool(int, int category, TOOLINFO* tool, int)
{
    FillToolInfo(thisModule, toolBitmaps, AddSound, IDS_TOOLTIP, "son.pag", category, tool);
}

QXPLUGIN_EXPORT void AddSound(KERNEL* kernel, int)
{
    auto* sound = static_cast<SOUND*>(AllocObjet(kernel));
    if (!sound)
        return;
    sound->SetBeParent(0);
    sound->fileName = "";
    PlaceAtBottomLeft(sound, KernLocateParent(kernel, sound));
    if (!sound->Modify()) {
        delete sound;
        return;
    }
    UnitsFromPixels(sound);
    sound->loaded = 1;
    KernLinkParentChild(KernGetTopObjet(kernel), sound, 0);
    KernUpdateNewObjet(kernel, sound);
}

QXPLUGIN_EXPORT int FileDropped(KERNEL* kernel, const char* path, POINT*)
{
    if (!kernel || !path || !*path || !IsDroppableSound(path) || kernel->loadedPages.Items() == 0)
        return 0;
    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    auto* sound = static_cast<SOUND*>(AllocObjet(kernel));
    if (sound) {
        OBJET* root = KernGetTopObjet(kernel);
        KernLinkParentChild(root, sound, 0);
        sound->SetBeParent(0);
        sound->fileName = path;
        PlaceAtBottomLeft(sound, sound->GetParent());
        sound->loaded = 1;
        KernUpdateNewObjet(kernel, sound);
    }
    SetCursor(previous);
    return sound ? 1 : 0;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        thisModule = instance;
        toolBitmaps.Load(instance);
        icons[0] = LoadBitmapA(instance, "EDIT1");
        icons[1] = LoadBitmapA(instance, "EDIT2");
    } else if (reason == DLL_PROCESS_DETACH) {
        toolBitmaps.Free();
        for (HBITMAP& icon : icons) {
            if (icon)
                DeleteObject(icon);
            icon = nullptr;
        }
    }
    return TRUE;
}
