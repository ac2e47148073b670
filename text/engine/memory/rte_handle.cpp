// Handles: allocation, copies, release, blocks handed in and out, locking and the header's fields.
#include <cstring>

#include "rte_memory_internal.h"

using namespace rte_memory;

namespace {

constexpr uint8_t kAdoptedPriority = 8;

void FillHeader(RteHandle handle, RteMemContext* context, int16_t elementSize, int32_t count, int32_t allocated,
                uint16_t growBy)
{
    HeaderView header(handle);
    header->elementSize = elementSize;
    header->growBy = growBy;
    header->count = count;
    header->allocated = allocated;
    header->slot = handle;
    header->lockCount = 0;
    header->purgeFlags = RTE_PRIORITY_DEFAULT;
    header->key = context->currentKey;
    header->accessCount = 0;
    header->context = context;
}

// A purged handle's saved contents are given up before its block goes.
void ForgetSpilled(RteHandle handle)
{
    RteMemContext* context = ContextOf(handle);
    if ((RteGetPurgeFlags(handle) & RTE_PURGED) && context->purgeHook)
        context->purgeHook(handle, context, RTE_PURGE_FORGET);
}

}  // namespace

RteHandle RteAlloc(RteMemContext* context, int16_t elementSize, int32_t count, uint16_t growBy, bool clear)
{
    int64_t allocated = static_cast<int64_t>(count) + growBy;
    RteBlock block = AllocBlock(context, BlockBytes(context, elementSize, allocated, nullptr), clear, nullptr);
    RteHandle handle = nullptr;
    RteTryOrUndo(context, [&] { handle = TakeSlot(context, block); }, [&] { RteBlocks().free(block); });
    context->bytesInUse += RteBlocks().size(block);
    FillHeader(handle, context, elementSize, count, static_cast<int32_t>(allocated), growBy);
    RestoreReserve(context);
    CheckLimit(context, handle);
    return handle;
}

RteHandle RteAllocKeyed(RteMemContext* context, int16_t elementSize, int32_t count, uint16_t growBy, uint32_t key)
{
    RteHandle handle = RteAlloc(context, elementSize, count, growBy, false);
    RteSetKey(handle, key);
    return handle;
}

RteHandle RteAllocKeyedClear(RteMemContext* context, int16_t elementSize, int32_t count, uint16_t growBy,
                             uint32_t key)
{
    RteHandle handle = RteAlloc(context, elementSize, count, growBy, true);
    RteSetKey(handle, key);
    return handle;
}

RteHandle RteNewFromData(RteMemContext* context, const void* data, int16_t elementSize, int32_t count)
{
    RteHandle handle = RteAlloc(context, elementSize, count, 0, false);
    std::memcpy(HeaderView(handle).Elements(), data, RteByteSize(handle));
    return handle;
}

RteHandle RteNewString(RteMemContext* context, const char* text)
{
    return RteNewFromData(context, text, 1, static_cast<int32_t>(std::strlen(text) + 1));
}

RteHandle RteNewCString(RteMemContext* context, const char* text) { return RteNewString(context, text); }

RteHandle RteDuplicate(RteHandle handle)
{
    RteMemContext* context = ContextOf(handle);
    RteHandle copy = RteAlloc(context, RteElementSize(handle), RteCount(handle), RteGetGrowBy(handle), false);
    // Allocating may have purged the source; bringing it back may fail.
    RteTryOrUndo(context, [&] { EnsureLoaded(handle); }, [&] { RteFree(copy); });
    std::memcpy(HeaderView(copy).Elements(), HeaderView(handle).Elements(), RteByteSize(handle));
    return copy;
}

RteHandle RteDuplicateKeyed(RteHandle handle, uint32_t key)
{
    RteHandle copy = RteDuplicate(handle);
    RteSetKey(copy, key);
    return copy;
}

RteHandle RteDuplicateAny(RteHandle handle) { return handle ? RteDuplicate(handle) : nullptr; }

void RteCopyInto(RteHandle source, RteHandle target)
{
    if (source == target)
        return;
    EnsureLoaded(target);
    int16_t elementSize = RteElementSize(source);
    {
        // The room keeps its bytes; counted in the source's elements from now on.
        HeaderView header(target);
        size_t room = RteBlocks().size(*target) - sizeof(RteHandleHeader);
        header->elementSize = elementSize;
        header->allocated = static_cast<int32_t>(room / static_cast<size_t>(elementSize));
        header->count = 0;
    }
    RteSetCount(target, RteCount(source));
    EnsureLoaded(source);
    std::memcpy(HeaderView(target).Elements(), HeaderView(source).Elements(), RteByteSize(source));
}

void RteFree(RteHandle handle)
{
    ForgetSpilled(handle);
    RteMemContext* context = ContextOf(handle);
    context->bytesInUse -= RteBlocks().size(*handle);
    RteBlocks().free(*handle);
    *handle = nullptr;
}

void RteFreeAny(RteHandle handle)
{
    if (handle)
        RteFree(handle);
}

void RteUnlockAndFree(RteHandle handle)
{
    RteUnlock(handle);
    RteFree(handle);
}

void RteUnlockAllAndFree(RteHandle handle)
{
    RteUnlockAll(handle);
    RteFree(handle);
}

void RteDisposeAny(RteHandle handle)
{
    if (handle)
        RteUnlockAllAndFree(handle);
}

RteBlock RteDetachBlock(RteHandle handle)
{
    ForgetSpilled(handle);
    RteUnlockAll(handle);
    RteMemContext* context = ContextOf(handle);
    RteBlock block = *handle;
    context->bytesInUse -= RteBlocks().size(block);
    *handle = nullptr;
    return block;
}

