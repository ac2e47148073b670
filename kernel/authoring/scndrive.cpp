// The check of a picked file against the publication's disk, and the copy of files from other
// disks onto it (the relocation list then maps the old names to the copies).
#include "scndrive.h"

#include "authoring.h"
#include "filedialogs_res.h"
#include "filefind.h"
#include "kernel.h"
#include "kernelprocess.h"
#include "kernelres.h"
#include "qxpath.h"

namespace {

bool OnSameDrive(KERNEL* kernel, const char* name)
{
    return lstrcmpiA(KernScnDrive(kernel), FNSPLIT(name).drive) == 0;
}

// What a copy can be asked for: a local or network file with a usable name, in a kernel that
// has a publication folder.
bool CanCopy(KERNEL* kernel, const char* name)
{
    return kernel && name && *name && kernel->scnPath.length() > 0 && KernIsLocalName(name) &&
           QXValidateFileNameChar(name);
}

int CopyErrorText(int failure)
{
    switch (failure) {
    case -3:
        return IDS_COPY_DISK_FULL;
    case -2:
    case -4:
        return IDS_COPY_SOURCE_NOT_OPENED;
    default:
        return IDS_COPY_TARGET_NOT_CREATED;
    }
}

// Copies one file and records where it went when its folder changes, so that pages naming the
// old file find the copy. A failure is told to the author.
bool CopyOntoScnDrive(KERNEL* kernel, const char* from, const char* to)
{
    QXCreateFilePath(to);
    const int failure = fcopy(from, to);
    if (failure != 0) {
        // A copy cut short by a full disk or a read error is no use to anyone.
        if (failure == -3 || failure == -4)
            DeleteFileA(to);
        KernTreeMessageBox(KernGetAppWindow(kernel), IDS_COPY_ERROR_CAPTION, CopyErrorText(failure),
                           MB_OK | MB_ICONERROR);
        return false;
    }
    const FNSPLIT source(from);
    if (lstrcmpiA(source.dir, FNSPLIT(to).dir) != 0)
        kernel->relocations.AddFile(KernOnPublicationDrive(kernel, from), to);
    return true;
}

// The destination the author confirms in the dialog; false when cancelled.
bool AskDestination(KERNEL* kernel, const char* source, QXSTRING* destination)
{
    COPYTOSCNDRIVEDIALOG dialog(KernGetAppWindow(kernel));
    dialog.source = source;
    dialog.destinationFolder = KernInFolder(kernel->scnPath, "");
    if (!dialog.Execute())
        return false;
    *destination = dialog.destination;
    return true;
}

// The string's text into a caller's buffer of `size` bytes; a name that does not fit is
// refused rather than cut into the name of some other file.
int CopyBack(const QXSTRING& text, char* buffer, int size)
{
    if (text.length() >= size)
        return 0;
    lstrcpynA(buffer, text, size);
    return 1;
}

}  // namespace

QXSTRING KernInFolder(const char* folder, const char* name)
{
    QXSTRING joined(folder);
    if (joined.length() > 0 && folder[joined.length() - 1] != '\\')
        joined += '\\';
    return joined + name;
}

QXSTRING KernScnDrive(KERNEL* kernel)
{
    if (!kernel)
        return QXSTRING();
    return FNSPLIT(kernel->scnPath).drive;
}

int KernValidateScnFileDrive(KERNEL* kernel, const char* name, int ask)
{
    // Callers rely on names being compared without case again after this check.
    QXSTRING::caseSensitive = 0;
    if (!kernel || !name || !*name || kernel->scnPath.length() == 0)
        return QX_SCNDRIVE_UNCHECKED;
    if (!KernIsLocalName(name))
        return 0;
    if (!QXValidateFileNameChar(name))
        return QX_SCNDRIVE_UNCHECKED;
    if (OnSameDrive(kernel, name))
        return 0;
    // A file copied onto the publication's disk before is not asked about again.
    if (kernel->relocations.Find(KernOnPublicationDrive(kernel, name)))
        return QX_SCNDRIVE_OTHER_DISK;
    if (ask && KernTreeMessageBox(KernGetAppWindow(kernel), IDS_WARNING, IDS_COPY_TO_SCN_DRIVE,
                                  MB_YESNO | MB_ICONQUESTION, name, KernScnDrive(kernel)) != IDYES)
        return QX_SCNDRIVE_OTHER_DISK;
    return QX_SCNDRIVE_OTHER_DISK | QX_SCNDRIVE_COPY_WANTED;
}

int KernCopyToScnDriveStr(KERNEL* kernel, QXSTRING* name)
{
    if (!name || !CanCopy(kernel, *name))
        return 0;
    if (OnSameDrive(kernel, *name))
        return 1;
    QXSTRING destination;
    if (!AskDestination(kernel, *name, &destination) || !CopyOntoScnDrive(kernel, *name, destination))
        return 0;
    *name = destination;
    return 1;
}

int KernCopyToScnDrive(KERNEL* kernel, char* name, int size)
{
    if (!name || size <= 0)
        return 0;
    QXSTRING copy(name);
    return KernCopyToScnDriveStr(kernel, &copy) && CopyBack(copy, name, size);
}

int KernMultiCopyToScnDriveStr(KERNEL* kernel, QXSTRING* folder, const char* names)
{
    if (!folder || !names || !CanCopy(kernel, *folder))
        return 0;
    if (OnSameDrive(kernel, *folder))
        return 1;
    QXSTRING destination;
    if (!AskDestination(kernel, *folder, &destination))
        return 0;
    for (const char* name = names; *name; name += lstrlenA(name) + 1) {
        if (!CopyOntoScnDrive(kernel, KernInFolder(*folder, name), KernInFolder(destination, name)))
            return 0;
    }
    *folder = destination;
    return 1;
}

int KernMultiCopyToScnDrive(KERNEL* kernel, char* folder, int size, const char* names)
{
    if (!folder || size <= 0)
        return 0;
    QXSTRING copy(folder);
    return KernMultiCopyToScnDriveStr(kernel, &copy, names) && CopyBack(copy, folder, size);
}
