// A memory context for rect lists in tests. It keeps the lists' contract strict: every growth
// moves the list and poisons where it was, locks and unlocks are counted, and a chosen growth
// can fail as the engine's memory does when it runs out.
#pragma once

#include "rect_list_memory.h"

#include <set>

// What a failing growth throws, as the engine's raise would.
struct StandinOutOfMemory {};

struct RteMemContext {
    std::set<RteRectListBlock*> lists;
    // Inserting into an unlocked list, resizing a locked one, unlocking an unlocked one.
    int contractBreaches = 0;
    // Allocations and growths before the one that fails; -1: none fails.
    int growthsBeforeFailure = -1;
};

// Lists of the context that are still locked.
int LockedLists(const RteMemContext& context);
