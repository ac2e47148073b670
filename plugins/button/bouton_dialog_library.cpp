// The library of button templates: a template's four pictures put into the picture slots.
#include "bouton_dialog_parts.h"

#include "librarychooser.h"
#include "resource.h"

namespace {
constexpr const char* LibraryHelpPage = "BUTLIB.PAG";
}

void ChooseFromLibrary(HWND dialog, BOUTON& copy)
{
    QXTMPL_BLOCK block{};
    block.category = QXTMPL_CATEGORY_BUTTON;
    block.flags = QXTMPL_FLAGS_BUTTON;
    // The template's files come in the order of the slots: released, pressed, mask, mouse-over.
    QXSTRING files[BOUTON_IMAGES];
    if (!ChooseLibraryFiles(copy.kernel, dialog, block, LibraryHelpPage, files, BOUTON_IMAGES))
        return;
    HWND bitmapStyle = GetDlgItem(dialog, IDC_STYLE_BITMAP);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_STYLE_BITMAP, BN_CLICKED), reinterpret_cast<LPARAM>(bitmapStyle));
    for (int i = 0; i < BOUTON_IMAGES; ++i) {
        const int image = ButtonSlots[i].image;
        if (image == BOUTON_IMAGE_RELEASED)
            copy.sizeFromImage = 1;
        copy.imageNames[image] = files[i];
        ShowSlotName(dialog, image, files[i]);
        RefreshSlot(dialog, copy, image, true);
    }
}
