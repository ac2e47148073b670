// Guarded blocks: each block is its own reservation whose last page is left without access,
// its bytes placed to end where that page begins.
#include "guarded_blocks.h"

#include <windows.h>

#include <cstring>
#include <map>

namespace {

constexpr size_t kPage = 4096;
// Blocks start wherever their end must lie: a handle made to its exact size ends at the page.
constexpr size_t kAlign = 1;

struct Guarded {
    void* base;
    unsigned char* bytes;
    size_t size;
};

std::map<const void*, Guarded*>& Starts()
{
    static std::map<const void*, Guarded*> starts;
    return starts;
}

void* Reserve(size_t bytes, unsigned char** start)
{
    size_t rounded = (bytes + kAlign - 1) / kAlign * kAlign;
    size_t pages = (rounded + kPage - 1) / kPage + 1;
    auto* base = static_cast<unsigned char*>(VirtualAlloc(nullptr, pages * kPage, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!base)
        return nullptr;
    DWORD old;
    VirtualProtect(base + (pages - 1) * kPage, kPage, PAGE_NOACCESS, &old);
    *start = base + (pages - 1) * kPage - rounded;
    return base;
}

RteBlock Alloc(size_t bytes, bool clear)
{
    auto* block = new Guarded{};
    block->base = Reserve(bytes, &block->bytes);
    if (!block->base) {
        delete block;
        return nullptr;
    }
    block->size = bytes;
    if (clear)
        std::memset(block->bytes, 0, bytes);
    Starts()[block->bytes] = block;
    return block;
}

void Free(RteBlock handle)
{
    auto* block = static_cast<Guarded*>(handle);
    Starts().erase(block->bytes);
    VirtualFree(block->base, 0, MEM_RELEASE);
    delete block;
}

RteBlock Resize(RteBlock handle, size_t bytes)
{
    auto* block = static_cast<Guarded*>(handle);
    unsigned char* start = nullptr;
    void* base = Reserve(bytes, &start);
    if (!base)
        return nullptr;
    std::memcpy(start, block->bytes, block->size < bytes ? block->size : bytes);
    VirtualFree(block->base, 0, MEM_RELEASE);
    Starts().erase(block->bytes);
    block->base = base;
    block->bytes = start;
    Starts()[start] = block;
    block->size = bytes;
    return block;
}

void* Lock(RteBlock handle) { return static_cast<Guarded*>(handle)->bytes; }
void Unlock(RteBlock) {}
size_t Size(RteBlock handle) { return static_cast<Guarded*>(handle)->size; }

RteBlock FromPointer(const void* start)
{
    auto found = Starts().find(start);
    return found == Starts().end() ? nullptr : found->second;
}

const RteBlockOps kGuardedOps = {Alloc, Resize, Lock, Unlock, Free, Size, FromPointer};

}  // namespace

GuardedBlocks::GuardedBlocks() { RteSetBlockOps(&kGuardedOps); }
GuardedBlocks::~GuardedBlocks() { RteSetBlockOps(nullptr); }

GuardedBytes::GuardedBytes(const void* bytes, size_t size) : size_(size)
{
    unsigned char* start = nullptr;
    base_ = Reserve(size, &start);
    if (size)
        std::memcpy(start, bytes, size);
    data_ = start;
}

GuardedBytes::~GuardedBytes() { VirtualFree(base_, 0, MEM_RELEASE); }
