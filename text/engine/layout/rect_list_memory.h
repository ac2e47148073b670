// The few operations of the engine's memory handles that rect lists are built on.
//
// A rect list is a memory handle of 16-byte elements, owned by the engine's memory context.
// The lists reach that memory only through these calls, so that geometry builds and is
// tested on its own; the engine links them to its handles (RteAlloc, RteLock and the rest),
// and a memory failure leaves through them as the engine's raise, a C++ exception that the
// lists' scoped locks and scratch lists unwind through.
#pragma once

#include "geometry_types.h"

struct RteMemContext;
struct RteRectListBlock;
typedef RteRectListBlock* RteRectList;

// A new unlocked list of count cleared entries, growing by growBy entries at a time.
RteRectList RteRectListAlloc(RteMemContext* context, int32_t count, uint16_t growBy);
// Frees the list whatever its locks.
void RteRectListDispose(RteRectList list);
RteMemContext* RteRectListContext(RteRectList list);
// Entries in use, the bounds included.
int32_t RteRectListEntries(RteRectList list);

// Entry 0's address; the entries stay in place until the matching unlock.
RteRect* RteRectListLock(RteRectList list);
void RteRectListUnlock(RteRectList list);

// Sets the number of entries of a list that the caller has not locked; new entries are
// undefined.
void RteRectListSetEntries(RteRectList list, int32_t count);
// Inserts n undefined entries before entry index (index = entries appends) into a list that
// the caller holds one lock on; the list may move, and the lock held afterwards is at the
// returned address of entry 0.
RteRect* RteRectListInsertEntries(RteRectList list, int32_t index, int32_t n);
// Removes n entries from index on; the list keeps its room and does not move.
void RteRectListDeleteEntries(RteRectList list, int32_t index, int32_t n);
