// Switching the kernel's mode and automatic branches, the presentation extent, and which
// page windows take input.
#include "accessors.h"

#include "branch.h"
#include "history.h"
#include "kerntree.h"
#include "objet.h"
#include "sound.h"
#include "../authoring/selection.h"

namespace {

// After a change of mode, page or object set every object settles: re-linking first, then
// palettes, then the change itself.
void Settle(KERNEL* kernel, WPARAM reason)
{
    OBJET* top = KernGetTopObjet(kernel);
    KernBroadCastUntilDone(kernel, top, KM_RELINK, 0, 0);
    KernQueryPalette(kernel);
    KernBroadCastUntilDone(kernel, top, KM_SHOWN, reason, 0);
}

void DropPendingBranch(KERNEL* kernel)
{
    kernel->branchState = 0;
    kernel->pendingBranch = nullptr;
    KernClearBranchTimer(kernel);
}

}  // namespace

void KernSetMode(KERNEL* kernel, int mode)
{
    if (!kernel)
        return;
    if (mode != QX_MODE_PRESENTATION) {
        KernStopSound();
        DropPendingBranch(kernel);
        KernDeactiveAllWindow_ExeceptTop(kernel);
    } else {
        KernUnSelectAllObjects(kernel);
        KernRestoreAllWindow(kernel);
    }
    OBJET* top = KernGetTopObjet(kernel);
    if (kernel->gridVisible && kernel->gridX && kernel->gridY && top)
        InvalidateRect(top->window, nullptr, FALSE);
    KernObjetOut(kernel);
    kernel->mode = mode;
    Settle(kernel, KM_SHOWN_MODE);
    if ((mode & QX_MODE_EDIT_BIT) || !kernel->autoBranch)
        KernClearBranchTimer(kernel);
    if (mode == QX_MODE_PRESENTATION)
        KernBroadCastUntilDone(kernel, KernGetTopObjet(kernel), KM_PAGESHOWN, 0, 0);
}

void KernSetAutoBranch(KERNEL* kernel, int on)
{
    if (!kernel)
        return;
    if (on) {
        kernel->autoBranch = 1;
        Settle(kernel, KM_SHOWN_AUTOBRANCH);
    } else {
        kernel->autoBranch = 0;
        DropPendingBranch(kernel);
    }
}

void KernSetAppExtent(KERNEL* kernel, int x, int y, int width, int height)
{
    if (!kernel || (kernel->appX == x && kernel->appY == y && kernel->appWidth == width && kernel->appHeight == height))
        return;
    kernel->appX = x;
    kernel->appY = y;
    kernel->appWidth = width;
    kernel->appHeight = height;
    KernUnSelectAllObjects(kernel);
    kernel->windowing.ScreenSetExtent(x, y, x + width - 1, y + height - 1);
    for (int i = 0; i < kernel->loadedPages.Items(); ++i)
        KernBroadCastToObjet(kernel, static_cast<TREE*>(kernel->loadedPages.GetItem(i))->root, KM_EXTENT, 0, 0);
}

void KernDeactiveAllWindow_ExeceptTop(KERNEL* kernel)
{
    if (!kernel)
        return;
    for (int i = 0; i < kernel->loadedPages.Items() - 1; ++i) {
        OBJET* root = static_cast<TREE*>(kernel->loadedPages.GetItem(i))->root;
        if (root && root->window)
            EnableWindow(root->window, FALSE);
    }
}

void KernRestoreAllWindow(KERNEL* kernel)
{
    if (kernel && kernel->loadedPages.Items() > 0)
        KernUpdateModeless(kernel, 0);
}
