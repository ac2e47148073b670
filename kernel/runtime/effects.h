// Transition effects as the kernel numbers them: one process-wide list of every effect of
// every effect module found, entry 0 standing for no effect. Pages store an effect by its
// module's file name and its index within the module; objects hold its position in the list.
#pragma once

#include "qxkernel.h"

using DRAWEFFECT = int (*)(HWND window, HDC dc, int x, int y, int width, int height, void* image,
                           HPALETTE palette, long rasterOp, int backgroundPalette, int index, int imageKind);
using GETNUMBERSEFFECT = int (*)();
using GETEFFECTNAME = int (*)(int index, char* buffer, int size);

// The image kind the kernel hands to DrawEffect: a bitmap handle.
constexpr int QX_EFFECT_IMAGE_BITMAP = 2;

class QXCORE_API EFFECT_DLL : public LNODE {
public:
    // Loads the module at path and appends its effects to the effect list; ok 1 when it
    // loaded, exports the three entries and offers at least one effect.
    EFFECT_DLL(const char* path, int& ok);
    ~EFFECT_DLL() override;
    EFFECT_DLL(const EFFECT_DLL&) = delete;
    EFFECT_DLL& operator=(const EFFECT_DLL&) = delete;

    QXSTRING name;        // file name without folder
    HMODULE module = nullptr;
    int effects = 0;
    DRAWEFFECT draw = nullptr;
};

class QXCORE_API EFFECT : public LNODE {
public:
    EFFECT(EFFECT_DLL* owner, int index, const char* name);
    // The module's DrawEffect with this effect's index; -1 for the entry without module.
    int Draw(HWND window, HDC dc, int x, int y, int width, int height, void* image, HPALETTE palette,
             long rasterOp, int flags);
    EFFECT_DLL* owner;  // null for entry 0
    int index;          // within the module
    QXSTRING name;
};

// The process-wide effect list and module list.
LIST& KernEffectList();
LIST& KernEffectModuleList();

// Fills both lists: "Aucune" first, then the effects of every "QXFX*.DLL" of the folder (a
// folder ending with a backslash). The first kernel does it with its library's folder.
QXCORE_EXPORT void KernLoadEffectModules(const char* folder);
// Empties both lists and frees the modules; the last kernel does it.
QXCORE_EXPORT void KernFreeEffectModules();
// The number of entries of the effect list, "Aucune" included, and the name of one ("" past the end).
QXCORE_EXPORT int KernGetEffectCount();
QXCORE_EXPORT const char* KernGetEffectName(int id);

// The module's file name and the index within it of an effect id: ("", -1) for no effect,
// ("", 0) for an id past the list.
QXCORE_EXPORT int KernEffectId2DllId(int id, char* moduleName, int size, int* index);
QXCORE_EXPORT int KernEffectId2DllIdStr(int id, QXSTRING* moduleName, int* index);
// The effect id of a module and index; 0 when either is unknown or the index is -1.
QXCORE_EXPORT int KernDllId2EffectId(const char* moduleName, int index);
// The script function that plays the effect in exported pages: "null" when there is none.
QXCORE_EXPORT void KernEffectId2FonctionName(int id, char* name);
// Switches the drawing of effects for the kernel.
QXCORE_EXPORT void KernSetDrawEffect(KERNEL* kernel, int on);
