// ARRAY: fixed-size items in movable global-memory blocks, two of them locked at a time.
#include "qxlist.h"

#include "qxsupport.h"

#include <cstring>

namespace {

// One list node per block; the node owns its block.
class ArrayBlock : public LNODE {
public:
    explicit ArrayBlock(HGLOBAL memory) : memory(memory) {}
    ~ArrayBlock() override { QXGlobalFree(memory); }
    HGLOBAL memory;
};

}  // namespace

ARRAY::~ARRAY() { Clear(); }

void ARRAY::SetItemSize(int size)
{
    itemSize = size;
    perBlock = size > 0 ? BlockBytes / size : 0;
}

void* ARRAY::SwapIn(int block)
{
    auto* node = static_cast<ArrayBlock*>(LIST::GetItem(block));
    if (!node)
        return nullptr;
    const int slot = nextSlot;
    if (slotBlock[slot] >= 0)
        QXGlobalUnlock(static_cast<ArrayBlock*>(LIST::GetItem(slotBlock[slot]))->memory);
    slotPtr[slot] = QXGlobalLock(node->memory);
    slotBlock[slot] = block;
    nextSlot = 1 - slot;
    return slotPtr[slot];
}

// The base of `block`, swapped in when neither slot holds it; the next swap then replaces
// the other slot, so the two most recently used blocks stay locked.
char* ARRAY::BlockBase(int block)
{
    for (int slot = 0; slot < 2; ++slot) {
        if (slotBlock[slot] == block) {
            nextSlot = 1 - slot;
            return static_cast<char*>(slotPtr[slot]);
        }
    }
    return static_cast<char*>(SwapIn(block));
}

int ARRAY::AddItem(const void* item)
{
    if (perBlock <= 0)
        return 1;
    const int block = static_cast<int>(items / perBlock);
    const int offset = static_cast<int>(items % perBlock);
    if (offset == 0) {
        HGLOBAL memory = QXGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT,
                                       static_cast<SIZE_T>(perBlock) * itemSize);
        if (!memory)
            return 1;
        auto* node = new ArrayBlock(memory);
        if (!node) {
            QXGlobalFree(memory);
            return 1;
        }
        LIST::AddTail(node);
    }
    char* base = BlockBase(block);
    if (!base)
        return 1;
    std::memcpy(base + static_cast<size_t>(offset) * itemSize, item, itemSize);
    ++items;
    return 0;
}

ARRAY& ARRAY::operator+=(const void* item)
{
    AddItem(item);
    return *this;
}

void* ARRAY::GetItem(long index)
{
    if (index < 0 || index >= items)
        return nullptr;
    char* base = BlockBase(static_cast<int>(index / perBlock));
    return base ? base + static_cast<size_t>(index % perBlock) * itemSize : nullptr;
}

void ARRAY::Clear()
{
    for (int slot = 0; slot < 2; ++slot) {
        if (slotBlock[slot] >= 0)
            QXGlobalUnlock(static_cast<ArrayBlock*>(LIST::GetItem(slotBlock[slot]))->memory);
    }
    LIST::Clear();
    Reset();
}

void ARRAY::Reset()
{
    LIST::Reset();
    slotPtr[0] = slotPtr[1] = nullptr;
    slotBlock[0] = slotBlock[1] = -1;
    nextSlot = 0;
    items = 0;
}

ARRAY& ARRAY::operator=(ARRAY& other)
{
    if (&other == this)
        return *this;
    Clear();
    LIST::operator=(other);
    for (int slot = 0; slot < 2; ++slot) {
        slotPtr[slot] = other.slotPtr[slot];
        slotBlock[slot] = other.slotBlock[slot];
    }
    nextSlot = other.nextSlot;
    itemSize = other.itemSize;
    items = other.items;
    perBlock = other.perBlock;
    other.Reset();
    return *this;
}

long ARRAY::Write(QXFILE file)
{
    long written = 0;
    while (written < items) {
        const long inBlock = items - written < perBlock ? items - written : perBlock;
        const long bytes = inBlock * itemSize;
        const long done = QXWriteFile(file, GetItem(written), static_cast<unsigned long>(bytes));
        if (done != bytes)
            return written + (done > 0 ? done / itemSize : 0);
        written += inBlock;
    }
    return written;
}
