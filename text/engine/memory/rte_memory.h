// The engine's memory context and its relocatable, typed, growable handles.
//
// Every engine datum lives in a handle: an array of fixed-size elements behind a header, in a
// movable block reached only between RteLock and RteUnlock. Failures are raised (rte_error.h).
// Sizes and byte counts are size_t, and the hook data pointer-sized, so that a 64-bit process
// keeps its pointers and handles whole; element counts and indexes stay 32-bit.
#pragma once

#include "rte_error.h"
#include "rte_types.h"

constexpr uint16_t RTE_CONTEXT_MAGIC = 0x7777;
// Slots per handle table; the entry after them links the next table.
constexpr int32_t RTE_TABLE_SLOTS = 255;
constexpr size_t RTE_TABLE_BYTES = (RTE_TABLE_SLOTS + 1) * sizeof(RteBlock);
constexpr size_t RTE_RESERVE_BYTES = 1024;

// Purge flags of a handle: the low byte is the purge priority (lower is purged earlier).
constexpr uint16_t RTE_PURGE_PRIORITY_MASK = 0x00FF;
constexpr uint16_t RTE_PRIORITY_DEFAULT = 128;
constexpr uint16_t RTE_PRIORITY_NEVER = 255;  // above 224: never purged
constexpr uint16_t RTE_PURGE_DISCARD = 0x2000;
constexpr uint16_t RTE_PURGE_RELOADING = 0x0F00;
constexpr uint16_t RTE_PURGED = 0x8000;

// Purge hook codes.
constexpr int32_t RTE_PURGE_INSTALL = 0;
constexpr int32_t RTE_PURGE_OUT = 1;
constexpr int32_t RTE_PURGE_RELOAD = 2;
constexpr int32_t RTE_PURGE_FORGET = 3;

// One per process; the caller owns the record, RteMemInit fills it.
struct RteMemContext {
    uint16_t magic;
    uint16_t reserved;
    RteBlock firstTable;
    RteBlock reserveBlock;
    RteBlock* currentTable;  // the slots in which the next free slot is sought
    int32_t nextFreeSlot;    // in the current table; -1 when none is known
    size_t bytesInUse;       // handle blocks, handle tables and the reserve block
    size_t byteLimit;        // above it, allocations purge
    size_t purgeExtra;       // added to every purge request
    RteFatalHook fatalHook;
    RtePurgeHook purgeHook;
    RteFreeMemoryHook freeMemoryHook;
    intptr_t purgeHookData;  // for the default purge hook, the spill file
    RteHandle spillFreeList;
    uint32_t keyCounter;
    uint32_t currentKey;  // stamped into every new handle
    RteHandle guiltyHandle;
    RteErrorFrame* innermostFrame;
    int32_t extraErrorValue;
    RteFramelessHook framelessHook;
    uint16_t lastError;
    // Documents whose text may be read again from their stream (handles of document handles).
    RteHandle boundDocuments;
};

// The header that every handle's block begins with; the elements follow it.
struct alignas(16) RteHandleHeader {
    int16_t elementSize;
    uint16_t growBy;
    int32_t count;
    int32_t allocated;
    RteHandle slot;
    uint16_t lockCount;
    uint16_t purgeFlags;
    uint32_t key;
    uint32_t accessCount;
    RteMemContext* context;
};

// Context.
void RteMemInit(RteMemContext* context, size_t byteLimit);
void RteMemFree(RteMemContext* context);
uint32_t RteNewKey(RteMemContext* context);
void RteFreeByKey(RteMemContext* context, uint32_t key);
void RteFreeAllByKey(RteMemContext* context, uint32_t key);
void RteUnlockByKey(RteMemContext* context, uint32_t key);
void RteUnlockAllByKey(RteMemContext* context, uint32_t key);
int64_t RteKeyCount(RteMemContext* context, uint32_t key, bool inBytes);
void RteChangeKey(RteMemContext* context, uint32_t oldKey, uint32_t newKey);
void RtePurgeKey(RteMemContext* context, uint32_t key);
uint16_t RteSetPurgeHook(RteMemContext* context, RtePurgeHook hook, intptr_t data);
uint16_t RtePurge(RteMemContext* context, size_t wanted, RteHandle spare);
// The spill-file purge hook that RteSetPurgeHook installs for null.
uint16_t RteSpillPurgeHook(RteHandle handle, RteMemContext* context, int32_t code);

