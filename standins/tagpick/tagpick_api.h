// The metadata module "Tagpick.dll" as its callers see it: one export, GetMetaData, that edits
// the settings of one or more pictures in place. The button dialog hands it one entry per
// state picture, the image dialog one block for its picture; both records hold no pointer,
// so they keep the same bytes in 32-bit and 64-bit builds.
#pragma once

#include <windows.h>

#include <cstddef>

// Module file name, formatted with the caller's own folder.
constexpr const char* TAGPICK_MODULE_FORMAT = "%sTagpick.dll";
constexpr const char* TAGPICK_EXPORT = "GetMetaData";
// The language the system's dialogs pass.
constexpr const char* TAGPICK_LANGUAGE_FRENCH = "French";
constexpr int TAGPICK_NAME_SIZE = 1024;

// One picture of a button (an array of three: released, pressed, mouse-over). The crop is a
// rectangle given by its corner and its size.
struct TAGPICK_BUTTON_PICTURE {
    char fileName[TAGPICK_NAME_SIZE];  // the local copy of the picture
    int reserved;                      // always 0
    int rotation;
    BYTE transparentEnable;
    COLORREF transparentColour;
    int cropX, cropY, cropWidth, cropHeight;
    BYTE flipVertical;
    BYTE flipHorizontal;
};

// The picture of an image object (one block). The crop is a rectangle given by its edges.
struct TAGPICK_IMAGE_PICTURE {
    char fileName[TAGPICK_NAME_SIZE];  // the file the dialog shows
    BYTE keepRatio;
    int rotation;
    int transparent;
    COLORREF transparentColour;
    int cropLeft, cropTop, cropRight, cropBottom;
    BYTE flipVertical;
    BYTE flipHorizontal;
};

// Both records put the same settings at the same places, which lets the module edit either
// without being told which one it holds; the crop's four numbers keep the caller's meaning.
// The module writes 0 or 1 into the first byte of the transparency word and leaves its three
// other bytes alone, so a caller that reads the whole word keeps them zero.
static_assert(sizeof(TAGPICK_BUTTON_PICTURE) == 1060 && sizeof(TAGPICK_IMAGE_PICTURE) == 1060);
static_assert(offsetof(TAGPICK_BUTTON_PICTURE, rotation) == 1028 && offsetof(TAGPICK_IMAGE_PICTURE, rotation) == 1028);
static_assert(offsetof(TAGPICK_BUTTON_PICTURE, transparentEnable) == 1032 &&
              offsetof(TAGPICK_IMAGE_PICTURE, transparent) == 1032);
static_assert(offsetof(TAGPICK_BUTTON_PICTURE, transparentColour) == 1036 &&
              offsetof(TAGPICK_IMAGE_PICTURE, transparentColour) == 1036);
static_assert(offsetof(TAGPICK_BUTTON_PICTURE, cropX) == 1040 && offsetof(TAGPICK_IMAGE_PICTURE, cropLeft) == 1040);
static_assert(offsetof(TAGPICK_BUTTON_PICTURE, flipVertical) == 1056 &&
              offsetof(TAGPICK_IMAGE_PICTURE, flipVertical) == 1056);

// GetMetaData(owner, language, count, pictures): edits `count` records in place in a modal
// dialog owned by `owner`; returns 1 when the user confirmed (the records hold the new
// settings) and 0 when cancelled or given nothing to edit (the records are unchanged).
// `pictures` points to TAGPICK_BUTTON_PICTURE[count] or to one TAGPICK_IMAGE_PICTURE.
using TAGPICK_GETMETADATA = int(WINAPI*)(HWND owner, const char* language, int count, void* pictures);
