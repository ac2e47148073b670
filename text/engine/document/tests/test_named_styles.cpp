// Named styles and the name table: ids, application, redefinition with overrides kept,
// deletion, names and the current name.
#include <gtest/gtest.h>

#include <cstring>

#include "document_fixture.h"
#include "rte_style_names.h"
#include "rte_style_units.h"
#include "rte_styles.h"
#include "style_checks.h"

namespace {

using NamedStyleTest = DocumentTest;

RteCharStyle StyleAt(RteHandle doc, int32_t offset)
{
    RteRange range = {offset, offset + 1};
    RteCharStyle style, mask;
    RteGetCharStyle(doc, &range, false, &style, &mask);
    return style;
}

TEST_F(NamedStyleTest, IdsGrowAndEntriesStayWhileUnused)
{
    RteHandle doc = MakeDocument("text");
    RteCharStyle style = {};
    style.bold = 1;
    EXPECT_EQ(1, RteAddNamedCharStyle(doc, &style, nullptr));
    style.italic = 1;
    EXPECT_EQ(2, RteAddNamedCharStyle(doc, &style, nullptr));
    EXPECT_EQ(2, RteNamedCharStyleCount(doc));
    EXPECT_EQ(2, RteNamedCharStyleMaxId(doc));
    RteCharStyle out;
    EXPECT_EQ(1, RteGetNamedCharStyle(doc, 2, &out));
    EXPECT_EQ(1, out.italic);
    EXPECT_EQ(1, out.useCount) << "an entry holds a use of itself";
    EXPECT_EQ(0, RteGetNamedCharStyle(doc, 0, &out)) << "id 0 never matches";
    EXPECT_EQ(2, RteNamedCharStyleAt(doc, 1, nullptr));
    EXPECT_EQ(0, RteNamedCharStyleAt(doc, 2, nullptr));
    RteDeleteNamedCharStyle(doc, 2);
    EXPECT_EQ(1, RteNamedCharStyleMaxId(doc));
    EXPECT_EQ(2, RteAddNamedCharStyle(doc, &style, nullptr)) << "the highest id in use plus 1";
    EXPECT_EQ("", RunProblems(doc));
    RteDocDestroy(doc);
}

TEST_F(NamedStyleTest, RedefiningKeepsTheTextsOwnOverrides)
{
    RteHandle doc = MakeDocument(std::string(20, 'x'));
    RteCharStyle plain = {};
    int32_t id = RteAddNamedCharStyle(doc, &plain, nullptr);
    RteRange all = {0, 20};
    RteApplyNamedCharStyle(doc, &all, id, 0);
    EXPECT_EQ(-id, StyleAt(doc, 3).namedId) << "the text carries records derived from the entry";

    RteCharStyle italic = {}, italicMask;
    RteClearCharStyle(&italicMask, 0);
    italic.italic = 1;
    italicMask.italic = -1;
    RteRange part = {10, 15};
    RteSetCharStyle(doc, &part, &italic, &italicMask, 0);

    RteCharStyle bold = {};
    bold.bold = 1;
    RteChangeNamedCharStyle(doc, id, &bold, nullptr, 0);
    EXPECT_EQ(1, StyleAt(doc, 3).bold) << "derived text follows the entry";
    EXPECT_EQ(0, StyleAt(doc, 3).italic);
    EXPECT_EQ(1, StyleAt(doc, 12).bold);
    EXPECT_EQ(1, StyleAt(doc, 12).italic) << "italic of its own stays";
    EXPECT_EQ("", RunProblems(doc));

    RteDeleteNamedCharStyle(doc, id);
    EXPECT_EQ(1, StyleAt(doc, 3).bold) << "deleting the entry leaves the look";
    EXPECT_EQ(1, StyleAt(doc, 12).italic);
    EXPECT_EQ("", RunProblems(doc));
    RteDocDestroy(doc);
}

TEST_F(NamedStyleTest, FindingEntriesLeavesOutCachedUnits)
{
    RteHandle doc = MakeDocument();
    RteCharStyle style = {};
    style.underline = 1;
    int32_t id = RteAddNamedCharStyle(doc, &style, nullptr);
    RteCharStyle values;
    RteGetNamedCharStyle(doc, id, &values);
    values.ascent = 99;  // a cached metric never takes part
    values.namedId = 0;
    EXPECT_EQ(id, RteFindNamedCharStyle(doc, &values, nullptr));
    values.underline = 0;
    EXPECT_EQ(0, RteFindNamedCharStyle(doc, &values, nullptr));
    RteDocDestroy(doc);
}

TEST_F(NamedStyleTest, NamesKeepSixtyThreeCharacters)
{
    RteHandle doc = MakeDocument("abc");
    std::string longName(70, 'n');
    RteCharStyle style = {};
    style.bold = 1;
    int32_t index = RteNewStyleName(doc, longName.c_str(), &style, nullptr, nullptr);
    EXPECT_EQ(1, index);
    RteStyleName name;
    ASSERT_EQ(1, RteGetStyleName(doc, 1, &name));
    EXPECT_EQ(std::string(63, 'n'), name.name);
    EXPECT_EQ(1, RteFindStyleName(doc, longName.substr(0, 63).c_str()));
    EXPECT_EQ(0, RteFindStyleName(doc, "N")) << "exact and case-sensitive";
    EXPECT_EQ(0, RteGetStyleName(doc, 2, &name));
    RteRenameStyleName(doc, 1, "Titre");
    EXPECT_EQ(1, RteFindStyleName(doc, "Titre"));
    RteRange all = {0, 3};
    RteApplyStyleName(doc, &all, "Titre", 0);
    EXPECT_EQ(1, StyleAt(doc, 1).bold);
    RteStyleName found;
    EXPECT_EQ(1, RteStyleNameOfRange(doc, &all, &found));
    EXPECT_EQ("", RunProblems(doc));
    RteDeleteStyleName(doc, 1);
    EXPECT_EQ(0, RteStyleNameCount(doc));
    EXPECT_EQ("", RunProblems(doc));
    RteDocDestroy(doc);
}

struct CurrentCase {
    int32_t set;
    int32_t stored;
};

TEST_F(NamedStyleTest, TheCurrentNameIsKeptFromZero)
{
    RteHandle doc = MakeDocument();
    const CurrentCase cases[] = {{0, 0}, {5, 4}, {1, 0}, {-3, 0}};
    for (const CurrentCase& c : cases) {
        RteSetCurrentStyleName(doc, c.set);
        EXPECT_EQ(c.stored, RteGetCurrentStyleName(doc)) << c.set;
    }
    RteDocDestroy(doc);
}

TEST_F(NamedStyleTest, ParagraphEntriesApplyToWholeParagraphs)
{
    RteHandle doc = MakeDocument("one\rtwo\rthree");
    RteParFormat format = {};
    format.alignment = 2;
    int32_t id = RteAddNamedParStyle(doc, &format);
    RteRange inside = {5, 6};
    RteApplyNamedParStyle(doc, &inside, id, 0);
    EXPECT_EQ("0:0 4:2 8:0 15:0 ", ParRuns(doc));
    int32_t of = 0;
    EXPECT_EQ(1, RteNamedParStyleOfRange(doc, &inside, &of));
    EXPECT_EQ(id, of);
    EXPECT_EQ("", RunProblems(doc));
    RteDocDestroy(doc);
}

TEST_F(NamedStyleTest, ResolvingTogglesAndReplaces)
{
    RteHandle doc = MakeDocument();
    RteCharStyle entry = {};
    entry.bold = -1;      // toggles
    entry.underline = 2;  // replaces
    entry.pointSize = 20 << 16;
    int32_t id = RteAddNamedCharStyle(doc, &entry, nullptr);
    RteCharStyle style = {}, result;
    style.bold = 1;
    style.italic = 1;
    RteResolveCharStyle(doc, &style, &result, nullptr, id);
    EXPECT_EQ(static_cast<int16_t>(~1), result.bold);
    EXPECT_EQ(2, result.underline);
    EXPECT_EQ(1, result.italic);
    EXPECT_EQ(20, result.pointSize >> 16);
    EXPECT_EQ(0, result.styleSheetUnit);
    RteDocDestroy(doc);
}

}  // namespace
