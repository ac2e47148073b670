// IMAGE::Modify: the settings dialog on a working copy, taken back only on "OK".
#include "image.h"

#include "image_dialog.h"
#include "kernel.h"
#include "objdialog.h"
#include "objgeometry.h"

int IMAGE::Modify()
{
    IMAGE* copy = NewDialogCopy(*this);
    if (!copy)
        return 0;
    const QXSTRING previousName = fileName;
    const INT_PTR answer = DialogBoxParamA(module, "DLG_IMG_SET", KernGetAppWindow(kernel), ImageDialogProc,
                                           reinterpret_cast<LPARAM>(copy));
    if (answer != 0) {
        delete copy;
        return 0;
    }
    TakeDialogCopy(*this, *copy);
    delete copy;
    localPath = "";
    if (!fileName.length()) {
        if (!loaded)
            return 0;
        fileName = previousName;
    }
    LoadPicture();
    SetInvisibility(keepRatio);
    if (loaded) {
        UnitsFromPixels(this);
        if (window)
            MoveWindow(window, x, y, w, h, TRUE);
    }
    if (window)
        InvalidateRect(window, nullptr, TRUE);
    return 1;
}
