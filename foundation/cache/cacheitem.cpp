// One copy of the file cache.
#include "qxcache.h"

#include "qxsupport.h"

CACHE_ITEM::CACHE_ITEM(const char* tmp, const char* source, int* ok)
    : status(QX_CACHE_NEW), users(0), countedBytes(0)
{
    const bool named = tmp && *tmp && source && *source;
    if (named) {
        this->tmp = tmp;
        this->source = source;
    }
    if (ok)
        *ok = named ? 1 : 0;
}

// The item owns its temporary file: an item leaves the cache only together with its copy.
CACHE_ITEM::~CACHE_ITEM()
{
    if (tmp.length() > 0)
        QXDeleteFile(tmp);
}
