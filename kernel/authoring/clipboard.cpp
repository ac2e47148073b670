// Copying and cutting the selected objects to the clipboard as the text of their records.
#include "clipboard.h"

#include "clipboard_support.h"
#include "clipboard_undo.h"
#include "paths.h"
#include "selection.h"
#include "undo.h"
#include "../runtime/kernel.h"
#include "../runtime/kerntree.h"
#include "../runtime/objet.h"
#include "../runtime/recordio.h"
#include "qxfile.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// Where an object stood before it was written as a child of the page root.
struct PLACE {
    OBJET* parent;
    int index;
    int x, y, w, h;
    double ux, uy, uw, uh;
};

PLACE PlaceOf(OBJET* object)
{
    return {object->GetParent(), object->FindPos(), object->x, object->y, object->w, object->h,
            object->ux, object->uy, object->uw, object->uh};
}

void PutBack(OBJET* object, const PLACE& place)
{
    if (object->GetParent())
        object->GetParent()->RemoveChild(object);
    place.parent->InsertChild(object, place.index);
    if (object->window && place.parent->window)
        SetParent(object->window, place.parent->window);
    object->x = place.x;
    object->y = place.y;
    object->w = place.w;
    object->h = place.h;
    object->ux = place.ux;
    object->uy = place.uy;
    object->uw = place.uw;
    object->uh = place.uh;
    // Selecting again draws the frame around the window at its place.
    object->UnSelect();
    if (object->window)
        SetWindowPos(object->window, nullptr, place.x, place.y, 0, 0,
                     SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOSIZE);
    object->Select();
}

// The object's record, written as a child of the page root so that it carries page
// coordinates; the object then goes back to its place. *standard becomes the object when it
// offers standard formats.
bool WriteRecord(KERNEL* kernel, OBJET* object, QXFILE file, OBJET** standard)
{
    OBJET* root = KernGetTopObjet(kernel);
    const PLACE place = PlaceOf(object);
    const bool moved = place.parent && root && place.parent != root;
    if (moved)
        KernLinkParentChild(root, object, 0);
    int universe = 1;
    const bool saved = object->Save(file, universe, 1) != 0;
    if (saved && object->IsStdClipFormatAvailable())
        *standard = object;
    if (moved)
        PutBack(object, place);
    return saved;
}

bool WriteRecords(KERNEL* kernel, const char* name, OBJET** standard)
{
    const QXFILE file = QXopen(name, 1);
    if (!file)
        return false;
    OBJSEL_LIST& selection = kernel->selection;
    RECORDWRITER out(file);
    out.Int(selection.Items());
    bool written = out.Ok();
    for (int i = selection.Items() - 1; i >= 0 && written; --i)
        written = WriteRecord(kernel, selection.GetObjet(i), file, standard);
    QXclose(file);
    return written;
}

bool StartsRelative(const std::string& line)
{
    return line.compare(0, 2, ".\\") == 0 || line.compare(0, 3, "..\\") == 0;
}

// The records with every relative name made absolute against the page shown, so that they
// mean the same files once pasted into a page of another folder. Lines keep any length.
std::string WithAbsoluteNames(KERNEL* kernel, const std::string& records)
{
    std::string text;
    text.reserve(records.size());
    size_t start = 0;
    while (start < records.size()) {
        size_t end = records.find('\n', start);
        end = end == std::string::npos ? records.size() : end + 1;
        std::string line = records.substr(start, end - start);
        start = end;
        if (StartsRelative(line)) {
            const size_t ending = std::min(line.find_first_of("\r\n"), line.size());
            QXSTRING absolute;
            KernFileToAbsolutePathStr(kernel, line.substr(0, ending).c_str(), &absolute);
            line = static_cast<const char*>(absolute) + line.substr(ending);
        }
        text += line;
    }
    return text;
}

// A movable block holding the text and its zero byte, as the clipboard takes it; null when
// it cannot be allocated.
HGLOBAL TextBlock(const std::string& text)
{
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, text.size() + 1);
    if (!block)
        return nullptr;
    void* target = GlobalLock(block);
    if (!target) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(target, text.data(), text.size());
    GlobalUnlock(block);
    return block;
}

// True when the clipboard took the block.
bool PutOnClipboard(KERNEL* kernel, HGLOBAL block, OBJET* standard)
{
    if (!OpenClipboard(KernClipboardWindow(kernel))) {
        GlobalFree(block);
        return false;
    }
    EmptyClipboard();
    const bool taken = SetClipboardData(KernObjectClipboardFormat(), block) != nullptr;
    if (!taken)
        GlobalFree(block);
    if (standard)
        standard->CopyToClipboard(nullptr);
    CloseClipboard();
    return taken;
}

// True when the records reached the clipboard.
bool CopySelection(KERNEL* kernel)
{
    CLIPWAITCURSOR wait;
    CLIPTEMPFILE records(kernel);
    if (!records.Made())
        return false;
    OBJET* standard = nullptr;
    std::string written;
    if (!WriteRecords(kernel, records.Name(), &standard) || !records.ReadAll(&written))
        return false;
    const HGLOBAL block = TextBlock(WithAbsoluteNames(kernel, written));
    if (!block)
        return false;
    KernSaveClipboardForUndo(kernel);
    return PutOnClipboard(kernel, block, standard);
}

// KernCopyToClipboard, telling whether the records reached the clipboard.
bool CopyAsOneStep(KERNEL* kernel)
{
    // One undo step gives back the clipboard, with the selection calls that writing the
    // records made.
    KernUndoPush(kernel, new UNDO_MARK_BEGIN(kernel));
    bool copied = false;
    try {
        copied = CopySelection(kernel);
    } catch (...) {
        // Out of memory for the text: the clipboard keeps what it held.
    }
    KernUndoPush(kernel, new UNDO_MARK_END(kernel));
    return copied;
}

}  // namespace

UINT KernObjectClipboardFormat()
{
    static const UINT format = RegisterClipboardFormatA(QX_OBJECT_CLIPBOARD_FORMAT);
    return format;
}

void KernCopyToClipboard(KERNEL* kernel)
{
    if (kernel && kernel->selection.Items() > 0)
        CopyAsOneStep(kernel);
}

void KernCutToClipboard(KERNEL* kernel)
{
    if (!kernel || kernel->selection.Items() == 0)
        return;
    KernUndoPush(kernel, new UNDO_MARK_BEGIN(kernel));
    // Objects that did not reach the clipboard would be lost with the deletion.
    if (CopyAsOneStep(kernel))
        KernDeleteSelectObjects(kernel);
    KernUndoPush(kernel, new UNDO_MARK_END(kernel));
}
