// Error codes raised by the engine's base.
#pragma once

#include <cstdint>

constexpr uint16_t RTE_ERR_NO_MEMORY = 256;
constexpr uint16_t RTE_ERR_PURGE_SHORT = 257;
constexpr uint16_t RTE_ERR_NO_SPILL_FILE = 258;
constexpr uint16_t RTE_ERR_NO_FRAME = 522;
constexpr uint16_t RTE_ERR_TOO_LONG_FOR_PREFIX = 523;
constexpr uint16_t RTE_ERR_STREAM_DAMAGED = 776;
constexpr uint16_t RTE_ERR_FILE = 0xFFFF;
