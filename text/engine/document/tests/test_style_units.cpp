// The unit tables against the engine's numbering, and the masked operations over them.
#include <gtest/gtest.h>

#include <cstddef>

#include "rte_style_units.h"

namespace {

struct UnitCase {
    int unit;
    size_t offset;
    size_t size;
};

TEST(StyleUnits, CharacterStyleUnitsFollowTheNumbering)
{
    std::span<const RteUnit> units = RteCharStyleUnits();
    ASSERT_EQ(51u + 28u + 17u, units.size());
    const UnitCase first[] = {
        {0, offsetof(RteCharStyle, font), 2},         {1, offsetof(RteCharStyle, bold), 2},
        {11, offsetof(RteCharStyle, hidden), 2},      {18, offsetof(RteCharStyle, smallCaps), 2},
        {22, offsetof(RteCharStyle, styleSheetUnit), 2}, {35, offsetof(RteCharStyle, ascent), 2},
        {36, offsetof(RteCharStyle, descent), 2},     {37, offsetof(RteCharStyle, leading), 2},
        {43, offsetof(RteCharStyle, textColor), 2},   {46, offsetof(RteCharStyle, textColorSpare), 2},
        {47, offsetof(RteCharStyle, backColor), 2},   {50, offsetof(RteCharStyle, backColorSpare), 2},
    };
    for (const UnitCase& c : first) {
        EXPECT_EQ(c.offset, units[c.unit].offset) << "first part unit " << c.unit;
        EXPECT_EQ(c.size, units[c.unit].size) << "first part unit " << c.unit;
    }
    const UnitCase second[] = {
        {0, offsetof(RteCharStyle, styleBits), 4},  {1, offsetof(RteCharStyle, namedId), 4},
        {2, offsetof(RteCharStyle, nameIndex), 4},  {3, offsetof(RteCharStyle, smallStyle), 4},
        {4, offsetof(RteCharStyle, fontHandle), sizeof(void*)}, {5, offsetof(RteCharStyle, fontCache), 4},
        {6, offsetof(RteCharStyle, hScale), 4},     {7, offsetof(RteCharStyle, pointSize), 4},
        {14, offsetof(RteCharStyle, value14), 4},   {26, offsetof(RteCharStyle, object), sizeof(void*)},
    };
    for (const UnitCase& c : second) {
        EXPECT_EQ(c.offset, units[51 + c.unit].offset) << "second part unit " << c.unit;
        EXPECT_EQ(c.size, units[51 + c.unit].size) << "second part unit " << c.unit;
    }
    EXPECT_EQ(offsetof(RteCharStyle, hooks), units[79].offset);
    EXPECT_EQ(sizeof(void*), units[95].size);
    for (const RteUnit& unit : units)
        EXPECT_LT(unit.offset + unit.size, offsetof(RteCharStyle, flags) + 1) << "flags and use count stay out";
}

TEST(StyleUnits, ParagraphFormatUnitsFollowTheNumbering)
{
    std::span<const RteUnit> units = RteParFormatUnits();
    ASSERT_EQ(8u + 156u + 6u, units.size());
    EXPECT_EQ(offsetof(RteParFormat, tabCount), units[7].offset);
    const UnitCase second[] = {
        {0, offsetof(RteParFormat, tabs), 4},         {128, offsetof(RteParFormat, namedId), 4},
        {131, offsetof(RteParFormat, leftIndent), 4}, {133, offsetof(RteParFormat, firstIndent), 4},
        {136, offsetof(RteParFormat, lineSpacing), 4}, {138, offsetof(RteParFormat, spaceBefore), 4},
        {139, offsetof(RteParFormat, spaceAfter), 4}, {142, offsetof(RteParFormat, value142), 4},
    };
    for (const UnitCase& c : second)
        EXPECT_EQ(c.offset, units[8 + c.unit].offset) << "unit " << c.unit;
    EXPECT_EQ(offsetof(RteParFormat, hooks), units[164].offset);
}

TEST(StyleUnits, APointerUnitsMaskCoversAllItsBytes)
{
    RteCharStyle a = {}, b = {}, mask = {};
    b.object = static_cast<intptr_t>(0x1234567800000000LL);  // differs only in the upper half
    EXPECT_FALSE(RteUnitsEqual(RteCharStyleUnits(), &a, &b));
    RteSetMaskUnit(RteCharStyleUnits(), &mask, 51 + 26, true);
    EXPECT_EQ(intptr_t{-1}, mask.object);
    EXPECT_TRUE(RteMaskedCopy(RteCharStyleUnits(), &a, &b, &mask));
    EXPECT_EQ(b.object, a.object);
}

TEST(StyleUnits, EqualNeverSeesFlagsOrUseCount)
{
    RteCharStyle a = {}, b = {};
    b.flags = 0xFFFF;
    b.useCount = 9;
    EXPECT_TRUE(RteUnitsEqual(RteCharStyleUnits(), &a, &b));
}

TEST(StyleUnits, AccumulateNarrowsAndWidens)
{
    RteCharStyle a = {}, b = {}, mask;
    b.textColor.red = 0xFF00;
    RteClearCharStyle(&mask, 0xFF);
    RteMaskedAccumulate(RteCharStyleUnits(), &a, &b, &mask, false);
    EXPECT_EQ(0, mask.textColor.red);
    EXPECT_EQ(-1, mask.bold);
    RteClearCharStyle(&mask, 0);
    RteMaskedAccumulate(RteCharStyleUnits(), &a, &b, &mask, true);
    EXPECT_EQ(0, mask.textColor.red);
    EXPECT_EQ(-1, mask.italic);
}

TEST(StyleUnits, MaskedMatchWithAndWithoutValues)
{
    RteCharStyle style = {}, values = {}, mask = {}, andMask;
    style.bold = 0x0F;
    values.bold = 0x03;
    RteSetMaskUnit(RteCharStyleUnits(), &mask, 1, true);
    EXPECT_FALSE(RteMaskedMatch(RteCharStyleUnits(), &style, &values, &mask, nullptr));
    RteClearCharStyle(&andMask, 0);
    andMask.bold = 0x03;
    EXPECT_TRUE(RteMaskedMatch(RteCharStyleUnits(), &style, &values, &mask, &andMask));
    EXPECT_TRUE(RteMaskedMatch(RteCharStyleUnits(), &style, nullptr, &mask, nullptr)) << "a selected unit is set";
    RteSetMaskUnit(RteCharStyleUnits(), &mask, 1, false);
    RteSetMaskUnit(RteCharStyleUnits(), &mask, 2, true);
    EXPECT_FALSE(RteMaskedMatch(RteCharStyleUnits(), &style, nullptr, &mask, nullptr));
}

}  // namespace
