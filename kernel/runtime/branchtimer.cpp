// Requesting branches and the timers of timed branches: a request marks the branch pending
// and wakes the page window, which runs it on its next message.
#include "branch.h"

#include "kernel.h"
#include "kernelprocess.h"
#include "kernelres.h"
#include "kerntree.h"
#include "objet.h"
#include "qxutil.h"
#include "qxwindowptr.h"

namespace {

// The editing mode arms no timed branch.
constexpr int EditMode = 2;

}  // namespace

BRANCHTIMER::BRANCHTIMER(BRANCH* branch) : branch(branch), window(nullptr), id(0) {}

BRANCHTIMER::~BRANCHTIMER()
{
    if (!id || !window)
        return;
    KillTimer(window, id);
    ClearQORVEXXpointer(window, this, QXKEY_BRANCH_TIMER, static_cast<int>(id));
}

void CALLBACK BranchTimerProc(HWND window, UINT, UINT_PTR id, DWORD)
{
    KillTimer(window, id);
    auto* timer = static_cast<BRANCHTIMER*>(GetQORVEXXpointer(window, QXKEY_BRANCH_TIMER, static_cast<int>(id)));
    if (!timer)
        return;
    ClearQORVEXXpointer(window, timer, QXKEY_BRANCH_TIMER, static_cast<int>(id));
    timer->id = 0;
    KernSetBranch(timer->branch->kernel, timer->branch);
}

void KernAddBranchTimer(KERNEL* kernel, BRANCH* branch)
{
    OBJET* page = KernGetTopObjet(kernel);
    if (!page || !page->window || !branch || kernel->mode == EditMode)
        return;
    if (kernel->slideRunning && !branch->slideShowMark)
        return;
    BRANCHTIMER* timer = new BRANCHTIMER(branch);
    if (!timer)
        return;
    const int id = kernel->branchTimers.Items() + 1;
    timer->window = page->window;
    SetQORVEXXpointer(page->window, QXKEY_BRANCH_TIMER, timer, id);
    const UINT delay = branch->delay > 0.0 ? static_cast<UINT>(branch->delay * 1000.0) : 0;
    timer->id = SetTimer(page->window, static_cast<UINT_PTR>(id), delay, BranchTimerProc);
    kernel->branchTimers.AddTail(timer);
}

void KernClearBranchTimer(KERNEL* kernel)
{
    if (kernel)
        kernel->branchTimers.Clear();
}

int KernSetBranch(KERNEL* kernel, BRANCH* branch)
{
    if (!kernel || !branch)
        return 0;
    if (kernel->depProcessRunning)
        return 1;
    if (kernel->branchState != 0)
        return 0;
    if (kernel->slideRunning && kernel->mode == EditMode)
        return 2;
    if (kernel->slideRunning && branch->slideShowMark) {
        const int count = kernel->bookmarks.Items();
        if (++kernel->slideIndex >= count)
            kernel->slideIndex = kernel->slideLoop ? 0 : count;
    }
    KernClearBranchTimer(kernel);
    kernel->branchState = 1;
    kernel->pendingBranch = branch;
    OBJET* page = KernGetTopObjet(kernel);
    return PostMessageA(page ? page->window : nullptr, WM_NULL, 0, 0);
}

int ObjectHaveBranch(KERNEL*, OBJET* object, void*)
{
    for (int i = 0; i < object->GetBranchItems(); ++i) {
        if (object->GetBranch(i)->IsBranchingSomewhere())
            return 1;
    }
    return 0;
}

void KernAlertNoBranch(KERNEL* kernel)
{
    OBJET* page = KernGetTopObjet(kernel);
    if (!page || KernTraverseTree(kernel, page, ObjectHaveBranch, nullptr, nullptr, QX_WALK_FIRST_TO_LAST))
        return;
    Warning(KernGetAppWindow(kernel), KernString(IDS_WARNING), KernString(IDS_NO_BRANCH_ON_PAGE));
}
