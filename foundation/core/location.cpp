// Classifying names by location, splitting them into parts and joining parts.
#include "qxpath.h"

#include "pathtext.h"

using namespace pathtext;

namespace {

const char FtpPrefix[] = "FTP://";
const char HttpPrefix[] = "HTTP://";

int Location(const char* name)
{
    if (!name)
        return QX_LOCATION_NONE;
    if (StartsWithNoCase(name, FtpPrefix))
        return QX_LOCATION_FTP;
    if (StartsWithNoCase(name, HttpPrefix))
        return QX_LOCATION_HTTP;
    if (name[0] == '\\' && name[1] == '\\')
        return QX_LOCATION_UNC;
    return QX_LOCATION_LOCAL;
}

bool IsAddress(int kind) { return kind == QX_LOCATION_FTP || kind == QX_LOCATION_HTTP; }

// A separator not followed by another one.
bool IsSingleSeparator(const std::string& text, size_t i)
{
    return IsSeparator(text[i]) && !(i + 1 < text.size() && IsSeparator(text[i + 1]));
}

// Position of the n-th single separator of `text`, or of the last one when there are fewer;
// npos when there is none.
size_t NthSingleSeparator(const std::string& text, int n)
{
    size_t found = std::string::npos;
    for (size_t i = 0; i < text.size() && n > 0; ++i) {
        if (IsSingleSeparator(text, i)) {
            found = i;
            --n;
        }
    }
    return found;
}

struct NameParts {
    std::string drive, dir, name, ext;
};

// Divides the part before the last component into drive and directory.
void SplitFolder(const std::string& path, const std::string& folder, NameParts& parts)
{
    const bool hasColon = path.find(':') != std::string::npos;
    size_t dirStart;
    if (path.compare(0, 2, "\\\\") == 0 && !hasColon)
        dirStart = NthSingleSeparator(folder, 3);  // \\server\share, then the directory
    else if (hasColon)
        dirStart = NthSingleSeparator(folder, 1);  // C: (or whatever precedes the first separator)
    else
        dirStart = 0;
    if (dirStart == std::string::npos)
        dirStart = folder.size();
    parts.drive = folder.substr(0, dirStart);
    parts.dir = folder.substr(dirStart);
}

int Split(const std::string& path, NameParts& parts)
{
    // The last component follows the last separator (or a drive's colon, as in "C:a.pag").
    const size_t lastStart = path.find_last_of("\\/:") + 1;  // npos + 1 == 0
    const std::string last = path.substr(lastStart);
    const size_t dot = last.rfind('.');
    parts.name = last.substr(0, dot);
    parts.ext = dot == std::string::npos ? std::string() : last.substr(dot);
    SplitFolder(path, path.substr(0, lastStart), parts);

    int flags = 0;
    if (!parts.drive.empty())
        flags |= QX_SPLIT_DRIVE;
    if (!parts.dir.empty())
        flags |= QX_SPLIT_DIR;
    if (!parts.name.empty())
        flags |= QX_SPLIT_NAME;
    if (!parts.ext.empty())
        flags |= QX_SPLIT_EXT;
    if (path.find_first_of("?*") != std::string::npos)
        flags |= QX_SPLIT_WILDCARD;
    return flags;
}

// Every part of a name shorter than a work buffer fits a work buffer; longer names are
// refused as a whole so that no caller sees a part that was cut.
bool FitsNameBuffer(const char* name) { return !name || std::strlen(name) < QX_NAME_BUFFER; }

void Out(const QXSTRING& part, char* out)
{
    if (out)
        CopyOut(part, out, QX_NAME_BUFFER);
}

void Empty(char* out)
{
    if (out)
        out[0] = '\0';
}

}  // namespace

int GetFileLocationStr(const char* name, QXSTRING* host, QXSTRING* path)
{
    Assign(host, "");
    Assign(path, "");
    const int kind = Location(name);
    if (IsAddress(kind)) {
        const char* rest = name + std::strlen(kind == QX_LOCATION_FTP ? FtpPrefix : HttpPrefix);
        const char* slash = std::strchr(rest, '/');
        Assign(host, slash ? std::string(rest, slash) : std::string(rest));
        Assign(path, slash ? slash + 1 : "");
    }
    return kind;
}

