// Every component of a publication lies on the disk of its publication folder: the check of a
// picked file against that disk, and the copy of files from other disks onto it.
#pragma once

#include "../runtime/qxkernel.h"

// Result flags of KernValidateScnFileDrive; 0 means remote, or already on the publication's disk.
constexpr int QX_SCNDRIVE_UNCHECKED = 1;   // no kernel, no name, no publication folder, bad characters
constexpr int QX_SCNDRIVE_COPY_WANTED = 2;
constexpr int QX_SCNDRIVE_OTHER_DISK = 4;

// The record of the dialog "DLG_COPYTOSCNDRIVE": the caller sets the source and the folder
// proposed on the publication's disk; a confirmed dialog leaves the chosen destination.
class QXCORE_API COPYTOSCNDRIVEDIALOG {
public:
    explicit COPYTOSCNDRIVEDIALOG(HWND owner) : owner(owner) {}
    // Runs the dialog modally over the owner (its window tree disabled meanwhile); 1 when
    // confirmed, 0 when cancelled.
    int Execute();

    HWND owner;
    QXSTRING source;
    QXSTRING destination;        // the result
    QXSTRING destinationFolder;  // the publication folder, ending with a backslash
    int confirmed = 0;
};

// The copies onto the publication's disk (KernValidateScnFileDrive and KernCopyToScnDrive, on a
// caller's buffer, are declared in authoring.h). 1 when the name may be used: a file from
// another disk is first copied where the author confirms, and the string then names the copy;
// 0 when the author cancelled or the copy failed (the author is told), the string unchanged.
QXCORE_EXPORT int KernCopyToScnDriveStr(KERNEL* kernel, QXSTRING* name);
// The same for the names of a multiple selection (each ended by a zero, the list by an empty
// name), all copied from `folder` into the one folder confirmed, which then replaces `folder`.
QXCORE_EXPORT int KernMultiCopyToScnDrive(KERNEL* kernel, char* folder, int size, const char* names);
QXCORE_EXPORT int KernMultiCopyToScnDriveStr(KERNEL* kernel, QXSTRING* folder, const char* names);

// The name inside the folder, a backslash put between them when the folder lacks one.
QXSTRING KernInFolder(const char* folder, const char* name);
// The drive of the publication folder ("C:" or "\\server\share"); "" when there is none.
QXSTRING KernScnDrive(KERNEL* kernel);
