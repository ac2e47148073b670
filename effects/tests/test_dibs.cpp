// Building packed DIBs byte by byte.
#include "test_dibs.h"

#include <cstring>

namespace {

class Bytes {
public:
    void Add16(unsigned value) { Add(value, 2); }
    void Add32(std::uint32_t value) { Add(value, 4); }
    void Add8(unsigned value) { bytes_.push_back(static_cast<unsigned char>(value)); }
    void Pad(std::size_t size) { bytes_.resize(size, 0); }
    std::size_t Size() const { return bytes_.size(); }
    std::vector<unsigned char>& Vector() { return bytes_; }

private:
    void Add(std::uint32_t value, int count)
    {
        for (int i = 0; i < count; ++i)
            Add8(value >> (8 * i) & 0xFF);
    }
    std::vector<unsigned char> bytes_;
};

std::uint32_t PaletteColour(unsigned index)
{
    return ((index * 53) & 0xFF) << 16 | ((index * 97 + 31) & 0xFF) << 8 | ((index * 151 + 7) & 0xFF);
}

unsigned PaletteSize(const DibForm& form)
{
    if (form.headerSize != sizeof(BITMAPCOREHEADER) && form.usedColours != 0)
        return form.usedColours;
    return form.bitCount <= 8 ? 1u << form.bitCount : 0;
}

bool SixBitGreen(const DibForm& form)
{
    return form.bitCount == 16 && form.compression == BI_BITFIELDS;
}

// The value stored for pixel (x, y), and the colour it stands for.
std::uint32_t PixelValue(const DibForm& form, const Picture& pattern, int x, int y, std::uint32_t& colour)
{
    if (form.bitCount <= 8) {
        unsigned index = (x * 3 + y * 5) % PaletteSize(form);
        colour = PaletteColour(index);
        return index;
    }
    if (form.bitCount == 16) {
        unsigned r = x % 4, b = (x + y) % 4;
        unsigned g = SixBitGreen(form) ? y % 16 : y % 4;
        colour = r << 3 << 16 | (SixBitGreen(form) ? g << 2 : g << 3) << 8 | b << 3;
        return SixBitGreen(form) ? r << 11 | g << 5 | b : r << 10 | g << 5 | b;
    }
    colour = pattern.At(x, y);
    unsigned r = colour >> 16 & 0xFF, g = colour >> 8 & 0xFF, b = colour & 0xFF;
    // The 32-bit masks of these samples put red lowest, where plain pixels hold blue.
    if (form.bitCount == 32 && form.compression == BI_BITFIELDS)
        return r | g << 8 | b << 16;
    return b | g << 8 | r << 16;
}

void AddHeader(const DibForm& form, int width, int height, Bytes& out)
{
    out.Add32(form.headerSize);
    if (form.headerSize == sizeof(BITMAPCOREHEADER)) {
        out.Add16(width);
        out.Add16(height);
        out.Add16(1);
        out.Add16(form.bitCount);
        return;
    }
    out.Add32(width);
    out.Add32(form.topDown ? -height : height);
    out.Add16(1);
    out.Add16(form.bitCount);
    out.Add32(form.compression);
    out.Add32(0);  // image size: may be 0 for uncompressed pixels
    out.Add32(2835);
    out.Add32(2835);
    out.Add32(form.usedColours);
    out.Add32(0);
    bool bitfields = form.compression == BI_BITFIELDS;
    bool sixBitGreen = SixBitGreen(form);
    std::uint32_t masks[3] = {sixBitGreen ? 0xF800u : 0x000000FFu, sixBitGreen ? 0x07E0u : 0x0000FF00u,
                              sixBitGreen ? 0x001Fu : 0x00FF0000u};
    if (form.headerSize == sizeof(BITMAPINFOHEADER)) {
        if (bitfields)
            for (std::uint32_t mask : masks)
                out.Add32(mask);
        return;
    }
    // Version 5: the masks are part of the header.
    for (std::uint32_t mask : masks)
        out.Add32(bitfields ? mask : 0);
    out.Add32(0);           // alpha mask
    out.Add32(0x73524742);  // LCS_sRGB
    out.Pad(out.Size() + (form.headerSize - 60));
}

void AddColourTable(const DibForm& form, Bytes& out)
{
    for (unsigned i = 0; i < PaletteSize(form); ++i) {
        std::uint32_t colour = PaletteColour(i);
        out.Add8(colour & 0xFF);
        out.Add8(colour >> 8 & 0xFF);
        out.Add8(colour >> 16 & 0xFF);
        if (form.headerSize != sizeof(BITMAPCOREHEADER))
            out.Add8(0);
    }
}

} // namespace

DibSample MakeDib(const DibForm& form, const Picture& pattern)
{
    int width = pattern.width;
    int height = pattern.height;
    DibSample sample;
    sample.picture = Picture(width, height);
    Bytes out;
    AddHeader(form, width, height, out);
    AddColourTable(form, out);
    sample.bitsOffset = out.Size();

    std::size_t stride = (static_cast<std::size_t>(width) * form.bitCount + 31) / 32 * 4;
    out.Pad(sample.bitsOffset + stride * height);
    unsigned char* bits = out.Vector().data() + sample.bitsOffset;
    for (int y = 0; y < height; ++y) {
        int storedRow = form.topDown ? y : height - 1 - y;
        unsigned char* row = bits + stride * storedRow;
        for (int x = 0; x < width; ++x) {
            std::uint32_t colour;
            std::uint32_t value = PixelValue(form, pattern, x, y, colour);
            sample.picture.At(x, y) = colour;
            if (form.bitCount < 8) {
                int bitPosition = x * form.bitCount;
                int shift = 8 - form.bitCount - bitPosition % 8;
                row[bitPosition / 8] |= static_cast<unsigned char>(value << shift);
            } else {
                for (int i = 0; i < form.bitCount / 8; ++i)
                    row[x * (form.bitCount / 8) + i] = static_cast<unsigned char>(value >> (8 * i));
            }
        }
    }
    sample.bytes = std::move(out.Vector());
    return sample;
}

std::vector<unsigned char> Dib24Of(const Picture& picture)
{
    DibForm form{"info 24-bit", sizeof(BITMAPINFOHEADER), 24, BI_RGB, 0, false};
    return MakeDib(form, picture).bytes;
}

GlobalBlock::GlobalBlock(const std::vector<unsigned char>& bytes)
    : block_(GlobalAlloc(GMEM_MOVEABLE, bytes.size()))
{
    if (void* memory = GlobalLock(block_)) {
        std::memcpy(memory, bytes.data(), bytes.size());
        GlobalUnlock(block_);
    }
}

GlobalBlock::~GlobalBlock()
{
    if (block_)
        GlobalFree(block_);
}

void PrintTo(const DibForm& form, std::ostream* out)
{
    *out << form.name;
}
