// 16-bit text and CP1252 bytes.
#include "rte_wide_text.h"

#include <cstddef>
#include <cstring>

namespace {

constexpr uint8_t kReplacement = '?';

// The characters of CP1252's bytes 0x80 to 0x9F; the five bytes it leaves undefined stand
// for themselves.
constexpr uint16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

uint16_t Swapped(uint16_t c) { return static_cast<uint16_t>((c >> 8) | (c << 8)); }

}  // namespace

bool RteIsByteOrderMark(uint16_t character) { return character == RTE_MARK_NATIVE || character == RTE_MARK_SWAPPED; }

uint8_t RteCharToCp1252(uint16_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<uint8_t>(character);
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == character)
            return static_cast<uint8_t>(0x80 + i);
    return 0;
}

uint16_t RteCp1252ToChar(uint8_t byte) { return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte; }

int32_t RteBytesToWide(const uint8_t* source, uint16_t* target, int32_t, int32_t count)
{
    if (count <= 0)
        return 0;
    uint16_t first = count >= 2 ? static_cast<uint16_t>(source[0] | (source[1] << 8)) : 0;
    if (count % 2 == 0 && RteIsByteOrderMark(first)) {
        if (target)
            std::memcpy(target, source, static_cast<size_t>(count));
        return count / 2;
    }
    if (target)
        for (int32_t i = 0; i < count; ++i)
            target[i] = RteCp1252ToChar(source[i]);
    return count;
}

int32_t RteWideToBytes(const uint16_t* source, uint8_t* target, int32_t, int32_t count)
{
    int32_t i = 0;
    bool swap = false;
    if (count > 0 && RteIsByteOrderMark(source[0])) {
        swap = source[0] == RTE_MARK_SWAPPED;
        i = 1;
    }
    int32_t written = 0;
    for (; i < count; ++i) {
        uint16_t c = swap ? Swapped(source[i]) : source[i];
        uint8_t byte = RteCharToCp1252(c);
        target[written++] = byte || c == 0 ? byte : kReplacement;
    }
    return written;
}

int32_t RteWideNormalise(uint16_t* text, int32_t count, bool swap)
{
    if (count > 0 && RteIsByteOrderMark(text[0])) {
        swap = swap || text[0] == RTE_MARK_SWAPPED;
        std::memmove(text, text + 1, static_cast<size_t>(count - 1) * sizeof(uint16_t));
        --count;
        text[count] = 0;
    }
    if (swap)
        for (int32_t i = 0; i < count; ++i)
            text[i] = Swapped(text[i]);
    return count;
}
