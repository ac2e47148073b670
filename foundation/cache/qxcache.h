// The file cache: local copies of files fetched from FTP and HTTP servers, and other
// temporary files, in one folder with a byte limit. A copy is known by its source, the name
// or address exactly as it was asked for, compared without regard to case. The kernel keeps
// one cache for the whole process and uses it on the user-interface thread only.
#pragma once

#include "qxbase.h"
#include "qxlist.h"
#include "qxstring.h"

#include <string>
#include <unordered_map>

// Statuses of a cached copy. 0 is never stored: GetFileStatus answers it for an unknown source.
constexpr int QX_CACHE_COMPLETE = 1;
constexpr int QX_CACHE_NEW = 2;        // named, not fetched yet
constexpr int QX_CACHE_UNDER_WAY = 3;  // set by the kernel when the transfer starts

// One copy. Deleting the item deletes its temporary file.
class QXBASE_API CACHE_ITEM : public HUGELNODE {
public:
    // `ok` becomes 1 (status new, no users) when both names are given and not empty; else 0,
    // with both strings left empty.
    CACHE_ITEM(const char* tmp, const char* source, int* ok);
    virtual ~CACHE_ITEM();

    QXSTRING tmp;     // full path of the local copy in the cache folder
    QXSTRING source;  // the key
    int status;
    int users;        // holders that need the copy; never below 0
    // What this copy adds to the cache's bytes in use: its size when it was marked complete.
    long long countedBytes;
};

class QXBASE_API FILECACHE {
public:
    FILECACHE();
    ~FILECACHE();
    FILECACHE(const FILECACHE&) = delete;
    FILECACHE& operator=(const FILECACHE&) = delete;

    // Opens the cache in `folder` (a local name; made with its marker file "~.~") with a limit
    // in bytes (below 1: 1 MiB), lowered to the free space of the drive. 1 when active
    // afterwards; an active cache keeps its folder and limit and answers 1 at once.
    // While open, the cache holds its marker, so that other programs sharing the folder
    // know it is in use.
    int InitCache(const char* folder, long limit);
    // Deletes every copy; the last cache of the folder to close also deletes the kernel's
    // temporary files "*.$$$", "TMP*.*", "*.TQX" and the marker, which another program still
    // working in the folder may need. The cache stays active with its folder and limit. 1
    // when it was active.
    int CloseCache();

    // The temporary file of the source, made empty in the cache folder when the source is not
    // listed yet (or its file was deleted behind the cache's back). The status (1 complete,
    // 2 new, 3 under way), or 0 on failure with `tmp` empty.
    int GetTmpName(const char* source, QXSTRING* tmp);
    // The same into a buffer of `size` bytes: 2 whenever a name was obtained (whatever its
    // status), 0 otherwise, also when the name does not fit.
    int GetTmpName(const char* source, char* tmp, int size);
    // 1 when the source is listed and the status valid. Marking a copy complete counts its
    // size in the bytes in use and may trim the cache.
    int SetFileStatus(const char* source, int status);
    int GetFileStatus(const char* source);
    // Another holder needs the copy; 1 when the source is listed.
    int IncreaseFileCount(const char* source);
    // A holder lets go of the copy; 1 when the source is listed. An incomplete copy is
    // removed (with its file) once no holder is left, so that a transfer another holder
    // still waits for is never pulled from under it. A complete copy without holders is
    // removed when the cache is at or above its limit.
    int DecreaseFileCount(const char* source);
    // The transfer of the source failed: its incomplete copy is removed whatever its
    // holders, so that the next request fetches it anew. 1 when such a copy was listed.
    int DropFailedFile(const char* source);
    // 1 for a non-empty name, 0 for a null or empty one. Deletes nothing: the cache's own
    // files are deleted only through their items.
    int DeleteFileName(const char* name);

    // The folder without a trailing backslash ("" while inactive).
    QXSTRING& GetCacheDir();
    // The folder into a buffer of `size` bytes: 1, or 0 while inactive or when it does not fit.
    int GetCacheDir(char* buffer, int size);

    // Removes the oldest copies that nobody holds while the bytes in use exceed the limit
    // (or the drive runs short of space and they are at the limit).
    void ReduceCacheUsage();

private:
    CACHE_ITEM* Find(const char* source);
    // Lists the item last, and in the index.
    void Add(CACHE_ITEM* item);
    // Unlinks the item, uncounts its bytes and deletes it with its file.
    void Remove(CACHE_ITEM* item);
    int MakeItem(const char* source, QXSTRING* tmp);
    // Makes the marker when it is missing and holds it open, sharing it with other caches.
    void HoldMarker();
    // Lets go of the marker; true when no other cache holds it any more.
    bool ReleaseMarker();

    int active;
    QXSTRING folder;
    long limit;
    HUGELIST items;        // oldest first: the order in which trimming walks them
    // The same items by their sources compared as the cache compares them, so that finding
    // a copy costs the same with ten thousand copies as with ten.
    std::unordered_map<std::string, CACHE_ITEM*> bySource;
    long long bytesInUse;  // sizes of the listed copies that were marked complete
    HANDLE marker;         // held from InitCache to CloseCache, else INVALID_HANDLE_VALUE
};
