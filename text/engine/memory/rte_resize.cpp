// Resizing and editing handles: counts, inserts, deletes, compaction, and the small helpers.
#include <algorithm>
#include <cstring>

#include "rte_memory_internal.h"

using namespace rte_memory;

void RteSetCount(RteHandle handle, int32_t count)
{
    RteMemContext* context;
    int32_t allocated;
    int16_t elementSize;
    uint16_t growBy;
    {
        HeaderView header(handle);
        context = header->context;
        if (count == header->count)
            return;
        if (count < 0)
            RteRaise(context, RTE_ERR_NO_MEMORY, handle);
        if (header->purgeFlags & RTE_PURGED) {
            // The block gets its size when it is brought back.
            header->count = header->allocated = count;
            return;
        }
        allocated = header->allocated;
        elementSize = header->elementSize;
        growBy = header->growBy;
    }
    if (count > allocated) {
        int64_t grown = static_cast<int64_t>(count) + growBy;
        ResizeHandleBlock(context, handle, BlockBytes(context, elementSize, grown, handle));
        HeaderView(handle)->allocated = static_cast<int32_t>(grown);
        RestoreReserve(context);
        CheckLimit(context, handle);
    }
    HeaderView(handle)->count = count;
}

void* RteInsert(RteHandle handle, int32_t index, int32_t n)
{
    int32_t count = RteCount(handle);
    index = std::clamp(index, 0, count);
    // The block may move only while unlocked; the caller's lock comes back on any outcome.
    bool wasLocked = RteLockCount(handle) > 0;
    if (wasLocked)
        RteUnlock(handle);
    RteTryOrUndo(
        ContextOf(handle), [&] { RteSetCount(handle, count + std::max(n, 0)); },
        [&] {
            if (wasLocked)
                RteLock(handle);
        });
    char* elements = static_cast<char*>(RteLock(handle));
    size_t size = static_cast<size_t>(RteElementSize(handle));
    char* at = elements + static_cast<size_t>(index) * size;
    if (n > 0)
        std::memmove(at + static_cast<size_t>(n) * size, at, static_cast<size_t>(count - index) * size);
    return at;
}

void* RteAppend(RteHandle handle, int32_t n, bool clear)
{
    void* added = RteInsert(handle, RteCount(handle), n);
    if (clear && n > 0)
        std::memset(added, 0, static_cast<size_t>(n) * static_cast<size_t>(RteElementSize(handle)));
    return added;
}

void RteDelete(RteHandle handle, int32_t index, int32_t n)
{
    if (n <= 0)
        return;
    EnsureLoaded(handle);
    HeaderView header(handle);
    // Bounded to the elements in use: a tail past the count would move bytes outside the block.
    if (index < 0 || index >= header->count)
        return;
    n = std::min(n, header->count - index);
    size_t size = static_cast<size_t>(header->elementSize);
    char* at = header.Elements() + static_cast<size_t>(index) * size;
    std::memmove(at, at + static_cast<size_t>(n) * size, static_cast<size_t>(header->count - index - n) * size);
    header->count -= n;
}

void RteCompact(RteHandle handle)
{
    RteMemContext* context;
    int32_t count;
    int16_t elementSize;
    {
        HeaderView header(handle);
        if (header->allocated <= header->count || (header->purgeFlags & RTE_PURGED))
            return;
        context = header->context;
        count = header->count;
        elementSize = header->elementSize;
    }
    size_t before = RteBlocks().size(*handle);
    RteBlock cut = RteBlocks().resize(*handle, BlockBytes(context, elementSize, count, handle));
    if (!cut)
        RteRaise(context, RTE_ERR_NO_MEMORY, handle);
    *handle = cut;
    context->bytesInUse = context->bytesInUse - before + RteBlocks().size(cut);
    HeaderView(handle)->allocated = count;
}

void RteReset(RteHandle handle, int16_t elementSize, uint16_t growBy)
{
    RteMemContext* context = ContextOf(handle);
    if ((RteGetPurgeFlags(handle) & RTE_PURGED) && context->purgeHook)
        context->purgeHook(handle, context, RTE_PURGE_FORGET);
    size_t wanted = BlockBytes(context, elementSize, growBy, handle);
    size_t before = RteBlocks().size(*handle);
    if (RteBlock resized = RteBlocks().resize(*handle, wanted)) {
        *handle = resized;
        context->bytesInUse = context->bytesInUse - before + RteBlocks().size(resized);
    } else {
        RteNoteError(context, RTE_ERR_NO_MEMORY, handle, 0);
    }
    HeaderView header(handle);
    header->elementSize = elementSize;
    header->growBy = growBy;
    header->count = 0;
    header->purgeFlags &= static_cast<uint16_t>(~RTE_PURGED);
    // Counted from the block as it really is, so that a failed resize cannot promise room that
    // later appends would write past.
    size_t room = RteBlocks().size(*handle) - sizeof(RteHandleHeader);
    header->allocated = static_cast<int32_t>(std::min<size_t>(room / static_cast<size_t>(elementSize), growBy));
}

int32_t RteAppendZero(RteHandle handle)
{
    int32_t index = RteCount(handle);
    RteAppend(handle, 1, true);
    RteUnlock(handle);
    return index;
}

void* RteAppendZeroLock(RteHandle handle)
{
    RteAppend(handle, 1, true);
    return HeaderView(handle).Elements();
}

int32_t RtePop(RteHandle handle)
{
    int32_t count = RteCount(handle);
    if (count == 0)
        return 0;
    RteDelete(handle, count - 1, 1);
    return count - 1;
}

int32_t RteDeleteFirst(RteHandle handle)
{
    RteDelete(handle, 0, 1);
    return RteCount(handle);
}

int32_t RteUnlockPop(RteHandle handle)
{
    RteUnlock(handle);
    return RtePop(handle);
}

int32_t RteUnlockDeleteFirst(RteHandle handle)
{
    RteUnlock(handle);
    return RteDeleteFirst(handle);
}

void RteUnlockClear(RteHandle handle)
{
    RteUnlock(handle);
    RteSetCount(handle, 0);
}

namespace {

// Byte strings of 255 bytes or more keep no length byte (255 itself is never used as a length).
constexpr int32_t kLongestPrefixed = 254;

bool CanTakePrefix(RteHandle handle) { return RteElementSize(handle) == 1 && RteCount(handle) <= kLongestPrefixed; }

}  // namespace

int32_t RteMakeLengthPrefixed(RteHandle handle)
{
    int32_t count = RteCount(handle);
    if (CanTakePrefix(handle)) {
        *static_cast<uint8_t*>(RteInsert(handle, 0, 1)) = static_cast<uint8_t>(count);
        RteUnlock(handle);
    }
    return count;
}

void* RteMakeLengthPrefixedLock(RteHandle handle)
{
    // Whenever no prefix could be put in front, locking would hand out bytes that the caller
    // reads as prefixed.
    if (!CanTakePrefix(handle))
        RteRaise(ContextOf(handle), RTE_ERR_TOO_LONG_FOR_PREFIX, handle);
    RteMakeLengthPrefixed(handle);
    return RteLock(handle);
}

void RteMove(const void* source, void* target, ptrdiff_t length)
{
    if (length >= 0) {
        std::memmove(target, source, static_cast<size_t>(length));
        return;
    }
    // Source and target name the ends (one past the last byte) of the two areas.
    size_t bytes = static_cast<size_t>(-length);
    std::memmove(static_cast<char*>(target) - bytes, static_cast<const char*>(source) - bytes, bytes);
}
