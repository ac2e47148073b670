// Purging: finding memory when it runs short, and bringing purged handles back.
#include "rte_memory_internal.h"

using namespace rte_memory;

namespace {

constexpr size_t kSmallestPurged = 256;
constexpr uint16_t kReloadStep = 0x100;

bool IsCandidate(RteHandle handle, uint16_t threshold)
{
    HeaderView header(handle);
    size_t bytes = static_cast<size_t>(header->count) * static_cast<size_t>(header->elementSize);
    return bytes >= kSmallestPurged && header->lockCount == 0 &&
           !(header->purgeFlags & (RTE_PURGED | RTE_PURGE_RELOADING)) &&
           (header->purgeFlags & RTE_PURGE_PRIORITY_MASK) <= threshold;
}

RteHandle FirstCandidate(RteMemContext* context, RteHandle spare, uint16_t threshold)
{
    RteHandle found = nullptr;
    ForEachHandle(context, [&](RteHandle handle) {
        if (!found && handle != spare && IsCandidate(handle, threshold))
            found = handle;
    });
    return found;
}

void AdjustReloadNesting(RteHandle handle, int step)
{
    HeaderView header(handle);
    header->purgeFlags = static_cast<uint16_t>(header->purgeFlags + step);
}

}  // namespace

uint16_t RtePurge(RteMemContext* context, size_t wanted, RteHandle spare)
{
    size_t freed = 0;
    if (context->freeMemoryHook) {
        freed = context->freeMemoryHook(context, spare, wanted);
        context->bytesInUse -= freed;
        if (freed >= wanted)
            return 0;
    }
    if (!context->purgeHook)
        return freed ? RTE_ERR_PURGE_SHORT : 0;
    for (uint16_t threshold = 0; threshold <= 224; threshold += 32) {
        while (freed < wanted) {
            RteHandle candidate = FirstCandidate(context, spare, threshold);
            if (!candidate)
                break;
            size_t before = context->bytesInUse;
            if (uint16_t code = context->purgeHook(candidate, context, RTE_PURGE_OUT))
                return code;
            if (context->bytesInUse < before)
                freed += before - context->bytesInUse;
        }
    }
    return freed < wanted ? RTE_ERR_PURGE_SHORT : 0;
}

uint16_t RteSetPurgeHook(RteMemContext* context, RtePurgeHook hook, intptr_t data)
{
    context->purgeHook = hook ? hook : RteSpillPurgeHook;
    context->purgeHookData = data;
    return context->purgeHook(nullptr, context, RTE_PURGE_INSTALL);
}

void RtePurgeKey(RteMemContext* context, uint32_t key)
{
    if (!context->purgeHook)
        return;
    // Every priority is taken here: the caller names the group it wants out.
    bool failed = false;
    ForEachHandle(context, [&](RteHandle handle) {
        if (!failed && handle != context->spillFreeList && RteGetKey(handle) == key && IsCandidate(handle, RTE_PRIORITY_NEVER))
            failed = context->purgeHook(handle, context, RTE_PURGE_OUT) != 0;
    });
}

namespace rte_memory {

void EnsureLoaded(RteHandle handle)
{
    RteMemContext* context;
    {
        HeaderView header(handle);
        if (!(header->purgeFlags & RTE_PURGED))
            return;
        context = header->context;
    }
    AdjustReloadNesting(handle, kReloadStep);
    uint16_t code = RteTry(context, [&] {
        for (;;) {
            uint16_t result = context->purgeHook ? context->purgeHook(handle, context, RTE_PURGE_RELOAD)
                                                 : RTE_ERR_NO_SPILL_FILE;
            if (result == 0)
                return;
            if (result != RTE_ERR_NO_MEMORY)
                RteRaise(context, result, handle);
            GiveUpReserveAndPurge(context, sizeof(RteHandleHeader) + RteByteSize(handle), handle);
        }
    });
    AdjustReloadNesting(handle, -kReloadStep);
    if (code)
        RteRaise(context, code, handle);
    RestoreReserve(context);
    CheckLimit(context, handle);
}

}  // namespace rte_memory
