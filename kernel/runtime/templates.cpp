// Opening a file of the page family: a page through the history, a template inserted into
// the page shown; and copying a page or template under another first line.
#include "pagefiles.h"

#include "history.h"
#include "kernel.h"
#include "kerntree.h"
#include "objet.h"
#include "qxfile.h"
#include "recordio.h"
#include "qxsupport.h"
#include "safefile.h"
#include "../authoring/selection.h"
#include "../authoring/undo.h"

#include <cstring>

namespace {

// A template's page root changes the properties of the page shown instead of being added.
void TakePageProperties(KERNEL* kernel, OBJET* root, OBJET* templateRoot)
{
    KernUndoPush(kernel, new UNDO_MODIFY(root));
    root->UnSelect();
    const HWND window = root->window;
    *root = *templateRoot;
    root->window = window;
    root->Select();
    KernBroadCastUntilDone(kernel, root, KM_RELINK, 0, 0);
    KernQueryPalette(kernel);
    KernBroadCastUntilDone(kernel, root, KM_SHOWN, KM_SHOWN_PAGE, 0);
    KillObjet(templateRoot);
}

// Any other object goes onto the page, selected; objects that enclose one another nest
// again as the page re-links them.
void InsertObject(KERNEL* kernel, OBJET* root, OBJET* object)
{
    KernUndoPush(kernel, new UNDO_ADD(object));
    KernLinkParentChild(root, object, 0);
    KernBroadCastUntilDone(kernel, root, KM_RELINK, 0, 0);
    KernQueryPalette(kernel);
    KernBroadCastUntilDone(kernel, root, KM_SHOWN, KM_SHOWN_INSERTED, 0);
    MSGL click = {static_cast<WORD>(kernel->mode), object->window, WM_LBUTTONUP, MK_CONTROL, 0};
    KernEventSelectObject(kernel, object, &click);
}

int InsertTemplate(KERNEL* kernel, const char* name)
{
    OBJET* root = KernGetTopObjet(kernel);
    if (!root)
        return 0;
    const QXFILE file = QXopen(name, 0);
    if (!file)
        return 0;
    if (kernel->eventAddObjet)
        kernel->eventAddObjet(kernel->appPointer, kernel, nullptr);
    KernUndoPush(kernel, new UNDO_MARK_BEGIN(kernel));
    KernUnSelectAllObjects(kernel);
    char line[QX_RECORD_LINE];
    ReadRecordLine(file, line);
    int universe;
    while (ReadRecordLine(file, line) && Load1Int(file, &universe)) {
        OBJET* object = KernLoadTree(kernel, file, universe, 0);
        if (!object)
            break;
        if (object->isBaseObject())
            TakePageProperties(kernel, root, object);
        else
            InsertObject(kernel, root, object);
    }
    QXclose(file);
    KernBringSelectObjectToTop(kernel);
    if (root->window)
        InvalidateRect(root->window, nullptr, TRUE);
    KernUndoPush(kernel, new UNDO_MARK_END(kernel));
    return 1;
}

// The offset at which the text to keep begins: after a page or template first line.
bool FindBody(QXFILE file, long* body)
{
    char line[QX_RECORD_LINE];
    if (!QXLoadString(file, line, sizeof line))
        return false;
    if (lstrcmpiA(line, QX_PAGE_HEADER) != 0 && lstrcmpiA(line, QX_TEMPLATE_HEADER) != 0) {
        *body = 0;
        return true;
    }
    *body = FilePosition(file);
    return QXGetLine(file, line, sizeof line) != 0;
}

}  // namespace

int KernLoadTemplate(KERNEL* kernel, const char* file, char* out, int size)
{
    if (!kernel || !file || !*file)
        return 0;
    char own[QX_NAME_BUFFER];
    char* name = out && size > 0 ? out : own;
    lstrcpynA(name, file, out && size > 0 ? size : static_cast<int>(sizeof own));
    switch (KernGetFileType(kernel, name)) {
    case QX_FILE_PAGE:
        return kernel->history.Push(name, name, out && size > 0 ? size : static_cast<long>(sizeof own));
    case QX_FILE_TEMPLATE:
        return InsertTemplate(kernel, name);
    default:
        return 0;
    }
}

int KernLoadTemplateStr(KERNEL* kernel, const char* file, QXSTRING* out)
{
    char name[QX_NAME_BUFFER];
    const int result = KernLoadTemplate(kernel, file, name, sizeof name);
    if (out)
        *out = name;
    return result;
}

int KernLoad(KERNEL* kernel, const char* file, char* out, int size)
{
    const int result = KernLoadTemplate(kernel, file, out, size);
    if (kernel && kernel->scnPath.length() > 0)
        SetCurrentDirectoryA(kernel->scnPath);
    return result;
}

int KernLoadStr(KERNEL* kernel, const char* file, QXSTRING* out) { return KernLoadTemplateStr(kernel, file, out); }

int KernCopyTemplate(KERNEL* kernel, const char* source, const char* target, int type)
{
    if (!kernel || !source || !target || !*source || !*target)
        return 0;
    const QXFILE from = QXopen(source, 0);
    if (!from)
        return 0;
    long body = 0;
    const bool found = FindBody(from, &body);
    const long end = QXSeekFile(from, 0, 2);
    SAFEFILE copy(target);
    bool copied = found && copy.File();
    if (copied) {
        // The lines after the first are copied byte for byte: counted texts stay whole.
        RECORDWRITER out(copy.File());
        out.Line(type == QX_FILE_TEMPLATE ? QX_TEMPLATE_HEADER : QX_PAGE_HEADER);
        QXSeekFile(from, body, 0);
        char block[4096];
        for (long left = end - body; left > 0 && out.Ok();) {
            const long got = QXReadFile(from, block, static_cast<unsigned long>(left < 4096 ? left : 4096));
            if (got <= 0)
                out.Fail();
            else
                out.Bytes(block, static_cast<size_t>(got));
            left -= got > 0 ? got : 0;
        }
        copied = out.Ok() && copy.Commit();
    }
    QXclose(from);
    return copied ? 1 : 0;
}
