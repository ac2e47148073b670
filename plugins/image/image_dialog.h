// The settings dialog "DLG_IMG_SET" of an image and its parts: the preview window
// "IMGSAMPWIND", the camera import through "qxcamutl.dll" and the picture's settings edited
// by the metadata module. The dialog works on a copy of the image.
#pragma once

#include "image.h"

// Ends with 0 for "OK" (the copy holds the new settings) and 1 for "Annuler"; lParam is the copy.
INT_PTR CALLBACK ImageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The preview's window class, registered while the module is attached.
void RegisterPreviewClass(HINSTANCE module);
void UnregisterPreviewClass(HINSTANCE module);
// The preview of the copy, placed inside the frame control; null when it cannot be made.
HWND CreatePreview(HWND dialog, int frameId, int previewId, IMAGE* copy);

// Loads the camera module once for the process; false when it is not there.
bool CameraAvailable();
// Imports a picture from the camera; true with its file name in `imported`.
bool ImportFromCamera(HWND dialog, IMAGE* copy, const char* current, QXSTRING* imported);
// Shuts the camera module down and frees it (module detach).
void ReleaseCamera();

// The picture's settings edited by the metadata module "Tagpick.dll" beside this module;
// nothing happens without it.
void EditMetaData(HWND dialog, IMAGE* copy);
