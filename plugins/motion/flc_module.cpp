// The motion module: entry point, tool record, creation and drop, and what its objects share.
#include "flc.h"
#include "flc_settings.h"

#include "accessors.h"
#include "anim.h"
#include "flic_player.h"
#include "kernel.h"
#include "kerntree.h"
#include "mci_drivers.h"
#include "motionres.h"
#include "objgeometry.h"
#include "qxplugin.h"
#include "qxsupport.h"

namespace {

HINSTANCE thisModule = nullptr;
TOOLBITMAPS toolBitmaps;
int liveObjects = 0;

// The window class of the settings dialog's preview.
constexpr const char PREVIEW_CLASS[] = "FLCSAMPWIND";

bool RegisterPreviewClass(HINSTANCE module)
{
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_PARENTDC;
    windowClass.lpfnWndProc = FlcPreviewProc;
    windowClass.cbWndExtra = QX_OBJECT_WINDOW_EXTRA;
    windowClass.hInstance = module;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    windowClass.lpszClassName = PREVIEW_CLASS;
    return RegisterClassA(&windowClass) != 0;
}

// The media a drop accepts.
constexpr const char DROPPED_SUFFIXES[] = "FLC FLI AVI MOV MPG MPEG QT SWF";
constexpr int NEW_WIDTH = 320;
constexpr int NEW_HEIGHT = 200;
constexpr int DROPPED_SIDE = 320;

}  // namespace

HINSTANCE MotionModule() { return thisModule; }

int LiveObjects() { return liveObjects; }

void CountObjectIn()
{
    if (liveObjects++ == 0) {
        RegisterFlicPlayerClass(thisModule);
        HoldMciDrivers();
    }
}

void CountObjectOut()
{
    if (--liveObjects == 0) {
        UnregisterFlicPlayerClass();
        ReleaseMciDrivers();
    }
}

QXPLUGIN_EXPORT OBJET* AllocObjet(KERNEL* kernel) { return new FLC(kernel, thisModule); }

QXPLUGIN_EXPORT int GetNumberTools(int, int category) { return ToolCount(category); }

QXPLUGIN_EXPORT void AddAnm(KERNEL* kernel, int);

QXPLUGIN_EXPORT void GetTool(int, int category, TOOLINFO* tool, int)
{
    FillToolInfo(thisModule, toolBitmaps, AddAnm, IDS_TOOLTIP, "anim.pag", category, tool);
}

QXPLUGIN_EXPORT void AddAnm(KERNEL* kernel, int)
{
    auto* flc = static_cast<FLC*>(AllocObjet(kernel));
    if (!flc)
        return;
    flc->series = 1;
    flc->anim = std::make_unique<ANIM>();
    flc->SetBeParent(0);
    OBJET* parent = KernLocateParent(kernel, flc);
    RECT client{};
    if (parent && parent->window)
        GetClientRect(parent->window, &client);
    flc->OBJET::SetXYWH((client.right - NEW_WIDTH) / 2, (client.bottom - NEW_HEIGHT) / 2, NEW_WIDTH, NEW_HEIGHT);
    if (!flc->Modify()) {
        delete flc;
        return;
    }
    UnitsFromPixels(flc);
    flc->loaded = 1;
    KernLinkParentChild(parent, flc, 0);
    KernUpdateNewObjet(kernel, flc);
}

QXPLUGIN_EXPORT int FileDropped(KERNEL* kernel, const char* path, POINT* drop)
{
    if (!kernel || !path || !*path || !HasSuffixIn(path, DROPPED_SUFFIXES) || kernel->loadedPages.Items() == 0)
        return 0;
    auto* flc = static_cast<FLC*>(AllocObjet(kernel));
    if (!flc)
        return 0;
    flc->mediaName = path;
    flc->SetBeParent(0);
    OBJET* parent = KernLocateParent(kernel, flc);
    if (!parent) {
        delete flc;
        return 0;
    }
    KernLinkParentChild(parent, flc, 0);
    const POINT at = DroppedPlace(KernGetTopParentObjet(kernel, parent), drop, DROPPED_SIDE, DROPPED_SIDE);
    flc->OBJET::SetXYWH(at.x, at.y, DROPPED_SIDE, DROPPED_SIDE);
    UnitsFromPixels(flc);
    flc->loaded = 1;
    KernUpdateNewObjet(kernel, flc);
    return 1;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        thisModule = instance;
        toolBitmaps.Load(instance);
        RegisterPreviewClass(instance);
        MediaFinishedMessage();
    } else if (reason == DLL_PROCESS_DETACH) {
        toolBitmaps.Free();
        UnregisterClassA(PREVIEW_CLASS, instance);
    }
    return TRUE;
}
