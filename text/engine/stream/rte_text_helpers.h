// Small text helpers of the engine's streams and translators: high-character mapping, keyword
// patterns, 16-bit text in either byte order, counted characters, style attribute masks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "rte_environment.h"

// Every byte of 0x80 or above becomes table[byte - 128]; a 0 entry gives the replacement
// character ('?'). Returns the end of the text.
uint8_t* RteMapHighChars(const RteEnvironment* env, uint8_t* text, int32_t count, const uint8_t* table);
// The pattern's length through its "[" when the text matches the entry before it, or when a
// "*" in the pattern is reached with all characters agreeing; else 0.
int32_t RteMatchPattern(const char* text, const char* pattern);

// 16-bit text. A byte-order mark decides the order of the characters that follow it, as the
// bytes lie: FF FE little-endian, FE FF big-endian (in memory on this platform: 0xFEFF and
// 0xFFFE). Bytes are CP1252.
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
// The CP1252 byte of a character, or 0 when it has none.
uint8_t RteCharToCp1252(uint16_t character);
uint16_t RteCp1252ToChar(uint8_t byte);

// A fixed field of bytes as 16-bit text behind a native byte-order mark (size + 1 characters),
// and back: the characters (a leading mark obeyed and dropped) narrowed into the cleared field,
// as many as fit.
std::vector<uint16_t> RteWidenField(const void* field, size_t size);
void RteNarrowField(uint16_t* characters, size_t count, void* field, size_t size);

// A counted character: one byte below length 2, else up to three bytes (0 counts as three),
// stopping after a zero byte. A null target writes back onto the source.
int32_t RteCopyCharBytes(const uint8_t* source, uint8_t* target, int32_t length);

// Bit i of the mask stands for the style's attribute value i (of 32).
uint32_t RteStyleBitsToMask(const RteCharStyle* style);
void RteMaskToStyleBits(uint32_t mask, RteCharStyle* style);
// The drawing flags of text output from a style's attribute values and its flag 0x1000.
uint16_t RteDrawFlags(const RteCharStyle* style);
// How often the byte occurs in the block's text.
int32_t RteCountByte(const struct RteTextBlock* block, uint8_t byte);

// The 32 attribute values of a character style are its units 1 to 32.
int16_t* RteStyleAttributes(RteCharStyle* style);
const int16_t* RteStyleAttributes(const RteCharStyle* style);
constexpr int RTE_STYLE_ATTRIBUTES = 32;
