// Finding an object by its logical name, and taking a new object made by a plug-in's
// creation function into the page.
#include "accessors.h"

#include "history.h"
#include "kernelprocess.h"
#include "kernelres.h"
#include "qxutil.h"
#include "kerntree.h"
#include "objet.h"
#include "../authoring/selection.h"
#include "../authoring/undo.h"

#include <cstring>

namespace {

struct NAMESEARCH {
    const char* name;
    OBJET* found;
};

int RememberNamed(KERNEL*, OBJET* object, void* data)
{
    auto* search = static_cast<NAMESEARCH*>(data);
    if (lstrcmpiA(object->GetUserID(), search->name) != 0)
        return 0;
    search->found = object;
    return 1;
}

// "QXTEXT.DLL" becomes "QXTEXT40.DLL": the text from the last '.' on is replaced.
bool VersionedModuleName(const char* moduleName, QXSTRING* versioned)
{
    const char* dot = moduleName ? std::strrchr(moduleName, '.') : nullptr;
    if (!dot)
        return false;
    versioned->Format("%.*s%s.DLL", static_cast<int>(dot - moduleName), moduleName, QX_KERNEL_VERSION);
    return true;
}

}  // namespace

OBJET* KernFindObjetEx(KERNEL* kernel, const char* name)
{
    if (!kernel || !name)
        return nullptr;
    NAMESEARCH search = {name, nullptr};
    for (int i = kernel->loadedPages.Items() - 1; i >= 0 && !search.found; --i)
        KernTraverseTree(kernel, static_cast<TREE*>(kernel->loadedPages.GetItem(i))->root, RememberNamed, nullptr,
                         &search, QX_WALK_FIRST_TO_LAST);
    return search.found;
}

OBJET* KernFindObjet(KERNEL* kernel, void*, const char* name) { return KernFindObjetEx(kernel, name); }

void KernUpdateNewObjet(KERNEL* kernel, OBJET* object)
{
    if (!kernel || !object)
        return;
    KernUndoPush(kernel, new UNDO_MARK_BEGIN(kernel));
    QXSTRING path;
    QXSTRING versioned;
    path.Format("%s%s", static_cast<const char*>(kernel->appPath), object->GetDLLName());
    // The object's own reference on its module, given back when the object is destroyed.
    const HMODULE module = VersionedModuleName(path, &versioned) ? LoadLibraryA(versioned) : nullptr;
    if (!module) {
        const DWORD error = GetLastError();
        // The group opened above is closed on this path too, so the undo list stays balanced.
        KernUndoPush(kernel, new UNDO_MARK_END(kernel));
        QXSTRING text;
        text.Format(static_cast<const char*>(KernString(IDS_MODULE_NOT_LOADED)), object->GetDLLName(),
                    static_cast<long>(error));
        Alert(KernGetAppWindow(kernel), KernString(IDS_FILE_ERROR), text);
        return;
    }
    KernBroadCastUntilDone(kernel, object, KM_RELINK, 0, 0);
    KernQueryPalette(kernel);
    KernBroadCastUntilDone(kernel, object, KM_SHOWN, KM_SHOWN_INSERTED, 0);
    if (kernel->eventAddObjet)
        kernel->eventAddObjet(kernel->appPointer, kernel, object);
    KernUndoPush(kernel, new UNDO_ADD(object));
    KernSelectObject(kernel, object);
    KernUnChainAllObject(kernel);
    KernChainAllObject(kernel);
    KernUndoPush(kernel, new UNDO_MARK_END(kernel));
}

UINT KernRegisterClipboardFormat(KERNEL*, const char* moduleName)
{
    QXSTRING versioned;
    return VersionedModuleName(moduleName, &versioned) ? RegisterClipboardFormatA(versioned) : 0;
}
