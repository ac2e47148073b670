// The kernel's open and save dialogs. Every local file the author picks is checked against the
// publication's disk: one from another disk is copied there (when the author agrees) and the
// copy's name replaces it.
#include "filedialogs.h"

#include "authoring.h"
#include "filedialogs_res.h"
#include "filefind.h"
#include "kernel.h"
#include "kernelprocess.h"
#include "kernelres.h"
#include "pagepreview.h"
#include "qxpath.h"
#include "qxwebapi.h"
#include "scndrive.h"

#include <cstring>

namespace {

bool Unchecked(int flags) { return flags & QX_SCNDRIVE_UNCHECKED; }
bool OnOtherDisk(int flags) { return flags & QX_SCNDRIVE_OTHER_DISK; }
bool CopyWanted(int flags) { return flags & QX_SCNDRIVE_COPY_WANTED; }

int ValidateOneFile(KERNEL* kernel, char* buffer, int size)
{
    const int flags = KernValidateScnFileDrive(kernel, buffer, 1);
    if (Unchecked(flags))
        return 0;
    if (!OnOtherDisk(flags))
        return 1;
    return CopyWanted(flags) && KernCopyToScnDrive(kernel, buffer, size);
}

// The names after the folder of a multiple selection, and the bytes they take with the
// empty name that ends them.
const char* NamesOf(const char* buffer) { return buffer + std::strlen(buffer) + 1; }

size_t NamesBytes(const char* names)
{
    const char* end = names;
    while (*end)
        end += std::strlen(end) + 1;
    return static_cast<size_t>(end - names) + 1;
}

int ValidateSeveralFiles(KERNEL* kernel, char* buffer, int size)
{
    const char* names = NamesOf(buffer);
    QXSTRING folder(buffer);
    const int flags = KernValidateScnFileDrive(kernel, KernInFolder(folder, names), 1);
    if (Unchecked(flags))
        return 0;
    if (!OnOtherDisk(flags))
        return 1;
    if (!CopyWanted(flags))
        return 0;
    // The names stay where they are in the buffer until the new folder is known to fit.
    const size_t namesBytes = NamesBytes(names);
    if (!KernMultiCopyToScnDriveStr(kernel, &folder, names) ||
        static_cast<size_t>(folder.length()) + 1 + namesBytes > static_cast<size_t>(size))
        return 0;
    std::memmove(buffer + folder.length() + 1, names, namesBytes);
    std::memcpy(buffer, static_cast<const char*>(folder), static_cast<size_t>(folder.length()) + 1);
    return 1;
}

// What an open dialog's answer becomes once its local names went through the drive check.
int CheckChosenFiles(KERNEL* kernel, OPENFILENAMEA* ofn, BOOL chosen)
{
    if (!chosen)
        return 0;
    const bool multiple = ofn->Flags & OFN_ALLOWMULTISELECT;
    // Only the explorer kind separates the names of a multiple selection by zeros.
    if (multiple && !(ofn->Flags & OFN_EXPLORER))
        return 0;
    char* buffer = ofn->lpstrFile;
    const size_t first = std::strlen(buffer);
    const int several = multiple && first + 1 < ofn->nMaxFile && buffer[first + 1] != '\0';
    if (KernIsLocalName(buffer) && !KernValidateOFNScnDrive(kernel, buffer, static_cast<int>(ofn->nMaxFile), several))
        return 0;
    return chosen;
}

// Reduces a full name to its name and extension, so that the dialog opens again on them.
void KeepNameAndExtension(char* buffer)
{
    const FNSPLIT parts(buffer);
    const QXSTRING bare = parts.name + parts.ext;
    lstrcpyA(buffer, bare);
}

}  // namespace

int KernValidateOFNScnDrive(KERNEL* kernel, char* buffer, int size, int several)
{
    if (!buffer || size <= 0)
        return 0;
    if (!KernIsLocalName(buffer))
        return 1;
    return several ? ValidateSeveralFiles(kernel, buffer, size) : ValidateOneFile(kernel, buffer, size);
}

int KernGetOpenFileName(KERNEL* kernel, OPENFILENAMEA* request)
{
    if (!request || !request->lpstrFile)
        return 0;
    return CheckChosenFiles(kernel, request, QXGetOpenFileName(request));
}

int KernGetOpenFileNamePreview(KERNEL* kernel, void* request)
{
    auto* asked = static_cast<QXPREVIEW_REQUEST*>(request);
    if (!asked || !asked->ofn || !asked->ofn->lpstrFile)
        return 0;
    // Without a callback of the caller's, pages are previewed by the kernel; any other file is
    // left to the dialog's own preview.
    QXPREVIEW_REQUEST withPages = *asked;
    if (!withPages.callback) {
        withPages.callback = KernPreviewPageCallback;
        if (auto* record = reinterpret_cast<KERNPREVIEWPAGE*>(withPages.user))
            record->opener = kernel;
    }
    return CheckChosenFiles(kernel, asked->ofn, QXGetOpenFileNamePreview(&withPages));
}

int KernGetSaveFileName(KERNEL* kernel, OPENFILENAMEA* request)
{
    if (!request || !request->lpstrFile)
        return 0;
    for (;;) {
        if (!GetSaveFileNameA(request))
            return 0;
        const char* name = request->lpstrFile;
        if (!KernIsLocalName(name))
            return 1;
        const int flags = KernValidateScnFileDrive(kernel, name, 0);
        if (Unchecked(flags) || !OnOtherDisk(flags))
            return 1;
        KeepNameAndExtension(request->lpstrFile);
        KernTreeMessageBox(KernGetAppWindow(kernel), IDS_ERROR, IDS_WRONG_DESTINATION_DRIVE, MB_OK | MB_ICONERROR,
                           KernScnDrive(kernel));
    }
}
