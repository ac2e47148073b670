// The stand-in's dialog: edits a run of picture records in place, one picture at a time.
#pragma once

#include "tagpick_api.h"

// What the button's and the image's records share, at the places the API fixes.
struct PICTURE_SETTINGS {
    char fileName[TAGPICK_NAME_SIZE];
    int callerWord;  // the button's zero, the image's keep-ratio flag: never touched
    int rotation;
    BYTE transparent;
    BYTE transparentPadding[3];
    COLORREF transparentColour;
    int crop[4];
    BYTE flipVertical;
    BYTE flipHorizontal;
};
static_assert(sizeof(PICTURE_SETTINGS) == sizeof(TAGPICK_BUTTON_PICTURE));
static_assert(offsetof(PICTURE_SETTINGS, transparent) == offsetof(TAGPICK_BUTTON_PICTURE, transparentEnable));
static_assert(offsetof(PICTURE_SETTINGS, crop) == offsetof(TAGPICK_BUTTON_PICTURE, cropX));
static_assert(offsetof(PICTURE_SETTINGS, flipHorizontal) == offsetof(TAGPICK_IMAGE_PICTURE, flipHorizontal));

// 1 when the user confirmed (the records then hold the edits), 0 when cancelled.
int EditPictures(HINSTANCE module, HWND owner, PICTURE_SETTINGS* pictures, int count);
