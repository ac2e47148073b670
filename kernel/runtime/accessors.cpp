// The kernel's plain members as hosts and plug-ins read and set them.
#include "accessors.h"

#include "filefetch.h"
#include "kernelprocess.h"
#include "kerntree.h"
#include "objet.h"
#include "qxcolour.h"
#include "qxsupport.h"

#include <cstring>

namespace {

template <class Member, class Value>
void Store(KERNEL* kernel, Member KERNEL::*member, Value value)
{
    if (kernel)
        kernel->*member = value;
}

KERNEL* KernelOfWindow(HWND window)
{
    OBJET* object = window ? reinterpret_cast<OBJET*>(GetWindowLongPtrA(window, QXWL_OBJET)) : nullptr;
    return object ? object->GetKernel() : nullptr;
}

}  // namespace

void KernSetFilterMsg(KERNEL* kernel, KERNFILTERMSG filter) { Store(kernel, &KERNEL::filterMsg, filter); }
void KernSetFilterBranch(KERNEL* kernel, KERNFILTERBRANCH filter) { Store(kernel, &KERNEL::filterBranch, filter); }
void KernSetEventObjetSelect(KERNEL* kernel, KERNEVENT event) { Store(kernel, &KERNEL::eventObjetSelect, event); }
void KernSetEventObjetUnSelect(KERNEL* kernel, KERNEVENT event) { Store(kernel, &KERNEL::eventObjetUnSelect, event); }
void KernSetEventAddObjet(KERNEL* kernel, KERNEVENTADDOBJET event) { Store(kernel, &KERNEL::eventAddObjet, event); }
void KernSetEventUndo(KERNEL* kernel, KERNEVENTUNDO event) { Store(kernel, &KERNEL::eventUndo, event); }
void KernSetEventSlideShowMode(KERNEL* kernel, KERNEVENTSLIDESHOW event)
{
    Store(kernel, &KERNEL::eventSlideShow, event);
}
void KernSetEventSave(KERNEL* kernel, KERNEVENT event) { Store(kernel, &KERNEL::eventSave, event); }

void* KernGetAppPointer(KERNEL* kernel) { return kernel ? kernel->appPointer : nullptr; }
int KernAppIsOnNoMode(KERNEL* kernel) { return kernel ? kernel->noMode : 0; }
void KernSetAppIsOnNoMode(KERNEL* kernel, int mode) { Store(kernel, &KERNEL::noMode, mode == -1 ? 1 : 0); }
int KernGetAutoBranch(KERNEL* kernel) { return kernel ? kernel->autoBranch : 0; }
int KernGetProgOptions(KERNEL* kernel) { return kernel ? kernel->progOptions : 0; }
void KernSetProgOptions(KERNEL* kernel, int options) { Store(kernel, &KERNEL::progOptions, options); }
void* KernGetScnData(KERNEL* kernel) { return kernel ? kernel->scnData : nullptr; }
void KernSetScnData(KERNEL* kernel, void* data) { Store(kernel, &KERNEL::scnData, data); }
void* KernGetScnDataNoCPP(KERNEL* kernel) { return kernel ? kernel->scnDataNoCPP : nullptr; }
void KernSetScnDataNoCPP(KERNEL* kernel, void* data) { Store(kernel, &KERNEL::scnDataNoCPP, data); }
void* KernGetScnDataByHwnd(HWND window) { return KernGetScnData(KernelOfWindow(window)); }
void* KernGetScnDataNoCPPByHwnd(HWND window) { return KernGetScnDataNoCPP(KernelOfWindow(window)); }

HWND KernGetActiveWindow(KERNEL* kernel)
{
    OBJET* top = KernGetTopObjet(kernel);
    return top ? top->window : nullptr;
}

void KernSetAppPath(KERNEL* kernel, const char* folder)
{
    if (kernel && folder)
        kernel->appPath = folder;
}

void KernSetScnPath(KERNEL* kernel, const char* folder)
{
    if (kernel)
        kernel->scnPath = folder && *folder ? folder : KernGetCachePath(kernel);
}

void KernSetDHTMLDestPath(KERNEL* kernel, const char* folder)
{
    if (kernel)
        kernel->dhtmlDestPath = folder && *folder ? folder : KernGetCachePath(kernel);
}

void KernSetAppTitle(KERNEL* kernel, const char* title)
{
    if (kernel && title)
        kernel->appTitle = title;
}

void KernSetAppTopHwnd(KERNEL* kernel, HWND window) { Store(kernel, &KERNEL::appTopWindow, window); }
void KernSetAppIsEditor(KERNEL* kernel, int editor) { Store(kernel, &KERNEL::appIsEditor, editor); }
HRGN KernGetClipRgn(KERNEL* kernel) { return kernel ? kernel->clipRgn : nullptr; }
int KernIsRunningDepProcess(KERNEL* kernel) { return kernel ? kernel->depProcessRunning : 0; }

void KernSetAppWindow(KERNEL* kernel, HWND window)
{
    if (!kernel)
        return;
    const HINSTANCE instance = kernel->appWindow ? kernel->appWindow->instance : nullptr;
    delete kernel->appWindow;
    kernel->appWindow = new QORVEXWINDOW{window, instance};
}

int KernSO2Nx(KERNEL* kernel, int s) { return kernel->windowing.OS2Nx(s); }
int KernSO2Ny(KERNEL* kernel, int s) { return kernel->windowing.OS2Ny(s); }

HCURSOR KernSetHand(KERNEL* kernel) { return KernSetMouseForm(kernel, kernel ? kernel->handCursor : nullptr); }

HCURSOR KernSetMouseForm(KERNEL* kernel, HCURSOR cursor)
{
    if (kernel)
        kernel->cursorChosen = 1;
    return SetCursor(cursor);
}

void KernSetCustomColor(KERNEL* kernel, const COLORREF* colours)
{
    if (!kernel || !colours)
        return;
    std::memmove(kernel->customColours, colours, sizeof kernel->customColours);
    std::memcpy(KernProcess().customColours, kernel->customColours, sizeof kernel->customColours);
    QXBASE_SetCustomColor(kernel->customColours);
}

void KernGetCustomColor(KERNEL* kernel, COLORREF* colours)
{
    if (!kernel)
        return;
    COLORREF chooser[QX_CUSTOM_COLOURS];
    QXBASE_GetCustomColor(chooser);
    // The colour chooser may have changed them since: the process copy follows it.
    std::memcpy(KernProcess().customColours, chooser, sizeof chooser);
    std::memcpy(kernel->customColours, KernProcess().customColours, sizeof kernel->customColours);
    if (colours)
        std::memcpy(colours, kernel->customColours, sizeof kernel->customColours);
}

void KernAddBaseObject(KERNEL* kernel, CREATEBASEOBJET creator)
{
    if (kernel && creator)
        kernel->baseObjects.AddTail(new BASEOBJ(creator));
}
