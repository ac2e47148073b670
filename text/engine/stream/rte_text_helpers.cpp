// Small text helpers: high characters, keyword patterns, 16-bit text, counted characters and
// the attribute masks of character styles.
#include "rte_text_helpers.h"

#include <cstddef>
#include <cstring>

#include "rte_text_blocks.h"
#include "rte_typed.h"

namespace {

constexpr uint8_t kReplacement = '?';

// The characters of CP1252's bytes 0x80 to 0x9F; the five bytes it leaves undefined stand
// for themselves.
constexpr uint16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

uint16_t Swapped(uint16_t c) { return static_cast<uint16_t>((c >> 8) | (c << 8)); }

bool IsMark(uint16_t c) { return c == RTE_MARK_NATIVE || c == RTE_MARK_SWAPPED; }

constexpr size_t kAttributesAt = offsetof(RteCharStyle, bold);
static_assert(offsetof(RteCharStyle, units23to34) + 10 * sizeof(int16_t) ==
                  kAttributesAt + RTE_STYLE_ATTRIBUTES * sizeof(int16_t),
              "the attribute values are 32 consecutive units");

constexpr uint32_t kStyleUnderlineFlag = 0x1000;

}  // namespace

int16_t* RteStyleAttributes(RteCharStyle* style)
{
    return reinterpret_cast<int16_t*>(reinterpret_cast<uint8_t*>(style) + kAttributesAt);
}

const int16_t* RteStyleAttributes(const RteCharStyle* style)
{
    return reinterpret_cast<const int16_t*>(reinterpret_cast<const uint8_t*>(style) + kAttributesAt);
}

uint8_t* RteMapHighChars(const RteEnvironment*, uint8_t* text, int32_t count, const uint8_t* table)
{
    for (int32_t i = 0; i < count; ++i)
        if (text[i] >= 0x80)
            text[i] = table[text[i] - 0x80] ? table[text[i] - 0x80] : kReplacement;
    return text + (count > 0 ? count : 0);
}

int32_t RteMatchPattern(const char* text, const char* pattern)
{
    int32_t i = 0;
    for (; pattern[i] && pattern[i] != '[' && pattern[i] != '*'; ++i)
        if (text[i] != pattern[i])
            return 0;
    if (pattern[i] == '*')
        return i + 1;
    if (pattern[i] != '[' || text[i] != '\0')
        return 0;
    return i + 1;
}

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
    if (count % 2 == 0 && IsMark(first)) {
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
    if (count > 0 && IsMark(source[0])) {
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
    if (count > 0 && IsMark(text[0])) {
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

int32_t RteCopyCharBytes(const uint8_t* source, uint8_t* target, int32_t length)
{
    int32_t most = length == 0 ? 3 : (length < 2 ? 1 : (length > 3 ? 3 : length));
    uint8_t* to = target ? target : const_cast<uint8_t*>(source);
    int32_t copied = 0;
    while (copied < most) {
        uint8_t byte = source[copied];
        to[copied++] = byte;
        if (byte == 0)
            break;
    }
    return copied;
}

uint32_t RteStyleBitsToMask(const RteCharStyle* style)
{
    const int16_t* values = RteStyleAttributes(style);
    uint32_t mask = 0;
    for (int i = 0; i < RTE_STYLE_ATTRIBUTES; ++i)
        if (values[i])
            mask |= 1u << i;
    return mask;
}

void RteMaskToStyleBits(uint32_t mask, RteCharStyle* style)
{
    int16_t* values = RteStyleAttributes(style);
    for (int i = 0; i < RTE_STYLE_ATTRIBUTES; ++i)
        values[i] = (mask >> i) & 1 ? -1 : 0;
}

uint16_t RteDrawFlags(const RteCharStyle* style)
{
    const int16_t* values = RteStyleAttributes(style);
    bool flag = (style->styleBits & kStyleUnderlineFlag) != 0;
    uint16_t flags = 0;
    if (values[7])
        flags |= 0x1;
    if (values[9])
        flags |= 0x2;
    if (values[8] && !flag)
        flags |= 0x4;
    if (values[18])
        flags |= 0x10;
    if (flags == 0 && flag && (values[2] || values[8]))
        flags |= 0x8;
    return flags;
}

int32_t RteCountByte(const RteTextBlock* block, uint8_t byte)
{
    if (!block->text)
        return 0;
    RteLocked<uint8_t> text(block->text);
    int32_t found = 0;
    for (int32_t i = 0; i < text.size(); ++i)
        found += text[i] == byte;
    return found;
}

std::vector<uint16_t> RteWidenField(const void* field, size_t size)
{
    std::vector<uint16_t> characters(size + 1);
    characters[0] = RTE_MARK_NATIVE;
    for (size_t i = 0; i < size; ++i)
        characters[i + 1] = RteCp1252ToChar(static_cast<const uint8_t*>(field)[i]);
    return characters;
}

void RteNarrowField(uint16_t* characters, size_t count, void* field, size_t size)
{
    int32_t left = RteWideNormalise(characters, static_cast<int32_t>(count), false);
    std::vector<uint8_t> narrow(static_cast<size_t>(left) + 1);
    narrow.resize(static_cast<size_t>(RteWideToBytes(characters, narrow.data(), 0, left)));
    std::memset(field, 0, size);
    std::memcpy(field, narrow.data(), narrow.size() < size ? narrow.size() : size);
}
