// The device helpers: class runs, font names in their stored form, default records and a
// caller's DC lent to a document's port and given back.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "rte_device_helpers.h"
#include "rte_gdi.h"
#include "rte_styles.h"
#include "transfer_fixture.h"

namespace {

using DeviceHelpersTest = TransferTest;

TEST_F(DeviceHelpersTest, FontNamesBecomeLengthPrefixed)
{
    RteFont font = {};
    std::strcpy(font.name, "Arial");
    std::memset(font.altName, 'x', sizeof font.altName - 1);
    font.nameFlags = RTE_FONT_NAME_CSTRING | RTE_FONT_ALT_CSTRING | RTE_FONT_NAMED_BY_CALLER;
    RteNormaliseFontNames(&font);
    EXPECT_EQ(5, font.name[0]);
    EXPECT_EQ("Arial", std::string(font.name + 1, 5));
    EXPECT_EQ(62, font.altName[0]) << "at most 62 characters";
    EXPECT_EQ('\0', font.altName[63]);
    EXPECT_EQ(RTE_FONT_NAMED_BY_CALLER, font.nameFlags) << "only the string flags are cleared";
    RteFont again = font;
    RteNormaliseFontNames(&again);
    EXPECT_EQ(0, std::memcmp(&font, &again, sizeof font)) << "a stored name stays";
}

TEST_F(DeviceHelpersTest, DefaultStyleIsTwelvePointsOnWhite)
{
    RteCharStyle style = {};
    style.textColorSpare = 7;
    RteDefaultStyleInit(&env_, &style);
    EXPECT_EQ(0xC0000, style.pointSize);
    EXPECT_EQ(0xFFFF, style.backColor.red);
    EXPECT_EQ(0xFFFF, style.backColor.blue);
    EXPECT_EQ(0, style.textColorSpare);
    RteParFormat format = {};
    RteDefaultParInit(&env_, &format);
    EXPECT_EQ(env_.defaultFormat.tabSpacing, format.tabSpacing);
}

TEST_F(DeviceHelpersTest, ARunOfOneClassEndsWhereTheClassChanges)
{
    RteHandle doc = Text("x");
    RteCharStyle style;
    RteCharStyleByIndex(doc, 0, &style);
    style.hooks.charInfo = [](RteHandle, RteCharStyle*, intptr_t text, intptr_t, intptr_t mask, intptr_t) -> intptr_t {
        return (*reinterpret_cast<const uint8_t*>(text) >= 0x80 ? RTE_CLASS_RUN : 0) & mask;
    };
    const uint8_t text[] = {'a', 'b', 0xE9, 'c'};
    intptr_t first = -1;
    EXPECT_EQ(2, RteRunOfSameClass(doc, &style, text, 0, 4, &first));
    EXPECT_EQ(0, first);
    EXPECT_EQ(1, RteRunOfSameClass(doc, &style, text + 2, 0, 2, &first));
    EXPECT_EQ(RTE_CLASS_RUN, first);
    EXPECT_EQ(0, RteRunOfSameClass(doc, &style, text, 0, 0, &first));
}

TEST_F(DeviceHelpersTest, ALentDeviceContextIsGivenBack)
{
    RteHandle doc = Text("x");
    HDC dc = CreateCompatibleDC(nullptr);
    RteScaling scaling = {};
    scaling.factor = (2 << 16) | 1;
    RtePortBinding saved;
    RtePortUseDC(doc, dc, &scaling, &saved);
    RteDrawPort port;
    RteGetPort(doc, &port);
    EXPECT_EQ(dc, RteGdiPortOf(&port)->explicitDc);
    RteScaling now;
    RteGetScaling(doc, &now);
    EXPECT_EQ(scaling.factor, now.factor);
    RtePortSetDC(doc, &saved);
    RteGetPort(doc, &port);
    EXPECT_EQ(nullptr, RteGdiPortOf(&port)->explicitDc);
    RteGetScaling(doc, &now);
    EXPECT_EQ(saved.scaling.factor, now.factor);

    RteGdiPortOf(&port)->acquires = 1;
    RtePortDropDC(doc, dc);
    EXPECT_EQ(0, RteGdiPortOf(&port)->acquires);
    EXPECT_EQ(dc, RteGdiPortOf(&port)->dc);
    RtePortDropDC(doc, nullptr);
    EXPECT_EQ(0, RteGdiPortOf(&port)->acquires) << "not below 0";
    DeleteDC(dc);
}

}  // namespace
