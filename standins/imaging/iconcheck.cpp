#include "iconcheck.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr size_t DirectoryHeader = 6;
constexpr size_t DirectoryEntry = 16;
constexpr size_t PictureHeader = 40;
// Icons go up to 256 pixels a side; the picture header counts the mask rows in its height.
// Anything up to four times as wide is still taken, as some writers make them.
constexpr int32_t LargestSide = 1024;
constexpr int32_t LargestHeight = 2 * LargestSide;

uint16_t Word(const unsigned char* at) { return static_cast<uint16_t>(at[0] | at[1] << 8); }
uint32_t Long(const unsigned char* at) { return Word(at) | static_cast<uint32_t>(Word(at + 2)) << 16; }

bool IsIconDirectory(const unsigned char* bytes, size_t length)
{
    return length >= DirectoryHeader && Word(bytes) == 0 && (Word(bytes + 2) == 1 || Word(bytes + 2) == 2);
}

bool PictureSound(const unsigned char* picture, size_t size)
{
    static const unsigned char Png[] = {0x89, 'P', 'N', 'G'};
    if (size >= sizeof Png && std::memcmp(picture, Png, sizeof Png) == 0)
        return true;
    if (size < PictureHeader || Long(picture) < PictureHeader)
        return false;
    const auto width = static_cast<int32_t>(Long(picture + 4));
    const auto height = static_cast<int32_t>(Long(picture + 8));
    return width > 0 && width <= LargestSide && height != 0 && height >= -LargestHeight && height <= LargestHeight;
}

}  // namespace

bool IconHeadersSound(const unsigned char* bytes, size_t length)
{
    if (!IsIconDirectory(bytes, length))
        return true;
    const size_t count = Word(bytes + 4);
    if (count == 0 || count > (length - DirectoryHeader) / DirectoryEntry)
        return false;
    for (size_t i = 0; i < count; ++i) {
        const unsigned char* entry = bytes + DirectoryHeader + i * DirectoryEntry;
        const size_t size = Long(entry + 8);
        const size_t offset = Long(entry + 12);
        if (size == 0 || offset > length || size > length - offset || !PictureSound(bytes + offset, size))
            return false;
    }
    return true;
}