int GetFileLocation(const char* name, char* host, int hostSize, char* path, int pathSize)
{
    QXSTRING hostText, pathText;
    const int kind = GetFileLocationStr(name, &hostText, &pathText);
    CopyCut(hostText, host, hostSize);
    CopyCut(pathText, path, pathSize);
    return kind;
}

int QXfnsplitStr(const char* path, QXSTRING* drive, QXSTRING* dir, QXSTRING* name, QXSTRING* ext)
{
    NameParts parts;
    const int flags = path ? Split(path, parts) : 0;
    Assign(drive, parts.drive);
    Assign(dir, parts.dir);
    Assign(name, parts.name);
    Assign(ext, parts.ext);
    return flags;
}

int QXfnsplit(const char* path, char* drive, char* dir, char* name, char* ext)
{
    QXSTRING parts[4];
    const int flags =
        FitsNameBuffer(path) ? QXfnsplitStr(path, &parts[0], &parts[1], &parts[2], &parts[3]) : 0;
    Out(parts[0], drive);
    Out(parts[1], dir);
    Out(parts[2], name);
    Out(parts[3], ext);
    return flags;
}

int QXurlsplitStr(const char* url, QXSTRING* protocol, QXSTRING* host, QXSTRING* dir, QXSTRING* name,
                  QXSTRING* ext)
{
    QXSTRING path;
    const int kind = GetFileLocationStr(url, host, &path);
    if (!url) {
        QXfnsplitStr(nullptr, nullptr, dir, name, ext);
        return 0;
    }
    if (IsAddress(kind))
        Assign(protocol, kind == QX_LOCATION_FTP ? FtpPrefix : HttpPrefix);
    return QXfnsplitStr(("/" + Text(path)).c_str(), nullptr, dir, name, ext);
}

int QXurlsplit(const char* url, char* protocol, char* host, char* dir, char* name, char* ext)
{
    if (!FitsNameBuffer(url)) {
        for (char* out : {host, dir, name, ext})
            Empty(out);
        return 0;
    }
    QXSTRING protocolText, parts[4];
    const int flags = QXurlsplitStr(url, &protocolText, &parts[0], &parts[1], &parts[2], &parts[3]);
    if (protocolText.length() > 0)  // only addresses set it; other names leave it unchanged
        Out(protocolText, protocol);
    Out(parts[0], host);
    Out(parts[1], dir);
    Out(parts[2], name);
    Out(parts[3], ext);
    return flags;
}

int QXGeneralfnsplitStr(const char* path, QXSTRING* drive, QXSTRING* dir, QXSTRING* name, QXSTRING* ext)
{
    if (!IsAddress(Location(path)))
        return QXfnsplitStr(path, drive, dir, name, ext);
    QXSTRING protocol, host;
    const int flags = QXurlsplitStr(path, &protocol, &host, dir, name, ext);
    Assign(drive, Text(protocol) + Text(host));
    return flags | QX_SPLIT_DRIVE;  // protocol + host is always there
}

int QXGeneralfnsplit(const char* path, char* drive, char* dir, char* name, char* ext)
{
    QXSTRING parts[4];
    const int flags =
        FitsNameBuffer(path) ? QXGeneralfnsplitStr(path, &parts[0], &parts[1], &parts[2], &parts[3]) : 0;
    Out(parts[0], drive);
    Out(parts[1], dir);
    Out(parts[2], name);
    Out(parts[3], ext);
    return flags;
}

int QXfnmergeStr(QXSTRING* out, const char* drive, const char* dir, const char* name, const char* ext)
{
    if (!out)
        return 0;
    std::string merged;
    for (const char* part : {drive, dir, name, ext})
        if (part)
            merged += part;
    *out = merged.c_str();
    return 1;
}

int QXfnmerge(char* out, const char* drive, const char* dir, const char* name, const char* ext)
{
    QXSTRING merged;
    QXfnmergeStr(&merged, drive, dir, name, ext);
    return CopyOut(merged, out, QX_NAME_BUFFER);
}

int FNSPLIT::split(const char* path) { return QXfnsplitStr(path, &drive, &dir, &name, &ext); }
