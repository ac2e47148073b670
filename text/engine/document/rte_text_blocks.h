// Text blocks: a document's text in pieces, each with its own text handle and lines, and the
// few text services the style model needs (reading bytes, marking text for layout).
#pragma once

#include <cstdint>

#include "geometry_types.h"
#include "rte_types.h"

struct RteDocument;

// Block flags.
constexpr uint32_t RTE_BLOCK_DIRTY = 0x1;         // changed since it was read from its stream
constexpr uint32_t RTE_BLOCK_RELAYOUT = 0x2;      // its lines must be built again
constexpr uint32_t RTE_BLOCK_LINES_SAVED = 0x4;   // its lines are kept apart from its text
constexpr uint32_t RTE_BLOCK_LINES_BUILT = 0x8;
constexpr uint32_t RTE_BLOCK_DIRECTION_CHANGED = 0x800;  // laid out again for a new reading direction

struct RteTextBlock {
    RteHandle text;   // bytes; null while the text stays in the bound stream
    int32_t length;   // bytes
    uint32_t flags;
    RteHandle lines;
    RteRect bounds;   // of its laid-out lines
    int32_t streamPosition;
    int32_t values[4];
};

constexpr uint8_t RTE_PARAGRAPH_END = 13;

// Makes the document's single empty block.
void RteInitTextBlock(RteDocument* doc);
// The text offset at which a block starts.
int32_t RteBlockStart(RteDocument* doc, int32_t block);
// The block that holds an offset (the last block for the text's end and beyond), and its start.
int32_t RteBlockAt(const RteDocument* doc, int32_t offset, int32_t* start);
// The byte at an offset (0 past the end or in text not in memory).
uint8_t RteTextByteAt(const RteDocument* doc, int32_t offset);
// Marks the blocks that [start, end) touches for layout and counts a layout change.
void RteMarkForLayout(RteDocument* doc, int32_t start, int32_t end);
// The default paragraph bounds: from after the previous paragraph end to after the next.
void RteDefaultParBounds(RteHandle doc, int32_t offset, int32_t* start, int32_t* end);
