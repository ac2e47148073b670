// The sub-chunk kinds of a FLIC frame that the player draws, one decoder each.
#pragma once

#include "flic_bytes.h"
#include "flic_canvas.h"

enum FlicChunkType : uint16_t {
    FLIC_COLOUR_256 = 4,
    FLIC_DELTA_WORD = 7,
    FLIC_COLOUR_64 = 11,
    FLIC_DELTA_BYTE = 12,
    FLIC_BLACK = 13,
    FLIC_BYTE_RUN = 15,
    FLIC_LITERAL = 16,
};

// Each reads one sub-chunk's data (its 6-byte header already taken); the reader's error tells
// whether the data ran out before the chunk was complete.
void DecodeFlicColours(FlicBytes& in, int componentScale, FlicPalette& palette);
void DecodeFlicWordDelta(FlicBytes& in, FlicCanvas& canvas);
void DecodeFlicByteDelta(FlicBytes& in, FlicCanvas& canvas);
void DecodeFlicByteRun(FlicBytes& in, FlicCanvas& canvas);
void DecodeFlicLiteral(FlicBytes& in, FlicCanvas& canvas);
