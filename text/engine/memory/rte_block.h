// The seam between the engine's memory and the platform: movable blocks, the spill file, and
// leaving the process. The engine reaches the platform only through these.
#pragma once

#include <cstddef>
#include <cstdint>

#include "rte_types.h"

// Movable block operations. A block moves only while its lock count is 0.
struct RteBlockOps {
    RteBlock (*alloc)(size_t bytes, bool clear);     // null when memory is short
    RteBlock (*resize)(RteBlock block, size_t bytes);  // null when it fails, the block unchanged
    void* (*lock)(RteBlock block);
    void (*unlock)(RteBlock block);
    void (*free)(RteBlock block);
    size_t (*size)(RteBlock block);
    RteBlock (*fromPointer)(const void* start);       // the block whose bytes begin at start
};

// The operations in use: the platform's unless others were installed.
const RteBlockOps& RteBlocks();
// Installs other operations (a host's allocator, a test's failing one); null restores the
// platform's. The ops must outlive their use.
void RteSetBlockOps(const RteBlockOps* ops);
const RteBlockOps& RtePlatformBlockOps();

// The spill file, an open file handle of the platform held in a pointer-sized value.
// Each returns false unless it moved to, wrote or read all that was asked.
bool RteSpillSeek(intptr_t file, uint32_t offset);
bool RteSpillWrite(intptr_t file, const void* bytes, size_t count);
bool RteSpillRead(intptr_t file, void* bytes, size_t count);

// Asks the thread's message loop to end with the exit code.
void RtePostQuit(int exitCode);
// Ends the process at once.
[[noreturn]] void RteEndProcess(unsigned exitCode);
