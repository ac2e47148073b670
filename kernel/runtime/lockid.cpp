// Logical locks on shared devices: an object claims an id; a holder of lower or equal
// priority is asked to give it up.
#include "accessors.h"

#include "kerntree.h"
#include "objet.h"

namespace {

LOCKED_ID* FindLock(KERNEL* kernel, int id)
{
    for (int i = 0; i < kernel->lockedIds.Items(); ++i) {
        auto* lock = static_cast<LOCKED_ID*>(kernel->lockedIds.GetItem(i));
        if (lock->id == id)
            return lock;
    }
    return nullptr;
}

}  // namespace

int KernLockId(KERNEL* kernel, OBJET* object, int id, int priority)
{
    if (!kernel || !object)
        return 0;
    while (LOCKED_ID* lock = FindLock(kernel, id)) {
        if (lock->holder == object)
            return 1;
        if (priority < lock->priority)
            return 0;
        MSGL ask = {static_cast<WORD>(kernel->mode & 0xFFFF), nullptr, KM_IDREQUEST, 0, 0};
        if (!lock->holder->KernelMessage(&ask))
            return 0;
        // The holder may have released the id itself while it was asked.
        if (FindLock(kernel, id) == lock) {
            kernel->lockedIds.Remove(lock);
            delete lock;
        }
    }
    kernel->lockedIds.AddTail(new LOCKED_ID(id, object, priority));
    return 1;
}

int KernUnlockId(KERNEL* kernel, int id)
{
    LOCKED_ID* lock = kernel ? FindLock(kernel, id) : nullptr;
    if (!lock)
        return 0;
    kernel->lockedIds.Remove(lock);
    delete lock;
    KernBroadCastToObjet(kernel, KernGetTopObjet(kernel), KM_IDRELEASED, static_cast<WPARAM>(id), 0);
    return 1;
}
