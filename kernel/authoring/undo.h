// Undo: every authoring change of a page is recorded in the kernel's UNDO_LIST as a record
// that can revert it. Mark records group records into one user action; groups nest. The list
// also tells whether the page changed since it was last saved.
#pragma once

#include "../runtime/qxkernel.h"

class QXCORE_API UNDO : public LNODE {
public:
    UNDO(KERNEL* kernel, int changesPage, int mark) : kernel(kernel), changesPage(changesPage), mark(mark) {}
    // Reverts the change; returns the record's mark value.
    virtual int Execute() = 0;

    KERNEL* kernel;
    int changesPage;  // the record stands for a change of the page
    int mark;         // -1 begin of a group, +1 end, 0 any other record
};

class QXCORE_API UNDO_LIST : public LIST {
public:
    explicit UNDO_LIST(KERNEL* kernel) : kernel(kernel) {}

    // Appends the record (deletes it while an undo step runs); an end mark right after a
    // begin mark removes both.
    void Push(UNDO* record);
    // One undo step: the last record, or everything back to the begin mark of the last group.
    void Pop();
    // 1 while the list holds a change of the page.
    int IsModified();
    // Append or remove, then tell the host how many records there are.
    UNDO_LIST& operator+=(LNODE* record);
    UNDO_LIST& operator-=(LNODE* record);

    KERNEL* kernel;
    int executing = 0;
};

// Hands the record to the kernel's list in an authoring mode; deletes it in presentation mode,
// so callers always give the record away.
QXCORE_EXPORT void KernUndoPush(KERNEL* kernel, UNDO* record);
QXCORE_EXPORT void KernUndoPop(KERNEL* kernel);
// Removes and deletes the record when it is listed.
QXCORE_EXPORT void KernUndoRemoveEntry(KERNEL* kernel, UNDO* record);
// Deletes every record: the page counts as unmodified.
QXCORE_EXPORT void KernFlushUndoBuffer(KERNEL* kernel);

class QXCORE_API UNDO_MARK_BEGIN : public UNDO {
public:
    explicit UNDO_MARK_BEGIN(KERNEL* kernel) : UNDO(kernel, 0, -1) {}
    int Execute() override { return mark; }
};

class QXCORE_API UNDO_MARK_END : public UNDO {
public:
    explicit UNDO_MARK_END(KERNEL* kernel) : UNDO(kernel, 0, 1) {}
    int Execute() override { return mark; }
};

// A selection or unselection: undone by toggling the object's selection.
class QXCORE_API UNDO_SELUNSEL : public UNDO {
public:
    explicit UNDO_SELUNSEL(OBJET* object);
    int Execute() override;
    OBJET* object;
};

// An object added to the page: undone by destroying it.
class QXCORE_API UNDO_ADD : public UNDO {
public:
    explicit UNDO_ADD(OBJET* object);
    int Execute() override;
    OBJET* object;
};

// An object about to be modified: its record is written to a snapshot file in the cache
// folder, which undoing reads back into the object.
class QXCORE_API UNDO_MODIFY : public UNDO {
public:
    explicit UNDO_MODIFY(OBJET* object);
    ~UNDO_MODIFY() override;  // deletes the snapshot file
    int Execute() override;

    OBJET* object;
    OBJET* parent;
    int index;          // among the parent's children
    QXSTRING snapshot;  // "" when none could be written
};

// An object moved among its siblings: undone by putting it back at its place.
class QXCORE_API UNDO_ZORDER : public UNDO {
public:
    explicit UNDO_ZORDER(OBJET* object);
    int Execute() override;

    OBJET* object;
    OBJET* parent;
    int index;
};

// The marks around a move or size of the selection. Undone backwards: the end mark lets the
// selection go before the objects are put back, the begin mark links it again.
class QXCORE_API UNDO_MARK_MOVE_SIZE_BEGIN : public UNDO {
public:
    explicit UNDO_MARK_MOVE_SIZE_BEGIN(KERNEL* kernel) : UNDO(kernel, 0, -1) {}
    int Execute() override;
};

class QXCORE_API UNDO_MARK_MOVE_SIZE_END : public UNDO {
public:
    UNDO_MARK_MOVE_SIZE_END(KERNEL* kernel, long objects) : UNDO(kernel, 0, 1), objects(objects) {}
    int Execute() override;
    long objects;  // how many objects the group moved
};

// An object about to be moved or sized: undone by putting its window back, in pixels when
// the page lays its objects out in pixels, else from universe units.
class QXCORE_API UNDO_MOVE_SIZE : public UNDO {
public:
    explicit UNDO_MOVE_SIZE(OBJET* object);
    int Execute() override;

    OBJET* object;
    OBJET* parent;
    int pixelLayout;
    int x, y, width, height;  // the client area, in the parent window's client coordinates
    double ux, uy, uw, uh;
    int index;  // among the parent's children
};

// An object deleted from the page: it leaves the tree and its window is hidden, but the
// record keeps it, so that undoing puts it back; a deletion never undone frees the object
// with the record.
class QXCORE_API UNDO_DEL : public UNDO {
public:
    explicit UNDO_DEL(OBJET* object);
    ~UNDO_DEL() override;
    int Execute() override;

    OBJET* object;  // null once given back to the page
    OBJET* parent;
    int index;      // among the parent's children
};
