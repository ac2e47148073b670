// Shared helpers of the FLIC tests.
#include "flictest.h"

#include "flic_header.h"
#include "qxbmp.h"
#include "test_programs.h"

GuardedFrame::GuardedFrame(int width, int height)
    : width_(width), height_(height),
      bytes_(GUARD + FlicCanvas::BitsSize(width, height) + GUARD, MARK),
      canvas_(bytes_.data() + GUARD, width, height)
{
    for (size_t i = 0; i < bytes_.size(); ++i)
        if (IsPicture(i))
            bytes_[i] = 0;
}

bool GuardedFrame::IsPicture(size_t index) const
{
    if (index < GUARD || index >= GUARD + FlicCanvas::BitsSize(width_, height_))
        return false;
    return (index - GUARD) % FlicCanvas::Stride(width_) < static_cast<size_t>(width_);
}

uint8_t GuardedFrame::At(int x, int line) const
{
    return bytes_[GUARD + FlicCanvas::Stride(width_) * static_cast<size_t>(height_ - line - 1) + x];
}

bool GuardedFrame::Untouched() const
{
    for (size_t i = 0; i < bytes_.size(); ++i)
        if (!IsPicture(i) && bytes_[i] != MARK)
            return false;
    return true;
}

uint32_t GuardedFrame::PixelHash() const
{
    std::vector<uint8_t> pixels;
    for (int line = 0; line < height_; ++line)
        for (int x = 0; x < width_; ++x)
            pixels.push_back(At(x, line));
    return Fnv1a(pixels.data(), pixels.size());
}

uint32_t Fnv1a(const uint8_t* data, size_t size)
{
    uint32_t hash = 0x811C9DC5;
    for (size_t i = 0; i < size; ++i)
        hash = (hash ^ data[i]) * 0x01000193;
    return hash;
}

uint32_t PaletteHash(const FlicPalette& palette)
{
    std::vector<uint8_t> rgb;
    for (const FlicColour& colour : palette) {
        rgb.push_back(colour.red);
        rgb.push_back(colour.green);
        rgb.push_back(colour.blue);
    }
    return Fnv1a(rgb.data(), rgb.size());
}

FlicBytesBuilder& FlicBytesBuilder::Byte(int value)
{
    data_ += static_cast<char>(value & 0xFF);
    return *this;
}

FlicBytesBuilder& FlicBytesBuilder::Word(int value)
{
    return Byte(value).Byte(value >> 8);
}

FlicBytesBuilder& FlicBytesBuilder::Long(uint32_t value)
{
    return Word(static_cast<int>(value & 0xFFFF)).Word(static_cast<int>(value >> 16));
}

FlicBytesBuilder& FlicBytesBuilder::Bytes(const std::string& bytes)
{
    data_ += bytes;
    return *this;
}

FlicBytesBuilder& FlicBytesBuilder::Repeat(int value, size_t count)
{
    data_.append(count, static_cast<char>(value));
    return *this;
}

std::string SubChunk(int type, const std::string& data, int64_t declaredSize)
{
    const uint32_t size = declaredSize < 0 ? static_cast<uint32_t>(6 + data.size()) : static_cast<uint32_t>(declaredSize);
    return FlicBytesBuilder().Long(size).Word(type).Bytes(data).Data();
}

std::string FrameChunk(const std::vector<std::string>& chunks, int64_t declaredSize, int count)
{
    std::string body;
    for (const std::string& chunk : chunks)
        body += chunk;
    const uint32_t size = declaredSize < 0 ? static_cast<uint32_t>(16 + body.size()) : static_cast<uint32_t>(declaredSize);
    return FlicBytesBuilder()
        .Long(size).Word(FLIC_FRAME_TYPE).Word(count < 0 ? static_cast<int>(chunks.size()) : count).Repeat(0, 8)
        .Bytes(body).Data();
}

std::string FlicFile(int magic, int width, int height, uint32_t speed, const std::vector<std::string>& frames)
{
    std::string body;
    for (const std::string& frame : frames)
        body += frame;
    const uint32_t first = FLIC_HEADER_SIZE;
    FlicBytesBuilder header;
    header.Long(static_cast<uint32_t>(FLIC_HEADER_SIZE + body.size())).Word(magic)
        .Word(static_cast<int>(frames.size()) - 1).Word(width).Word(height).Word(8).Word(3).Long(speed)
        .Repeat(0, 80 - 20).Long(first).Long(first + (frames.empty() ? 0 : static_cast<uint32_t>(frames[0].size())))
        .Repeat(0, FLIC_HEADER_SIZE - 88);
    return header.Data() + body;
}

std::string FlicFixture(const char* name)
{
    return TestProgramFolder() + "flic-fixtures\\" + name;
}

namespace {

const ShownFrame SHOWN[] = {
#include "flic_expected.inc"
};

}  // namespace

std::vector<ShownFrame> ShownIn(const std::string& file)
{
    std::vector<ShownFrame> rows;
    for (const ShownFrame& row : SHOWN)
        if (file == row.file)
            rows.push_back(row);
    return rows;
}

FrameHashes HashFrame(BMP* frame)
{
    FrameHashes hashes;
    HGLOBAL dib = frame->CreateDIB();
    const auto* header = dib ? static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib)) : nullptr;
    if (!header)
        return hashes;
    const auto* colours = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const uint8_t*>(header) + header->biSize);
    const int used = header->biClrUsed ? static_cast<int>(header->biClrUsed) : 256;
    FlicPalette palette{};
    for (int i = 0; i < used && i < 256; ++i)
        palette[i] = FlicColour{colours[i].rgbBlue, colours[i].rgbGreen, colours[i].rgbRed, 0};
    hashes.palette = PaletteHash(palette);
    const int width = header->biWidth, height = std::abs(header->biHeight);
    const auto* bits = reinterpret_cast<const uint8_t*>(colours + used);
    std::vector<uint8_t> pixels;
    for (int line = 0; line < height; ++line) {
        const uint8_t* row = bits + FlicCanvas::Stride(width) * static_cast<size_t>(height - line - 1);
        pixels.insert(pixels.end(), row, row + width);
    }
    hashes.pixels = Fnv1a(pixels.data(), pixels.size());
    GlobalUnlock(dib);
    GlobalFree(dib);
    return hashes;
}
