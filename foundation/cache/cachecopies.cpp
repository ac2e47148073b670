// The file cache's copies: naming them, their statuses and their holders.
#include "qxcache.h"

#include "cachesizes.h"
#include "pathtext.h"
#include "qxfile.h"
#include "qxpath.h"
#include "qxsupport.h"

namespace {

// The extension of the source with its dot, "" when it has none: addresses are split as
// addresses so that the host's dots do not count.
QXSTRING ExtensionOf(const char* source)
{
    QXSTRING extension;
    const int kind = GetFileLocation(source, nullptr, 0, nullptr, 0);
    if (kind == QX_LOCATION_FTP || kind == QX_LOCATION_HTTP)
        QXurlsplitStr(source, nullptr, nullptr, nullptr, nullptr, &extension);
    else
        QXfnsplitStr(source, nullptr, nullptr, nullptr, &extension);
    return extension;
}

bool IsStatus(int status)
{
    return status == QX_CACHE_COMPLETE || status == QX_CACHE_NEW || status == QX_CACHE_UNDER_WAY;
}

}  // namespace

int FILECACHE::GetTmpName(const char* source, QXSTRING* tmp)
{
    if (!tmp)
        return 0;
    *tmp = "";
    if (!active || !source || !*source)
        return 0;
    if (CACHE_ITEM* item = Find(source)) {
        if (DoFileExist(item->tmp)) {
            *tmp = item->tmp;
            return item->status;
        }
        Remove(item);
    }
    return MakeItem(source, tmp);
}

int FILECACHE::GetTmpName(const char* source, char* tmp, int size)
{
    if (tmp && size > 0)
        tmp[0] = '\0';
    QXSTRING name;
    if (!GetTmpName(source, &name))
        return 0;
    return pathtext::CopyOut(name, tmp, size) ? QX_CACHE_NEW : 0;
}

// A new item for the source with an empty file in the cache folder; the status new, or 0
// with nothing left behind.
int FILECACHE::MakeItem(const char* source, QXSTRING* tmp)
{
    QXSTRING name;
    if (!QXCreateTempFileNameStr(folder, "????" + ExtensionOf(source), &name, 1))
        return 0;
    int ok = 0;
    auto* item = new CACHE_ITEM(name, source, &ok);
    if (!item || !ok) {
        delete item;
        QXDeleteFile(name);
        return 0;
    }
    // Trimmed before the new item joins the list, so that it never trims itself.
    ReduceCacheUsage();
    Add(item);
    *tmp = name;
    return QX_CACHE_NEW;
}

int FILECACHE::SetFileStatus(const char* source, int status)
{
    CACHE_ITEM* item = Find(source);
    if (!item || !IsStatus(status))
        return 0;
    if (item->status == status)
        return 1;
    item->status = status;
    if (status == QX_CACHE_COMPLETE) {
        bytesInUse -= item->countedBytes;
        item->countedBytes = FileBytes(item->tmp);
        bytesInUse += item->countedBytes;
        ReduceCacheUsage();
    }
    return 1;
}

int FILECACHE::GetFileStatus(const char* source)
{
    const CACHE_ITEM* item = Find(source);
    return item ? item->status : 0;
}

int FILECACHE::IncreaseFileCount(const char* source)
{
    CACHE_ITEM* item = Find(source);
    if (!item)
        return 0;
    ++item->users;
    return 1;
}

int FILECACHE::DecreaseFileCount(const char* source)
{
    CACHE_ITEM* item = Find(source);
    if (!item)
        return 0;
    if (item->users > 0)
        --item->users;
    if (item->users > 0)
        return 1;
    const bool incomplete = item->status != QX_CACHE_COMPLETE;
    if (incomplete || bytesInUse >= limit)
        Remove(item);
    return 1;
}

int FILECACHE::DropFailedFile(const char* source)
{
    CACHE_ITEM* item = Find(source);
    if (!item || item->status == QX_CACHE_COMPLETE)
        return 0;
    Remove(item);
    return 1;
}
