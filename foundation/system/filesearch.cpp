// The recursive file search into a fixed table of paths.
#include "qxdirs.h"

#include <string>

namespace {

// Closes a directory search however the walk ends.
class FindHandle {
public:
    FindHandle(const std::string& mask, WIN32_FIND_DATAA& entry) : handle_(FindFirstFileA(mask.c_str(), &entry)) {}
    ~FindHandle()
    {
        if (Found())
            FindClose(handle_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    bool Found() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAA& entry) { return FindNextFileA(handle_, &entry); }

private:
    HANDLE handle_;
};

}  // namespace

int pff(const char* folder, const char* pattern, char (*table)[QX_FOUND_PATH_CHARS], int* count, int capacity,
        HWND status)
{
    if (!folder || !pattern || !table || !count)
        return 0;
    if (status)
        SetWindowTextA(status, folder);
    const std::string base = folder;
    WIN32_FIND_DATAA entry;

    FindHandle matches(base + pattern, entry);
    for (bool more = matches.Found(); more; more = matches.Next(entry)) {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        const std::string path = base + entry.cFileName;
        // The table's entries are fixed: a path that does not fit is left out rather than cut
        // into the name of another file.
        if (path.size() >= QX_FOUND_PATH_CHARS)
            continue;
        if (*count >= capacity)
            return 1;
        lstrcpynA(table[*count], path.c_str(), QX_FOUND_PATH_CHARS);
        ++*count;
    }

    FindHandle folders(base + "*.*", entry);
    for (bool more = folders.Found(); more; more = folders.Next(entry)) {
        // Hidden, read-only or system folders are not searched, nor "." and "..".
        if (entry.dwFileAttributes != FILE_ATTRIBUTE_DIRECTORY || entry.cFileName[0] == '.')
            continue;
        if (const int full = pff((base + entry.cFileName + "\\").c_str(), pattern, table, count, capacity, status))
            return full;
    }
    return 0;
}
