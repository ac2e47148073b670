// qxcamutl.dll, a stand-in for the outside camera module: a folder plays the camera's memory
// card, and importing copies one of its pictures into the caller's folder.
#include "import_box.h"

#include <optional>
#include <string>

namespace {

HINSTANCE cameraModule = nullptr;
std::string appFolder;
// A module that was never initialised does not talk to the camera.
bool initialised = false;
std::optional<QCAM_SAVEINFO> saveInfo;

std::string WithBackslash(std::string folder)
{
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/')
        folder += '\\';
    return folder;
}

// The camera's pictures, "" when no camera is connected (no such folder).
std::string CameraFolder()
{
    char named[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA(QCAM_CAMERA_VARIABLE, named, sizeof named);
    std::string folder = length > 0 && length < sizeof named ? WithBackslash(named)
                                                             : appFolder + QCAM_CAMERA_FOLDER + "\\";
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? folder : "";
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        cameraModule = instance;
    return TRUE;
}

#define QCAM_EXPORT extern "C" __declspec(dllexport)

QCAM_EXPORT int WINAPI qcam_DLLInit(const char* appPath)
{
    try {
        appFolder = WithBackslash(appPath ? appPath : "");
        initialised = !CameraFolder().empty();
        return initialised ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

QCAM_EXPORT void WINAPI qcam_DLLShutdown()
{
    saveInfo.reset();
    initialised = false;
}

QCAM_EXPORT void WINAPI qcam_SetDlgSaveInfo(const QCAM_SAVEINFO* info)
{
    if (info)
        saveInfo = *info;
    else
        saveInfo.reset();
}

QCAM_EXPORT int WINAPI qcam_OpenImportPicBox(OPENFILENAMEA* request, HWND owner, void*)
{
    if (!initialised)
        return 2;
    try {
        return ImportPicture(cameraModule, request, owner, CameraFolder(), saveInfo ? &*saveInfo : nullptr);
    } catch (...) {
        return 2;
    }
}
