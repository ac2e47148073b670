// A page run as a modal dialog: the frame "KERNDIA", the inner kernel that shows the page in
// a "DialogWindow" child filling the frame, and the caller's procedure handed to the page.
#include "pagedialog.h"

#include "accessors.h"
#include "filefetch.h"
#include "filefind.h"
#include "kernel.h"
#include "kernelprocess.h"
#include "objet.h"
#include "pagefiles.h"
#include "qxsupport.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* FrameTemplate = "KERNDIA";
constexpr const char* HostClass = "DialogWindow";
// The page root takes its external procedure through this property, as pointer text.
constexpr long ProcedureProperty = 1000;
constexpr int ProcedureTextChars = 32;

// One page dialog, owned by KernDialogBox for the run.
struct KERNDIALOG {
    KERNEL* caller;           // whose publication the page belongs to
    KERNEL* inner;            // null until the frame is up; destroyed by KernDialogBox
    QXSTRING page;
    KERNDIALOGPROC procedure;
    LPARAM value;             // widened: callers may hand a pointer
};

// The folder of the name, up to and including its last backslash; "" without one.
QXSTRING FolderOf(const QXSTRING& name)
{
    QXSTRING folder;
    const char* text = name;
    if (const char* slash = std::strrchr(text, '\\'))
        folder.Format("%.*s", static_cast<int>(slash - text + 1), text);
    return folder;
}

KERNEL* MakeInnerKernel(KERNDIALOG* record, HWND host, int width, int height)
{
    const qkrn_CREGISTRYINFOS* registry = record->caller->registry;
    KERNEL* inner = KernConstructeur(host, nullptr, registry ? static_cast<const char*>(registry->currentUserKey) : "",
                                     "", "");
    if (!inner)
        return nullptr;
    // The page's objects come from the plug-ins the calling host uses.
    KernSetAppPath(inner, KernGetAppPath(record->caller));
    KernSetAppExtent(inner, 0, 0, width, height);
    KernSetMode(inner, QX_MODE_PRESENTATION);
    return inner;
}

// The frame and its host take the size of the page's root, whose window moves to the corner.
void FitToRoot(HWND dialog, HWND host, HWND root)
{
    RECT client;
    GetClientRect(root, &client);
    RECT outer = client;
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_EXSTYLE)));
    SetWindowPos(dialog, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(host, nullptr, 0, 0, client.right, client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(root, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void StartPage(KERNDIALOG* record, HWND dialog, HWND host)
{
    QXSTRING name = record->page;
    KernFindFileStr(record->caller, &name, 1);
    const QXSTRING folder = FolderOf(name);
    if (!folder.length())
        return;
    KernSetScnPath(record->inner, folder);
    KernLoad(record->inner, name, nullptr, 0);
    OBJET* root = KernGetTopObjet(record->inner);
    if (!root || !root->window)
        return;
    FitToRoot(dialog, host, root->window);
    char procedure[ProcedureTextChars];
    std::snprintf(procedure, sizeof procedure, "%p", reinterpret_cast<void*>(record->procedure));
    root->SetProperties(ProcedureProperty, procedure);
    PostMessageA(root->window, KM_DIALOGEND, 0, record->value);
}

void OnInitDialog(HWND dialog, KERNDIALOG* record)
{
    RECT client;
    GetClientRect(dialog, &client);
    const HWND host = CreateWindowExA(0, HostClass, "", WS_CHILD | WS_VISIBLE, 0, 0, client.right, client.bottom,
                                      dialog, nullptr, KernProcess().module, nullptr);
    if (!host)
        return;
    record->inner = MakeInnerKernel(record, host, client.right, client.bottom);
    if (record->inner)
        StartPage(record, dialog, host);
}

}  // namespace

INT_PTR CALLBACK KernDialogBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        if (auto* record = reinterpret_cast<KERNDIALOG*>(lParam))
            OnInitDialog(dialog, record);
        else
            EndDialog(dialog, 0);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam) == IDOK ? 1 : 0);
            return TRUE;
        }
        return FALSE;  // the page's own commands
    case WM_DESTROY:
        EndDialog(dialog, 0);
        return FALSE;
    default:
        return FALSE;
    }
}

int KernDialogBox(KERNEL* kernel, const char* page, KERNDIALOGPROC procedure, LPARAM value)
{
    if (!kernel || !page || !*page || !procedure)
        return 0;
    auto* record = new KERNDIALOG{kernel, nullptr, page, procedure, value};
    if (!record)
        return 0;
    MODALDIALOG(KernProcess().module, KernGetAppWindow(kernel), FrameTemplate, KernDialogBoxProc,
                reinterpret_cast<LPARAM>(record));
    if (record->inner) {
        KernKillInternetJobs(record->inner);
        KernDestructeur(record->inner);
    }
    delete record;
    return 1;
}
