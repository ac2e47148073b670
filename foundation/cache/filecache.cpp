// The file cache: opening and closing its folder, and finding and removing its items.
#include "qxcache.h"

#include "cachesizes.h"
#include "pathtext.h"
#include "qxpath.h"
#include "qxstring_chars.h"
#include "qxsupport.h"

namespace {

const char MarkerName[] = "\\~.~";
// Temporary files that the kernel and the text object make in the cache folder.
const char* const LeftoverMasks[] = {"*.$$$", "TMP*.*", "*.TQX"};

// A source as the index knows it: sources are compared without regard to case.
std::string IndexKey(const char* source)
{
    std::string key(source);
    for (char& c : key)
        c = QXLowerChar(c);
    return key;
}

void DeleteMatches(const QXSTRING& folder, const char* mask)
{
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(folder + "\\" + mask, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            QXDeleteFile(folder + "\\" + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

}  // namespace

FILECACHE::FILECACHE() : active(0), limit(0), bytesInUse(0), marker(INVALID_HANDLE_VALUE) {}

// The remaining items go with the list, each with its file; the marker and the kernel's
// temporary files stay, as only CloseCache removes them.
FILECACHE::~FILECACHE()
{
    if (marker != INVALID_HANDLE_VALUE)
        CloseHandle(marker);
}

void FILECACHE::HoldMarker()
{
    if (marker != INVALID_HANDLE_VALUE)
        return;
    // Other caches may read and write it, none may delete it while it is held.
    marker = CreateFileA(folder + MarkerName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool FILECACHE::ReleaseMarker()
{
    if (marker != INVALID_HANDLE_VALUE) {
        CloseHandle(marker);
        marker = INVALID_HANDLE_VALUE;
    }
    // Opening it alone succeeds only when no other cache holds it; a marker already gone is
    // held by nobody.
    const HANDLE alone = CreateFileA(folder + MarkerName, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (alone != INVALID_HANDLE_VALUE) {
        CloseHandle(alone);
        return true;
    }
    return GetLastError() != ERROR_SHARING_VIOLATION;
}

int FILECACHE::InitCache(const char* name, long requestedLimit)
{
    if (!name || !*name)
        return 0;
    if (active) {
        HoldMarker();
        return 1;
    }
    if (GetFileLocation(name, nullptr, 0, nullptr, 0) != QX_LOCATION_LOCAL)
        return 0;
    QXSTRING chosen(name);
    const int last = chosen.length() - 1;
    if (name[last] == '\\')
        chosen.ClearEol(last);
    if (!QXCreateDirectory(chosen + MarkerName))
        return 0;
    folder = chosen;
    limit = CacheLimit(requestedLimit, DiskFreeSpace(folder));
    active = 1;
    HoldMarker();
    return 1;
}

int FILECACHE::CloseCache()
{
    if (!active)
        return 0;
    bySource.clear();
    items.Clear();
    bytesInUse = 0;
    if (!ReleaseMarker())
        return 1;
    for (const char* mask : LeftoverMasks)
        DeleteMatches(folder, mask);
    QXDeleteFile(folder + MarkerName);
    return 1;
}

int FILECACHE::DeleteFileName(const char* name) { return name && *name ? 1 : 0; }

QXSTRING& FILECACHE::GetCacheDir() { return folder; }

int FILECACHE::GetCacheDir(char* buffer, int size)
{
    if (!active)
        return 0;
    return pathtext::CopyOut(folder, buffer, size);
}

CACHE_ITEM* FILECACHE::Find(const char* source)
{
    if (!active || !source)
        return nullptr;
    const auto found = bySource.find(IndexKey(source));
    return found == bySource.end() ? nullptr : found->second;
}

void FILECACHE::Add(CACHE_ITEM* item)
{
    items.AddTail(item);
    bySource[IndexKey(item->source)] = item;
}

void FILECACHE::Remove(CACHE_ITEM* item)
{
    bySource.erase(IndexKey(item->source));
    items.Remove(item);
    bytesInUse -= item->countedBytes;
    delete item;
}
