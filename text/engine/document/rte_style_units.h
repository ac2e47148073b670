// Records as rows of units: the unit tables of character styles, paragraph formats and fonts,
// and the masked operations that every get, set and search rests on.
//
// A mask has the shape of the record it qualifies; a unit is selected when any of its bytes is
// non-zero, and "set" means all its bytes 0xFF (a pointer-sized unit's mask covers 8 bytes).
// The tables list the units that "equal" covers, in the engine's numbering: never the flags
// word or the use count, and never padding the compiler may put between units.
#pragma once

#include <cstdint>
#include <span>

#include "rte_style_records.h"

struct RteUnit {
    uint16_t offset;
    uint16_t size;
};

// Units 0-50 of the first part, then 0-27 of the second part, then the 17 hooks.
std::span<const RteUnit> RteCharStyleUnits();
constexpr int RTE_CHAR_FIRST_UNITS = 51;
constexpr int RTE_CHAR_SECOND_UNITS = 28;
// Units 0-7, then 0-155 of the 32-bit part, then the 6 hooks.
std::span<const RteUnit> RteParFormatUnits();
constexpr int RTE_PAR_FIRST_UNITS = 8;
constexpr int RTE_PAR_SECOND_UNITS = 156;
// The two 64-byte name blocks, the six 16-bit units, the eleven 32-bit units.
std::span<const RteUnit> RteFontUnits();

// 1 when every unit of the table is equal.
bool RteUnitsEqual(std::span<const RteUnit> units, const void* a, const void* b);
// The destination takes the source's units where the mask selects; true when any unit changed.
bool RteMaskedCopy(std::span<const RteUnit> units, void* target, const void* source, const void* mask);
// Narrow: clears the mask units where a and b differ. Widen: sets them where a and b are equal.
void RteMaskedAccumulate(std::span<const RteUnit> units, const void* a, const void* b, void* mask, bool widen);
// With values: true when every selected unit of the record (ANDed with the and-mask when given)
// equals the value's; without: true as soon as a selected unit is non-zero. No mask selects all.
bool RteMaskedMatch(std::span<const RteUnit> units, const void* record, const void* values, const void* mask,
                    const void* andMask);
// Sets (all bytes 0xFF) or clears one unit of a mask.
void RteSetMaskUnit(std::span<const RteUnit> units, void* mask, int index, bool set);
bool RteUnitSelected(const RteUnit& unit, const void* mask);

// Fill a record or a mask with one byte: 0 clears, 0xFF sets every unit.
void RteClearCharStyle(RteCharStyle* style, uint8_t value);
void RteClearParFormat(RteParFormat* format, uint8_t value);
void RteClearFont(RteFont* font, uint8_t value);
