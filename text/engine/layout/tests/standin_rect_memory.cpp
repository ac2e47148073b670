// A memory context for rect lists in tests; see standin_rect_memory.h.
#include "standin_rect_memory.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

struct RteRectListBlock {
    RteMemContext* context;
    int32_t entries;
    int lockCount = 0;
    std::unique_ptr<RteRect[]> storage;
    // Where the list was before it moved, poisoned, so that a stale pointer reads nonsense
    // instead of the right values.
    std::vector<std::unique_ptr<RteRect[]>> leftBehind;
};

namespace {

constexpr RteRect kPoison{-0x5A5A5A5A, -0x5A5A5A5A, -0x5A5A5A5A, -0x5A5A5A5A};

void CountGrowth(RteMemContext* context)
{
    if (context->growthsBeforeFailure == 0)
        throw StandinOutOfMemory{};
    if (context->growthsBeforeFailure > 0)
        --context->growthsBeforeFailure;
}

// Every growth moves the list, the uncommitted entries poisoned.
void MoveTo(RteRectListBlock* list, int32_t entries)
{
    CountGrowth(list->context);
    auto moved = std::make_unique<RteRect[]>(std::max(entries, 1));
    std::fill(moved.get(), moved.get() + std::max(entries, 1), kPoison);
    std::copy(list->storage.get(), list->storage.get() + std::min(entries, list->entries), moved.get());
    std::fill(list->storage.get(), list->storage.get() + std::max(list->entries, 1), kPoison);
    list->leftBehind.push_back(std::move(list->storage));
    list->storage = std::move(moved);
    list->entries = entries;
}

}  // namespace

int LockedLists(const RteMemContext& context)
{
    return static_cast<int>(std::count_if(context.lists.begin(), context.lists.end(),
                                          [](const RteRectListBlock* list) { return list->lockCount > 0; }));
}

RteRectList RteRectListAlloc(RteMemContext* context, int32_t count, uint16_t)
{
    CountGrowth(context);
    auto* list = new RteRectListBlock{context, count, 0, std::make_unique<RteRect[]>(count), {}};
    context->lists.insert(list);
    return list;
}

void RteRectListDispose(RteRectList list)
{
    list->context->lists.erase(list);
    delete list;
}

RteMemContext* RteRectListContext(RteRectList list)
{
    return list->context;
}

int32_t RteRectListEntries(RteRectList list)
{
    return list->entries;
}

RteRect* RteRectListLock(RteRectList list)
{
    ++list->lockCount;
    return list->storage.get();
}

void RteRectListUnlock(RteRectList list)
{
    if (list->lockCount == 0)
        ++list->context->contractBreaches;
    else
        --list->lockCount;
}

void RteRectListSetEntries(RteRectList list, int32_t count)
{
    if (list->lockCount > 0)
        ++list->context->contractBreaches;
    if (count > list->entries)
        MoveTo(list, count);
    else
        list->entries = count;
}

RteRect* RteRectListInsertEntries(RteRectList list, int32_t index, int32_t n)
{
    if (list->lockCount < 1)
        ++list->context->contractBreaches;
    const int32_t before = list->entries;
    MoveTo(list, before + n);
    RteRect* entries = list->storage.get();
    std::copy_backward(entries + index, entries + before, entries + before + n);
    std::fill(entries + index, entries + index + n, kPoison);
    return entries;
}

void RteRectListDeleteEntries(RteRectList list, int32_t index, int32_t n)
{
    RteRect* entries = list->storage.get();
    std::copy(entries + index + n, entries + list->entries, entries + index);
    list->entries -= n;
}
