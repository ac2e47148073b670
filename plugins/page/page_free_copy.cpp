// Chooses where a template's medium is copied beside a new page: the medium is copied once,
// and a different file that already holds its name is never overwritten.
#include "page_create.h"

#include "qxpath.h"

#include <cstdio>

namespace {

constexpr int MAX_NUMBERED_COPIES = 10000;
// Copies keep their source's date at the 2-second resolution of DOS times.
constexpr ULONGLONG COPY_TIME_RESOLUTION = 2 * 10000000ULL;  // in 100 ns

ULONGLONG Ticks(const FILETIME& time) { return (ULONGLONG(time.dwHighDateTime) << 32) | time.dwLowDateTime; }

bool Attributes(const char* name, WIN32_FILE_ATTRIBUTE_DATA& data)
{
    return GetFileAttributesExA(name, GetFileExInfoStandard, &data) && !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Same last-write time and size: the copy made from that source earlier.
bool SameFile(const WIN32_FILE_ATTRIBUTE_DATA& a, const WIN32_FILE_ATTRIBUTE_DATA& b)
{
    const ULONGLONG timeA = Ticks(a.ftLastWriteTime), timeB = Ticks(b.ftLastWriteTime);
    const ULONGLONG apart = timeA > timeB ? timeA - timeB : timeB - timeA;
    return apart < COPY_TIME_RESOLUTION && a.nFileSizeHigh == b.nFileSizeHigh && a.nFileSizeLow == b.nFileSizeLow;
}

}  // namespace

bool ReserveFileName(const char* name, bool replace)
{
    const HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, replace ? CREATE_ALWAYS : CREATE_NEW, 0, nullptr);
    return file != INVALID_HANDLE_VALUE && CloseHandle(file);
}

int FreeCopyName(const char* source, char* target)
{
    WIN32_FILE_ATTRIBUTE_DATA from, there;
    if (!source || !target || !Attributes(source, from))
        return 1;
    if (!Attributes(target, there))
        return 0;
    if (SameFile(from, there))
        return 1;
    FNSPLIT parts(target);
    for (int number = 0; number < MAX_NUMBERED_COPIES; ++number) {
        char candidate[QX_NAME_BUFFER];
        const int length = snprintf(candidate, sizeof candidate, "%s%s%s_%d%s", static_cast<const char*>(parts.drive),
                                    static_cast<const char*>(parts.dir), static_cast<const char*>(parts.name), number,
                                    static_cast<const char*>(parts.ext));
        if (length < 0 || length >= QX_NAME_BUFFER)
            return -1;
        if (Attributes(candidate, there)) {
            if (!SameFile(from, there))
                continue;
            lstrcpyA(target, candidate);
            return 1;  // copied there before: nothing to copy again
        }
        if (!ReserveFileName(candidate, false))
            continue;
        lstrcpyA(target, candidate);
        return 0;
    }
    return -1;
}
