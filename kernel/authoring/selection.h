// The selection of objects for editing: the kernel's OBJSEL_LIST and the operations that
// select, unselect, re-link and re-stack the selected objects.
#pragma once

#include "../runtime/qxkernel.h"

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
