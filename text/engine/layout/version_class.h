// The class of a version or platform word, as stored documents and devices report it.
#pragma once

#include <cstdint>

// 1 when bits 8..27 are all 0, 3 when of those bits only bit 20 is set (0x100000), else 2.
int RteVersionClass(uint32_t word);
