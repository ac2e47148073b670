// Paths, file names and copying: classifying names by location, splitting and joining them,
// relative and absolute names, checking characters, temporary names, folders, copying and
// drives. Buffer forms take caller buffers of QX_NAME_BUFFER bytes unless a size is passed,
// and refuse (0) a result that does not fit instead of cutting it; the forms with the suffix
// Str fill a QXSTRING. Names are compared without regard to case.
#pragma once

#include "qxbase.h"
#include "qxstring.h"

// Location kinds returned by GetFileLocation; the kernel and the plug-ins switch on them.
constexpr int QX_LOCATION_NONE = 0;   // null name
constexpr int QX_LOCATION_LOCAL = 1;
constexpr int QX_LOCATION_FTP = 2;    // "FTP://..."
constexpr int QX_LOCATION_HTTP = 3;   // "HTTP://..."
constexpr int QX_LOCATION_UNC = 4;    // "\\server\share..."

// Split flags returned by QXfnsplitStr and its relatives, summed.
constexpr int QX_SPLIT_DRIVE = 16;
constexpr int QX_SPLIT_DIR = 8;
constexpr int QX_SPLIT_NAME = 4;
constexpr int QX_SPLIT_EXT = 2;
constexpr int QX_SPLIT_WILDCARD = 1;  // a '?' or '*' occurs

// ---- Classification and splitting ----

// The location kind. For FTP and HTTP addresses the text after the protocol is cut at its
// first '/': the part before goes to `host`, the part after the '/' to `path`, each cut to
// size-1 characters and terminated. Outputs may be null and are emptied first.
QXBASE_API int GetFileLocation(const char* name, char* host, int hostSize, char* path, int pathSize);
QXBASE_API int GetFileLocationStr(const char* name, QXSTRING* host, QXSTRING* path);

// Drive ("C:" or "\\server\share"), directory (with its separators), name and extension
// (with its dot). Any output may be null; returns the split flags, 0 for a null path.
QXBASE_API int QXfnsplitStr(const char* path, QXSTRING* drive, QXSTRING* dir, QXSTRING* name, QXSTRING* ext);
QXBASE_API int QXfnsplit(const char* path, char* drive, char* dir, char* name, char* ext);

// An address: protocol "FTP://" or "HTTP://" (left unchanged for other names), the host, and
// "/" followed by the path split like a path; the flags of that split.
QXBASE_API int QXurlsplitStr(const char* url, QXSTRING* protocol, QXSTRING* host, QXSTRING* dir,
                             QXSTRING* name, QXSTRING* ext);
QXBASE_API int QXurlsplit(const char* url, char* protocol, char* host, char* dir, char* name, char* ext);

// As QXfnsplitStr, but for FTP and HTTP addresses the drive is protocol + host.
QXBASE_API int QXGeneralfnsplitStr(const char* path, QXSTRING* drive, QXSTRING* dir, QXSTRING* name,
                                   QXSTRING* ext);
QXBASE_API int QXGeneralfnsplit(const char* path, char* drive, char* dir, char* name, char* ext);

// Concatenates the given parts (null parts skipped); 1 (0 when the result does not fit).
QXBASE_API int QXfnmerge(char* out, const char* drive, const char* dir, const char* name, const char* ext);
QXBASE_API int QXfnmergeStr(QXSTRING* out, const char* drive, const char* dir, const char* name,
                            const char* ext);

// The four parts of a name as QXfnsplitStr gives them.
class QXBASE_API FNSPLIT {
public:
    FNSPLIT() = default;
    explicit FNSPLIT(const char* path) { split(path); }
    int split(const char* path);  // the split flags

    QXSTRING drive;
    QXSTRING dir;
    QXSTRING name;
    QXSTRING ext;
};

// ---- Relative and absolute names ----

// `file` relative to the folder `base` (ending in a backslash): ".\rest" or "..\..\rest";
// 1 when made relative, 0 with out = file when the drives differ (or `base` is null or empty).
QXBASE_API int QXFileToRelatifPath(const char* base, const char* file, char* out);
QXBASE_API int QXFileToRelatifPathStr(const char* base, const char* file, QXSTRING* out);
// As above, but only names inside `base` become relative (out = file and 0 otherwise).
QXBASE_API int QXFileToRelatifPath2(const char* base, const char* file, char* out);
QXBASE_API int QXFileToRelatifPathStr2(const char* base, const char* file, QXSTRING* out);
// As QXFileToRelatifPath when `file` begins with `root`; otherwise out = file and 0.
QXBASE_API int QXFileToRelatifPathRoot(const char* root, const char* base, const char* file, char* out);
QXBASE_API int QXFileToRelatifPathRootStr(const char* root, const char* base, const char* file, QXSTRING* out);

// Resolves a name beginning with ".\" or "..\" against the folder `base`; addresses keep
// their forward slashes. 1 when resolved; 0 with out = relative otherwise.
QXBASE_API int QXFileToAbsolutePath(const char* base, const char* relative, char* out);
QXBASE_API int QXFileToAbsolutePathStr(const char* base, const char* relative, QXSTRING* out);

