// Keeping the file cache within its limit.
#include "qxcache.h"

#include "cachesizes.h"
#include "qxpath.h"

void FILECACHE::ReduceCacheUsage()
{
    if (!active)
        return;
    if (bytesInUse <= limit && DiskFreeSpace(folder) >= QX_CACHE_LOW_DISK)
        return;
    // Oldest first; a copy that somebody holds stays whatever its age.
    HUGELNODE* node = items.GetItem(0);
    while (node && bytesInUse >= limit) {
        auto* item = static_cast<CACHE_ITEM*>(node);
        node = node->next;
        if (item->users == 0)
            Remove(item);
    }
}
