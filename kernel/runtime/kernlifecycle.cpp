// KernStart and KernEnd for the process; KernConstructeur and KernDestructeur for one
// kernel, the first of which sets up what all kernels share (window classes, file cache,
// effect modules) and the last of which tears it down.
#include "kernel.h"

#include "accessors.h"
#include "branch.h"
#include "effects.h"
#include "extprog.h"
#include "filefetch.h"
#include "gadget.h"
#include "kernelprocess.h"
#include "kernelres.h"
#include "kerntree.h"
#include "objet.h"
#include "qxsupport.h"
#include "qxwebbinding.h"
#include "sound.h"
#include "../authoring/authoring.h"
#include "../authoring/selection.h"
#include "../authoring/undo.h"

namespace {

constexpr const char* ObjectWindowClass = "KernObjetWindow";
constexpr const char* DialogWindowClass = "DialogWindow";
// The cache may hold this many bytes: 15 MiB.
constexpr long CacheLimit = 0xF00000;
// The universe of the coordinate mapping, on both axes.
constexpr double UniverseHalf = 4096.0;

bool RegisterKernelClass(const char* name, UINT style, WNDPROC procedure)
{
    WNDCLASSA windowClass = {};
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.cbWndExtra = QX_OBJECT_WINDOW_EXTRA;
    windowClass.hInstance = KernProcess().module;
    windowClass.lpszClassName = name;
    return RegisterClassA(&windowClass) != 0;
}

void RegisterKernelClasses()
{
    const bool objects = RegisterKernelClass(ObjectWindowClass, CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_PARENTDC,
                                             KernObjetCommand);
    // The host of a page run as a dialog.
    const bool dialogs = RegisterKernelClass(DialogWindowClass, CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, DialogWindowProc);
    if (!objects || !dialogs)
        KernAlert(nullptr, IDS_INTERNAL_ERROR, IDS_CLASS_NOT_REGISTERED);
}

void OpenCache(const char* appFolder)
{
    QXSTRING folder;
    folder.Format("%sCACHE", appFolder);
    if (KernProcess().cache.InitCache(folder, CacheLimit))
        return;
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, sizeof windows);
    folder.Format("%s\\CACHE", windows);
    KernProcess().cache.InitCache(folder, CacheLimit);
}

// What the first kernel of the process sets up for all.
void SetUpProcess(const char* appFolder)
{
    RegisterKernelClasses();
    OpenCache(appFolder);
    KernLoadEffectModules(KernModuleFolder());
}

// What the last kernel of the process tears down.
void TearDownProcess()
{
    KernProcess().cache.CloseCache();
    UnregisterClassA(ObjectWindowClass, KernProcess().module);
    UnregisterClassA(DialogWindowClass, KernProcess().module);
    KernFreeEffectModules();
}

// The library's own cursor of that name, else the system's nearest one.
HCURSOR LoadKernelCursor(const char* name, LPCSTR fallback)
{
    const HCURSOR own = LoadCursorA(KernProcess().module, name);
    return own ? own : LoadCursorA(nullptr, fallback);
}

void LoadCursors(KERNEL* kernel)
{
    kernel->arrowCursor = LoadCursorA(nullptr, IDC_ARROW);
    kernel->handCursor = LoadKernelCursor("IDC_HAND", IDC_HAND);
    kernel->netArrowCursor = LoadKernelCursor("IDC_NETARROW", IDC_APPSTARTING);
    kernel->netHandCursor = LoadKernelCursor("IDC_NETHAND", IDC_APPSTARTING);
    kernel->netWaitCursor = LoadKernelCursor("IDC_NETWORK", IDC_WAIT);
}

// From the first page to the last, as the pages were loaded.
void ReleaseLoadedPages(KERNEL* kernel)
{
    while (kernel->loadedPages.Items() > 0) {
        auto* page = static_cast<TREE*>(kernel->loadedPages.GetItem(0));
        kernel->loadedPages.Remove(page);
        KillObjet(page->root);
        page->root = nullptr;
        delete page;
    }
}

bool Given(const char* text) { return text && *text; }

}  // namespace

void KernStart(int withInternet)
{
    if (KernProcess().kernels.Items() == 0)
        QXModuleStart();
    KernProcess().withInternet = withInternet;
    if (withInternet && !KernProcess().internetBound) {
        int useLibraryDialogs = 1;
        QXOpen(&useLibraryDialogs);
        KernProcess().internetBound = 1;
    }
}

void KernEnd()
{
    if (KernProcess().internetBound) {
        QXClose();
        KernProcess().internetBound = 0;
    }
    if (KernProcess().kernels.Items() == 0)
        QXModuleEnd();
}

KERNEL* KernConstructeur(HWND host, void* hostData, const char* registryKey, const char* environment,
                         const char* cdromValue)
{
    auto* kernel = new KERNEL;
    const bool first = KernProcess().kernels.Items() == 0;
    KernProcess().kernels.AddTail(kernel);
    char title[256] = "";
    if (host)
        GetWindowTextA(host, title, sizeof title);
    kernel->appTitle = title;
    KernSetCustomColor(kernel, kernel->customColours);
    if (host)
        SetPropA(host, QX_KERNEL_PROPERTY, kernel);
    LoadCursors(kernel);
    kernel->windowing.UniverseSetExtent(-UniverseHalf, -UniverseHalf, UniverseHalf, UniverseHalf);
    kernel->appPath = KernModuleFolder();
    kernel->appPointer = hostData;
    kernel->appWindow = new QORVEXWINDOW{host, KernProcess().module};
    if (first)
        SetUpProcess(kernel->appPath);
    KernBuildGadgetList(kernel);
    if (Given(registryKey) && Given(cdromValue)) {
        kernel->registry = new qkrn_CREGISTRYINFOS;
        kernel->registry->currentUserKey = registryKey;
        kernel->registry->allUsersKey.Format(".Default\\%s", registryKey);
        kernel->registry->subKey = environment ? environment : "";
        kernel->registry->valueName = cdromValue;
    }
    return kernel;
}

void KernDestructeur(KERNEL* kernel)
{
    if (!kernel)
        return;
    KernStopSound();
    // A dependent program still running must stop reporting to a kernel that is gone.
    KernStopDepProcess(kernel);
    KernProcess().kernels.Remove(kernel);
    const HWND host = KernGetAppWindow(kernel);
    if (IsWindow(host)) {
        RemovePropA(host, QX_KERNEL_PROPERTY);
        // Only the kernel's own slot is cleared; the host keeps its pointer in slot 0.
        if (GetClassLongPtrA(host, GCL_CBWNDEXTRA) >= static_cast<LONG_PTR>(QX_HOSTWL_KERNEL + sizeof(void*)))
            SetWindowLongPtrA(host, QX_HOSTWL_KERNEL, 0);
    }
    KernRemoveAllFtpProcess(kernel);
    kernel->history.Clear();
    kernel->visited.Clear();
    kernel->bookmarks.Clear();
    KernClearBranchTimer(kernel);
    KernUnSelectAllObjects(kernel);
    KernFlushUndoBuffer(kernel);
    ReleaseLoadedPages(kernel);
    kernel->processes.Clear();
    if (KernProcess().kernels.Items() == 0)
        TearDownProcess();
    delete kernel;
}
