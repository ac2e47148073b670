// Copying files and folder trees, and creating the folders along a path.
#include "qxpath.h"

#include "pathtext.h"
#include "qxfile.h"
#include "qxsupport.h"

using namespace pathtext;

namespace {

// Copies the bytes of one open file into another: 0, -3 for a short write, -4 when a read
// fails (the copy ends rather than loop on a failing medium).
int CopyBytes(QXFILE source, QXFILE target)
{
    char chunk[1024];
    for (;;) {
        const long got = QXReadFile(source, chunk, sizeof chunk);
        if (got == 0)
            return 0;
        if (got < 0)
            return -4;
        if (QXWriteFile(target, chunk, got) != got)
            return -3;
    }
}

// The file's last-write time as the DOS date and time of the local clock (2-second
// resolution), back as a file time.
bool DosRoundedWriteTime(const char* name, FILETIME& out)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    FILETIME local;
    WORD date, time;
    return GetFileAttributesExA(name, GetFileExInfoStandard, &data) &&
           FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) &&
           FileTimeToDosDateTime(&local, &date, &time) && DosDateTimeToFileTime(date, time, &local) &&
           LocalFileTimeToFileTime(&local, &out);
}

}  // namespace

int fcopy(const char* from, const char* to)
{
    const QXFILE source = from ? QXopen(from, 0) : nullptr;
    if (!source)
        return -2;
    const QXFILE target = to ? QXopen(to, 1) : nullptr;
    if (!target) {
        QXclose(source);
        return -1;
    }
    const int result = CopyBytes(source, target);
    QXclose(target);
    QXclose(source);
    return result;
}

int fcopyWithSameDate(const char* from, const char* to)
{
    if (!from || !to)
        return -1;
    const int result = fcopy(from, to);
    FILETIME when;
    if (result == 0 && DosRoundedWriteTime(from, when)) {
        const QXFILE copy = QXopen(to, 2);
        if (copy) {
            SetFileTime(copy, &when, &when, &when);
            QXclose(copy);
        }
    }
    return result;
}

int QXDirCopy(const char* fromDir, const char* toDir)
{
    if (!toDir)
        return -1;
    if (!fromDir)
        return -2;
    std::string from = fromDir, to = toDir;
    RemoveTrailingBlanks(from);
    RemoveTrailingBlanks(to);
    EnsureTrailingBackslash(from);
    EnsureTrailingBackslash(to);
    if (!QXCreateFilePath(to.c_str()))
        return -3;

    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA((from + "*.*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int result = 0;
    do {
        const std::string name = entry.cFileName;
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            result = fcopy((from + name).c_str(), (to + name).c_str());
        else if (name != "." && name != "..")
            result = QXDirCopy((from + name).c_str(), (to + name).c_str());
    } while (result == 0 && FindNextFileA(search, &entry));
    FindClose(search);
    return result;
}

int QXCreateDirectory(const char* path)
{
    if (!path || !QXCreateFilePath(path))
        return 0;
    const QXFILE file = QXopen(path, 1);
    if (!file)
        return 0;
    QXclose(file);
    return 1;
}

int QXCreateFilePath(const char* fileName)
{
    if (!fileName || std::strlen(fileName) >= QX_NAME_BUFFER)
        return 0;
    // Every prefix ending before a backslash; the ones that exist already (or cannot be
    // folders, like "C:") simply fail.
    const std::string name = fileName;
    for (size_t at = name.find('\\'); at != std::string::npos; at = name.find('\\', at + 1))
        if (at > 0)
            CreateDirectoryA(name.substr(0, at).c_str(), nullptr);
    return 1;
}
