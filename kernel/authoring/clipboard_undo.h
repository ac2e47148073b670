// The undo records that put the clipboard back as it was before a copy overwrote it, and
// the snapshot that pushes them.
#pragma once

#include "clipboard_support.h"
#include "undo.h"

#include <memory>

// Formats whose data is a handle of GDI or of the owner rather than a global block: after
// EmptyClipboard the handle is gone, so its bytes cannot be put back. The system makes
// the bitmap and text forms again from the formats that are restored.
QXCORE_EXPORT bool KernClipboardFormatHoldsHandle(UINT format);

// Pushes the clipboard's content as one group: undone backwards, it opens the clipboard,
// empties it, puts every saved format back and closes it. Nothing when the clipboard cannot
// be opened.
void KernSaveClipboardForUndo(KERNEL* kernel);

// Undone last of the group: the clipboard is closed again.
class QXCORE_API UNDO_MARK_CLIPBOARD_BEGIN : public UNDO {
public:
    explicit UNDO_MARK_CLIPBOARD_BEGIN(KERNEL* kernel) : UNDO(kernel, 0, -1) {}
    int Execute() override;
};

// Undone first of the group: the clipboard is opened for the records that follow.
class QXCORE_API UNDO_MARK_CLIPBOARD_END : public UNDO {
public:
    explicit UNDO_MARK_CLIPBOARD_END(KERNEL* kernel) : UNDO(kernel, 0, 1) {}
    int Execute() override;
};

class QXCORE_API UNDO_CLIPBOARD_EMPTY : public UNDO {
public:
    explicit UNDO_CLIPBOARD_EMPTY(KERNEL* kernel) : UNDO(kernel, 0, 0) {}
    int Execute() override;
};

// One format of the clipboard: its bytes wait in a scratch file of the cache folder until
// the record is undone or discarded.
class QXCORE_API UNDO_CLIPBOARD : public UNDO {
public:
    UNDO_CLIPBOARD(KERNEL* kernel, UINT format, size_t size, const void* data);
    int Execute() override;

    UINT format;
    size_t size;
    std::unique_ptr<CLIPTEMPFILE> saved;  // null when nothing could be saved
};
