// The engine's base types: movable blocks, handles, the memory context's hooks and error frames.
#pragma once

#include <cstddef>
#include <cstdint>

// A movable platform memory block (a moveable global block on Windows): it moves only while
// unlocked, and keeps its own lock count.
typedef void* RteBlock;

// The address of a slot in one of the context's handle tables. It stays the same for the
// handle's life while the block in the slot may be replaced on growth, purge and reload.
typedef RteBlock* RteHandle;

struct RteMemContext;

// Called with (522, 0) when an error has no frame to go to.
typedef void (*RteFatalHook)(int32_t code, int32_t value);
// Called instead of the fatal hook, when set, for an error with no frame.
typedef void (*RteFramelessHook)(RteMemContext* context);
// Purges (code 1), reloads (2) or forgets (3) a handle, or installs itself (0).
typedef uint16_t (*RtePurgeHook)(RteHandle handle, RteMemContext* context, int32_t code);
// Finds memory by other means (dropping caches): the bytes it freed.
typedef size_t (*RteFreeMemoryHook)(RteMemContext* context, RteHandle spare, size_t wanted);

// A guarded stretch of work's place in the context's chain of frames; a local of the caller.
struct RteErrorFrame {
    RteErrorFrame* next;
};
