// Saving the clipboard's formats into the undo list before a copy overwrites them, and
// putting them back when the copy is undone.
#include "clipboard_undo.h"

#include "../runtime/kernel.h"

#include <cstring>

namespace {

void SaveFormat(KERNEL* kernel, UINT format)
{
    const HANDLE data = GetClipboardData(format);
    const SIZE_T size = data ? GlobalSize(data) : 0;
    if (size == 0)
        return;
    const void* bytes = GlobalLock(data);
    if (!bytes)
        return;
    KernUndoPush(kernel, new UNDO_CLIPBOARD(kernel, format, size, bytes));
    GlobalUnlock(data);
}

}  // namespace

void KernSaveClipboardForUndo(KERNEL* kernel)
{
    // Presentation mode keeps no undo records: nothing to save the bytes for.
    if (!kernel || kernel->mode == QX_MODE_PRESENTATION)
        return;
    if (!OpenClipboard(KernClipboardWindow(kernel)))
        return;
    KernUndoPush(kernel, new UNDO_MARK_CLIPBOARD_BEGIN(kernel));
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
        if (!KernClipboardFormatHoldsHandle(format))
            SaveFormat(kernel, format);
    }
    KernUndoPush(kernel, new UNDO_CLIPBOARD_EMPTY(kernel));
    KernUndoPush(kernel, new UNDO_MARK_CLIPBOARD_END(kernel));
    CloseClipboard();
}

int UNDO_MARK_CLIPBOARD_BEGIN::Execute()
{
    CloseClipboard();
    return mark;
}

int UNDO_MARK_CLIPBOARD_END::Execute()
{
    OpenClipboard(KernClipboardWindow(kernel));
    return mark;
}

int UNDO_CLIPBOARD_EMPTY::Execute()
{
    EmptyClipboard();
    return mark;
}

UNDO_CLIPBOARD::UNDO_CLIPBOARD(KERNEL* kernel, UINT format, size_t size, const void* data)
    : UNDO(kernel, 0, 0), format(format), size(size)
{
    if (size == 0)
        return;
    auto file = std::make_unique<CLIPTEMPFILE>(kernel);
    if (file->Made() && file->WriteAll(static_cast<const char*>(data), size))
        saved = std::move(file);
}

int UNDO_CLIPBOARD::Execute()
{
    std::string bytes;
    // A file that lost bytes would put a damaged block on the clipboard.
    if (!saved || !saved->ReadAll(&bytes) || bytes.size() != size)
        return mark;
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, size);
    if (!block)
        return mark;
    if (void* target = GlobalLock(block)) {
        std::memcpy(target, bytes.data(), size);
        GlobalUnlock(block);
        // The clipboard owns the block only once it accepted it.
        if (SetClipboardData(format, block))
            return mark;
    }
    GlobalFree(block);
    return mark;
}

bool KernClipboardFormatHoldsHandle(UINT format)
{
    switch (format) {
    case CF_BITMAP:
    case CF_METAFILEPICT:
    case CF_PALETTE:
    case CF_ENHMETAFILE:
    case CF_OWNERDISPLAY:
    case CF_DSPTEXT:
    case CF_DSPBITMAP:
    case CF_DSPMETAFILEPICT:
    case CF_DSPENHMETAFILE:
        return true;
    default:
        return (format >= CF_PRIVATEFIRST && format <= CF_PRIVATELAST) ||
               (format >= CF_GDIOBJFIRST && format <= CF_GDIOBJLAST);
    }
}