// Allocation and release.
RteHandle RteAlloc(RteMemContext* context, int16_t elementSize, int32_t count, uint16_t growBy, bool clear);
RteHandle RteAllocKeyed(RteMemContext* context, int16_t elementSize, int32_t count, uint16_t growBy, uint32_t key);
RteHandle RteAllocKeyedClear(RteMemContext* context, int16_t elementSize, int32_t count, uint16_t growBy,
                             uint32_t key);
RteHandle RteNewFromData(RteMemContext* context, const void* data, int16_t elementSize, int32_t count);
RteHandle RteNewString(RteMemContext* context, const char* text);
RteHandle RteNewCString(RteMemContext* context, const char* text);
RteHandle RteDuplicate(RteHandle handle);
RteHandle RteDuplicateKeyed(RteHandle handle, uint32_t key);
RteHandle RteDuplicateAny(RteHandle handle);
void RteCopyInto(RteHandle source, RteHandle target);
void RteFree(RteHandle handle);
void RteFreeAny(RteHandle handle);
void RteUnlockAndFree(RteHandle handle);
void RteUnlockAllAndFree(RteHandle handle);
void RteDisposeAny(RteHandle handle);
RteBlock RteDetachBlock(RteHandle handle);
RteHandle RteAdoptBlock(RteMemContext* context, RteBlock block, int16_t elementSize);
RteBlock RteReleaseBlock(RteHandle handle);

// Access.
void* RteLock(RteHandle handle);
void* RteLockData(RteHandle handle);
void RteUnlock(RteHandle handle);
void RteUnlockAll(RteHandle handle);
uint16_t RteLockCount(RteHandle handle);
void* RteElementPtr(RteHandle handle, int32_t index, bool lock);
void RteGetElement(RteHandle handle, int32_t index, void* target);
int32_t RteCount(RteHandle handle);
int16_t RteElementSize(RteHandle handle);
size_t RteByteSize(RteHandle handle);
RteMemContext* RteHandleContext(RteHandle handle);
uint32_t RteGetKey(RteHandle handle);
void RteSetKey(RteHandle handle, uint32_t key);
uint16_t RteGetGrowBy(RteHandle handle);
void RteSetGrowBy(RteHandle handle, uint16_t growBy);
uint16_t RteGetPurgeFlags(RteHandle handle);
void RteSetPurgeFlags(RteHandle handle, uint8_t priority, bool discard);
RteBlock RteHandleOfData(const void* elements);
bool RteEqual(RteHandle a, RteHandle b);

// Resizing and editing.
void RteSetCount(RteHandle handle, int32_t count);
void* RteInsert(RteHandle handle, int32_t index, int32_t n);
void* RteAppend(RteHandle handle, int32_t n, bool clear);
void RteDelete(RteHandle handle, int32_t index, int32_t n);
void RteCompact(RteHandle handle);
void RteReset(RteHandle handle, int16_t elementSize, uint16_t growBy);
int32_t RteAppendZero(RteHandle handle);
void* RteAppendZeroLock(RteHandle handle);
int32_t RtePop(RteHandle handle);
int32_t RteDeleteFirst(RteHandle handle);
int32_t RteUnlockPop(RteHandle handle);
int32_t RteUnlockDeleteFirst(RteHandle handle);
void RteUnlockClear(RteHandle handle);
int32_t RteMakeLengthPrefixed(RteHandle handle);
void* RteMakeLengthPrefixedLock(RteHandle handle);
void RteMove(const void* source, void* target, ptrdiff_t length);
