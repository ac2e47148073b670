// Checking the characters of names and addresses, FTP-safe names, doubled backslashes,
// names shortened for display, and tests for files and empty folders.
#include "qxpath.h"

#include "pathtext.h"

#include <vector>

using namespace pathtext;

namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Every character is checked, the first and last of each part included: a name ending in
// '|', '?' or '*' must not pass.
bool OnlyAllowed(const std::string& text, const char* alsoAllowed = "")
{
    for (char c : text)
        if (!QXIsValidFileChar(c) && !std::strchr(alsoAllowed, c))
            return false;
    return true;
}

std::string AfterDot(const std::string& ext) { return ext.empty() ? ext : ext.substr(1); }

// Empty, "X:" with a backslash as the name's third character, or "\\server\share".
bool IsAcceptableDrive(const std::string& drive, const std::string& name)
{
    if (drive.empty())
        return true;
    if (drive.size() == 2 && IsAsciiLetter(drive[0]) && drive[1] == ':')
        return name.size() > 2 && name[2] == '\\';
    if (drive.compare(0, 2, "\\\\") == 0) {
        const size_t serverEnd = drive.find('\\', 2);
        return serverEnd != std::string::npos && serverEnd > 2 && OnlyAllowed(drive.substr(2), "\\");
    }
    return false;
}

bool IsAddress(const char* name)
{
    const int kind = GetFileLocationStr(name, nullptr, nullptr);
    return kind == QX_LOCATION_FTP || kind == QX_LOCATION_HTTP;
}

bool HasWildcard(const char* name) { return std::strpbrk(name, "?*") != nullptr; }

// The character QXValidateNameForFTP puts in place of c, before lower-casing.
char FtpSafeChar(char c)
{
    if (IsAsciiLetter(c) || IsAsciiDigit(c) || std::strchr("/\\:.", c))
        return c;
    // Accented Latin letters of the ANSI code page and their base letters.
    static const struct {
        const char* accented;
        char base;
    } letters[] = {
        {"çÇ", 'c'},      {"áàâäÁÀÂÄ", 'a'}, {"éèêëÉÈÊË", 'e'}, {"íìîïÍÌÎÏ", 'i'},
        {"óòôöÓÒÔÖ", 'o'}, {"úùûüÚÙÛÜ", 'u'}, {"ýÿÝ", 'y'},
    };
    for (const auto& letter : letters)
        if (std::strchr(letter.accented, c))
            return letter.base;
    return '_';
}

}  // namespace

int QXIsValidFileChar(int c)
{
    return c != 0 && !std::strchr("\\/:*?\"<>|", c) ? 1 : 0;
}

int QXValidateFileNameChar(const char* name)
{
    if (!name)
        return 0;
    std::string text = name;
    RemoveTrailingBlanks(text);
    if (!text.empty() && text.front() == '"')
        text.erase(0, 1);
    if (!text.empty() && text.back() == '"')
        text.pop_back();
    FNSPLIT parts;
    if ((parts.split(text.c_str()) & ~QX_SPLIT_WILDCARD) == 0)
        return 0;
    return IsAcceptableDrive(Text(parts.drive), text) && OnlyAllowed(Text(parts.dir), "\\") &&
                   OnlyAllowed(Text(parts.name)) && OnlyAllowed(AfterDot(Text(parts.ext)))
               ? 1
               : 0;
}

int QXValidateUrlChar(const char* url)
{
    if (!IsAddress(url))
        return 0;
    QXSTRING host, dir, name, ext;
    QXurlsplitStr(url, nullptr, &host, &dir, &name, &ext);
    return host.length() > 0 && OnlyAllowed(Text(host)) && OnlyAllowed(Text(dir), "/") &&
                   OnlyAllowed(Text(name)) && OnlyAllowed(AfterDot(Text(ext)))
               ? 1
               : 0;
}

int ValidateFileNameStr(const char* name, QXSTRING* ext)
{
    if (!name || !*name) {
        Assign(ext, "");
        return 0;
    }
    if (IsAddress(name)) {
        QXurlsplitStr(name, nullptr, nullptr, nullptr, nullptr, ext);
        return QXValidateUrlChar(name) && !HasWildcard(name) ? 1 : 0;
    }
    QXfnsplitStr(name, nullptr, nullptr, nullptr, ext);
    return QXValidateFileNameChar(name) && DoFileExist(name) ? 1 : 0;
}

