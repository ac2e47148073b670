// What the FLIC tests share: a frame whose surroundings are watched, checksums of pictures
// and palettes, and a builder of FLIC files byte by byte.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "flic_canvas.h"

class BMP;

// Frame bits as a locked bitmap holds them, with guard bytes before and after and the row
// padding filled with a mark, so that any write outside the picture shows.
class GuardedFrame {
public:
    GuardedFrame(int width, int height);
    FlicCanvas& Canvas() { return canvas_; }
    uint8_t At(int x, int line) const;
    // true when nothing outside the picture was written.
    bool Untouched() const;
    // FNV-1a of the pixels, top line first, without padding.
    uint32_t PixelHash() const;

private:
    static constexpr size_t GUARD = 4096;
    static constexpr uint8_t MARK = 0xCD;
    bool IsPicture(size_t index) const;

    int width_, height_;
    std::vector<uint8_t> bytes_;
    FlicCanvas canvas_;
};

uint32_t Fnv1a(const uint8_t* data, size_t size);
// FNV-1a of the 256 entries as red, green, blue.
uint32_t PaletteHash(const FlicPalette& palette);

// Little-endian bytes for hand-made FLIC files.
class FlicBytesBuilder {
public:
    FlicBytesBuilder& Byte(int value);
    FlicBytesBuilder& Word(int value);
    FlicBytesBuilder& Long(uint32_t value);
    FlicBytesBuilder& Bytes(const std::string& bytes);
    FlicBytesBuilder& Repeat(int value, size_t count);
    const std::string& Data() const { return data_; }

private:
    std::string data_;
};

// A sub-chunk with its declared size (by default the true one).
std::string SubChunk(int type, const std::string& data, int64_t declaredSize = -1);
// A frame chunk holding the sub-chunks, with its declared size and count (by default true).
std::string FrameChunk(const std::vector<std::string>& chunks, int64_t declaredSize = -1, int count = -1);
// A whole file: the 128-byte header then the frames (the ring frame last), first frame at 128.
std::string FlicFile(int magic, int width, int height, uint32_t speed, const std::vector<std::string>& frames);

// The path of a fixture written by make_flics.py.
std::string FlicFixture(const char* name);

// A picture make_flics.py encoded: file, frame counter, FNV-1a of the pixels (top line first)
// and of the palette shown at that counter.
struct ShownFrame {
    const char* file;
    int counter;
    uint32_t pixels;
    uint32_t palette;
};
// The rows of one fixture in the order they are shown: rewind, every frame, the ring frame
// and one more.
std::vector<ShownFrame> ShownIn(const std::string& file);

// The 8-bit pixels and colours of a frame bitmap, hashed as make_flics.py hashes them.
struct FrameHashes {
    uint32_t pixels = 0;
    uint32_t palette = 0;
};
FrameHashes HashFrame(BMP* frame);
