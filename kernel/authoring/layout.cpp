// Layout editing of the selection: moving, aligning and stretching the selected objects,
// deleting them, and their property dialogs, each as one undo step.
#include "authoring.h"

#include "rubberband.h"
#include "selection.h"
#include "undo.h"
#include "windowgeometry.h"
#include "../runtime/kernel.h"
#include "../runtime/kerntree.h"
#include "../runtime/objet.h"

namespace {

// What a layout operation asks: an arrow key, or an offset.
struct LAYOUTCHANGE {
    int key;
    int dx, dy;
};

// Changes one client area (screen pixels); false leaves the object alone.
using RESHAPE = bool (*)(const RECT& extent, const LAYOUTCHANGE& change, RECT& client);

// Runs the change on every selected object that is not of maximal size (such an object
// fills its parent whatever happens), inside the marks of one move or size.
void ReshapeSelection(KERNEL* kernel, const LAYOUTCHANGE& change, RESHAPE reshape, UINT flags)
{
    OBJSEL_LIST& selection = kernel->selection;
    if (selection.Items() == 0)
        return;
    // Taken once: every window placed recomputes the extent.
    const RECT extent = {kernel->selLeft, kernel->selTop, kernel->selRight, kernel->selBottom};
    KernUnChainAllObject(kernel);
    KernInvalidateRectObjectSelected(kernel);
    KernUndoPush(kernel, new UNDO_MARK_MOVE_SIZE_BEGIN(kernel));
    for (int i = 0; i < selection.Items(); ++i) {
        OBJET* object = selection.GetObjet(i);
        if (object->sizeMode == QX_SIZE_MAXIMAL || !object->window)
            continue;
        // Client areas meet the extent, whatever frame the selection gives the windows.
        RECT area;
        KernGetClientToScreen(object, &area);
        if (!reshape(extent, change, area))
            continue;
        KernUndoPush(kernel, new UNDO_MOVE_SIZE(object));
        PlaceWindow(object->window, AddBorders(object->window, ScreenToPositionParent(object->window, area)), flags);
    }
    KernUndoPush(kernel, new UNDO_MARK_MOVE_SIZE_END(kernel, selection.Items()));
    KernChainAllObject(kernel);
    KernInvalidateRectObjectSelected(kernel);
}

bool Align(const RECT& extent, const LAYOUTCHANGE& change, RECT& area)
{
    switch (change.key) {
    case VK_LEFT:
        OffsetRect(&area, extent.left - area.left, 0);
        return true;
    case VK_UP:
        OffsetRect(&area, 0, extent.top - area.top);
        return true;
    case VK_RIGHT:
        OffsetRect(&area, extent.right - area.right, 0);
        return true;
    case VK_DOWN:
        OffsetRect(&area, 0, extent.bottom - area.bottom);
        return true;
    }
    return false;
}

bool Stretch(const RECT& extent, const LAYOUTCHANGE& change, RECT& area)
{
    switch (change.key) {
    case VK_LEFT:
        area.left = extent.left;
        return true;
    case VK_UP:
        area.top = extent.top;
        return true;
    case VK_RIGHT:
        area.right = extent.right;
        return true;
    case VK_DOWN:
        area.bottom = extent.bottom;
        return true;
    }
    return false;
}

bool Move(const RECT&, const LAYOUTCHANGE& change, RECT& area)
{
    OffsetRect(&area, change.dx, change.dy);
    return true;
}

// The page's own dialog, when nothing is selected: its geometry and its record are kept
// first, and dropped again when the dialog is cancelled.
void ModifyPage(KERNEL* kernel, OBJET* root)
{
    UNDO* records[] = {new UNDO_MARK_MOVE_SIZE_BEGIN(kernel), new UNDO_MOVE_SIZE(root),
                       new UNDO_MARK_MOVE_SIZE_END(kernel, 1), new UNDO_MODIFY(root)};
    for (UNDO* record : records)
        KernUndoPush(kernel, record);
    if (root->Modify())
        return;
    for (UNDO* record : records)
        KernUndoRemoveEntry(kernel, record);
}

void ModifySelected(KERNEL* kernel)
{
    KernUnChainAllObject(kernel);
    KernInvalidateRectObjectSelected(kernel);
    for (int i = 0; i < kernel->selection.Items(); ++i) {
        OBJET* object = kernel->selection.GetObjet(i);
        auto* snapshot = new UNDO_MODIFY(object);
        KernUndoPush(kernel, snapshot);
        // A cancelled dialog leaves no undo step, and the objects after it are not asked.
        if (!object->Modify()) {
            KernUndoRemoveEntry(kernel, snapshot);
            break;
        }
    }
    KernChainAllObject(kernel);
    KernInvalidateRectObjectSelected(kernel);
}

}  // namespace

void KernMoveObjet(KERNEL* kernel, int dx, int dy)
{
    if (!kernel || (dx == 0 && dy == 0))
        return;
    ReshapeSelection(kernel, {0, dx, dy}, Move, SWP_NOSIZE);
}

void KernAlignObjSel(KERNEL* kernel, int key)
{
    if (kernel)
        ReshapeSelection(kernel, {key, 0, 0}, Align, SWP_NOSIZE);
}

void KernExpandObjSel(KERNEL* kernel, int key)
{
    if (kernel)
        ReshapeSelection(kernel, {key, 0, 0}, Stretch, 0);
}

void KernModifySelectObjects(KERNEL* kernel)
{
    if (!kernel || kernel->mode == QX_MODE_PRESENTATION)
        return;
    KernUndoPush(kernel, new UNDO_MARK_BEGIN(kernel));
    if (kernel->selection.Items() > 0)
        ModifySelected(kernel);
    else if (OBJET* root = KernGetTopObjet(kernel))
        ModifyPage(kernel, root);
    KernUndoPush(kernel, new UNDO_MARK_END(kernel));
}

void KernDeleteSelectObjects(KERNEL* kernel)
{
    if (!kernel || kernel->selection.Items() == 0)
        return;
    KernDestroyRubber(kernel);
    KernUnChainAllObject(kernel);
    KernInvalidateRectObjectSelected(kernel);
    KernUndoPush(kernel, new UNDO_MARK_BEGIN(kernel));
    while (kernel->selection.Items() > 0) {
        auto* node = static_cast<OBJSEL*>(kernel->selection.GetItem(0));
        OBJET* object = node->object;
        kernel->selection -= node;
        delete node;
        object->UnSelect();
        KernUndoPush(kernel, new UNDO_DEL(object));
    }
    KernUndoPush(kernel, new UNDO_MARK_END(kernel));
    KernChainAllObject(kernel);
}
