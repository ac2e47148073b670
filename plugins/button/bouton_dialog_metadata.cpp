// The settings of the released, pressed and mouse-over pictures (rotation, transparent colour,
// crop, flips), edited by the outside metadata module found beside the button module.
#include "bouton_dialog_parts.h"

#include "objdialog.h"
#include "tagpick_api.h"

#include <cstring>

namespace {

constexpr int EditedImages[] = {BOUTON_IMAGE_RELEASED, BOUTON_IMAGE_PRESSED, BOUTON_IMAGE_OVER};
constexpr int EditedCount = sizeof EditedImages / sizeof EditedImages[0];

// The settings the module edits; the button's pictures and the module's entries name them alike.
template <class From, class To>
void CopySettings(const From& from, To& to)
{
    to.rotation = from.rotation;
    to.transparentEnable = from.transparentEnable;
    to.transparentColour = from.transparentColour;
    to.cropX = from.cropX;
    to.cropY = from.cropY;
    to.cropWidth = from.cropWidth;
    to.cropHeight = from.cropHeight;
    to.flipVertical = from.flipVertical;
    to.flipHorizontal = from.flipHorizontal;
}

void ToEntry(BOUTON& copy, int image, TAGPICK_BUTTON_PICTURE& entry)
{
    lstrcpynA(entry.fileName, copy.localCopies[image], sizeof entry.fileName);
    CopySettings(copy.Picture(image), entry);
}

}  // namespace

void EditPictureSettings(HWND dialog, BOUTON& copy)
{
    const HMODULE module = LoadModuleBeside(BoutonModule, TAGPICK_MODULE_FORMAT);
    if (!module)
        return;
    const auto getMetaData =
        reinterpret_cast<TAGPICK_GETMETADATA>(reinterpret_cast<void*>(GetProcAddress(module, TAGPICK_EXPORT)));
    if (getMetaData) {
        TAGPICK_BUTTON_PICTURE entries[EditedCount];
        std::memset(entries, 0, sizeof entries);
        for (int i = 0; i < EditedCount; ++i)
            ToEntry(copy, EditedImages[i], entries[i]);
        getMetaData(dialog, TAGPICK_LANGUAGE_FRENCH, EditedCount, entries);
        for (int i = 0; i < EditedCount; ++i) {
            const int image = EditedImages[i];
            CopySettings(entries[i], copy.Picture(image));
            // The mouse-over picture is taken whenever it imports; the others when they were shown.
            if (image == BOUTON_IMAGE_OVER || copy.Picture(image).Loaded())
                copy.PreparePicture(image);
        }
        RepaintPreview(copy);
    }
    FreeLibrary(module);
}
