// Checks of packed DIBs handed to an effect, for both header forms.
#include "packed_dib.h"

#include "fxbase.h"

#include <cstdint>
#include <cstring>

namespace {

std::uint16_t Read16(const unsigned char* at)
{
    std::uint16_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

std::uint32_t Read32(const unsigned char* at)
{
    std::uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

// Colour-table entries that a bit count implies when the header names no count.
std::size_t ImpliedEntries(unsigned bitCount)
{
    switch (bitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

// The header sizes of the info forms: version 1 to 5.
bool IsInfoHeaderSize(std::uint32_t size)
{
    return size == sizeof(BITMAPINFOHEADER) || size == 52 || size == 56
        || size == sizeof(BITMAPV4HEADER) || size == sizeof(BITMAPV5HEADER);
}

// Completes the layout once the header is known good: the rows must fit in the block.
std::optional<PackedDibLayout> FitRows(std::size_t blockSize, std::uint64_t bitsOffset,
                                       std::size_t entries, std::uint64_t width,
                                       std::uint64_t rows, unsigned bitCount)
{
    if (width == 0 || rows == 0 || bitsOffset > blockSize)
        return std::nullopt;
    std::uint64_t stride = (width * bitCount + 31) / 32 * 4;
    if (stride > (blockSize - bitsOffset) / rows)
        return std::nullopt;
    return PackedDibLayout{entries, static_cast<std::size_t>(bitsOffset), static_cast<int>(width),
                           static_cast<int>(rows)};
}

std::optional<PackedDibLayout> ReadCoreDib(const unsigned char* block, std::size_t size)
{
    unsigned planes = Read16(block + 8);
    unsigned bitCount = Read16(block + 10);
    bool knownCount = bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24;
    if (planes != 1 || !knownCount)
        return std::nullopt;
    std::size_t entries = ImpliedEntries(bitCount);
    std::uint64_t bitsOffset = sizeof(BITMAPCOREHEADER) + entries * sizeof(RGBTRIPLE);
    return FitRows(size, bitsOffset, entries, Read16(block + 4), Read16(block + 6), bitCount);
}

std::optional<PackedDibLayout> ReadInfoDib(const unsigned char* block, std::size_t size,
                                           std::uint32_t headerSize)
{
    auto width = static_cast<std::int32_t>(Read32(block + 4));
    auto height = static_cast<std::int32_t>(Read32(block + 8));
    unsigned planes = Read16(block + 12);
    unsigned bitCount = Read16(block + 14);
    std::uint32_t compression = Read32(block + 16);
    std::uint32_t usedColours = Read32(block + 32);

    bool knownCount = bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16
                   || bitCount == 24 || bitCount == 32;
    if (planes != 1 || !knownCount || width <= 0)
        return std::nullopt;

    // The three colour masks follow a version-1 header; later versions hold them inside.
    std::uint64_t masks = 0;
    if (compression == BI_BITFIELDS) {
        if (bitCount != 16 && bitCount != 32)
            return std::nullopt;
        if (headerSize == sizeof(BITMAPINFOHEADER))
            masks = 3 * sizeof(DWORD);
    } else if (compression != BI_RGB) {
        return std::nullopt;
    }

    std::size_t entries = usedColours != 0 ? usedColours : ImpliedEntries(bitCount);
    if (bitCount <= 8 && entries > (std::size_t{1} << bitCount))
        return std::nullopt;

    // A negative height is a top-down DIB of as many rows.
    std::uint64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
    std::uint64_t bitsOffset = headerSize + masks + std::uint64_t{entries} * sizeof(RGBQUAD);
    return FitRows(size, bitsOffset, entries, static_cast<std::uint64_t>(width), rows, bitCount);
}

} // namespace

std::optional<PackedDibLayout> ReadPackedDib(const unsigned char* block, std::size_t size)
{
    if (!block || size < sizeof(std::uint32_t))
        return std::nullopt;
    std::uint32_t headerSize = Read32(block);
    if (headerSize > size)
        return std::nullopt;
    if (headerSize == sizeof(BITMAPCOREHEADER))
        return ReadCoreDib(block, size);
    if (IsInfoHeaderSize(headerSize))
        return ReadInfoDib(block, size, headerSize);
    return std::nullopt;
}
