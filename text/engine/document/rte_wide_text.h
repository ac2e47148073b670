// 16-bit text and CP1252 bytes: the conversions that character styles use by default to widen
// and narrow their text (hook slots 15 and 16), and that streams and translators share.
#pragma once

#include <cstdint>

// A byte-order mark decides the order of the characters that follow it, as the bytes lie:
// FF FE little-endian, FE FF big-endian (in memory on this platform: 0xFEFF and 0xFFFE).
constexpr uint16_t RTE_MARK_NATIVE = 0xFEFF;
constexpr uint16_t RTE_MARK_SWAPPED = 0xFFFE;
// Characters of the bytes: text of even length opening with a mark is taken as it stands
// (count / 2 characters); otherwise one character a byte. A null target only counts.
int32_t RteBytesToWide(const uint8_t* source, uint16_t* target, int32_t ignored, int32_t count);
// Bytes of the characters, a leading mark skipped and obeyed; a character without a CP1252
// byte becomes "?". Returns the bytes written.
int32_t RteWideToBytes(const uint16_t* source, uint8_t* target, int32_t ignored, int32_t count);
// Removes a leading mark (the text moves down and ends with 0) and puts the characters in
// native order: swapped when asked or when the mark said so. Returns the characters left.
int32_t RteWideNormalise(uint16_t* text, int32_t count, bool swap);
// Whether the character is a byte-order mark in either order.
bool RteIsByteOrderMark(uint16_t character);
// The CP1252 byte of a character, or 0 when it has none.
uint8_t RteCharToCp1252(uint16_t character);
uint16_t RteCp1252ToChar(uint8_t byte);
