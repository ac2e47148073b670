// Where a point lies: on which page of a repeating wrap area, in which wrap rect, and how it
// stands against the view, the text, its bounds, the extra area and the link ranges.
#pragma once

#include <cstdint>

#include "rte_document.h"

// RtePointLocation bits.
constexpr uint32_t RTE_POINT_IN_VIEW = 0x1;
constexpr uint32_t RTE_POINT_IN_WRAP = 0x2;
constexpr uint32_t RTE_POINT_IN_EXTRA = 0x4;
constexpr uint32_t RTE_POINT_IN_TEXT = 0x8;  // above the end of the text
constexpr uint32_t RTE_POINT_LEFT = 0x20;
constexpr uint32_t RTE_POINT_RIGHT = 0x40;
constexpr uint32_t RTE_POINT_ABOVE = 0x80;
constexpr uint32_t RTE_POINT_BELOW = 0x100;
constexpr uint32_t RTE_POINT_ON_LINK = 0x200;
constexpr uint32_t RTE_POINT_ON_MARK = 0x400;
// RteWrapRectAtPoint: the point lies in the page but beside its wrap rect on the repeating axis.
constexpr uint32_t RTE_POINT_BESIDE_WRAP = 0x10;

// The 0-based page of a wrap area that repeats down (or across) that holds the point (document
// coordinates, or window ones when asked), the point first kept above the end of the laid-out
// text; the distance between pages, the page's offset and the last page holding text.
int32_t RtePageAtPoint(RteHandle doc, const RtePoint* point, RtePoint* step, RtePoint* pageOffset, int32_t* last,
                       bool window);
// The wrap rect (numbered from 1, 0 for none) holding the point less the page offset.
int32_t RteWrapRectAtPoint(RteHandle doc, const RtePoint* point, const RtePoint* pageOffset, uint32_t* flags);
// RTE_POINT_* bits of a window point; the offset hit there.
uint32_t RtePointLocation(RteHandle doc, const RtePoint* point, int32_t* offset);
