// What the memory context's files share: header views, block accounting and slot walking.
#pragma once

#include "rte_block.h"
#include "rte_memory.h"

namespace rte_memory {

// Keeps a handle's block locked while its header is read or changed; the block cannot move
// meanwhile, so no resize may run while a view lives.
class HeaderView {
public:
    explicit HeaderView(RteHandle handle)
        : block_(*handle), header_(static_cast<RteHandleHeader*>(RteBlocks().lock(block_)))
    {
    }
    ~HeaderView() { RteBlocks().unlock(block_); }
    HeaderView(const HeaderView&) = delete;
    HeaderView& operator=(const HeaderView&) = delete;

    RteHandleHeader* operator->() const { return header_; }
    char* Elements() const { return reinterpret_cast<char*>(header_ + 1); }

private:
    RteBlock block_;
    RteHandleHeader* header_;
};

inline RteMemContext* ContextOf(RteHandle handle) { return HeaderView(handle)->context; }

// The block size of a handle of `elements` elements; raises 256 naming `handle` for sizes no
// block can have (a negative count or element size, or a count past 32 bits).
size_t BlockBytes(RteMemContext* context, int16_t elementSize, int64_t elements, RteHandle handle);

// A new block, giving up the reserve block and purging (sparing `spare`) when memory is short;
// raises 256 when that was not enough.
RteBlock AllocBlock(RteMemContext* context, size_t bytes, bool clear, RteHandle spare);
// Resizes the handle's block the same way, keeping the bytes in use right.
void ResizeHandleBlock(RteMemContext* context, RteHandle handle, size_t bytes);
// The reserve block's part after memory ran short: given up once, then purging.
void GiveUpReserveAndPurge(RteMemContext* context, size_t bytes, RteHandle spare);
void RestoreReserve(RteMemContext* context);
void CheckLimit(RteMemContext* context, RteHandle spare);
// Puts a block into a free slot, opening a new handle table when all are full.
RteHandle TakeSlot(RteMemContext* context, RteBlock block);
// Brings a purged handle back in; nothing for a loaded one.
void EnsureLoaded(RteHandle handle);

inline RteBlock* TableSlots(RteBlock table)
{
    // Tables stay locked for their life (handles are slot addresses): lock/unlock only reads it.
    auto* slots = static_cast<RteBlock*>(RteBlocks().lock(table));
    RteBlocks().unlock(table);
    return slots;
}

// Calls visit(handle) for every live handle in table order; visit may free it.
template <class Visit>
void ForEachHandle(RteMemContext* context, Visit&& visit)
{
    for (RteBlock table = context->firstTable; table;) {
        RteBlock* slots = TableSlots(table);
        for (int32_t i = 0; i < RTE_TABLE_SLOTS; ++i)
            if (slots[i])
                visit(&slots[i]);
        table = slots[RTE_TABLE_SLOTS];
    }
}

}  // namespace rte_memory
