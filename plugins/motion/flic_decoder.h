// Decoding the sub-chunks of one FLIC frame into the frame bits and the palette.
#pragma once

#include <cstddef>
#include <cstdint>

#include "flic_canvas.h"

struct FlicFrameResult {
    bool paletteChanged = false;
    // Some sub-chunk was cut short or its sizes made no sense: what could be decoded was kept.
    bool damaged = false;
};

// The bytes a writer may leave out at the very end of a file: the pad byte of the last chunk.
constexpr size_t FLIC_TRAILING_PAD = 1;

// `body` is the frame after its 16-byte header, `chunks` the count that header gives;
// `missing` the bytes of its declared size that the file does not hold.
FlicFrameResult DecodeFlicFrame(const uint8_t* body, size_t size, uint16_t chunks, FlicCanvas& canvas,
                                FlicPalette& palette, size_t missing = 0);
