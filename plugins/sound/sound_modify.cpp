// SOUND::Modify: the settings dialog on a working copy, taken back only on "OK".
#include "sound.h"

#include "kernel.h"
#include "objdialog.h"
#include "qxsupport.h"
#include "sound_dialog.h"

int SOUND::Modify()
{
    SOUND* copy = NewDialogCopy(*this);
    if (!copy)
        return 0;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(SOUND*));
    auto** slot = block ? static_cast<SOUND**>(GlobalLock(block)) : nullptr;
    if (!slot) {
        if (block)
            GlobalFree(block);
        delete copy;
        return 0;
    }
    *slot = copy;
    GlobalUnlock(block);
    const MODALDIALOG dialog(module, KernGetAppWindow(kernel), "D_SOUND", SoundDialogProc,
                             reinterpret_cast<LPARAM>(block));
    GlobalFree(block);
    const bool accepted = dialog.result == 1 && (copy->fileName.length() || loaded);
    if (accepted) {
        TakeDialogCopy(*this, *copy);
        localPath = "";  // fetched again for the new file
    }
    copy->window = nullptr;  // a preview lent it the dialog's window, gone now
    delete copy;
    return accepted ? 1 : 0;
}
