// The built-in action dialog "D_GADGET": lists the kernel's actions and sets the chosen one
// on the branch.
#include "gadgetdialog.h"

#include "branchedit_res.h"
#include "branchstate.h"
#include "../runtime/help.h"
#include "../runtime/kernel.h"
#include "../runtime/kernelprocess.h"
#include "qxsupport.h"
#include "qxwindowptr.h"

namespace {

// The bookmarks action is offered only to a branch that has it already.
constexpr int BookmarksAction = 4;

GADGET* ActionAt(KERNEL* kernel, int index) { return static_cast<GADGET*>(kernel->gadgets.GetItem(index)); }

// The kernel's first action with that label, whatever its case; null when none.
GADGET* FindAction(KERNEL* kernel, const char* label)
{
    for (int i = 0; i < kernel->gadgets.Items(); ++i) {
        if (lstrcmpiA(ActionAt(kernel, i)->label, label) == 0)
            return ActionAt(kernel, i);
    }
    return nullptr;
}

HWND List(HWND dialog) { return GetDlgItem(dialog, IDC_GADGET_LIST); }

void OnInit(HWND dialog, BRANCH* branch)
{
    SetQORVEXpointer(dialog, branch);
    SendMessageA(List(dialog), LB_RESETCONTENT, 0, 0);
    // A branch without action reads as the action of id 0 with an empty label.
    const int currentId = branch->gadget ? branch->gadget->id : 0;
    const char* currentLabel = branch->gadget ? branch->gadget->label : "";
    LRESULT selected = 0;
    for (int i = 0; i < branch->kernel->gadgets.Items(); ++i) {
        const GADGET* action = ActionAt(branch->kernel, i);
        if (action->id == BookmarksAction && currentId != BookmarksAction)
            continue;
        const LRESULT row = SendMessageA(List(dialog), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(action->label));
        if (row >= 0 && lstrcmpiA(action->label, currentLabel) == 0 && selected == 0)
            selected = row;
    }
    SendMessageA(List(dialog), LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

// With no row selected the branch keeps the action it had.
void OnOk(HWND dialog, BRANCH& branch)
{
    const LRESULT row = SendMessageA(List(dialog), LB_GETCURSEL, 0, 0);
    if (row != LB_ERR) {
        char label[GADGET::TextChars + 1] = "";
        if (SendMessageA(List(dialog), LB_GETTEXTLEN, static_cast<WPARAM>(row), 0) <= GADGET::TextChars)
            SendMessageA(List(dialog), LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(label));
        const GADGET* found = FindAction(branch.kernel, label);
        ClearAction(branch);
        if (found)
            branch.gadget = new GADGET(branch.kernel ? branch.kernel : found->kernel, found->id, found->label, found->function);
    }
    EndDialog(dialog, 1);
}

INT_PTR CALLBACK GadgetDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* branch = static_cast<BRANCH*>(GetQORVEXpointer(dialog));
    switch (message) {
    case WM_INITDIALOG:
        OnInit(dialog, reinterpret_cast<BRANCH*>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (!branch)
            return TRUE;
        switch (LOWORD(wParam)) {
        case IDOK:
            OnOk(dialog, *branch);
            break;
        case IDCANCEL:
            EndDialog(dialog, 0);
            break;
        case IDC_GADGET_HELP:
            KernHelp(branch->kernel, "spcbrnch.pag");
            break;
        }
        return TRUE;
    case WM_DESTROY:
        SetQORVEXpointer(dialog, nullptr);
        EndDialog(dialog, 0);
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR RunGadgetDialog(HWND owner, BRANCH* branch)
{
    if (!branch || !branch->kernel)
        return 0;
    const MODALDIALOG dialog(KernProcess().module, owner, "D_GADGET", GadgetDialogProc, reinterpret_cast<LPARAM>(branch));
    return dialog.result > 0 ? dialog.result : 0;
}