RteHandle RteAdoptBlock(RteMemContext* context, RteBlock block, int16_t elementSize)
{
    size_t bytes = RteBlocks().size(block);
    int64_t elements = elementSize > 0 ? static_cast<int64_t>(bytes / static_cast<size_t>(elementSize)) : -1;
    BlockBytes(context, elementSize, elements, nullptr);
    auto count = static_cast<int32_t>(elements);
    RteBlock grown = nullptr;
    for (;;) {
        if ((grown = RteBlocks().resize(block, bytes + sizeof(RteHandleHeader))))
            break;
        GiveUpReserveAndPurge(context, bytes + sizeof(RteHandleHeader), nullptr);
    }
    char* start = static_cast<char*>(RteBlocks().lock(grown));
    std::memmove(start + sizeof(RteHandleHeader), start, bytes);
    RteBlocks().unlock(grown);

    RteHandle handle = nullptr;
    RteTryOrUndo(context, [&] { handle = TakeSlot(context, grown); }, [&] {
        // The caller keeps its block as it gave it.
        char* bytesStart = static_cast<char*>(RteBlocks().lock(grown));
        std::memmove(bytesStart, bytesStart + sizeof(RteHandleHeader), bytes);
        RteBlocks().unlock(grown);
    });
    context->bytesInUse += RteBlocks().size(grown);
    FillHeader(handle, context, elementSize, count, count, 0);
    RteSetPurgeFlags(handle, kAdoptedPriority, false);
    return handle;
}

RteBlock RteReleaseBlock(RteHandle handle)
{
    EnsureLoaded(handle);
    size_t bytes = RteByteSize(handle);
    RteBlock block = RteDetachBlock(handle);
    char* start = static_cast<char*>(RteBlocks().lock(block));
    std::memmove(start, start + sizeof(RteHandleHeader), bytes);
    RteBlocks().unlock(block);
    if (bytes == 0) {
        // A moveable block of no bytes is the platform's empty block.
        RteBlocks().free(block);
        return RteBlocks().alloc(0, false);
    }
    // Cutting down moves nothing the caller holds; when it fails the block is only larger.
    if (RteBlock cut = RteBlocks().resize(block, bytes))
        block = cut;
    return block;
}

void* RteLock(RteHandle handle)
{
    EnsureLoaded(handle);
    auto* header = static_cast<RteHandleHeader*>(RteBlocks().lock(*handle));
    ++header->lockCount;
    ++header->accessCount;
    return header + 1;
}

void* RteLockData(RteHandle handle) { return RteLock(handle); }

void RteUnlock(RteHandle handle)
{
    bool held;
    {
        HeaderView header(handle);
        held = header->lockCount > 0;
        if (held)
            --header->lockCount;
    }
    if (held)
        RteBlocks().unlock(*handle);
}

void RteUnlockAll(RteHandle handle)
{
    while (RteLockCount(handle) > 0)
        RteUnlock(handle);
}

uint16_t RteLockCount(RteHandle handle) { return HeaderView(handle)->lockCount; }

void* RteElementPtr(RteHandle handle, int32_t index, bool lock)
{
    size_t offset = static_cast<size_t>(index) * static_cast<size_t>(RteElementSize(handle));
    if (lock)
        return static_cast<char*>(RteLock(handle)) + offset;
    EnsureLoaded(handle);
    return HeaderView(handle).Elements() + offset;
}

void RteGetElement(RteHandle handle, int32_t index, void* target)
{
    EnsureLoaded(handle);
    HeaderView header(handle);
    size_t size = static_cast<size_t>(header->elementSize);
    std::memcpy(target, header.Elements() + static_cast<size_t>(index) * size, size);
}

int32_t RteCount(RteHandle handle) { return HeaderView(handle)->count; }
int16_t RteElementSize(RteHandle handle) { return HeaderView(handle)->elementSize; }

size_t RteByteSize(RteHandle handle)
{
    HeaderView header(handle);
    return static_cast<size_t>(header->count) * static_cast<size_t>(header->elementSize);
}

RteMemContext* RteHandleContext(RteHandle handle) { return ContextOf(handle); }
uint32_t RteGetKey(RteHandle handle) { return HeaderView(handle)->key; }
void RteSetKey(RteHandle handle, uint32_t key) { HeaderView(handle)->key = key; }
uint16_t RteGetGrowBy(RteHandle handle) { return HeaderView(handle)->growBy; }
void RteSetGrowBy(RteHandle handle, uint16_t growBy) { HeaderView(handle)->growBy = growBy; }
uint16_t RteGetPurgeFlags(RteHandle handle) { return HeaderView(handle)->purgeFlags; }

void RteSetPurgeFlags(RteHandle handle, uint8_t priority, bool discard)
{
    HeaderView header(handle);
    uint16_t flags = static_cast<uint16_t>((header->purgeFlags & ~RTE_PURGE_PRIORITY_MASK) | priority);
    header->purgeFlags = discard ? (flags | RTE_PURGE_DISCARD) : (flags & ~RTE_PURGE_DISCARD);
}

RteBlock RteHandleOfData(const void* elements)
{
    return RteBlocks().fromPointer(static_cast<const char*>(elements) - sizeof(RteHandleHeader));
}

bool RteEqual(RteHandle a, RteHandle b)
{
    EnsureLoaded(a);
    EnsureLoaded(b);
    size_t bytes = RteByteSize(a);
    return bytes == RteByteSize(b) && std::memcmp(HeaderView(a).Elements(), HeaderView(b).Elements(), bytes) == 0;
}
