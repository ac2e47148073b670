// The font table: fonts found by their names only, fonts of ranges, and fonts between documents.
#include <gtest/gtest.h>

#include <cstring>

#include "document_fixture.h"
#include "rte_fonts.h"
#include "rte_styles.h"
#include "rte_style_units.h"
#include "style_checks.h"

namespace {

using FontTest = DocumentTest;

RteFont CFont(const char* name)
{
    RteFont font = {};
    std::strcpy(font.name, name);
    font.nameFlags = RTE_FONT_NAME_CSTRING | RTE_FONT_ALT_CSTRING;
    return font;
}

RteFont CountedFont(const char* name)
{
    RteFont font = {};
    font.name[0] = static_cast<char>(std::strlen(name));
    std::memcpy(font.name + 1, name, std::strlen(name));
    font.nameFlags = RTE_FONT_ALT_CSTRING;
    return font;
}

int32_t Add(RteHandle doc, RteFont font) { return RteFindOrAddFont(doc, &font); }

void SetFontName(RteHandle doc, RteRange range, RteFont font)
{
    RteFont mask;
    RteClearFont(&mask, 0);
    std::memset(mask.name, 0xFF, sizeof mask.name);
    RteSetFont(doc, &range, &font, &mask, 0);
}

TEST_F(FontTest, FontsAreFoundByTheirNamesOnly)
{
    RteHandle doc = MakeDocument();
    int32_t times = Add(doc, CFont("Times"));
    EXPECT_EQ(1, times);
    EXPECT_EQ(times, Add(doc, CountedFont("Times"))) << "length-prefixed and C strings compare";
    RteFont heavier = CFont("Times");
    heavier.values[0] = 700;
    EXPECT_EQ(times, RteFindOrAddFont(doc, &heavier)) << "attributes take no part";
    EXPECT_EQ(0, Add(doc, CFont("Arial")));
    EXPECT_EQ(-1, Add(doc, CFont(""))) << "both names empty: no font";
    EXPECT_EQ(2, Add(doc, CFont("times"))) << "names are case-sensitive";
    EXPECT_EQ(3, RteCount(RteFontTable(doc)));
    RteDocDestroy(doc);
}

TEST_F(FontTest, SettingAndReadingTheFontOfARange)
{
    RteHandle doc = MakeDocument(std::string(10, 'x'));
    RteRange range = {2, 6};
    SetFontName(doc, range, CFont("Courier"));
    RteFont font, fontMask;
    RteRange inside = {3, 5};
    EXPECT_EQ(3, RteGetFont(doc, &inside, false, &font, &fontMask));
    EXPECT_STREQ("Courier", font.name);
    RteRange across = {0, 5};
    RteGetFont(doc, &across, false, &font, &fontMask);
    EXPECT_EQ(0, fontMask.name[0]) << "the names differ across the range";
    EXPECT_EQ(-1, fontMask.values[0]);
    EXPECT_EQ("", RunProblems(doc));

    SetFontName(doc, range, CFont(""));
    RteCharStyle style, styleMask;
    RteGetCharStyle(doc, &inside, false, &style, &styleMask);
    EXPECT_EQ(-1, style.font) << "both names empty: the runs name no font";
    EXPECT_EQ("", RunProblems(doc));
    RteGetFont(doc, &inside, false, &font, &fontMask);
    EXPECT_STREQ("Arial", font.name) << "index -1 reads as the default font";
    RteDocDestroy(doc);
}

TEST_F(FontTest, TheAlternateNameStandsIn)
{
    RteHandle doc = MakeDocument("abc");
    RteFont font = CFont("Internal");
    std::strcpy(font.altName, "Shown");
    font.nameFlags |= RTE_FONT_ALT_STANDS_IN;
    RteFont mask;
    RteClearFont(&mask, 0xFF);
    RteRange all = {0, 3};
    RteCharStyle style = {}, styleMask;
    RteClearCharStyle(&styleMask, 0);
    RteSetFontAndStyle(doc, &all, &style, &styleMask, &font, &mask, 0);
    RteFont out, outMask;
    RteGetFont(doc, &all, false, &out, &outMask);
    EXPECT_STREQ("Shown", out.name);
    EXPECT_TRUE(out.nameFlags & RTE_FONT_NAMED_BY_CALLER);
    RteDocDestroy(doc);
}

TEST_F(FontTest, FontsBetweenDocuments)
{
    RteHandle doc = MakeDocument();
    RteHandle other = MakeDocument();
    int32_t mono = Add(doc, CFont("Mono"));
    EXPECT_EQ(-1, RteMapFontIndex(doc, other, mono));
    EXPECT_EQ(1, RteCopyFontTo(doc, other, mono));
    EXPECT_EQ(1, RteMapFontIndex(doc, other, mono));
    EXPECT_EQ(0, RteMapFontIndex(doc, other, 0));
    RteDocDestroy(other);
    RteDocDestroy(doc);
}

}  // namespace
