// The selection of objects for editing: the kernel's OBJSEL_LIST and the operations that
// select, unselect, re-link and re-stack the selected objects.
#pragma once

#include "../runtime/qxkernel.h"

// Size modes of an object: a maximal object fills its parent, so that the layout operations
// leave it where it is.
constexpr int QX_SIZE_DEFINED = 1;
constexpr int QX_SIZE_MAXIMAL = 3;

// One selected object; owned by the selection list.
class QXCORE_API OBJSEL : public HUGELNODE {
public:
    explicit OBJSEL(OBJET* object) : object(object) {}
    OBJET* object;
};

class QXCORE_API OBJSEL_LIST : public HUGELIST {
public:
    explicit OBJSEL_LIST(KERNEL* kernel) : kernel(kernel) {}

    // Adding and removing go through these two, which keep the host and the selection
    // extent informed.
    OBJSEL_LIST& operator+=(HUGELNODE* node);
    OBJSEL_LIST& operator-=(HUGELNODE* node);
    OBJSEL* Find(const OBJET* object);
    OBJET* GetObjet(int index);

    KERNEL* kernel;
};

// Makes the object the whole selection; 1 when it was added.
QXCORE_EXPORT int KernSelectObject(KERNEL* kernel, OBJET* object);
// Selection by click: with MK_CONTROL in the click's wParam the object's selection toggles,
// otherwise it becomes the whole selection unless it is selected already.
QXCORE_EXPORT void KernEventSelectObject(KERNEL* kernel, OBJET* object, MSGL* click);
QXCORE_EXPORT void KernUnSelectAllObjects(KERNEL* kernel);
QXCORE_EXPORT int KernObjectsSelected(KERNEL* kernel);
// SetBeParent(1) on every selected object, then the page is re-linked and told of it.
QXCORE_EXPORT void KernChainAllObject(KERNEL* kernel);
// SetBeParent(0) on every selected object (before a change).
QXCORE_EXPORT void KernUnChainAllObject(KERNEL* kernel);
// Invalidates the selection's extent on the page window.
QXCORE_EXPORT void KernInvalidateRectObjectSelected(KERNEL* kernel);
// Raises the selected objects to the top of their parents' children.
QXCORE_EXPORT void KernBringSelectObjectToTop(KERNEL* kernel);
// Recomputes the selection's extent and places the handle windows.
QXCORE_EXPORT void CalculedExtent(KERNEL* kernel);
// 1 when the window of the parent's last child overlaps the window of another child.
QXCORE_EXPORT int IntersectBrother(OBJET* parent);

// Selects every object of the page shown whose client rectangle (screen pixels) lies wholly
// inside the rectangle; returns how many were newly selected. The page root is never taken.
QXCORE_EXPORT int KernSelectObjectInRect(KERNEL* kernel, int left, int top, int right, int bottom);
// Selects every object of the page shown but its root, as one undo step; returns how many.
QXCORE_EXPORT int KernSelectAllObjects(KERNEL* kernel);
// Moves the selected objects by dx, dy pixels, as one undo step. Objects of maximal size
// stay where they are.
QXCORE_EXPORT void KernMoveObjet(KERNEL* kernel, int dx, int dy);
// Aligns the selected objects on one edge of the selection's extent, or stretches one of
// their edges to it; the edge is given by an arrow key's virtual-key code.
QXCORE_EXPORT void KernAlignObjSel(KERNEL* kernel, int key);
QXCORE_EXPORT void KernExpandObjSel(KERNEL* kernel, int key);
// Lowers the selected objects to the bottom of their parents' children.
QXCORE_EXPORT void KernBringSelectObjectToBack(KERNEL* kernel);
// Deletes the selected objects as one undo step (undoing puts them back).
QXCORE_EXPORT void KernDeleteSelectObjects(KERNEL* kernel);
