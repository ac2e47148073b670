// The camera module "qxcamutl.dll" as its callers see it: the entry points bound by name and
// the record of the size an imported picture is meant for.
#pragma once

#include <windows.h>
#include <commdlg.h>

constexpr const char* QCAM_MODULE = "qxcamutl.dll";

constexpr const char* QCAM_DLLINIT_EXPORT = "qcam_DLLInit";
constexpr const char* QCAM_DLLSHUTDOWN_EXPORT = "qcam_DLLShutdown";          // optional
constexpr const char* QCAM_SETDLGSAVEINFO_EXPORT = "qcam_SetDlgSaveInfo";
constexpr const char* QCAM_OPENIMPORTPICBOX_EXPORT = "qcam_OpenImportPicBox";

// Where the stand-in finds the camera's pictures: the folder named by this environment
// variable, else the folder "CAMERA" in the application folder given to qcam_DLLInit.
constexpr const char* QCAM_CAMERA_VARIABLE = "QXCAMUTL_CAMERA";
constexpr const char* QCAM_CAMERA_FOLDER = "CAMERA";

// The size the imported picture is meant for, and the text that marks the kept original.
struct QCAM_SAVEINFO {
    int width;
    int height;
    char suffix[16];
};

// qcam_DLLInit(application folder ending in a backslash): non-zero when a camera is there.
// Until it has answered so, imports fail.
using QCAM_DLLINIT = int(WINAPI*)(const char* appPath);
using QCAM_DLLSHUTDOWN = void(WINAPI*)();
// Remembers the record for the next import (copied); null forgets it.
using QCAM_SETDLGSAVEINFO = void(WINAPI*)(const QCAM_SAVEINFO* info);
// Shows the import box owned by `owner`. The request is the platform's OPENFILENAMEA:
// lpstrFile (nMaxFile bytes) and lpstrFileTitle (nMaxFileTitle bytes) receive the imported
// file's full name and name, lpstrInitialDir is the folder it is copied into. 0 when a picture
// was imported; non-zero when cancelled or nothing could be imported. `kernel` is the caller's
// context, passed through and not read.
using QCAM_OPENIMPORTPICBOX = int(WINAPI*)(OPENFILENAMEA* request, HWND owner, void* kernel);

// The import box: its list of the camera's pictures and the line that shows the record of
// qcam_SetDlgSaveInfo. For tests that answer it.
constexpr int QCAM_PICTURE_LIST_ID = 100;
constexpr int QCAM_SAVEINFO_TEXT_ID = 101;
