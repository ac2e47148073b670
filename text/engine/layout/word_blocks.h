// Comparison of records as 16-bit words, the unit in which the engine compares its records.
#pragma once

#include <cstdint>

// length ÷ 2 words are compared; an odd last byte is not. 1 when equal (or nothing to compare).
int RteEqualWords(const void* a, const void* b, int32_t lengthBytes);
// 1 when every whole 16-bit word of the block is 0.
int RteZeroWords(const void* block, uint16_t lengthBytes);
