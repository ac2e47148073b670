// The positions the cache measured for a document's first block, copied out.
#include "block_positions.h"

#include "rte_memory.h"
#include "rte_position_cache.h"

std::vector<int32_t> FirstBlockPositions(RteHandle doc)
{
    RteHandle handle = nullptr;
    int32_t* positions = RteBlockPositions(doc, 0, &handle, nullptr);
    std::vector<int32_t> copy(positions, positions + RteCount(handle));
    RteReleasePositions(doc, handle);
    return copy;
}
