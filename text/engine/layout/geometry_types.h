// The records of the engine's plane: whole device units, signed 32-bit, vertical axis downwards.
#pragma once

#include <cstdint>

// Top, left, bottom, right: the engine's order, which stored documents and rect lists keep.
// Empty when top = bottom or left = right; null when both hold (a single point).
struct RteRect {
    int32_t top;
    int32_t left;
    int32_t bottom;
    int32_t right;

    bool operator==(const RteRect&) const = default;
};

// Vertical first. Pairs of offsets and insets travel in the same record and order.
struct RtePoint {
    int32_t v;
    int32_t h;

    bool operator==(const RtePoint&) const = default;
};

// Display scaling as the document and the drawing port keep it. The packed factor holds the
// numerator in its high and the denominator in its low 16 bits; negative means the inverse
// ratio; 0 means no scaling.
struct RteScaling {
    int32_t originV;
    int32_t originH;
    int32_t factor;
};

// The Windows order (left, top, right, bottom), laid out as the platform's RECT so that the
// drawing layer can hand one over as it stands.
struct RteWinRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;

    bool operator==(const RteWinRect&) const = default;
};

static_assert(sizeof(RteRect) == 16, "rect lists store 16-byte entries");
static_assert(sizeof(RtePoint) == 8);
static_assert(sizeof(RteScaling) == 12, "documents and ports keep a 12-byte scaling record");
static_assert(sizeof(RteWinRect) == 16);
