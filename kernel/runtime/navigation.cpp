// The kernel's own branch is reset and aimed at a page of the history, or at a default
// branch of the page shown, and then requested like any other branch.
#include "navigation.h"

#include "branch.h"
#include "kernel.h"
#include "kernelprocess.h"
#include "kernelres.h"
#include "objet.h"
#include "pagefiles.h"

namespace {

void ResetKernelBranch(KERNEL* kernel)
{
    const BRANCH empty(kernel);
    *kernel->kernelBranch = empty;
}

int TakeDefaultBranch(KERNEL* kernel, int kind)
{
    if (!kernel || !KernIsSave(kernel))
        return 0;
    ResetKernelBranch(kernel);
    const BRANCH* found = KernPageBranchOfKind(kernel, kind);
    if (!found)
        return 0;
    kernel->kernelBranch->CopyBranch(found);
    KernSetBranch(kernel, kernel->kernelBranch);
    return 1;
}

// Requests the page of the history at that index from the kernel's branch; the source
// window and parameter of the branch that asked for it stay with it.
int GoToHistoryEntry(KERNEL* kernel, int fromEnd)
{
    if (!kernel || !KernIsSave(kernel))
        return 0;
    const int count = kernel->history.Items();
    if (count <= 1)
        return 1;
    HWND source = nullptr;
    QXSTRING parameter;
    if (kernel->pendingBranch) {
        source = kernel->pendingBranch->source;
        parameter = kernel->pendingBranch->parameter;
    }
    ResetKernelBranch(kernel);
    kernel->kernelBranch->source = source;
    kernel->kernelBranch->parameter = parameter;
    const int index = fromEnd ? count - 2 : 0;
    kernel->kernelBranch->SetFilename(static_cast<STACKFILE*>(kernel->history.GetItem(index))->name);
    KernSetBranch(kernel, kernel->kernelBranch);
    return 1;
}

}  // namespace

int KernEventAvancer(KERNEL* kernel) { return TakeDefaultBranch(kernel, QX_BRANCH_DEFAULT_FORWARD); }

int KernEventReculer(KERNEL* kernel) { return TakeDefaultBranch(kernel, QX_BRANCH_DEFAULT_BACK); }

int KernGoHome(KERNEL* kernel) { return GoToHistoryEntry(kernel, 0); }

int KernGoBack(KERNEL* kernel) { return GoToHistoryEntry(kernel, 1); }

int KernQuit(KERNEL* kernel)
{
    // Without a parent window the post would become a message of the thread itself.
    if (const HWND view = GetParent(KernGetAppWindow(kernel)))
        PostMessageA(view, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 1;
}

int KernQuitConfirm(KERNEL* kernel)
{
    if (MessageBoxA(KernGetAppWindow(kernel), KernString(IDS_QUIT_QUESTION), KernString(IDS_QUIT_CAPTION),
                    MB_ICONQUESTION | MB_YESNO) != IDYES)
        return 0;
    return KernQuit(kernel);
}

int KernGadgetNextPage(KERNEL*) { return 0; }

int KernIsInStack(KERNEL* kernel, const char* name)
{
    if (!kernel || !name)
        return 0;
    return kernel->visited.Holds(name) ? 1 : 0;
}
