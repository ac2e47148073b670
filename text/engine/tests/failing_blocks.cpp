// Block operations that run out of memory on demand.
#include "failing_blocks.h"

#include <cstdint>

namespace {

size_t g_largestGranted = SIZE_MAX;
int g_failures = 0;
int g_requests = 0;
int g_firstFailingRequest = INT32_MAX;

bool RequestFails() { return ++g_requests >= g_firstFailingRequest; }

RteBlock Alloc(size_t bytes, bool clear)
{
    if (RequestFails() || bytes > g_largestGranted) {
        ++g_failures;
        return nullptr;
    }
    return RtePlatformBlockOps().alloc(bytes, clear);
}

RteBlock Resize(RteBlock block, size_t bytes)
{
    bool growing = bytes > RtePlatformBlockOps().size(block);
    if (growing && (RequestFails() || bytes > g_largestGranted)) {
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

void FailingBlocks::FailFromRequest(int n)
{
    g_requests = 0;
    g_firstFailingRequest = n;
}

void FailingBlocks::Heal()
{
    g_largestGranted = SIZE_MAX;
    g_failures = 0;
    g_requests = 0;
    g_firstFailingRequest = INT32_MAX;
}

int FailingBlocks::Requests() const { return g_requests; }

int FailingBlocks::Failures() const { return g_failures; }
