// Layout of a packed DIB (header, colour table, pixel bits in one block), read from the block
// only after every size in its header has been checked against the block's own size.
#pragma once

#include <cstddef>
#include <optional>

struct PackedDibLayout {
    std::size_t colourEntries;  // entries of the colour table
    std::size_t bitsOffset;     // where the pixel bits begin, from the block's start
    int width;
    int rows;                   // height in rows, whatever the DIB's row order
};

// Answers nothing for a DIB that cannot be drawn safely: an unknown header size, a header or
// colour table or pixel rows reaching past the block, a bit count, plane count, compression
// or colour count that the header form does not allow, or an empty image. Compressed pixels
// (run lengths, JPEG, PNG) are refused too, since their size cannot be checked beforehand.
std::optional<PackedDibLayout> ReadPackedDib(const unsigned char* block, std::size_t size);
