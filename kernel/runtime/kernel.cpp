// KERNEL: its members at their initial values, what it owns, and the accessors that the
// page files and the object model use.
#include "kernel.h"

#include "branch.h"
#include "kernelprocess.h"
#include "objet.h"
#include "qxrubber.h"
#include "../authoring/exportnames.h"

#include <cstdio>
#include <cstring>

KERNEL::KERNEL()
    : history(this), selection(this), processes(this), undo(this)
{
    // Every member not set here starts at 0, null or "".
    lstrcpynA(version, QX_KERNEL_VERSION, sizeof version);
    noMode = 1;
    autoBranch = 1;
    slideLoop = 1;
    drawEffects = 1;
    gridColour = 0x0000FFFF;
    dhtmlBackColour = 0xFFFFFF;
    for (COLORREF& colour : customColours)
        colour = 0xFFFFFF;
    kernelBranch = new BRANCH(this);
    sequenceBranch = new BRANCH(this);
    kernelObject = new OBJET(this, nullptr);
    distList = new DISTNODE_LIST;
    ownsDistList = 1;
}

KERNEL::~KERNEL()
{
    for (int i = 0; i < loadedPages.Items(); ++i) {
        auto* page = static_cast<TREE*>(loadedPages.GetItem(i));
        KillObjet(page->root);
        loadedPages.SetRoot(page, nullptr);
    }
    loadedPages.Clear();
    selection.Clear();
    undo.Clear();
    branchTimers.Clear();
    delete rubber;
    delete kernelBranch;
    delete sequenceBranch;
    delete kernelObject;
    if (ownsDistList)
        delete distList;
    delete appWindow;
    delete registry;
    delete[] clipboardBlock;
}

OBJET* KernGetTopObjet(KERNEL* kernel)
{
    if (!kernel || kernel->loadedPages.Items() == 0)
        return nullptr;
    return static_cast<TREE*>(kernel->loadedPages.GetItem(kernel->loadedPages.Items() - 1))->root;
}

HWND KernGetAppWindow(KERNEL* kernel) { return kernel && kernel->appWindow ? kernel->appWindow->window : nullptr; }

HINSTANCE KernGetInstance(KERNEL* kernel)
{
    return kernel && kernel->appWindow ? kernel->appWindow->instance : KernProcess().module;
}

const char* KernGetAppPath(KERNEL* kernel) { return kernel ? static_cast<const char*>(kernel->appPath) : ""; }
const char* KernGetScnPath(KERNEL* kernel) { return kernel ? static_cast<const char*>(kernel->scnPath) : ""; }

const char* KernGetActiveFilename(KERNEL* kernel)
{
    return kernel ? static_cast<const char*>(kernel->activeFilename) : "";
}

const char* KernGetVersion(KERNEL* kernel) { return kernel ? kernel->version : QX_KERNEL_VERSION; }

int KernGetMode(KERNEL* kernel) { return kernel ? kernel->mode : 0; }

int KernGetCurPageVersion(KERNEL* kernel) { return kernel ? kernel->curPageVersion : 0; }

void KernSetCurPageVersion(KERNEL* kernel, int version)
{
    if (kernel)
        kernel->curPageVersion = version;
}

void KernGetVersionString(char* out)
{
    if (out)
        std::strcpy(out, QX_KERNEL_VERSION_STRING);
}

unsigned long KernFormatVersionStringAsDWORD(const char* text)
{
    if (!text)
        return 0;
    // Components missing from the text count as 0.
    unsigned int parts[4] = {0, 0, 0, 0};
    std::sscanf(text, " %u.%u.%u.%u", &parts[0], &parts[1], &parts[2], &parts[3]);
    return (static_cast<unsigned long>(parts[0] & 0xFF) << 24) | ((parts[1] & 0xFF) << 16) | ((parts[2] & 0xFF) << 8) |
           (parts[3] & 0xFF);
}

void KernSetAutoSave(KERNEL* kernel, int on)
{
    if (kernel)
        kernel->autoSave = on;
}

int KernGetAutoSave(KERNEL* kernel) { return kernel ? kernel->autoSave : 0; }

int KernU2Sx(KERNEL* kernel, double u) { return kernel->windowing.U2Sx(u); }
int KernU2Sy(KERNEL* kernel, double u) { return kernel->windowing.U2Sy(u); }
double KernS2Ux(KERNEL* kernel, int s) { return kernel->windowing.S2Ux(s); }
double KernS2Uy(KERNEL* kernel, int s) { return kernel->windowing.S2Uy(s); }
