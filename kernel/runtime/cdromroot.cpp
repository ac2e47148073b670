// Finding the publication's CD-ROM (or a copy of it on disk): the folder the settings
// record, else the one the user points at, which the settings then remember.
#include "filefind.h"

#include "kernel.h"
#include "kernelprocess.h"
#include "kernelres.h"
#include "qxpath.h"
#include "qxregistry.h"
#include "qxutil.h"
#include "qxwindowtree.h"

#include <shlobj.h>

#include <cstring>

namespace {

// 1 when the root holds the file in the subfolder.
bool Holds(const char* root, const char* subfolder, const char* file)
{
    QXSTRING path;
    path.Format("%s\\%s\\%s", root, subfolder, file);
    StripDoubleBackslashStr(&path);
    return DoFileExist(path) != 0;
}

// The folder the user picks in the shell's folder browser, or false when he cancels.
bool BrowseForFolder(HWND owner, QXSTRING* folder)
{
    const QXSTRING title = KernString(IDS_CDROM_BROWSE_TITLE);
    BROWSEINFOA browse{};
    browse.hwndOwner = owner;
    browse.lpszTitle = title;
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    qutl_EnableWindowTree tree;
    tree.GetWindowTree(owner);
    tree.SetEnableState(0);
    LPITEMIDLIST chosen = SHBrowseForFolderA(&browse);
    tree.ResetInitEnableState();
    if (!chosen)
        return false;
    char path[MAX_PATH] = {};
    const bool named = SHGetPathFromIDListA(chosen, path) != 0;
    CoTaskMemFree(chosen);
    *folder = path;
    return named;
}

void Remember(KERNEL* kernel, const QXSTRING& root)
{
    kernel->cdromRoot = root;
    const qkrn_CREGISTRYINFOS& registry = *kernel->registry;
    if (registry.currentUserKey.length() && registry.subKey.length())
        SetRegistryStringValue(HKEY_CURRENT_USER, registry.currentUserKey + registry.subKey, registry.valueName, root);
}

}  // namespace

int KernLocateCDROMRootPath(KERNEL* kernel, HWND owner, const char* file, const char* subfolder, QXSTRING* root)
{
    if (!kernel || !file || !*file || std::strchr(file, '\\') || !kernel->registry || !root)
        return 0;
    if (!subfolder)
        subfolder = "";
    QXSTRING known;
    if (KernGetCDROMPath(kernel, &known) && Holds(known, subfolder, file)) {
        *root = known;
        return 1;
    }
    QXSTRING chosen;
    while (BrowseForFolder(owner, &chosen)) {
        if (Holds(chosen, subfolder, file)) {
            const int length = chosen.length();
            if (length > 0 && static_cast<const char*>(chosen)[length - 1] == '\\')
                chosen.RemoveCharAt(length - 1, nullptr);
            *root = chosen;
            Remember(kernel, chosen);
            return 1;
        }
        Warning(owner, KernString(IDS_CDROM_READ_ERROR), KernString(IDS_CDROM_NOT_THERE));
    }
    return 0;
}
