// What goes with text moved from one document to another: its character style runs, paragraph
// formats and link ranges, mapped into the destination's tables.
#pragma once

#include <map>

#include "rte_runs.h"

// One carrying: a source range whose text now lies in the destination from destStart on.
struct RteCarry {
    RteHandle source;
    RteHandle dest;
    RteRange from;
    int32_t destStart;
    // Paragraph formats: a paragraph that the destination start cuts takes the source's first
    // format too.
    bool firstParagraph;
    // Source style index -> destination index, mapped once per call.
    std::map<int32_t, int32_t>* styles;
};

// Runs, formats and both link tables, then the destination text marked for layout.
void RteCarryStyles(const RteCarry& carry);
