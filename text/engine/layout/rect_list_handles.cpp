// Rect lists on the engine's memory handles: a list is a handle of 16-byte rects.
#include "rect_list_memory.h"

#include "rte_memory.h"

namespace {

RteHandle HandleOf(RteRectList list) { return reinterpret_cast<RteHandle>(list); }

}  // namespace

RteRectList RteRectListAlloc(RteMemContext* context, int32_t count, uint16_t growBy)
{
    return reinterpret_cast<RteRectList>(RteAlloc(context, sizeof(RteRect), count, growBy, true));
}

void RteRectListDispose(RteRectList list) { RteFree(HandleOf(list)); }

RteMemContext* RteRectListContext(RteRectList list) { return RteHandleContext(HandleOf(list)); }

int32_t RteRectListEntries(RteRectList list) { return RteCount(HandleOf(list)); }

RteRect* RteRectListLock(RteRectList list) { return static_cast<RteRect*>(RteLock(HandleOf(list))); }

void RteRectListUnlock(RteRectList list) { RteUnlock(HandleOf(list)); }

void RteRectListSetEntries(RteRectList list, int32_t count) { RteSetCount(HandleOf(list), count); }

RteRect* RteRectListInsertEntries(RteRectList list, int32_t index, int32_t n)
{
    // The insertion gives the caller's lock back at the list's new place.
    RteInsert(HandleOf(list), index, n);
    return static_cast<RteRect*>(RteElementPtr(HandleOf(list), 0, false));
}

void RteRectListDeleteEntries(RteRectList list, int32_t index, int32_t n) { RteDelete(HandleOf(list), index, n); }
