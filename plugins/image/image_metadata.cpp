// The picture's settings (keep ratio, rotation, transparency, crop, flips) edited by the
// outside metadata module "Tagpick.dll" that lies beside this module.
#include "image_dialog.h"

#include "objdialog.h"
#include "tagpick_api.h"

namespace {

TAGPICK_IMAGE_PICTURE SettingsOf(const IMAGE* copy)
{
    TAGPICK_IMAGE_PICTURE picture{};
    lstrcpynA(picture.fileName, copy->dialogFileName, sizeof picture.fileName);
    picture.keepRatio = copy->keepRatio ? 1 : 0;
    picture.rotation = copy->rotation;
    picture.transparent = copy->transparent;
    picture.transparentColour = copy->transparentColour;
    picture.cropLeft = copy->crop[0];
    picture.cropTop = copy->crop[1];
    picture.cropRight = copy->crop[2];
    picture.cropBottom = copy->crop[3];
    picture.flipVertical = copy->flipVertical;
    picture.flipHorizontal = copy->flipHorizontal;
    return picture;
}

void TakeSettings(IMAGE* copy, const TAGPICK_IMAGE_PICTURE& picture)
{
    copy->keepRatio = picture.keepRatio ? 1 : 0;
    copy->rotation = picture.rotation;
    copy->transparent = picture.transparent ? 1 : 0;
    copy->transparentColour = picture.transparentColour;
    copy->crop[0] = picture.cropLeft;
    copy->crop[1] = picture.cropTop;
    copy->crop[2] = picture.cropRight;
    copy->crop[3] = picture.cropBottom;
    copy->flipVertical = picture.flipVertical ? 1 : 0;
    copy->flipHorizontal = picture.flipHorizontal ? 1 : 0;
}

}  // namespace

void EditMetaData(HWND dialog, IMAGE* copy)
{
    const HMODULE tagpick = LoadModuleBeside(ImageModule(), TAGPICK_MODULE_FORMAT);
    if (!tagpick)
        return;
    const auto getMetaData = reinterpret_cast<TAGPICK_GETMETADATA>(
        reinterpret_cast<void*>(GetProcAddress(tagpick, TAGPICK_EXPORT)));
    if (getMetaData) {
        TAGPICK_IMAGE_PICTURE picture = SettingsOf(copy);
        getMetaData(dialog, TAGPICK_LANGUAGE_FRENCH, 1, &picture);
        TakeSettings(copy, picture);
    }
    FreeLibrary(tagpick);
}
