// The memory context: start and end, handle tables and slots, keys, and finding memory.
#include <cstring>

#include "rte_memory_internal.h"

using namespace rte_memory;

namespace {

constexpr uint16_t kReservedValue = 143;
constexpr size_t kPurgeExtra = 0x10000;
constexpr size_t kNoLimit = 0x7FFFFFFF;

void DefaultFatalHook(int32_t, int32_t) { RtePostQuit(1); }

// Key 0 names every handle; the context's own spill free list belongs to no caller's group.
bool KeyMatches(RteMemContext* context, uint32_t wanted, RteHandle handle)
{
    return handle != context->spillFreeList && (wanted == 0 || RteGetKey(handle) == wanted);
}

// Searches every table from the first for an empty slot, and opens a new table when none is.
void FindFreeSlot(RteMemContext* context)
{
    RteBlock* last = nullptr;
    for (RteBlock table = context->firstTable; table;) {
        RteBlock* slots = TableSlots(table);
        for (int32_t i = 0; i < RTE_TABLE_SLOTS; ++i) {
            if (!slots[i]) {
                context->currentTable = slots;
                context->nextFreeSlot = i;
                return;
            }
        }
        last = slots;
        table = slots[RTE_TABLE_SLOTS];
    }
    RteBlock table = AllocBlock(context, RTE_TABLE_BYTES, true, nullptr);
    RteBlock* slots = static_cast<RteBlock*>(RteBlocks().lock(table));
    last[RTE_TABLE_SLOTS] = table;
    context->bytesInUse += RteBlocks().size(table);
    context->currentTable = slots;
    context->nextFreeSlot = 0;
}

}  // namespace

namespace rte_memory {

size_t BlockBytes(RteMemContext* context, int16_t elementSize, int64_t elements, RteHandle handle)
{
    if (elementSize < 1 || elements < 0 || elements > INT32_MAX)
        RteRaise(context, RTE_ERR_NO_MEMORY, handle);
    return sizeof(RteHandleHeader) + static_cast<size_t>(elementSize) * static_cast<size_t>(elements);
}

void GiveUpReserveAndPurge(RteMemContext* context, size_t bytes, RteHandle spare)
{
    if (!context->reserveBlock)
        RteRaise(context, RTE_ERR_NO_MEMORY, spare);
    context->bytesInUse -= RteBlocks().size(context->reserveBlock);
    RteBlocks().free(context->reserveBlock);
    context->reserveBlock = nullptr;
    uint16_t code = RtePurge(context, bytes + context->purgeExtra, spare);
    if (code)
        RteRaise(context, code, spare);
    context->lastError = 0;
}

RteBlock AllocBlock(RteMemContext* context, size_t bytes, bool clear, RteHandle spare)
{
    for (;;) {
        if (RteBlock block = RteBlocks().alloc(bytes, clear))
            return block;
        GiveUpReserveAndPurge(context, bytes, spare);
    }
}

void ResizeHandleBlock(RteMemContext* context, RteHandle handle, size_t bytes)
{
    size_t before = RteBlocks().size(*handle);
    for (;;) {
        if (RteBlock block = RteBlocks().resize(*handle, bytes)) {
            *handle = block;
            break;
        }
        GiveUpReserveAndPurge(context, bytes > before ? bytes - before : 0, handle);
    }
    context->bytesInUse = context->bytesInUse - before + RteBlocks().size(*handle);
}

void RestoreReserve(RteMemContext* context)
{
    if (context->reserveBlock)
        return;
    context->reserveBlock = RteBlocks().alloc(RTE_RESERVE_BYTES, false);
    if (context->reserveBlock)
        context->bytesInUse += RteBlocks().size(context->reserveBlock);
}

void CheckLimit(RteMemContext* context, RteHandle spare)
{
    if (context->bytesInUse > context->byteLimit)
        RtePurge(context, context->bytesInUse - context->byteLimit + context->purgeExtra, spare);
}

RteHandle TakeSlot(RteMemContext* context, RteBlock block)
{
    if (context->nextFreeSlot < 0)
        FindFreeSlot(context);
    RteBlock* slots = context->currentTable;
    RteHandle slot = &slots[context->nextFreeSlot];
    *slot = block;
    // Slots freed behind the current one are found again only by the full search.
    int32_t next = context->nextFreeSlot + 1;
    while (next < RTE_TABLE_SLOTS && slots[next])
        ++next;
    context->nextFreeSlot = next < RTE_TABLE_SLOTS ? next : -1;
    return slot;
}

}  // namespace rte_memory

