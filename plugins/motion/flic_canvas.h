// The 8-bit frame a FLIC is decoded into, and its colour table.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Entries in the order of a DIB colour table: blue, green, red, 0.
struct FlicColour {
    uint8_t blue, green, red, reserved;
};
using FlicPalette = std::array<FlicColour, 256>;

// A view of bottom-up 8-bit bits owned by someone else (the locked frame bitmap): line y of
// the picture lives in row height - y - 1, rows are the width rounded up to 4 bytes. Every
// write is clipped to the picture, so a damaged file can never reach the padding, the next
// row or memory outside the bits.
class FlicCanvas {
public:
    FlicCanvas(uint8_t* bits, int width, int height) : bits_(bits), width_(width), height_(height) {}

    static size_t Stride(int width) { return (static_cast<size_t>(width) + 3) & ~size_t(3); }
    static size_t BitsSize(int width, int height) { return Stride(width) * static_cast<size_t>(height); }

    int Width() const { return width_; }
    int Height() const { return height_; }

    // `count` bytes of `value` from (x, line).
    void Fill(int line, long x, long count, uint8_t value);
    // `count` bytes copied from `source` to (x, line).
    void Copy(int line, long x, const uint8_t* source, long count);
    // `count` copies of the pair (first, second) from (x, line): the word runs of FLC deltas.
    void FillPairs(int line, long x, long count, uint8_t first, uint8_t second);
    // Every pixel of every line set to 0.
    void Clear();

private:
    // The row of `line` and the part [x, x + count) that lies on the picture, as [from, to).
    uint8_t* Row(int line) const;
    bool Clip(int line, long x, long count, long* from, long* to) const;

    uint8_t* bits_;
    int width_;
    int height_;
};
