// The history of visited pages: going to a page reuses a loaded tree or reads the page,
// tells the page left and the page shown, and closes the page left when it asks to be.
#include "history.h"

#include "filefetch.h"
#include "filefind.h"
#include "kernel.h"
#include "kernelprocess.h"
#include "kernelres.h"
#include "kerntree.h"
#include "objet.h"
#include "pagefiles.h"
#include "qxpath.h"
#include "samename.h"

namespace {

// The title of a page window is read up to this many characters.
constexpr int TitleChars = 100;

void Settle(KERNEL* kernel, OBJET* root)
{
    KernBroadCastUntilDone(kernel, root, KM_RELINK, 0, 0);
    KernQueryPalette(kernel);
    KernBroadCastUntilDone(kernel, root, KM_SHOWN, KM_SHOWN_PAGE, 0);
}

void ShowTitle(KERNEL* kernel, OBJET* root)
{
    char title[TitleChars + 1] = "";
    if (root->window)
        GetWindowTextA(root->window, title, sizeof title);
    KernChangeAppTitle(kernel, title);
}

// A new page window is created below the pages already loaded; the z-order change puts it
// above them (the object routing keeps each page just below the next one).
void ShowWithoutActivating(OBJET* root)
{
    if (root->window)
        SetWindowPos(root->window, HWND_TOP, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

void AlertNotLoaded(KERNEL* kernel)
{
    KernAlert(KernGetAppWindow(kernel), IDS_FILE_ERROR, IDS_FILE_NOT_LOADED);
    kernel->activeFilename = "";
}

// The page left behind is destroyed when it asks to be; its entry stays, closed.
void ClosePreviousPage(KERNEL* kernel)
{
    TREE* previous = kernel->loadedPages.BeforeLast();
    if (!previous || !previous->root || !previous->root->closeOnLeave)
        return;
    OBJET* root = previous->root;
    kernel->loadedPages.SetRoot(previous, nullptr);
    KillObjet(root);
}

// A page of the history that was closed is read again before the history returns to it.
void ReloadClosed(KERNEL* kernel, const char* name)
{
    if (kernel->loadedPages.Items() < 2)
        return;
    TREE* found = kernel->loadedPages.LastNamed(name);
    if (!found || found->root)
        return;
    const HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    char local[QX_NAME_BUFFER];
    lstrcpynA(local, name, sizeof local);
    OBJET* root = LoadPageTree(kernel, local, sizeof local);
    if (!root) {
        AlertNotLoaded(kernel);
        SetCursor(previous);
        return;
    }
    // While it settles it is the page shown.
    TREE* shown = new TREE(name, root);
    if (shown) {
        const QXSTRING kept = found->name;
        kernel->loadedPages.AddTail(shown);
        kernel->loadedPages.Rename(found, "");
        Settle(kernel, root);
        ShowWithoutActivating(root);
        kernel->loadedPages.Remove(shown);
        shown->root = nullptr;
        delete shown;
        kernel->loadedPages.Rename(found, kept);
    }
    kernel->loadedPages.SetRoot(found, root);
    SetCursor(previous);
}

}  // namespace

void STACK::DepileTo(const char* name)
{
    while (Items() > 0 && !KernSameName(Last()->name, name))
        Pop();
}

int STACK::Push(const char* name, char* buffer, long size)
{
    if (!name || !*name)
        return 0;
    char own[QX_NAME_BUFFER];
    char* out = buffer && size > 0 ? buffer : own;
    const int room = buffer && size > 0 ? static_cast<int>(size) : static_cast<int>(sizeof own);
    QXSTRING resolved = name;
    KernFindFileStr(kernel, &resolved, 1);
    GETFILE_STRUCT request;
    KernGetFile(kernel, resolved, QX_FETCH_SYNC, 0, nullptr, &request, nullptr, nullptr);
    QXSTRING local = request.localFile;
    if (local.length() > 0 && DoFileExist(local)) {
        KernBroadCastToObjet(kernel, KernGetTopObjet(kernel), KM_LEAVEPAGE, 0, 0);
    } else {
        // A file not there (yet) shows the page shown again.
        if (kernel->loadedPages.Items() == 0)
            return 0;
        local = static_cast<TREE*>(kernel->loadedPages.GetItem(kernel->loadedPages.Items() - 1))->name;
        resolved = local;
    }
    lstrcpynA(out, resolved, room);

    if (isInStack(resolved)) {
        ReloadClosed(kernel, resolved);
        DepileTo(resolved);
    } else {
        STACKFILE* visit = new STACKFILE(resolved);
        if (visit)
            kernel->visited.AddTail(visit);
        Add(resolved);
    }
    TREE* loaded = kernel->loadedPages.LastNamed(local);
    kernel->activeFilename = resolved;
    kernel->missing.Clear();
    if (loaded && loaded->root) {
        OBJET* root = loaded->root;
        KernUpdateModeless(kernel, 0);
        Settle(kernel, root);
        ShowTitle(kernel, root);
        KernBroadCastUntilDone(kernel, root, KM_PAGESHOWN, 0, 0);
        ClosePreviousPage(kernel);
        return 1;
    }
    const HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    if (!KernLLoad(kernel, resolved)) {
        AlertNotLoaded(kernel);
        SetCursor(previous);
        return 0;
    }
    OBJET* root = KernGetTopObjet(kernel);
    KernUpdateModeless(kernel, 0);
    Settle(kernel, root);
    KernSetNextWindowFocus(kernel, root->window);
    ShowTitle(kernel, root);
    ShowWithoutActivating(root);
    KernBroadCastUntilDone(kernel, root, KM_PAGESHOWN, 0, 0);
    ClosePreviousPage(kernel);
    SetCursor(previous);
    return 1;
}

int STACK::PushStr(const char* name, QXSTRING* out)
{
    if (!name)
        return 0;
    char resolved[QX_NAME_BUFFER];
    const int result = Push(name, resolved, sizeof resolved);
    if (out)
        *out = resolved;
    return result;
}
