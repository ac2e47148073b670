// The positions the cache measured for a document's first block, copied out.
#pragma once

#include <cstdint>
#include <vector>

#include "rte_types.h"

std::vector<int32_t> FirstBlockPositions(RteHandle doc);