void RteMemInit(RteMemContext* context, size_t byteLimit)
{
    // A frame that the caller pushed on the cleared record must still receive the raise.
    RteErrorFrame* frames = context->innermostFrame;
    std::memset(context, 0, sizeof *context);
    context->innermostFrame = frames;
    context->magic = RTE_CONTEXT_MAGIC;
    context->fatalHook = DefaultFatalHook;

    RteBlock table = RteBlocks().alloc(RTE_TABLE_BYTES, true);
    RteBlock reserve = RteBlocks().alloc(RTE_RESERVE_BYTES, false);
    if (!table || !reserve) {
        if (table)
            RteBlocks().free(table);
        if (reserve)
            RteBlocks().free(reserve);
        RteRaise(context, RTE_ERR_NO_MEMORY, nullptr);
    }
    context->firstTable = table;
    context->reserveBlock = reserve;
    context->currentTable = static_cast<RteBlock*>(RteBlocks().lock(table));
    context->nextFreeSlot = 0;
    context->reserved = kReservedValue;
    context->keyCounter = 1;
    context->currentKey = 1;
    context->purgeExtra = kPurgeExtra;
    context->bytesInUse = RteBlocks().size(table) + RteBlocks().size(reserve);
    context->byteLimit = byteLimit ? byteLimit : kNoLimit;
}

void RteMemFree(RteMemContext* context)
{
    if (context->spillFreeList)
        RteUnlockAllAndFree(context->spillFreeList);
    if (context->reserveBlock)
        RteBlocks().free(context->reserveBlock);
    for (RteBlock table = context->firstTable; table;) {
        RteBlock* slots = TableSlots(table);
        for (int32_t i = 0; i < RTE_TABLE_SLOTS; ++i)
            if (slots[i])
                RteBlocks().free(slots[i]);
        RteBlock next = slots[RTE_TABLE_SLOTS];
        RteBlocks().unlock(table);
        RteBlocks().free(table);
        table = next;
    }
    RteErrorFrame* frames = context->innermostFrame;
    std::memset(context, 0, sizeof *context);
    context->innermostFrame = frames;
}

uint32_t RteNewKey(RteMemContext* context)
{
    context->currentKey = ++context->keyCounter;
    return context->currentKey;
}

void RteFreeByKey(RteMemContext* context, uint32_t key)
{
    ForEachHandle(context, [&](RteHandle handle) {
        if (KeyMatches(context, key, handle))
            RteUnlockAllAndFree(handle);
    });
}

void RteFreeAllByKey(RteMemContext* context, uint32_t key) { RteFreeByKey(context, key); }

void RteUnlockByKey(RteMemContext* context, uint32_t key)
{
    ForEachHandle(context, [&](RteHandle handle) {
        if (KeyMatches(context, key, handle))
            RteUnlock(handle);
    });
}

void RteUnlockAllByKey(RteMemContext* context, uint32_t key)
{
    ForEachHandle(context, [&](RteHandle handle) {
        if (KeyMatches(context, key, handle))
            RteUnlockAll(handle);
    });
}

int64_t RteKeyCount(RteMemContext* context, uint32_t key, bool inBytes)
{
    int64_t sum = 0;
    ForEachHandle(context, [&](RteHandle handle) {
        if (KeyMatches(context, key, handle))
            sum += inBytes ? static_cast<int64_t>(RteByteSize(handle)) : RteCount(handle);
    });
    return sum;
}

void RteChangeKey(RteMemContext* context, uint32_t oldKey, uint32_t newKey)
{
    ForEachHandle(context, [&](RteHandle handle) {
        if (RteGetKey(handle) == oldKey)
            RteSetKey(handle, newKey);
    });
}
