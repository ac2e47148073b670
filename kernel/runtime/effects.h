// Transition effects as the kernel numbers them: one process-wide list of every effect of
// every effect module found, entry 0 standing for no effect. Pages store an effect by its
// module's file name and its index within the module; objects hold its position in the list.
#pragma once

#include "qxkernel.h"

using DRAWEFFECT = int (*)(HWND window, HDC dc, int x, int y, int width, int height, void* image,
                           HPALETTE palette, long rasterOp, int backgroundPalette, int index, int imageKind);

class QXCORE_API EFFECT_DLL : public LNODE {
public:
    QXSTRING name;        // file name without folder
    HMODULE module = nullptr;
    int effects = 0;
    DRAWEFFECT draw = nullptr;
};

class QXCORE_API EFFECT : public LNODE {
public:
    EFFECT(EFFECT_DLL* owner, int index, const char* name);
    EFFECT_DLL* owner;  // null for entry 0
    int index;          // within the module
    QXSTRING name;
};

// The process-wide effect list.
LIST& KernEffectList();

// The module's file name and the index within it of an effect id: ("", -1) for no effect,
// ("", 0) for an id past the list.
QXCORE_EXPORT int KernEffectId2DllId(int id, char* moduleName, int size, int* index);
QXCORE_EXPORT int KernEffectId2DllIdStr(int id, QXSTRING* moduleName, int* index);
// The effect id of a module and index; 0 when either is unknown or the index is -1.
QXCORE_EXPORT int KernDllId2EffectId(const char* moduleName, int index);
