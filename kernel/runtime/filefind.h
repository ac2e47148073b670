// Finding the files a page names: names written on the author's machine are looked for on
// the publication's drive, through the relocations the user chose, and reported missing once.
#pragma once

#include "qxkernel.h"

class QXCORE_API RELOCFILE_ITEM : public LNODE {
public:
    RELOCFILE_ITEM(const char* source, const char* destination) : source(source), destination(destination) {}
    QXSTRING source;       // the name a page gives
    QXSTRING destination;  // the file that replaces it
};

class QXCORE_API RELOCFILE_LIST : public LIST {
public:
    // Appends the pair unless the source is listed already (case ignored); null does nothing.
    void AddFile(const char* source, const char* destination);
    RELOCFILE_ITEM* Find(const char* source);
};

// Where the host keeps its settings, for finding the CD-ROM of the publication.
struct QXCORE_API qkrn_CREGISTRYINFOS {
    QXSTRING currentUserKey;  // under HKEY_CURRENT_USER
    QXSTRING allUsersKey;     // ".Default\<key>" under HKEY_USERS
    QXSTRING subKey;
    QXSTRING valueName;
};

// A local name named in a current page: rewritten with the file found (name holds 500 bytes).
// 1 found or not a local name, 0 not found; ask 1 lets the kernel tell the user.
QXCORE_EXPORT int KernFindFile(KERNEL* kernel, char* name, int ask);
QXCORE_EXPORT int KernFindFileStr(KERNEL* kernel, QXSTRING* name, int ask);
// The same for a name named in a page of the oldest format (version 0).
QXCORE_EXPORT int KernFindFileOld(KERNEL* kernel, char* name, int ask, int checkDrive);
QXCORE_EXPORT int KernFindFileOldStr(KERNEL* kernel, QXSTRING* name, int ask, int checkDrive);

// Remembers a folder where a file was found (a listed folder is not added twice); the
// oldest of 16 makes room.
QXCORE_EXPORT void KernAddSeekPath(KERNEL* kernel, const char* folder);

// The host's settings keys, when the host gave them: 1 and the key, else 0 and key unchanged.
QXCORE_EXPORT int KernGetAppCurrentUserRegBaseKey(KERNEL* kernel, QXSTRING* key);
QXCORE_EXPORT int KernGetAppAllUsersRegBaseKey(KERNEL* kernel, QXSTRING* key);
// The CD-ROM root the settings record (read once, then remembered): 1 and the path, else 0.
QXCORE_EXPORT int KernGetCDROMPath(KERNEL* kernel, QXSTRING* path);

// Asks the user for the folder of the CD-ROM (or of a copy of it) when the settings don't
// name one holding `file` in `subfolder`; the folder chosen is remembered in the settings.
// 1 and the root, else 0.
QXCORE_EXPORT int KernLocateCDROMRootPath(KERNEL* kernel, HWND owner, const char* file, const char* subfolder,
                                          QXSTRING* root);

// A local file or a network share name, as opposed to an address.
bool KernIsLocalName(const char* name);
// The name moved onto the drive of the publication folder.
QXSTRING KernOnPublicationDrive(KERNEL* kernel, const char* name);
// Names reported missing are told to the user (when asked) once for each kernel.
bool KernIsMissingName(KERNEL* kernel, const char* name);
void KernReportMissing(KERNEL* kernel, const char* name, int ask);

// A file named in a record: made absolute against the page read, then looked for (first
// by the old search on a page of the oldest format); ask lets the user be told.
void KernLocateNamedFile(KERNEL* kernel, QXSTRING* name, int oldPage, int ask);
