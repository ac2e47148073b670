// Finding the files a page names: on the publication's drive, through the relocations the
// user chose, and reporting each missing name once.
#include "filefind.h"

#include "kernel.h"
#include "kernelprocess.h"
#include "kernelres.h"
#include "qxpath.h"
#include "../authoring/authoring.h"
#include "../authoring/paths.h"

#include <string>

namespace {

void SetName(char* name, const char* found) { lstrcpynA(name, found, QX_NAME_BUFFER); }

// The open-file dialog's filter: files of the missing one's extension, then all files
// (pairs separated and ended by NULs).
std::string LocateFilter(const QXSTRING& extension)
{
    std::string filter;
    if (extension.length())
        for (int pair = 0; pair < 2; ++pair)
            filter.append("*").append(extension).push_back('\0');
    filter.append("*.*").push_back('\0');
    filter.append("*.*").push_back('\0');
    return filter;
}

// An author may point at the file that replaces a missing one: it then stands for the
// missing name from now on. False when he declines or cancels.
bool LocateByHand(KERNEL* kernel, const char* missing, char* name)
{
    const HWND host = KernGetAppWindow(kernel);
    if (KernTreeMessageBox(host, IDS_FILE_NOT_FOUND_CAPTION, IDS_FILE_LOCATE_QUESTION, MB_YESNO | MB_ICONQUESTION,
                           missing) != IDYES)
        return false;

    FNSPLIT parts(missing);
    std::string folder = static_cast<const char*>(parts.drive + parts.dir);
    if (folder.size() > 1 && folder.back() == '\\')
        folder.pop_back();
    const std::string filter = LocateFilter(parts.ext);
    char chosen[QX_NAME_BUFFER] = {};
    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = host;
    request.lpstrFilter = filter.c_str();
    request.lpstrFile = chosen;
    request.nMaxFile = sizeof chosen;
    request.lpstrInitialDir = folder.c_str();
    request.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!KernGetOpenFileName(kernel, &request))
        return false;
    kernel->relocations.AddFile(missing, chosen);
    SetName(name, chosen);
    return true;
}

}  // namespace

QXSTRING KernOnPublicationDrive(KERNEL* kernel, const char* name)
{
    FNSPLIT publication(kernel->scnPath);
    FNSPLIT parts(name);
    return publication.drive + parts.dir + parts.name + parts.ext;
}

bool KernIsMissingName(KERNEL* kernel, const char* name) { return kernel->missing.Holds(name); }

void KernReportMissing(KERNEL* kernel, const char* name, int ask)
{
    if (ask)
        KernAlert(KernGetAppWindow(kernel), IDS_FILE_NOT_FOUND_CAPTION, IDS_FILE_NOT_FOUND, name);
    kernel->missing.Add(name);
}

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
    const QXSTRING candidate = KernOnPublicationDrive(kernel, name);
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
    // Missing names are noted as sought, on the publication's drive.
    if (KernIsMissingName(kernel, candidate))
        return 0;
    SetName(name, candidate);
    if (ask && kernel->appIsEditor) {
        if (LocateByHand(kernel, candidate, name))
            return 1;
        KernReportMissing(kernel, candidate, 0);
        return 0;
    }
    KernReportMissing(kernel, candidate, ask);
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

void KernLocateNamedFile(KERNEL* kernel, QXSTRING* name, int oldPage, int ask)
{
    KernFileToAbsolutePathStr(kernel, *name, name);
    if (oldPage)
        KernFindFileOldStr(kernel, name, ask, ask);
    KernFindFileStr(kernel, name, ask);
}
