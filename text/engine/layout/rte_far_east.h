// The Far-East line-break classes: characters that may not begin a line (closing marks, small
// kana, full stops) and that may not end one (opening marks, currency signs), for the four
// double-byte character sets.
#pragma once

#include <cstdint>

constexpr int32_t RTE_CHARSET_SHIFTJIS = 128;
constexpr int32_t RTE_CHARSET_HANGUL = 129;
constexpr int32_t RTE_CHARSET_GB2312 = 134;
constexpr int32_t RTE_CHARSET_BIG5 = 136;

constexpr intptr_t RTE_BREAK_NO_END = 0x10000;
constexpr intptr_t RTE_BREAK_NO_BEGIN = 0x20000;

// The code of a character of length bytes (2 for a double-byte one: first byte x 256 + second).
uint16_t RteFarEastCode(const uint8_t* character, int32_t length);
// The zero-terminated tables of a character set; null for a set without them.
const uint16_t* RteNoBeginTable(int32_t charset);
const uint16_t* RteNoEndTable(int32_t charset);
// 1 when the value occurs before the terminating 0.
int32_t RteFindWord16(const uint16_t* words, uint16_t value);
// The bits plus RTE_BREAK_NO_BEGIN or, failing that, RTE_BREAK_NO_END, for a character in a
// character set (its low 12 bits count); any other set leaves the bits as they are.
intptr_t RteFarEastClass(const uint8_t* character, int32_t length, int32_t charset, intptr_t bits);
