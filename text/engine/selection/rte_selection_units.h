// What selection modifiers widen a position to, and the selection's pairs replaced or added.
#pragma once

#include "rte_runs.h"

// The word, paragraph or display line around an offset as the modifiers ask (the offset alone
// without a unit).
RteRange RteSelectionUnit(RteHandle doc, int32_t offset, uint32_t modifiers);
void RteSetSelectionPair(RteHandle doc, const RteSelectPoint pair[2], bool add);
