// Pasting the objects of the clipboard onto the page shown: their records are read as a
// page's are, each object placed under whatever object encloses it, and selected.
#include "clipboard.h"

#include "clipboard_support.h"
#include "selection.h"
#include "undo.h"
#include "../runtime/branch.h"
#include "../runtime/kernel.h"
#include "../runtime/kerntree.h"
#include "../runtime/objet.h"
#include "../runtime/pagefiles.h"
#include "../runtime/recordio.h"
#include "qxfile.h"
#include "qxsupport.h"
#include "qxutil.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

// The records' text; false when the clipboard holds none. The block may come from another
// program: the text ends at its first zero byte or at the end of the block.
bool ClipboardText(KERNEL* kernel, std::string* text)
{
    const UINT format = KernObjectClipboardFormat();
    if (!IsClipboardFormatAvailable(format) || !OpenClipboard(KernClipboardWindow(kernel)))
        return false;
    bool found = false;
    if (const HANDLE data = GetClipboardData(format)) {
        const SIZE_T size = GlobalSize(data);
        if (const auto* bytes = static_cast<const char*>(GlobalLock(data))) {
            const void* zero = std::memchr(bytes, 0, size);
            text->assign(bytes, zero ? static_cast<const char*>(zero) : bytes + size);
            GlobalUnlock(data);
            found = true;
        }
    }
    CloseClipboard();
    return found;
}

// Whether another record starts further on, its start line looked for as the page reader
// looks for it; the file stays where it was.
bool RecordFollows(QXFILE file)
{
    const long here = FilePosition(file);
    char line[25];
    bool found = false;
    while (!found && QXGetLine(file, line, sizeof line))
        found = lstrcmpiA(QXlrtrim(line), "OBJET {") == 0;
    QXSeekFile(file, here, 0);
    return found;
}

// A page has at most one default forward and one default back branch: those the pasted
// object brings replace the page's own, or those of objects pasted before it.
void KeepOneDefault(KERNEL* kernel, OBJET* object, const std::vector<OBJET*>& pastedBefore)
{
    for (int i = 0; i < object->GetBranchItems(); ++i) {
        const int kind = object->GetBranch(i)->kind;
        if (kind != QX_BRANCH_DEFAULT_FORWARD && kind != QX_BRANCH_DEFAULT_BACK)
            continue;
        BRANCH* other = KernPageBranchOfKind(kernel, kind);
        for (size_t k = 0; !other && k < pastedBefore.size(); ++k)
            other = KernBranchOfKind(pastedBefore[k], kind);
        if (other)
            other->kind = QX_BRANCH_ORDINARY;
    }
}

// The objects of the records, in reading order. A record that ends the paste with an alert
// discards every object read: none of them reaches the page.
std::vector<OBJET*> ReadObjects(KERNEL* kernel, QXFILE file, int count)
{
    std::vector<OBJET*> objects;
    for (int i = 0; i < count && RecordFollows(file); ++i) {
        int universe = 1;
        OBJET* object = KernLoadTree(kernel, file, universe, 0);
        if (!object) {
            for (OBJET* read : objects)
                KillObjet(read);
            return {};
        }
        KeepOneDefault(kernel, object, objects);
        objects.push_back(object);
    }
    return objects;
}

// The object goes under the object that encloses it and joins the selection.
void Place(KERNEL* kernel, OBJET* object)
{
    KernUndoPush(kernel, new UNDO_ADD(object));
    KernLinkParentChild(KernLocateParent(kernel, object), object, 0);
    KernBroadCastUntilDone(kernel, object, KM_RELINK, 0, 0);
    KernQueryPalette(kernel);
    KernBroadCastUntilDone(kernel, object, KM_SHOWN, KM_SHOWN_INSERTED, 0);
    MSGL click = {static_cast<WORD>(kernel->mode), object->window, WM_LBUTTONUP, MK_CONTROL, 0};
    KernEventSelectObject(kernel, object, &click);
}

OBJET* PasteRecords(KERNEL* kernel, const CLIPTEMPFILE& records)
{
    const QXFILE file = QXopen(records.Name(), 0);
    if (!file)
        return nullptr;
    int count = 0;
    if (!Load1Int(file, &count) || count <= 0) {
        QXclose(file);
        return nullptr;
    }
    KernUndoPush(kernel, new UNDO_MARK_BEGIN(kernel));
    KernUnSelectAllObjects(kernel);
    const std::vector<OBJET*> objects = ReadObjects(kernel, file, count);
    QXclose(file);
    for (OBJET* object : objects)
        Place(kernel, object);
    KernUndoPush(kernel, new UNDO_MARK_END(kernel));
    KernChainAllObject(kernel);
    return objects.empty() ? nullptr : objects.back();
}

}  // namespace

OBJET* KernPasteFromClipboard(KERNEL* kernel)
{
    if (!kernel || !KernGetTopObjet(kernel))
        return nullptr;
    try {
        CLIPWAITCURSOR wait;
        std::string text;
        if (!ClipboardText(kernel, &text))
            return nullptr;
        CLIPTEMPFILE records(kernel);
        if (!records.Made() || !records.WriteAll(text.data(), text.size()))
            return nullptr;
        return PasteRecords(kernel, records);
    } catch (...) {
        // Out of memory for the text: nothing is pasted.
        return nullptr;
    }
}
