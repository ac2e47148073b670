// The grid of the editing modes: its settings, snapping positions to it, and drawing it.
#include "authoring.h"

#include "../runtime/kernel.h"
#include "../runtime/kerntree.h"
#include "../runtime/objet.h"

namespace {

// Half a step and more rounds away from zero, less rounds toward it; a step of 0 leaves the
// value alone.
int SnapToStep(int value, int step)
{
    if (step == 0)
        return value;
    const int rest = value % step;
    return rest < step / 2 ? value - rest : value - rest + step;
}

// Steps above this are drawn as small crosses, so that a sparse grid stays visible.
constexpr int CrossAbove = 10;

void DrawGridPoint(HDC dc, int x, int y, COLORREF colour, bool cross)
{
    SetPixel(dc, x, y, colour);
    if (!cross)
        return;
    SetPixel(dc, x - 1, y - 1, colour);
    SetPixel(dc, x + 1, y - 1, colour);
    SetPixel(dc, x - 1, y + 1, colour);
    SetPixel(dc, x + 1, y + 1, colour);
}

}  // namespace

int KernPosToGridXY(KERNEL* kernel, HWND, int* x, int* y)
{
    if (!kernel || !x || !y)
        return x ? *x : 0;
    if (kernel->gridActive) {
        *x = SnapToStep(*x, kernel->gridX);
        *y = SnapToStep(*y, kernel->gridY);
    }
    return *x;
}

void KernPosToGridWH(KERNEL* kernel, HWND window, int x, int* width, int y, int* height)
{
    if (!kernel || !width || !height)
        return;
    int right = x + *width;
    int bottom = y + *height;
    KernPosToGridXY(kernel, window, &right, &bottom);
    // A size never falls below one step, snapping or not.
    *width = right - x < kernel->gridX ? kernel->gridX : right - x;
    *height = bottom - y < kernel->gridY ? kernel->gridY : bottom - y;
}

void KernDrawGrid(KERNEL* kernel, OBJET* object, HDC dc, const RECT& clip)
{
    OBJET* top = KernGetTopObjet(kernel);
    if (!kernel->gridVisible || kernel->gridX <= 0 || kernel->gridY <= 0 || !top || !top->window ||
        !object->window || KernGetTopParentObjet(kernel, object) != top)
        return;
    const bool cross = kernel->gridX > CrossAbove || kernel->gridY > CrossAbove;
    // The lattice is the page's: each point is snapped in the page window's coordinates.
    for (int y = 0; y <= clip.bottom + kernel->gridY; y += kernel->gridY) {
        for (int x = 0; x <= clip.right + kernel->gridX; x += kernel->gridX) {
            POINT point = {x, y};
            MapWindowPoints(object->window, top->window, &point, 1);
            point.x = SnapToStep(point.x, kernel->gridX);
            point.y = SnapToStep(point.y, kernel->gridY);
            MapWindowPoints(top->window, object->window, &point, 1);
            if (point.x >= 0 && point.y >= 0)
                DrawGridPoint(dc, point.x, point.y, kernel->gridColour, cross);
        }
    }
}

int KernGetGridActive(KERNEL* kernel) { return kernel ? kernel->gridActive : 0; }
int KernGetGridVisible(KERNEL* kernel) { return kernel ? kernel->gridVisible : 0; }
int KernGetGridX(KERNEL* kernel) { return kernel ? kernel->gridX : 0; }
int KernGetGridY(KERNEL* kernel) { return kernel ? kernel->gridY : 0; }
COLORREF KernGetGridColor(KERNEL* kernel) { return kernel ? kernel->gridColour : 0; }

void KernSetGridActive(KERNEL* kernel, int on)
{
    if (kernel)
        kernel->gridActive = on;
}

void KernSetGridVisible(KERNEL* kernel, int on)
{
    if (kernel)
        kernel->gridVisible = on;
}

void KernSetGridX(KERNEL* kernel, int step)
{
    if (kernel)
        kernel->gridX = step;
}

void KernSetGridY(KERNEL* kernel, int step)
{
    if (kernel)
        kernel->gridY = step;
}

void KernSetGridColor(KERNEL* kernel, COLORREF colour)
{
    if (kernel)
        kernel->gridColour = colour;
}
