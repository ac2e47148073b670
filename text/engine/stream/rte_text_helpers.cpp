// Small text helpers: high characters, keyword patterns, 16-bit fields, counted characters and
// the attribute masks of character styles.
#include "rte_text_helpers.h"

#include <cstddef>
#include <cstring>

#include "rte_text_blocks.h"
#include "rte_typed.h"

namespace {

constexpr uint8_t kReplacement = '?';

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
