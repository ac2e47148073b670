// Entry point and exports of an effect module, as the kernel binds them by name.
#include "catalogue.h"
#include "draw_effect.h"

namespace {

// Where the effect names are loaded from.
HINSTANCE moduleInstance;

} // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        moduleInstance = instance;
    return TRUE;
}

extern "C" __declspec(dllexport) int WINAPI GetNumbersEffect()
{
    return ModuleEffects().count;
}

// The name of effect `index` is string `index` of the module's string table.
extern "C" __declspec(dllexport) int WINAPI GetEffectName(int index, char* buffer, int size)
{
    if (index < 0 || index >= ModuleEffects().count)
        return -1;
    // A size of 0 would make LoadString hand out a pointer instead of copying the text.
    if (buffer && size > 0)
        LoadStringA(moduleInstance, static_cast<UINT>(index), buffer, size);
    return 0;
}

// The window is not used, and every copy is SRCCOPY whatever raster operation is asked.
extern "C" __declspec(dllexport) int WINAPI DrawEffect(HWND, HDC dc, int x, int y, int width, int height,
                                                       HANDLE image, HPALETTE palette, DWORD,
                                                       int paletteForeground, int index, int imageKind)
{
    EffectRequest request{dc, Area{x, y, width, height}, image, imageKind,
                          PaletteChoice{palette, paletteForeground != 0}};
    return DrawCatalogueEffect(ModuleEffects(), index, request);
}
