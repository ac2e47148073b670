// Sizes that the file cache weighs against each other (private to the library): its limit,
// the free space of its drive and the sizes of its copies, all in 64-bit bytes so that a
// drive with more than 4 GiB free never looks nearly full.
#pragma once

#include "qxplatform.h"

// Limit of a cache opened with a limit below 1 byte.
constexpr long QX_CACHE_DEFAULT_LIMIT = 0x100000;
// Below this much free space the cache is trimmed as soon as it reaches its limit.
constexpr unsigned long long QX_CACHE_LOW_DISK = 0x80000;

// The limit asked for (1 MiB below 1 byte), lowered to the drive's free space when that is
// smaller.
inline long CacheLimit(long requested, unsigned long long freeBytes)
{
    const long limit = requested < 1 ? QX_CACHE_DEFAULT_LIMIT : requested;
    return freeBytes < static_cast<unsigned long long>(limit) ? static_cast<long>(freeBytes) : limit;
}

// The file's size, 0 when it cannot be read.
inline long long FileBytes(const char* name)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(name, GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}