// Puts the current directory before a local or UNC name that lacks a drive or a directory.
// 1 for any non-empty name; 0 for a null or empty name, when the current directory cannot be
// read, or (buffer form) when the result does not fit.
QXBASE_API int MakeFQName(char* name);
QXBASE_API int MakeFQNameStr(QXSTRING* name);

// ---- Checks ----

// 1 unless c is one of \ / : * ? " < > | or the zero byte.
QXBASE_API int QXIsValidFileChar(int c);
// 1 when every character of the name's drive, directory, name and extension is acceptable.
QXBASE_API int QXValidateFileNameChar(const char* name);
// 1 for an FTP or HTTP address whose host, directory, name and extension hold only allowed
// characters ('/' allowed in the directory).
QXBASE_API int QXValidateUrlChar(const char* url);
// 1 for an acceptable name without '?' or '*' that exists (local and UNC names) or an
// acceptable address; the extension goes to `ext`. 0 for a null or empty name.
QXBASE_API int ValidateFileNameStr(const char* name, QXSTRING* ext);
QXBASE_API int ValidateFileName(const char* name, char* ext, int extSize);
// 1 when the file or folder exists; a name holding '*' or '?' names none.
QXBASE_API int DoFileExist(const char* name);
// 1 when the folder holds nothing but "." and ".."; 0 for a null name or a missing folder.
QXBASE_API int QXIsDirectoryEmpty(const char* dir);
// In place: ASCII letters, digits and / \ : . kept, accented letters turned into their base
// letter, anything else into '_', then all lower case. 0 for a null name, else 1.
QXBASE_API int QXValidateNameForFTP(char* name);
// 1 when QXValidateNameForFTP would change nothing but the case of letters.
QXBASE_API int QXIsValidateNameForFTP(const char* name);
// From the second character on each pair of backslashes becomes one (a UNC name keeps its
// leading pair); the new length, 0 for a null or empty name.
QXBASE_API int StripDoubleBackslash(char* name);
QXBASE_API int StripDoubleBackslashStr(QXSTRING* name);
// Shortens a name to at most `max` characters for display ("C:\...\path\file.pag");
// 1 when shortened.
QXBASE_API int QXTruncateFileName(const char* name, char* out, int max);
QXBASE_API int QXTruncateFileNameStr(const char* name, QXSTRING* out, int max);

// ---- Files, folders and drives ----

// Copies a file in 1024-byte chunks: 0 done, -1 target not created, -2 source not opened,
// -3 a write came out short, -4 a read of the source failed.
QXBASE_API int fcopy(const char* from, const char* to);
// fcopy, then the copy's times are set from the source's last-write time (2-second DOS
// resolution); -1 for a null name, else the fcopy result.
QXBASE_API int fcopyWithSameDate(const char* from, const char* to);
// Copies a folder tree: 0 done, -1 null target, -2 null source, -3 the target's folders could
// not be made, else the first failing fcopy result.
QXBASE_API int QXDirCopy(const char* fromDir, const char* toDir);
// Creates the folders along the path, then the file named by the whole path (empty);
// 1 when that file could be created.
QXBASE_API int QXCreateDirectory(const char* path);
// Creates every folder along the path of a file name (a name ending in a backslash makes
// the last folder too); 1, or 0 for a null name or one that does not fit a work buffer.
QXBASE_API int QXCreateFilePath(const char* fileName);

// A name in `dir` (default: the temporary folder) that does not exist yet, made from `mask`
// (default "????.TMP") with each '?' replaced by a random character; with `create` the file
// is created empty. 1 on success; `out` is unchanged on failure.
QXBASE_API int QXCreateTempFileNameStr(const char* dir, const char* mask, QXSTRING* out, int create);
// As above; also fails when the name does not fit in outSize-1 characters.
QXBASE_API int QXCreateTempFileName(const char* dir, const char* mask, char* out, int outSize, int create);
// A random character among '0'-'9' and 'a'-'z'.
QXBASE_API char QXGenerateAlphaNumChar();

// Drive 0 = A:, 1 = B: ...: 1 removable, 2 fixed, 3 remote, 4 CD-ROM, 6 RAM disk, 0 unknown.
QXBASE_API int QXGetDriveType(int drive);
// The volume label of the drive's root; the system result, 0 for a null buffer or a
// negative size.
QXBASE_API int QXGetVolumeLabel(int drive, char* label, int size);
// Free bytes on the drive of the name; 0 on failure.
QXBASE_API unsigned long long DiskFreeSpace(const char* name);
// 3 with "Windows NT (Orig GUI)" up to version 3.51, 4 with "Windows NT (New GUI)" from
// version 4, else 0 with "Unknown" and all outputs 0. Any output may be null.
QXBASE_API int TrueGetVersion(unsigned long* raw, int* major, int* minor, const char** text);
