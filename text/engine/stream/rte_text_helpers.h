// Small text helpers of the engine's streams and translators: high-character mapping, keyword
// patterns, 16-bit text in either byte order, counted characters, style attribute masks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "rte_environment.h"
#include "rte_wide_text.h"

// Every byte of 0x80 or above becomes table[byte - 128]; a 0 entry gives the replacement
// character ('?'). Returns the end of the text.
uint8_t* RteMapHighChars(const RteEnvironment* env, uint8_t* text, int32_t count, const uint8_t* table);
// The pattern's length through its "[" when the text matches the entry before it, or when a
// "*" in the pattern is reached with all characters agreeing; else 0.
int32_t RteMatchPattern(const char* text, const char* pattern);

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
