// The undo records that the kernel's own operations push: selection toggles, added objects,
// snapshots of modified objects, deleted objects, changes of the stacking order, and moves
// and sizes.
#include "undo.h"

#include "selection.h"
#include "windowgeometry.h"
#include "../runtime/filefetch.h"
#include "../runtime/kernel.h"
#include "../runtime/kerntree.h"
#include "../runtime/objet.h"
#include "../runtime/pagefiles.h"
#include "qxfile.h"
#include "qxpath.h"
#include "qxsupport.h"

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

int UNDO_MARK_MOVE_SIZE_BEGIN::Execute()
{
    KernChainAllObject(kernel);
    KernInvalidateRectObjectSelected(kernel);
    return mark;
}

int UNDO_MARK_MOVE_SIZE_END::Execute()
{
    KernUnChainAllObject(kernel);
    KernInvalidateRectObjectSelected(kernel);
    return mark;
}

UNDO_MOVE_SIZE::UNDO_MOVE_SIZE(OBJET* object)
    : UNDO(object->kernel, 1, 0), object(object), parent(object->GetParent()), pixelLayout(0),
      x(object->x), y(object->y), width(object->w), height(object->h), index(object->FindPos())
{
    if (OBJET* root = KernGetTopObjet(kernel))
        pixelLayout = root->sizeDep;
    if (object->window) {
        const RECT area = ClientInParent(object->window);
        x = area.left;
        y = area.top;
        width = area.right - area.left;
        height = area.bottom - area.top;
    }
    ux = KernS2Ux(kernel, x);
    uy = KernS2Uy(kernel, y);
    uw = KernS2Ux(kernel, width) - KernS2Ux(kernel, 0);
    uh = KernS2Uy(kernel, height) - KernS2Uy(kernel, 0);
}

int UNDO_MOVE_SIZE::Execute()
{
    if (parent)
        PutBack(object, parent, index);
    if (!object->window)
        return mark;
    RECT client = {x, y, x + width, y + height};
    if (!pixelLayout) {
        client.left = KernU2Sx(kernel, ux);
        client.top = KernU2Sy(kernel, uy);
        client.right = client.left + KernU2Sx(kernel, uw) - KernU2Sx(kernel, 0);
        client.bottom = client.top + KernU2Sy(kernel, uh) - KernU2Sy(kernel, 0);
    }
    PlaceWindow(object->window, AddBorders(object->window, client), 0);
    return mark;
}

UNDO_DEL::UNDO_DEL(OBJET* object)
    : UNDO(object->kernel, 1, 0), object(object), parent(object->GetParent()), index(object->FindPos())
{
    KernRemoveFtpProcess(kernel, object);
    if (kernel->hovered == object)
        KernObjetOut(kernel);
    if (parent)
        parent->RemoveChild(object);
    if (object->window) {
        ShowWindow(object->window, SW_HIDE);
        // The hidden window no longer reaches its object while the record holds it.
        SetWindowLongPtrA(object->window, QXWL_OBJET, 0);
    }
}

UNDO_DEL::~UNDO_DEL() { KillObjet(object); }

int UNDO_DEL::Execute()
{
    if (!object)
        return mark;
    if (object->window)
        SetWindowLongPtrA(object->window, QXWL_OBJET, reinterpret_cast<LONG_PTR>(object));
    if (object != KernGetTopObjet(kernel))
        PutBack(object, parent, index);
    object->SetBeParent(1);
    if (object->window) {
        const int left = KernU2Sx(kernel, object->ux);
        const int top = KernU2Sy(kernel, object->uy);
        const RECT area = {left, top, left + KernU2Sx(kernel, object->uw) - KernU2Sx(kernel, 0),
                           top + KernU2Sy(kernel, object->uh) - KernU2Sy(kernel, 0)};
        PlaceWindow(object->window, area, 0);
    }
    object = nullptr;
    return mark;
}
