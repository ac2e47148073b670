// Finding the files a page names: on the publication's drive, through the relocations the
// user chose, and reporting each missing name once.
#include "filefind.h"

#include "kernel.h"
#include "kernelprocess.h"
#include "kernelres.h"
#include "qxpath.h"
#include "../authoring/paths.h"

#include <cstring>

namespace {

bool IsMissing(KERNEL* kernel, const char* name)
{
    for (int i = 0; i < kernel->missing.Items(); ++i) {
        if (lstrcmpiA(static_cast<QXStringNode*>(kernel->missing.GetItem(i))->string, name) == 0)
            return true;
    }
    return false;
}

// The name is reported (when asked) and remembered, so that it is reported only once.
void ReportMissing(KERNEL* kernel, const char* name, int ask)
{
    if (ask)
        KernAlert(KernGetAppWindow(kernel), IDS_FILE_NOT_FOUND_CAPTION, IDS_FILE_NOT_FOUND, name);
    QXStringNode* node = new QXStringNode(name);
    if (node)
        kernel->missing.AddTail(node);
}

// The name moved onto the drive of the publication folder.
QXSTRING OnPublicationDrive(KERNEL* kernel, const char* name)
{
    FNSPLIT publication(kernel->scnPath);
    FNSPLIT parts(name);
    return publication.drive + parts.dir + parts.name + parts.ext;
}

void SetName(char* name, const char* found) { lstrcpynA(name, found, QX_NAME_BUFFER); }

}  // namespace

bool KernIsLocalName(const char* name)
{
    const int kind = GetFileLocation(name, nullptr, 0, nullptr, 0);
    return kind == QX_LOCATION_LOCAL || kind == QX_LOCATION_UNC;
}

RELOCFILE_ITEM* RELOCFILE_LIST::Find(const char* source)
{
    for (int i = 0; i < Items(); ++i) {
        auto* item = static_cast<RELOCFILE_ITEM*>(GetItem(i));
        if (lstrcmpiA(item->source, source) == 0)
            return item;
    }
    return nullptr;
}

void RELOCFILE_LIST::AddFile(const char* source, const char* destination)
{
    if (!source || !destination || Find(source))
        return;
    RELOCFILE_ITEM* item = new RELOCFILE_ITEM(source, destination);
    if (item)
        AddTail(item);
}

int KernFindFile(KERNEL* kernel, char* name, int ask)
{
    if (!kernel || !name || !*name || kernel->scnPath.length() == 0)
        return 0;
    if (!KernIsLocalName(name))
        return 1;
    if (!QXValidateFileNameChar(name))
        return 0;
    const QXSTRING candidate = OnPublicationDrive(kernel, name);
    if (DoFileExist(candidate)) {
        SetName(name, candidate);
        return 1;
    }
    // A file that exists where the name says (another drive, e.g. a module beside the host
    // program) is that file: moving it onto the publication's drive would lose it.
    if (DoFileExist(name))
        return 1;
    if (const RELOCFILE_ITEM* moved = kernel->relocations.Find(candidate)) {
        SetName(name, moved->destination);
        return 1;
    }
    if (IsMissing(kernel, name))
        return 0;
    SetName(name, candidate);
    ReportMissing(kernel, candidate, ask);
    return 0;
}

int KernFindFileStr(KERNEL* kernel, QXSTRING* name, int ask)
{
    if (!name)
        return 0;
    char buffer[QX_NAME_BUFFER];
    lstrcpynA(buffer, *name, sizeof buffer);
    const int found = KernFindFile(kernel, buffer, ask);
    *name = buffer;
    return found;
}

int KernFindFileOld(KERNEL* kernel, char* name, int ask, int)
{
    if (!kernel || !name || !*name || kernel->scnPath.length() == 0 || !KernIsLocalName(name))
        return 0;
    char qualified[QX_NAME_BUFFER];
    lstrcpynA(qualified, name, sizeof qualified);
    if (!MakeFQName(qualified))
        return 0;
    if (const RELOCFILE_ITEM* moved = kernel->relocations.Find(OnPublicationDrive(kernel, qualified))) {
        SetName(name, moved->destination);
        return 1;
    }
    if (DoFileExist(qualified)) {
        SetName(name, qualified);
        return 1;
    }
    if (!IsMissing(kernel, name))
        ReportMissing(kernel, name, ask);
    return 0;
}

int KernFindFileOldStr(KERNEL* kernel, QXSTRING* name, int ask, int checkDrive)
{
    if (!name)
        return 0;
    char buffer[QX_NAME_BUFFER];
    lstrcpynA(buffer, *name, sizeof buffer);
    const int found = KernFindFileOld(kernel, buffer, ask, checkDrive);
    *name = buffer;
    return found;
}

void KernLocateNamedFile(KERNEL* kernel, QXSTRING* name, int oldPage, int ask)
{
    KernFileToAbsolutePathStr(kernel, *name, name);
    if (oldPage)
        KernFindFileOldStr(kernel, name, ask, ask);
    KernFindFileStr(kernel, name, ask);
}
