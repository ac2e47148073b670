// The laid-out lines of a whole document, in text order, for page and count queries.
#pragma once

#include <vector>

#include "rte_document.h"

struct RteLaidOutLine {
    int32_t start;  // text offsets
    int32_t end;
    RteRect rect;
    int32_t container;
    uint16_t firstFlags;  // of its first piece
    uint16_t lastFlags;   // of its last piece
};

std::vector<RteLaidOutLine> RteLaidOutLines(RteHandle doc);
