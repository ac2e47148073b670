// Reproducible runs of small rects for checking the area properties of the set operations.
#pragma once

#include "rect_list_fixture.h"

#include <random>

class RandomRects {
public:
    explicit RandomRects(unsigned seed) : engine_(seed) {}

    // Rects on a 0..limit grid, none empty.
    Rects Next(int count, int limit = 16)
    {
        std::uniform_int_distribution<int> edge(0, limit - 1);
        std::uniform_int_distribution<int> size(1, limit / 2);
        Rects rects;
        for (int i = 0; i < count; ++i) {
            const int top = edge(engine_);
            const int left = edge(engine_);
            rects.push_back({top, left, top + size(engine_), left + size(engine_)});
        }
        return rects;
    }

private:
    std::mt19937 engine_;
};
