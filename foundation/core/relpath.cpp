// Relative and absolute names, and names completed with the current directory.
#include "qxpath.h"

#include "pathtext.h"

#include <cctype>

using namespace pathtext;

namespace {

std::string DriveOf(const char* name)
{
    QXSTRING drive;
    QXGeneralfnsplitStr(name, &drive, nullptr, nullptr, nullptr);
    return Text(drive);
}

bool SameLetter(char a, char b)
{
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

// `file` relative to the folder `base`; `out` = file and false when the drives differ.
bool MakeRelative(const char* base, const char* file, std::string& out)
{
    out = file ? file : "";
    if (!base || !*base || !file || !EqualNoCase(DriveOf(base), DriveOf(file)))
        return false;
    std::string folder = Replaced(base, '/', '\\');
    EnsureTrailingBackslash(folder);
    const std::string name = Replaced(file, '/', '\\');
    if (StartsWithNoCase(name.c_str(), folder.c_str())) {
        out = ".\\" + name.substr(folder.size());
        return true;
    }
    size_t differ = 0;
    while (differ < folder.size() && differ < name.size() && SameLetter(folder[differ], name[differ]))
        ++differ;
    // The common part ends with the last whole folder both names share.
    const size_t lastShared = differ == 0 ? std::string::npos : name.rfind('\\', differ - 1);
    const size_t rest = lastShared == std::string::npos ? 0 : lastShared + 1;
    out.clear();
    for (size_t i = differ; i < folder.size(); ++i)
        if (folder[i] == '\\')
            out += "..\\";
    out += name.substr(rest);
    return true;
}

// The position of the backslash that ends the folder `levels` above `folder` (which ends in
// a backslash); npos when the folder has too few levels.
size_t FolderEndAbove(const std::string& folder, size_t levels)
{
    size_t end = folder.size() - 1;
    while (levels-- > 0) {
        if (end == 0)
            return std::string::npos;
        end = folder.rfind('\\', end - 1);
        if (end == std::string::npos)
            return std::string::npos;
    }
    return end;
}

// Resolves ".\name" and "..\..\name" against the folder `base`; `out` = relative and false
// otherwise.
bool MakeAbsolute(const char* base, const char* relative, std::string& out)
{
    out = relative ? relative : "";
    if (!base || !*base || !relative)
        return false;
    // Addresses are resolved with backslashes and get their forward slashes back at the end.
    const bool address = std::strchr(base, '/') != nullptr;
    std::string folder = Replaced(base, '/', '\\');
    EnsureTrailingBackslash(folder);
    const std::string name = Replaced(relative, '/', '\\');

    std::string resolved;
    if (name.compare(0, 3, "..\\") == 0) {
        size_t levels = 0;
        size_t rest = 0;
        while (name.compare(rest, 3, "..\\") == 0) {
            ++levels;
            rest += 3;
        }
        const size_t end = FolderEndAbove(folder, levels);
        // Going up never leaves the drive, the UNC share or the address's host.
        if (end == std::string::npos || end < DriveOf(base).size())
            return false;
        resolved = folder.substr(0, end + 1) + name.substr(rest);
    } else if (name.compare(0, 2, ".\\") == 0) {
        resolved = folder + name.substr(2);
    } else {
        return false;
    }
    out = address ? Replaced(resolved, '\\', '/') : resolved;
    return true;
}

// Str results handed to the caller's work buffer: a result that does not fit refuses the call.
int Handed(int result, const QXSTRING& text, char* out)
{
    return CopyOut(text, out, QX_NAME_BUFFER) ? result : 0;
}

}  // namespace

int QXFileToRelatifPathStr(const char* base, const char* file, QXSTRING* out)
{
    std::string relative;
    const bool made = MakeRelative(base, file, relative);
    Assign(out, relative);
    return made ? 1 : 0;
}

int QXFileToRelatifPath(const char* base, const char* file, char* out)
{
    QXSTRING relative;
    return Handed(QXFileToRelatifPathStr(base, file, &relative), relative, out);
}

int QXFileToRelatifPathStr2(const char* base, const char* file, QXSTRING* out)
{
    QXSTRING relative;
    int made = QXFileToRelatifPathStr(base, file, &relative);
    if (made && StartsWithNoCase(relative, "..")) {
        relative = file;
        made = 0;
    }
    if (out)
        *out = relative;
    return made;
}

int QXFileToRelatifPath2(const char* base, const char* file, char* out)
{
    QXSTRING relative;
    return Handed(QXFileToRelatifPathStr2(base, file, &relative), relative, out);
}

int QXFileToRelatifPathRootStr(const char* root, const char* base, const char* file, QXSTRING* out)
{
    if (root && file && StartsWithNoCase(file, root))
        return QXFileToRelatifPathStr(base, file, out);
    Assign(out, file ? file : "");
    return 0;
}

int QXFileToRelatifPathRoot(const char* root, const char* base, const char* file, char* out)
{
    QXSTRING relative;
    return Handed(QXFileToRelatifPathRootStr(root, base, file, &relative), relative, out);
}

int QXFileToAbsolutePathStr(const char* base, const char* relative, QXSTRING* out)
{
    std::string absolute;
    const bool resolved = MakeAbsolute(base, relative, absolute);
    Assign(out, absolute);
    return resolved ? 1 : 0;
}

int QXFileToAbsolutePath(const char* base, const char* relative, char* out)
{
    QXSTRING absolute;
    return Handed(QXFileToAbsolutePathStr(base, relative, &absolute), absolute, out);
}

int MakeFQNameStr(QXSTRING* name)
{
    if (!name || name->length() == 0)
        return 0;
    const int kind = GetFileLocationStr(*name, nullptr, nullptr);
    if (kind != QX_LOCATION_LOCAL && kind != QX_LOCATION_UNC)
        return 1;
    FNSPLIT parts;
    const int flags = parts.split(*name);
    if ((flags & QX_SPLIT_DRIVE) && (flags & QX_SPLIT_DIR))
        return 1;
    char current[QX_NAME_BUFFER];
    const DWORD length = GetCurrentDirectoryA(sizeof current, current);
    if (length == 0 || length >= sizeof current)
        return 0;
    std::string full = current;
    const std::string dir = Text(parts.dir);
    if (!dir.empty() && dir[0] == '\\') {
        // Rooted on the current drive: only the drive is missing.
        FNSPLIT currentParts(current);
        full = Text(currentParts.drive);
    } else {
        EnsureTrailingBackslash(full);
    }
    *name = (full + dir + Text(parts.name) + Text(parts.ext)).c_str();
    return 1;
}

int MakeFQName(char* name)
{
    if (!name)
        return 0;
    QXSTRING full(name);
    // In place: a result that does not fit leaves the caller's name as it was.
    if (!MakeFQNameStr(&full) || full.length() >= QX_NAME_BUFFER)
        return 0;
    std::strcpy(name, full);
    return 1;
}
