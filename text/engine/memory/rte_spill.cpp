// The default purge hook: unlocked handles written out to a spill file and read back on use.
#include <cstring>

#include "rte_memory_internal.h"

using namespace rte_memory;

namespace {

// Where a purged handle's bytes lie in the spill file, kept right after its header.
struct SpillRange {
    uint32_t start;
    uint32_t end;
};

constexpr uint32_t kSpillFileEnd = 0x7FFFFFFF;
constexpr uint16_t kFreeListGrowBy = 64;

bool HasFile(intptr_t file) { return file != 0 && file != -1; }

// The free list holds (start, end) pairs of 32-bit offsets, in rising order.
uint32_t* FreeValues(RteMemContext* context, int32_t* valueCount)
{
    *valueCount = RteCount(context->spillFreeList) / static_cast<int32_t>(sizeof(uint32_t));
    return static_cast<uint32_t*>(RteElementPtr(context->spillFreeList, 0, false));
}

uint32_t TakeRange(RteMemContext* context, RteHandle handle, size_t bytes)
{
    int32_t values;
    uint32_t* ranges = FreeValues(context, &values);
    for (int32_t i = 0; i + 1 < values; i += 2) {
        if (ranges[i + 1] - ranges[i] >= bytes) {
            uint32_t start = ranges[i];
            ranges[i] += static_cast<uint32_t>(bytes);
            return start;
        }
    }
    RteRaise(context, RTE_ERR_FILE, handle);
}

void GiveBackRange(RteMemContext* context, SpillRange range)
{
    if (range.end <= range.start)
        return;
    int32_t values;
    uint32_t* ranges = FreeValues(context, &values);
    int32_t at = 0;
    while (at < values && ranges[at] < range.start)
        at += 2;
    RteHandle list = context->spillFreeList;
    std::memcpy(RteInsert(list, at * static_cast<int32_t>(sizeof(uint32_t)), sizeof range), &range, sizeof range);
    RteUnlock(list);
    // An end meeting the next start, or an empty range, leaves two equal neighbours: both go.
    for (bool merged = true; merged;) {
        merged = false;
        ranges = FreeValues(context, &values);
        for (int32_t i = 0; i + 1 < values && !merged; ++i) {
            if (ranges[i] == ranges[i + 1]) {
                RteDelete(list, i * static_cast<int32_t>(sizeof(uint32_t)), 2 * sizeof(uint32_t));
                merged = true;
            }
        }
    }
}

void InstallFreeList(RteMemContext* context)
{
    if (!context->spillFreeList) {
        context->spillFreeList = RteAlloc(context, 1, sizeof(SpillRange), kFreeListGrowBy, false);
        RteSetPurgeFlags(context->spillFreeList, RTE_PRIORITY_NEVER, false);
    }
    RteSetCount(context->spillFreeList, sizeof(SpillRange));
    SpillRange whole = {0, kSpillFileEnd};
    std::memcpy(RteElementPtr(context->spillFreeList, 0, false), &whole, sizeof whole);
}

// Replaces the block by a fresh one holding only the header and the saved range. The new block
// is had before the old one goes, so that a failure loses nothing.
void CutDown(RteMemContext* context, RteHandle handle, SpillRange range)
{
    constexpr size_t kBytes = sizeof(RteHandleHeader) + sizeof(SpillRange);
    RteBlock small = RteBlocks().alloc(kBytes, false);
    if (!small)
        RteRaise(context, RTE_ERR_NO_MEMORY, handle);
    char* target = static_cast<char*>(RteBlocks().lock(small));
    std::memcpy(target, RteBlocks().lock(*handle), sizeof(RteHandleHeader));
    RteBlocks().unlock(*handle);
    std::memcpy(target + sizeof(RteHandleHeader), &range, sizeof range);
    RteBlocks().unlock(small);
    size_t before = RteBlocks().size(*handle);
    RteBlocks().free(*handle);
    *handle = small;
    context->bytesInUse = context->bytesInUse - before + RteBlocks().size(small);
}

void PurgeOut(RteMemContext* context, RteHandle handle)
{
    intptr_t file = context->purgeHookData;
    SpillRange range = {0, 0};
    {
        HeaderView header(handle);
        size_t bytes = static_cast<size_t>(header->count) * static_cast<size_t>(header->elementSize);
        if (!(header->purgeFlags & RTE_PURGE_DISCARD) && bytes >= 1) {
            range.start = TakeRange(context, handle, bytes);
            range.end = range.start + static_cast<uint32_t>(bytes);
            header->allocated = header->count;
            if (!RteSpillSeek(file, range.start) || !RteSpillWrite(file, header.Elements(), bytes)) {
                GiveBackRange(context, range);
                RteRaise(context, RTE_ERR_FILE, handle);
            }
        }
    }
    RteTryOrUndo(context, [&] { CutDown(context, handle, range); }, [&] { GiveBackRange(context, range); });
    HeaderView(handle)->purgeFlags |= RTE_PURGED;
}

uint16_t Reload(RteMemContext* context, RteHandle handle)
{
    SpillRange range;
    size_t full;
    bool discard;
    int32_t count;
    {
        HeaderView header(handle);
        if (!(header->purgeFlags & RTE_PURGED))
            return 0;
        std::memcpy(&range, header.Elements(), sizeof range);
        count = header->count;
        full = BlockBytes(context, header->elementSize, count, handle);
        discard = (header->purgeFlags & RTE_PURGE_DISCARD) != 0;
    }
    size_t before = RteBlocks().size(*handle);
    RteBlock grown = RteBlocks().resize(*handle, full);
    if (!grown)
        return RTE_ERR_NO_MEMORY;
    *handle = grown;
    context->bytesInUse = context->bytesInUse - before + RteBlocks().size(grown);
    {
        HeaderView header(handle);
        size_t saved = range.end - range.start;
        size_t bytes = full - sizeof(RteHandleHeader);
        if (!discard && count > 0 && saved > 0 &&
            (!RteSpillSeek(context->purgeHookData, range.start) ||
             !RteSpillRead(context->purgeHookData, header.Elements(), saved < bytes ? saved : bytes)))
            RteRaise(context, RTE_ERR_FILE, handle);
        header->purgeFlags &= static_cast<uint16_t>(~RTE_PURGED);
        header->allocated = count;
    }
    GiveBackRange(context, range);
    return 0;
}

void Forget(RteMemContext* context, RteHandle handle)
{
    SpillRange range;
    std::memcpy(&range, HeaderView(handle).Elements(), sizeof range);
    GiveBackRange(context, range);
}

}  // namespace

uint16_t RteSpillPurgeHook(RteHandle handle, RteMemContext* context, int32_t code)
{
    bool hasFile = HasFile(context->purgeHookData);
    if (code == RTE_PURGE_INSTALL && !hasFile)
        return 0;
    if (!hasFile)
        return RTE_ERR_NO_SPILL_FILE;
    uint16_t result = 0;
    uint16_t raised = RteTry(context, [&] {
        switch (code) {
        case RTE_PURGE_INSTALL:
            InstallFreeList(context);
            break;
        case RTE_PURGE_OUT:
            PurgeOut(context, handle);
            break;
        case RTE_PURGE_RELOAD:
            result = Reload(context, handle);
            break;
        case RTE_PURGE_FORGET:
            Forget(context, handle);
            break;
        }
    });
    return raised ? raised : result;
}
