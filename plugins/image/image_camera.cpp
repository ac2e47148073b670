// The camera import: the outside camera module "qxcamutl.dll", loaded once for the process.
#include "image_dialog.h"

#include "kernel.h"
#include "objdialog.h"
#include "qxcamutl_api.h"

#include <cstring>

namespace {

HMODULE camera = nullptr;
bool cameraTried = false;
// Set once qcam_DLLInit has accepted: a camera that was not there at one press may be
// plugged in before the next, which then initialises the module.
bool cameraReady = false;

template <class Function>
Function Bind(const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(camera, name)));
}

bool InitCamera(KERNEL* kernel)
{
    if (cameraReady)
        return true;
    const auto init = Bind<QCAM_DLLINIT>(QCAM_DLLINIT_EXPORT);
    if (!init)
        return false;
    const HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    cameraReady = init(KernGetAppPath(kernel)) != 0;
    SetCursor(previous);
    return cameraReady;
}

}  // namespace

bool CameraAvailable()
{
    if (!cameraTried) {
        cameraTried = true;
        camera = LoadLibraryA(QCAM_MODULE);
    }
    return camera != nullptr;
}

bool ImportFromCamera(HWND dialog, IMAGE* copy, const char* current, QXSTRING* imported)
{
    KERNEL* kernel = copy->GetKernel();
    if (!CameraAvailable() || !InitCamera(kernel))
        return false;
    const auto open = Bind<QCAM_OPENIMPORTPICBOX>(QCAM_OPENIMPORTPICBOX_EXPORT);
    const auto setSaveInfo = Bind<QCAM_SETDLGSAVEINFO>(QCAM_SETDLGSAVEINFO_EXPORT);
    if (!open)
        return false;
    char file[QX_NAME_BUFFER] = "";
    char title[QX_NAME_BUFFER] = "";
    lstrcpynA(file, current, sizeof file);
    const QXSTRING folder = *current ? FolderOf(current) : QXSTRING(KernGetScnPath(kernel));
    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = dialog;
    request.lpstrFile = file;
    request.nMaxFile = sizeof file;
    request.lpstrFileTitle = title;
    request.nMaxFileTitle = sizeof title;
    request.lpstrInitialDir = folder;
    request.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_NOREADONLYRETURN;
    // A picture meant for an object already on the page keeps that object's size.
    const bool withSaveInfo = copy->keepRatio && copy->loaded && setSaveInfo;
    if (withSaveInfo) {
        QCAM_SAVEINFO info{copy->w, copy->h, {}};
        lstrcpynA(info.suffix, "_SOURCE", sizeof info.suffix);
        setSaveInfo(&info);
    }
    const int answer = open(&request, dialog, kernel);
    if (withSaveInfo)
        setSaveInfo(nullptr);
    if (answer != 0)
        return false;
    *imported = file;
    return true;
}

void ReleaseCamera()
{
    if (!camera)
        return;
    if (const auto shutdown = Bind<QCAM_DLLSHUTDOWN>(QCAM_DLLSHUTDOWN_EXPORT))
        shutdown();
    FreeLibrary(camera);
    camera = nullptr;
    cameraTried = false;
    cameraReady = false;
}
