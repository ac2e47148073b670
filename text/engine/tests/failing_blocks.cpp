// Block operations that run out of memory on demand.
#include "failing_blocks.h"

#include <cstdint>

namespace {

size_t g_largestGranted = SIZE_MAX;
int g_failures = 0;

RteBlock Alloc(size_t bytes, bool clear)
{
    if (bytes > g_largestGranted) {
        ++g_failures;
        return nullptr;
    }
    return RtePlatformBlockOps().alloc(bytes, clear);
}

RteBlock Resize(RteBlock block, size_t bytes)
{
    if (bytes > g_largestGranted && bytes > RtePlatformBlockOps().size(block)) {
        ++g_failures;
        return nullptr;
    }
    return RtePlatformBlockOps().resize(block, bytes);
}

void* Lock(RteBlock block) { return RtePlatformBlockOps().lock(block); }
void Unlock(RteBlock block) { RtePlatformBlockOps().unlock(block); }
void Free(RteBlock block) { RtePlatformBlockOps().free(block); }
size_t Size(RteBlock block) { return RtePlatformBlockOps().size(block); }
RteBlock FromPointer(const void* start) { return RtePlatformBlockOps().fromPointer(start); }

const RteBlockOps kFailingOps = {Alloc, Resize, Lock, Unlock, Free, Size, FromPointer};

}  // namespace

FailingBlocks::FailingBlocks()
{
    Heal();
    RteSetBlockOps(&kFailingOps);
}

FailingBlocks::~FailingBlocks() { RteSetBlockOps(nullptr); }

void FailingBlocks::FailAbove(size_t bytes) { g_largestGranted = bytes; }

void FailingBlocks::Heal()
{
    g_largestGranted = SIZE_MAX;
    g_failures = 0;
}

int FailingBlocks::Failures() const { return g_failures; }
