// The undo list of a kernel: pushing records, undoing one step, and whether the page
// changed since it was saved.
#include "undo.h"

#include "../runtime/kernel.h"

void UNDO_LIST::Push(UNDO* record)
{
    // Reverting a change makes changes of its own; none of them is recorded.
    if (executing) {
        delete record;
        return;
    }
    const int before = Items();
    *this += record;
    if (record->mark != 1 || before == 0)
        return;
    // An empty group leaves nothing behind.
    auto* previous = static_cast<UNDO*>(GetItem(before - 1));
    if (previous->mark != -1)
        return;
    *this -= record;
    *this -= previous;
    delete record;
    delete previous;
}

void UNDO_LIST::Pop()
{
    // Restored positions are not snapped to the grid.
    const int grid = kernel->gridActive;
    kernel->gridActive = 0;
    executing = 1;
    int sum = 0;
    do {
        if (Items() == 0)
            break;
        auto* last = static_cast<UNDO*>(GetItem(Items() - 1));
        sum += last->Execute();
        *this -= last;
        delete last;
    } while (sum != 0);
    executing = 0;
    kernel->gridActive = grid;
}

int UNDO_LIST::IsModified()
{
    for (int i = 0; i < Items(); ++i) {
        if (static_cast<UNDO*>(GetItem(i))->changesPage)
            return 1;
    }
    return 0;
}

UNDO_LIST& UNDO_LIST::operator+=(LNODE* record)
{
    AddTail(record);
    if (kernel->eventUndo)
        kernel->eventUndo(kernel->appPointer, Items());
    return *this;
}

UNDO_LIST& UNDO_LIST::operator-=(LNODE* record)
{
    Remove(record);
    if (kernel->eventUndo)
        kernel->eventUndo(kernel->appPointer, Items());
    return *this;
}

void KernUndoPush(KERNEL* kernel, UNDO* record)
{
    if (!record)
        return;
    if (!kernel || kernel->mode == QX_MODE_PRESENTATION) {
        delete record;
        return;
    }
    kernel->undo.Push(record);
}

void KernUndoPop(KERNEL* kernel)
{
    if (kernel)
        kernel->undo.Pop();
}

void KernUndoRemoveEntry(KERNEL* kernel, UNDO* record)
{
    if (!kernel || !record)
        return;
    for (int i = kernel->undo.Items() - 1; i >= 0; --i) {
        if (kernel->undo.GetItem(i) == record) {
            kernel->undo -= record;
            delete record;
            return;
        }
    }
}

void KernFlushUndoBuffer(KERNEL* kernel)
{
    if (!kernel)
        return;
    while (kernel->undo.Items() > 0) {
        LNODE* first = kernel->undo.GetItem(0);
        kernel->undo -= first;
        delete first;
    }
}
