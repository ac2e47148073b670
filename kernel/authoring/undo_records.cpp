// The undo records that the kernel's own operations push: selection toggles, added objects,
// snapshots of modified objects and changes of the stacking order.
#include "undo.h"

#include "selection.h"
#include "../runtime/filefetch.h"
#include "../runtime/kernel.h"
#include "../runtime/kerntree.h"
#include "../runtime/objet.h"
#include "../runtime/pagefiles.h"
#include "qxfile.h"
#include "qxpath.h"

namespace {

// A page root that lays its objects out in pixels has its snapshots written in pixels.
int SnapshotUnits(KERNEL* kernel)
{
    OBJET* root = KernGetTopObjet(kernel);
    return root && root->sizeDep ? 0 : 1;
}

// The object's record read back from the snapshot; null when it cannot be read.
OBJET* ReadSnapshot(KERNEL* kernel, const char* snapshot)
{
    const QXFILE file = QXopen(snapshot, 0);
    if (!file)
        return nullptr;
    kernel->undoSave = 1;
    OBJET* read = KernLoadTree(kernel, file, SnapshotUnits(kernel), 0);
    kernel->undoSave = 0;
    QXclose(file);
    return read;
}

// The object takes the snapshot's values and keeps its own window.
void TakeValues(OBJET* object, OBJET* read)
{
    const HWND window = object->window;
    *object = *read;
    object->window = window;
    KillObjet(read);
}

void PutBack(OBJET* object, OBJET* parent, int index)
{
    if (!parent)
        return;
    if (object->GetParent())
        object->GetParent()->RemoveChild(object);
    parent->InsertChild(object, index);
    if (object->window && parent->window)
        SetParent(object->window, parent->window);
}

}  // namespace

UNDO_SELUNSEL::UNDO_SELUNSEL(OBJET* object) : UNDO(object->kernel, 0, 0), object(object) {}

int UNDO_SELUNSEL::Execute()
{
    MSGL click = {static_cast<WORD>(kernel->mode), object->window, WM_LBUTTONUP, MK_CONTROL, 0};
    KernEventSelectObject(kernel, object, &click);
    KernChainAllObject(kernel);
    KernInvalidateRectObjectSelected(kernel);
    return mark;
}

UNDO_ADD::UNDO_ADD(OBJET* object) : UNDO(object->kernel, 1, 0), object(object) {}

int UNDO_ADD::Execute()
{
    OBJET* top = KernGetTopObjet(kernel);
    if (object->window && top && top->window) {
        RECT area;
        GetClientRect(object->window, &area);
        MapWindowPoints(object->window, top->window, reinterpret_cast<POINT*>(&area), 2);
        InvalidateRect(top->window, &area, TRUE);
    }
    if (OBJSEL* node = kernel->selection.Find(object)) {
        kernel->selection -= node;
        delete node;
    }
    object->SetBeParent(0);
    KillObjet(object);
    KernChainAllObject(kernel);
    return mark;
}

UNDO_MODIFY::UNDO_MODIFY(OBJET* object)
    : UNDO(object->kernel, 1, 0), object(object), parent(object->GetParent()), index(object->FindPos())
{
    const char* cache = KernGetCachePath(kernel);
    if (!QXCreateTempFileNameStr(*cache ? cache : nullptr, nullptr, &snapshot, 1))
        return;
    const QXFILE file = QXopen(snapshot, 1);
    if (!file)
        return;
    int units = SnapshotUnits(kernel);
    kernel->undoSave = 1;
    object->Save(file, units, 1);
    kernel->undoSave = 0;
    QXclose(file);
}

UNDO_MODIFY::~UNDO_MODIFY()
{
    if (snapshot.length() > 0)
        DeleteFileA(snapshot);
}

int UNDO_MODIFY::Execute()
{
    MSGL leave = {static_cast<WORD>(kernel->mode), nullptr, KM_LEAVEPAGE, 0, 0};
    if (!object->GetParent()) {
        OBJET* read = ReadSnapshot(kernel, snapshot);
        if (read) {
            object->UnSelect();
            TakeValues(object, read);
            object->Select();
            if (object->window)
                InvalidateRect(object->window, nullptr, TRUE);
        }
        return mark;
    }
    KernUnChainAllObject(kernel);
    PutBack(object, parent, index);
    OBJET* read = ReadSnapshot(kernel, snapshot);
    if (!read)
        return mark;
    TakeValues(object, read);
    object->UnSelect();
    if (object->window)
        SetWindowPos(object->window, nullptr, object->x, object->y, object->w, object->h,
                     SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER);
    object->Select();
    object->KernelMessage(&leave);
    KernChainAllObject(kernel);
    KernInvalidateRectObjectSelected(kernel);
    return mark;
}

UNDO_ZORDER::UNDO_ZORDER(OBJET* object)
    : UNDO(object->kernel, 1, 0), object(object), parent(object->GetParent()), index(object->FindPos())
{
}

int UNDO_ZORDER::Execute()
{
    if (!parent)
        return mark;
    PutBack(object, parent, index);
    if (object->window)
        SetWindowPos(object->window, HWND_TOP, 0, 0, 0, 0,
                     SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE |
                         (IntersectBrother(parent) ? 0 : SWP_NOZORDER));
    return mark;
}
