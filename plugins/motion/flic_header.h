// The 128-byte FLIC file header and the 16-byte frame chunk header.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr size_t FLIC_HEADER_SIZE = 128;
constexpr size_t FLIC_FRAME_HEADER_SIZE = 16;
constexpr uint16_t FLIC_MAGIC_FLC = 0xAF12;
constexpr uint16_t FLIC_MAGIC_FLI = 0xAF11;
constexpr uint16_t FLIC_FRAME_TYPE = 0xF1FA;
// A bigger picture is taken for a damaged header: no animation of the system comes near it,
// and the frame bitmap is made from these two numbers.
constexpr int FLIC_MAX_SIDE = 4096;

// The fields the player uses, read byte-wise: the stored header is packed.
struct FlicHeader {
    uint16_t magic = 0;
    uint16_t frames = 0;     // not counting the ring frame
    uint16_t width = 0;
    uint16_t height = 0;
    uint32_t speed = 0;      // FLC: milliseconds per frame; FLI: 1/70 s per frame
    uint32_t firstFrame = 0; // file offset of frame 1 (FLC only)

    bool IsFlc() const { return magic == FLIC_MAGIC_FLC; }
    bool IsFli() const { return magic == FLIC_MAGIC_FLI; }
    bool HasKnownMagic() const { return IsFlc() || IsFli(); }
    bool HasUsableSize() const
    {
        return width > 0 && height > 0 && width <= FLIC_MAX_SIDE && height <= FLIC_MAX_SIDE;
    }
};

struct FlicFrameHeader {
    uint32_t size = 0;       // the whole chunk, these 16 bytes included
    uint16_t type = 0;
    uint16_t chunks = 0;     // sub-chunks of a frame
};

FlicHeader ParseFlicHeader(const uint8_t (&bytes)[FLIC_HEADER_SIZE]);
FlicFrameHeader ParseFlicFrameHeader(const uint8_t (&bytes)[FLIC_FRAME_HEADER_SIZE]);
