// A transition-effect module for the kernel's tests: it offers five effects but names only
// the first three, and counts the drawings it is asked for.
#include <windows.h>

#include <cstdio>

namespace {

constexpr int Offered = 5;
constexpr int Named = 3;
int drawings = 0;
int lastIndex = -1;
COLORREF lastCentre = CLR_INVALID;

}  // namespace

extern "C" __declspec(dllexport) int GetNumbersEffect() { return Offered; }

extern "C" __declspec(dllexport) int GetEffectName(int index, char* buffer, int size)
{
    if (index < 0 || index >= Named)
        return -1;
    std::snprintf(buffer, static_cast<size_t>(size), "Essai %d", index);
    return 0;
}

// Copies the image as it is and answers -1 for the effect of index 2, as a module that
// could not draw.
extern "C" __declspec(dllexport) int DrawEffect(HWND, HDC dc, int x, int y, int width, int height, void* image,
                                                HPALETTE, long rasterOp, int, int index, int)
{
    ++drawings;
    lastIndex = index;
    HDC memory = CreateCompatibleDC(dc);
    const HGDIOBJ before = SelectObject(memory, static_cast<HBITMAP>(image));
    lastCentre = GetPixel(memory, width / 2, height / 2);
    if (index == 2) {
        SelectObject(memory, before);
        DeleteDC(memory);
        return -1;
    }
    BitBlt(dc, x, y, width, height, memory, 0, 0, static_cast<DWORD>(rasterOp));
    SelectObject(memory, before);
    DeleteDC(memory);
    return 0;
}

// What the tests read back.
extern "C" __declspec(dllexport) int TestEffectDrawings() { return drawings; }
extern "C" __declspec(dllexport) int TestEffectLastIndex() { return lastIndex; }
// The colour at the centre of the last image handed over.
extern "C" __declspec(dllexport) COLORREF TestEffectLastCentre() { return lastCentre; }
