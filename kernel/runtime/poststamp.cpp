// The stamp a button shows when its branch leads to a page already visited: a mask cut out
// of the background, then the stamp painted into the hole.
#include "accessors.h"

#include "kernelprocess.h"

namespace {

constexpr int StampSize = 16;

void Blit(HDC dc, int x, int y, const char* name, DWORD operation)
{
    const HBITMAP bitmap = LoadBitmapA(KernProcess().module, name);
    if (!bitmap)
        return;
    if (const HDC memory = CreateCompatibleDC(dc)) {
        const HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(dc, x, y, StampSize, StampSize, memory, 0, 0, operation);
        SelectObject(memory, previous);
        DeleteDC(memory);
    }
    DeleteObject(bitmap);
}

}  // namespace

void KernDrawPost(KERNEL*, HDC dc, int x, int y)
{
    if (!dc)
        return;
    Blit(dc, x, y, "POST1", SRCAND);
    Blit(dc, x, y, "POST2", SRCPAINT);
}
