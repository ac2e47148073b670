// Rect lists in a test's own memory context, made from and read back into plain rects, and
// the properties of areas that the set operations promise.
#pragma once

#include "geometry_printing.h"
#include "rect_list.h"
#include "standin_rect_memory.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <utility>
#include <vector>

using Rects = std::vector<RteRect>;

class RectListTest : public testing::Test {
protected:
    // Every list made here is freed at the end; the test fails if an operation left a list
    // locked, leaked one of its own or broke the handles' contract.
    void TearDown() override;

    // Bounds are the enclosing rect of the non-empty rects, worked out here.
    RteRectList Make(std::initializer_list<RteRect> rects);
    RteRectList Make(const Rects& rects);
    RteRectList Empty();
    // Frees a list made here before the end of the test.
    void Free(RteRectList list);

    RteMemContext context_;

private:
    std::vector<RteRectList> made_;
};

Rects RectsOf(RteRectList list);
RteRect BoundsOf(RteRectList list);

// The unit cells (v, h) that an area covers; for small coordinates only.
std::set<std::pair<int, int>> Cells(const Rects& rects);
// Enclosing rect of the non-empty rects; the zero rect when there are none.
RteRect Enclosing(const Rects& rects);
bool Disjoint(const Rects& rects);
// No two rects overlap or touch side by side.
bool NoneMeet(const Rects& rects);
bool SortedByTop(const Rects& rects);
