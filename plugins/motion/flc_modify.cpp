// FLC::Modify: the settings dialog on a working copy, taken back only on "OK".
#include "flc.h"

#include "anim.h"
#include "flc_settings.h"
#include "kernel.h"
#include "objdialog.h"
#include "objgeometry.h"
#include "qxsupport.h"

namespace {

bool HasContent(const FLC& object)
{
    return object.series ? object.anim && object.anim->Count() > 0 : object.mediaName.length() > 0;
}

// The dialog's results.
constexpr INT_PTR DIALOG_OK = 0;

}  // namespace

int FLC::Modify()
{
    FLC* copy = NewDialogCopy(*this);
    if (!copy)
        return 0;
    const QXSTRING keptFile = mediaName;
    const QXSTRING keptSound = currentSound;
    const MODALDIALOG dialog(module, KernGetAppWindow(kernel), "DLG_FLC_SET", FlcSettingsProc,
                             reinterpret_cast<LPARAM>(copy));
    if (dialog.result != DIALOG_OK) {
        mediaLocal = "";
        currentSoundLocal = "";
        mediaName = keptFile;
        currentSound = keptSound;
        delete copy;
        return 0;
    }
    const bool content = HasContent(*copy);
    if (!content && !loaded) {
        delete copy;
        return 0;
    }
    mediaLocal = "";
    TakeDialogCopy(*this, *copy);
    delete copy;
    if (!content)
        mediaName = keptFile;
    if (window) {
        // The copy's assignment reopened the media; the preview may have resized the object.
        UnitsFromPixels(this);
        MoveWindow(window, x, y, w, h, TRUE);
        Layout();
        if (controlBar)
            MoveWindow(controlBar, 0, h - FLC_CONTROL_BAR_HEIGHT, w, FLC_CONTROL_BAR_HEIGHT, TRUE);
    }
    return 1;
}
