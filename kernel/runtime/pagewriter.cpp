// Writing pages and templates, and asking whether a modified page may be left. Every write
// is checked; a page or template is replaced only once its new text is wholly written, and
// a save that fails says so.
#include "pagefiles.h"

#include "branch.h"
#include "history.h"
#include "kernel.h"
#include "kernelprocess.h"
#include "kernelres.h"
#include "kerntree.h"
#include "objet.h"
#include "filefind.h"
#include "recordio.h"
#include "safefile.h"
#include "../authoring/selection.h"
#include "../authoring/undo.h"

namespace {

void AlertNotSaved(KERNEL* kernel, const char* name)
{
    KernAlert(KernGetAppWindow(kernel), IDS_FILE_ERROR, IDS_SAVE_FAILED, name);
}

// Each object's record and then its children's, in pre-order; the coordinate flag an object
// leaves goes on to its children, as the reader hands it on.
bool WriteTree(OBJET* object, QXFILE file, int universe)
{
    if (!object->Save(file, universe, 1))
        return false;
    for (int i = 0; i < object->GetChildItems(); ++i) {
        if (!WriteTree(object->GetChild(i), file, universe))
            return false;
    }
    return true;
}

// The page file: header, version line, the records of the last loaded page, the final line.
bool WritePage(KERNEL* kernel, const char* name)
{
    OBJET* root = KernGetTopObjet(kernel);
    if (!root)
        return false;
    SAFEFILE page(name);
    if (!page.File())
        return false;
    RECORDWRITER out(page.File());
    out.Line(QX_PAGE_HEADER);
    char version[16];
    KernGetVersionString(version);
    out.Format("version : %s", version);
    if (out.Ok() && !WriteTree(root, page.File(), 1))
        out.Fail();
    out.Line(QX_RECORD_SEPARATOR);
    return out.Ok() && page.Commit();
}

// One template entry: the object written alone, as a child of the page root, so that its
// position is relative to the page; then put back where it was.
bool WriteEntry(KERNEL* kernel, OBJET* object, QXFILE file, int withBranches)
{
    OBJET* parent = object->GetParent();
    OBJET* root = KernGetTopObjet(kernel);
    const int index = object->FindPos();
    const int x = object->x, y = object->y;
    const double ux = object->ux, uy = object->uy;
    if (parent && root && parent != root)
        KernLinkParentChild(root, object, 0);
    RECORDWRITER out(file);
    out.Line(QX_RECORD_SEPARATOR);
    out.Int(1);
    int universe = 1;
    if (out.Ok() && !object->Save(file, universe, withBranches))
        out.Fail();
    if (parent && object->GetParent() != parent) {
        object->GetParent()->RemoveChild(object);
        parent->InsertChild(object, index);
        if (object->window && parent->window) {
            SetParent(object->window, parent->window);
            SetWindowPos(object->window, nullptr, x, y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_FRAMECHANGED);
        }
        object->SetXYWH(x, y, object->w, object->h);
        object->ux = ux;
        object->uy = uy;
    }
    return out.Ok();
}

bool WritePageEntries(KERNEL* kernel, OBJET* object, QXFILE file, int withBranches)
{
    if (!WriteEntry(kernel, object, file, withBranches))
        return false;
    for (int i = 0; i < object->GetChildItems(); ++i) {
        if (!WritePageEntries(kernel, object->GetChild(i), file, withBranches))
            return false;
    }
    return true;
}

bool WriteTemplate(KERNEL* kernel, const char* name, int wholePage, int withBranches)
{
    SAFEFILE entries(name);
    if (!entries.File())
        return false;
    RECORDWRITER out(entries.File());
    out.Line(QX_TEMPLATE_HEADER);
    if (wholePage) {
        if (out.Ok() && !WritePageEntries(kernel, KernGetTopObjet(kernel), entries.File(), withBranches))
            out.Fail();
    } else {
        for (int i = 0; i < kernel->selection.Items() && out.Ok(); ++i) {
            if (!WriteEntry(kernel, kernel->selection.GetObjet(i), entries.File(), withBranches))
                out.Fail();
        }
    }
    out.Line(QX_RECORD_SEPARATOR);
    return out.Ok() && entries.Commit();
}

}  // namespace

int KernSave(KERNEL* kernel)
{
    if (!kernel)
        return 0;
    STACKFILE* shown = kernel->history.Last();
    if (!shown)
        return 0;
    KernUnSelectAllObjects(kernel);
    KernFlushUndoBuffer(kernel);
    const QXSTRING name = shown->name;
    if (!KernIsLocalName(name)) {
        AlertNotSaved(kernel, name);
        return 0;
    }
    kernel->activeFilename = name;
    if (!WritePage(kernel, name)) {
        AlertNotSaved(kernel, name);
        return 0;
    }
    if (kernel->eventSave)
        kernel->eventSave(kernel->appPointer);
    return 1;
}

int KernSaveAs(KERNEL* kernel, const char* name)
{
    if (!kernel || !name)
        return 0;
    KernFlushUndoBuffer(kernel);
    if (!KernIsLocalName(name))
        return 0;
    // The names in the records are made relative to the folder the page goes to.
    const QXSTRING current = kernel->activeFilename;
    kernel->activeFilename = name;
    const bool written = WritePage(kernel, name);
    kernel->activeFilename = current;
    if (!written) {
        AlertNotSaved(kernel, name);
        return 0;
    }
    if (kernel->eventSave)
        kernel->eventSave(kernel->appPointer);
    return 1;
}

int KernSaveTemplate(KERNEL* kernel, const char* name, int wholePage, int withBranches)
{
    if (!kernel || !name || !*name || !KernIsLocalName(name))
        return 0;
    if (wholePage ? !KernGetTopObjet(kernel) : kernel->selection.Items() == 0)
        return 0;
    kernel->templateSave = 1;
    const bool written = WriteTemplate(kernel, name, wholePage, withBranches);
    kernel->templateSave = 0;
    KernQueryPalette(kernel);
    if (!written)
        AlertNotSaved(kernel, name);
    return written ? 1 : 0;
}

int KernIsSave(KERNEL* kernel)
{
    if (!kernel || !kernel->undo.IsModified())
        return 1;
    if (!kernel->autoSave) {
        const int answer = MessageBoxA(KernGetAppWindow(kernel), KernString(IDS_PAGE_MODIFIED),
                                       KernString(IDS_PAGE_MODIFIED_CAPTION), MB_ICONWARNING | MB_YESNOCANCEL);
        if (answer == IDCANCEL) {
            kernel->branchState = 0;
            kernel->pendingBranch = nullptr;
            return 0;
        }
        if (answer == IDNO) {
            KernFlushUndoBuffer(kernel);
            return 1;
        }
    }
    KernAlertNoBranch(kernel);
    KernSave(kernel);
    return 1;
}
