// Unit tables made from the records' real layout, and the masked operations over them.
#include "rte_style_units.h"

#include <array>
#include <cstddef>
#include <cstring>

namespace {

constexpr uint16_t Offset(size_t offset) { return static_cast<uint16_t>(offset); }

template <size_t N>
struct UnitTable {
    std::array<RteUnit, N> units{};
    size_t used = 0;
    constexpr void Add(size_t offset, size_t size) { units[used++] = {Offset(offset), Offset(size)}; }
    constexpr void AddRun(size_t offset, size_t size, int count)
    {
        for (int i = 0; i < count; ++i)
            Add(offset + static_cast<size_t>(i) * size, size);
    }
};

#define UNIT(Record, field) Add(offsetof(Record, field), sizeof(Record::field))

constexpr auto kCharUnits = [] {
    UnitTable<RTE_CHAR_FIRST_UNITS + RTE_CHAR_SECOND_UNITS + RTE_CHAR_STYLE_HOOKS> t;
    static_assert(offsetof(RteCharStyle, backColorSpare) == offsetof(RteCharStyle, font) + 2 * 50,
                  "the first part is 51 packed 16-bit units");
    t.AddRun(offsetof(RteCharStyle, font), sizeof(int16_t), RTE_CHAR_FIRST_UNITS);
    t.UNIT(RteCharStyle, styleBits);
    t.UNIT(RteCharStyle, namedId);
    t.UNIT(RteCharStyle, nameIndex);
    t.UNIT(RteCharStyle, smallStyle);
    t.UNIT(RteCharStyle, fontHandle);
    t.UNIT(RteCharStyle, fontCache);
    t.UNIT(RteCharStyle, hScale);
    t.UNIT(RteCharStyle, pointSize);
    t.AddRun(offsetof(RteCharStyle, sizes), sizeof(int32_t), 4);
    t.AddRun(offsetof(RteCharStyle, units12to13), sizeof(int32_t), 2);
    t.UNIT(RteCharStyle, value14);
    t.UNIT(RteCharStyle, value15);
    t.AddRun(offsetof(RteCharStyle, units16to25), sizeof(int32_t), 10);
    t.UNIT(RteCharStyle, object);
    t.UNIT(RteCharStyle, unit27);
    t.AddRun(offsetof(RteCharStyle, hooks), sizeof(void*), RTE_CHAR_STYLE_HOOKS);
    return t;
}();

constexpr auto kParUnits = [] {
    UnitTable<RTE_PAR_FIRST_UNITS + RTE_PAR_SECOND_UNITS + RTE_PAR_FORMAT_HOOKS> t;
    static_assert(offsetof(RteParFormat, tabCount) == 2 * 7, "8 packed 16-bit units");
    static_assert(offsetof(RteParFormat, units144to155) + sizeof(RteParFormat::units144to155) ==
                      offsetof(RteParFormat, tabs) + 4 * RTE_PAR_SECOND_UNITS,
                  "156 packed 32-bit units");
    t.AddRun(0, sizeof(int16_t), RTE_PAR_FIRST_UNITS);
    t.AddRun(offsetof(RteParFormat, tabs), sizeof(int32_t), RTE_PAR_SECOND_UNITS);
    t.AddRun(offsetof(RteParFormat, hooks), sizeof(void*), RTE_PAR_FORMAT_HOOKS);
    return t;
}();

constexpr auto kFontUnits = [] {
    UnitTable<2 + 6 + 11> t;
    t.UNIT(RteFont, name);
    t.UNIT(RteFont, altName);
    t.AddRun(offsetof(RteFont, nameFlags), sizeof(int16_t), 6);
    t.AddRun(offsetof(RteFont, values), sizeof(int32_t), 11);
    return t;
}();

#undef UNIT

const char* At(const void* record, const RteUnit& unit) { return static_cast<const char*>(record) + unit.offset; }
char* At(void* record, const RteUnit& unit) { return static_cast<char*>(record) + unit.offset; }

bool UnitEqual(const RteUnit& unit, const void* a, const void* b)
{
    return std::memcmp(At(a, unit), At(b, unit), unit.size) == 0;
}

// The unit as it takes part in a match: its bytes, ANDed with the and-mask's when given.
void MatchBytes(const RteUnit& unit, const void* record, const void* andMask, unsigned char* out)
{
    std::memcpy(out, At(record, unit), unit.size);
    if (andMask)
        for (size_t i = 0; i < unit.size; ++i)
            out[i] &= static_cast<unsigned char>(At(andMask, unit)[i]);
}

}  // namespace

std::span<const RteUnit> RteCharStyleUnits() { return kCharUnits.units; }
std::span<const RteUnit> RteParFormatUnits() { return kParUnits.units; }
std::span<const RteUnit> RteFontUnits() { return kFontUnits.units; }

bool RteUnitSelected(const RteUnit& unit, const void* mask)
{
    const char* bytes = At(mask, unit);
    for (size_t i = 0; i < unit.size; ++i)
        if (bytes[i])
            return true;
    return false;
}

void RteSetMaskUnit(std::span<const RteUnit> units, void* mask, int index, bool set)
{
    std::memset(At(mask, units[static_cast<size_t>(index)]), set ? 0xFF : 0, units[static_cast<size_t>(index)].size);
}

bool RteUnitsEqual(std::span<const RteUnit> units, const void* a, const void* b)
{
    for (const RteUnit& unit : units)
        if (!UnitEqual(unit, a, b))
            return false;
    return true;
}

bool RteMaskedCopy(std::span<const RteUnit> units, void* target, const void* source, const void* mask)
{
    bool changed = false;
    for (const RteUnit& unit : units) {
        if (!RteUnitSelected(unit, mask) || UnitEqual(unit, target, source))
            continue;
        std::memcpy(At(target, unit), At(source, unit), unit.size);
        changed = true;
    }
    return changed;
}

void RteMaskedAccumulate(std::span<const RteUnit> units, const void* a, const void* b, void* mask, bool widen)
{
    for (const RteUnit& unit : units) {
        bool equal = UnitEqual(unit, a, b);
        if (widen && equal)
            std::memset(At(mask, unit), 0xFF, unit.size);
        else if (!widen && !equal)
            std::memset(At(mask, unit), 0, unit.size);
    }
}

bool RteMaskedMatch(std::span<const RteUnit> units, const void* record, const void* values, const void* mask,
                    const void* andMask)
{
    unsigned char bytes[RTE_FONT_NAME_BYTES];
    for (const RteUnit& unit : units) {
        if (mask && !RteUnitSelected(unit, mask))
            continue;
        MatchBytes(unit, record, andMask, bytes);
        if (values) {
            if (std::memcmp(bytes, At(values, unit), unit.size) != 0)
                return false;
        } else {
            for (size_t i = 0; i < unit.size; ++i)
                if (bytes[i])
                    return true;
        }
    }
    return values != nullptr;
}

void RteClearCharStyle(RteCharStyle* style, uint8_t value) { std::memset(style, value, sizeof *style); }
void RteClearParFormat(RteParFormat* format, uint8_t value) { std::memset(format, value, sizeof *format); }
void RteClearFont(RteFont* font, uint8_t value) { std::memset(font, value, sizeof *font); }