int ValidateFileName(const char* name, char* ext, int extSize)
{
    QXSTRING extension;
    const int valid = ValidateFileNameStr(name, &extension);
    CopyCut(extension, ext, extSize);
    return valid;
}

int DoFileExist(const char* name)
{
    // The search would take '*' and '?' as wildcards: a name from a page such as "*.dll"
    // names no file, however many match it.
    if (!name || !*name || HasWildcard(name))
        return 0;
    SwitchOffErrorBoxes();
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA(name, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    FindClose(search);
    return 1;
}

int QXIsDirectoryEmpty(const char* dir)
{
    if (!dir)
        return 0;
    std::string pattern = dir;
    EnsureTrailingBackslash(pattern);
    pattern += "*.*";
    SwitchOffErrorBoxes();
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND ? 1 : 0;  // an empty drive root has no "." either
    bool empty = true;
    do {
        if (std::strcmp(entry.cFileName, ".") != 0 && std::strcmp(entry.cFileName, "..") != 0)
            empty = false;
    } while (empty && FindNextFileA(search, &entry));
    FindClose(search);
    return empty ? 1 : 0;
}

int QXValidateNameForFTP(char* name)
{
    if (!name)
        return 0;
    for (char* c = name; *c; ++c)
        *c = AsciiLower(FtpSafeChar(*c));
    return 1;
}

int QXIsValidateNameForFTP(const char* name)
{
    if (!name)
        return 0;
    for (const char* c = name; *c; ++c)
        if (AsciiLower(FtpSafeChar(*c)) != AsciiLower(*c))
            return 0;
    return 1;
}

int StripDoubleBackslash(char* name)
{
    if (!name || !*name)
        return 0;
    // The first character is left alone so that a UNC name keeps its leading pair.
    char* to = name + 1;
    for (const char* from = name + 1; *from; ++from) {
        *to++ = *from;
        if (from[0] == '\\' && from[1] == '\\')
            ++from;
    }
    *to = '\0';
    return static_cast<int>(to - name);
}

int StripDoubleBackslashStr(QXSTRING* name)
{
    if (!name)
        return 0;
    const char* text = *name;
    std::vector<char> copy(text, text + name->length() + 1);
    const int length = StripDoubleBackslash(copy.data());
    if (length > 0)
        *name = copy.data();
    return length;
}

int QXTruncateFileNameStr(const char* name, QXSTRING* out, int max)
{
    if (!out)
        return 0;
    std::string text = name ? name : "";
    RemoveTrailingBlanks(text);
    if (static_cast<int>(text.size()) <= max || max < 3) {  // "..." alone needs three characters
        *out = text.c_str();
        return 0;
    }

    std::string prefix;
    char separator = '\\';
    if (IsAddress(text.c_str())) {
        QXSTRING protocol;
        QXurlsplitStr(text.c_str(), &protocol, nullptr, nullptr, nullptr, nullptr);
        prefix = Text(protocol) + "...";
        separator = '/';
    } else {
        QXSTRING drive;
        QXfnsplitStr(text.c_str(), &drive, nullptr, nullptr, nullptr);
        prefix = Text(drive) + "\\...";
    }

    if (static_cast<int>(prefix.size()) < max) {
        // The tail starts at a separator when one is near, so that whole folders show.
        size_t tail = text.size() - (max - prefix.size());
        if (text[tail] != separator && text[tail - 1] != separator) {
            const size_t next = text.find(separator, tail);
            if (next != std::string::npos)
                tail = next;
        }
        *out = (prefix + text.substr(tail)).c_str();
        return 1;
    }
    QXSTRING shortened(text.c_str());
    const int cut = shortened.Truncate(max, 1);
    *out = shortened;
    return cut;
}

int QXTruncateFileName(const char* name, char* out, int max)
{
    QXSTRING shortened;
    const int cut = QXTruncateFileNameStr(name, &shortened, max);
    return CopyOut(shortened, out, QX_NAME_BUFFER) ? cut : 0;
}
