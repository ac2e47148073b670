// The grid members of the kernel, as hosts read and set them.
#include "authoring.h"

#include "../runtime/kernel.h"

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
