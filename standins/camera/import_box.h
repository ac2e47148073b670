// The stand-in's import box: the user picks one of the camera's pictures, which is copied into
// the caller's folder as if it came off the camera.
#pragma once

#include "qxcamutl_api.h"

#include <string>

// 0 when a picture was imported (its names are in the request), 1 when the user cancelled,
// 2 when nothing could be imported (no camera folder, no target folder, a failed copy, or a
// name too long for the request's buffers).
int ImportPicture(HINSTANCE module, OPENFILENAMEA* request, HWND owner, const std::string& cameraFolder,
                  const QCAM_SAVEINFO* saveInfo);
