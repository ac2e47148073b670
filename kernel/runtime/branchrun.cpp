// Running a pending branch one message after it was requested: the host's filter, the page's
// save check, the sound, the user function, the page's own handling, then a built-in action,
// an external program or document, or a page through the history.
#include "branchrun.h"

#include "branch.h"
#include "branchdll.h"
#include "extprog.h"
#include "kernel.h"
#include "kernelprocess.h"
#include "kernelres.h"
#include "kerntree.h"
#include "objet.h"
#include "pagefiles.h"
#include "qxmedia.h"
#include "sound.h"
#include "../authoring/undo.h"

#include <cstring>

namespace {

constexpr int StateNone = 0;
constexpr int StatePending = 1;
constexpr int StateRunning = 2;
constexpr int StateInFilter = 3;

void EndBranch(KERNEL* kernel)
{
    kernel->branchState = StateNone;
    kernel->pendingBranch = nullptr;
    kernel->kernelBranch->slideShowMark = 0;
}

// The page (or its procedure DLL) may take the activation of one of its objects itself.
bool PageTakesIt(KERNEL* kernel, const BRANCH& branch)
{
    OBJET* object = branch.source ? KernGetObjetByHwnd(kernel, branch.source) : nullptr;
    if (!object)
        return false;
    OBJET* root = KernGetTopParentObjet(kernel, object);
    if (!root || !root->window)
        return false;
    // The low word keeps what older procedure DLLs read; the whole handle travels in lParam.
    return SendMessageA(root->window, WM_COMMAND, LOWORD(reinterpret_cast<UINT_PTR>(branch.source)),
                        reinterpret_cast<LPARAM>(branch.source)) != 0;
}

bool NamesAPage(const char* extension)
{
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, extension, 4, ".PAG", 4) == CSTR_EQUAL;
}

void RunBranch(KERNEL* kernel)
{
    BRANCH* pending = kernel->pendingBranch;
    if (!pending) {
        EndBranch(kernel);
        return;
    }
    BRANCH copy(kernel);
    copy = *pending;
    // A cancelled save check has dropped the branch already.
    if (!KernIsSave(kernel))
        return;
    KernFlushUndoBuffer(kernel);
    KernBroadCastToObjet(kernel, KernGetTopObjet(kernel), KM_BRANCHING, 0, 0);
    if (copy.sound.length())
        KernPlaySound(kernel, copy.sound);
    if (KernCallBranchFunction(kernel, &copy) == 0 || PageTakesIt(kernel, copy) || !copy.target.length()) {
        EndBranch(kernel);
        return;
    }
    if (copy.gadget && copy.gadget->id != 0) {
        // The action may request a branch of its own (home, back): the state is free first.
        kernel->branchState = StateNone;
        copy.gadget->kernel = kernel;
        copy.gadget->RunFonction();
        return;
    }
    const char* dot = std::strrchr(copy.target, '.');
    if (!dot) {
        KernAlert(KernGetAppWindow(kernel), IDS_BRANCH_ERROR, IDS_BAD_SUFFIX);
        EndBranch(kernel);
        return;
    }
    if (!NamesAPage(dot)) {
        kernel->processes.AddProcess(*pending);
        EndBranch(kernel);
        return;
    }
    // A page that cannot be read is reported by the history itself, once.
    kernel->history.Push(copy.target, nullptr, 0);
    EndBranch(kernel);
}

}  // namespace

int KernRunPendingBranch(KERNEL* kernel)
{
    if (!kernel || kernel->branchState != StatePending)
        return 0;
    // An object waiting on the media server lies on the page, its code on this thread's stack
    // beneath the server's call loop that hands this message out: leaving the page now would
    // unload that code under it. The branch waits for a message after the call.
    if (MediaCallUnderWay()) {
        OBJET* page = KernGetTopObjet(kernel);
        PostMessageA(page ? page->window : nullptr, WM_NULL, 0, 0);
        return 0;
    }
    if (kernel->filterBranch) {
        kernel->branchState = StateInFilter;
        const int keep = kernel->filterBranch(kernel->pendingBranch, kernel->appPointer);
        kernel->branchState = StatePending;
        if (!keep) {
            EndBranch(kernel);
            return 1;
        }
    }
    kernel->branchState = StateRunning;
    RunBranch(kernel);
    return 1;
}

int KernGetBranchParams(KERNEL* kernel, BRANCH* branch, char* target, int targetSize, char* name, int nameSize,
                        char* userString, int userStringSize, char* parameter, int parameterSize, char* file,
                        int fileSize)
{
    if (!kernel || !branch)
        return 0;
    if (target && targetSize > 0) {
        QXSTRING text = branch->target;
        if (branch->gadget && branch->gadget->id != 0)
            text.Format("%s%d", QX_GADGET_PREFIX, branch->gadget->id);
        lstrcpynA(target, text, targetSize);
    }
    if (name && nameSize > 0)
        *name = '\0';
    if (userString && userStringSize > 0)
        *userString = '\0';
    if (OBJET* object = branch->source ? KernGetObjetByHwnd(kernel, branch->source) : nullptr) {
        if (name && nameSize > 0)
            lstrcpynA(name, object->GetUserID(), nameSize);
        if (userString && userStringSize > 0)
            lstrcpynA(userString, object->GetUserString(), userStringSize);
    }
    if (parameter && parameterSize > 0)
        lstrcpynA(parameter, branch->parameter, parameterSize);
    if (file && fileSize > 0)
        lstrcpynA(file, branch->target, fileSize);
    return 1;
}

void KernSetBranchLocation(KERNEL* kernel, BRANCH* branch, const char* file)
{
    if (kernel && branch && file)
        branch->SetFilename(file);
}
