// The open-file dialogs: the internet library's, which also accept Internet addresses, when
// it is bound and the program wants them; the system's otherwise (with the foundation's
// preview pane where one is asked for).
#include "qxpreview.h"
#include "qxwebapi.h"

#include "webentries.h"

namespace {

// Both kinds of dialog are explorer-style, which the library's hook relies on.
void AskForExplorerStyle(OPENFILENAMEA* ofn) { ofn->Flags |= OFN_EXPLORER; }

}  // namespace

BOOL QXGetOpenFileName(OPENFILENAMEA* ofn)
{
    if (!ofn)
        return FALSE;
    AskForExplorerStyle(ofn);
    const auto libraryDialog = BoundWebEntries().QXGetOpenFileName;
    if (libraryDialog && UseLibraryDialogs())
        return libraryDialog(ofn);
    return GetOpenFileNameA(ofn);
}

BOOL QXGetOpenFileNamePreview(QXPREVIEW_REQUEST* request)
{
    if (!request || !request->ofn)
        return FALSE;
    AskForExplorerStyle(request->ofn);
    const auto libraryDialog = BoundWebEntries().QXGetOpenFileNamePreview;
    if (libraryDialog && UseLibraryDialogs())
        return libraryDialog(request);
    return PreviewGetOpenFileName(request);
}
