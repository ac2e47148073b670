// A transition-effect module for the kernel's tests that offers no effect: it is dropped.
#include <windows.h>

extern "C" __declspec(dllexport) int GetNumbersEffect() { return 0; }
extern "C" __declspec(dllexport) int GetEffectName(int, char*, int) { return -1; }
extern "C" __declspec(dllexport) int DrawEffect(HWND, HDC, int, int, int, int, void*, HPALETTE, long, int, int, int)
{
    return -1;
}
