// Style runs and style tables: the edge cases of applying, reading and cleaning up, small
// derived styles, tab stops, range lists, the walker and the insertion style.
#include <gtest/gtest.h>

#include "document_fixture.h"
#include "rte_style_units.h"
#include "rte_styles.h"
#include "style_checks.h"

namespace {

using StyleTest = DocumentTest;

RteCharStyle BoldMask()
{
    RteCharStyle mask;
    RteClearCharStyle(&mask, 0);
    mask.bold = -1;
    return mask;
}

RteCharStyle Bold(int16_t value)
{
    RteCharStyle style = {};
    style.bold = value;
    return style;
}

void SelectRanges(RteHandle doc, std::initializer_list<RteRange> ranges)
{
    RteHandle selection = DocumentOf(doc).selection;
    RteSetCount(selection, static_cast<int32_t>(ranges.size() * 2));
    RteLocked<RteSelectPoint> points(selection);
    int i = 0;
    for (const RteRange& range : ranges) {
        points[i++] = RteSelectPoint{range.start, 0, {}, 0, 0, {}};
        points[i++] = RteSelectPoint{range.end, 0, {}, 0, 0, {}};
    }
}

TEST_F(StyleTest, ApplyingAStyleSplitsTheRunAndSettingItBackMergesIt)
{
    RteHandle doc = MakeDocument(std::string(20, 'x'));
    RteCharStyle mask = BoldMask();
    RteCharStyle bold = Bold(1);
    RteRange range = {5, 10};
    uint32_t changes = RteGetChangeCounter(doc);
    RteSetCharStyle(doc, &range, &bold, &mask, 0);
    EXPECT_EQ("0:0 5:1 10:0 22:0 ", CharRuns(doc));
    EXPECT_EQ("", RunProblems(doc));
    EXPECT_EQ(2, RteCount(DocumentOf(doc).charStyles));
    EXPECT_GT(RteGetChangeCounter(doc), changes);
    EXPECT_TRUE(RteGetDocFlags(doc) & RTE_DOC_STYLES_CHANGED);

    RteCharStyle plain = Bold(0);
    RteSetCharStyle(doc, &range, &plain, &mask, 0);
    EXPECT_EQ("0:0 22:0 ", CharRuns(doc));
    EXPECT_EQ(1, RteCount(DocumentOf(doc).charStyles)) << "the bold record lost its last use";
    EXPECT_EQ("", RunProblems(doc));
    EXPECT_EQ(0, LockedHandles());
    RteDocDestroy(doc);
}

TEST_F(StyleTest, AnEqualStyleAddsNothingAndTheFontUnitIsNeverSet)
{
    RteHandle doc = MakeDocument(std::string(20, 'x'));
    RteCharStyle mask = BoldMask();
    mask.font = -1;
    RteCharStyle bold = Bold(1);
    bold.font = 5;
    RteRange a = {0, 4}, b = {8, 12};
    RteSetCharStyle(doc, &a, &bold, &mask, 0);
    RteSetCharStyle(doc, &b, &bold, &mask, 0);
    EXPECT_EQ("0:1 4:0 8:1 12:0 22:0 ", CharRuns(doc));
    std::vector<RteCharStyle> styles = Elements<RteCharStyle>(DocumentOf(doc).charStyles);
    ASSERT_EQ(2u, styles.size());
    EXPECT_EQ(0, styles[1].font);
    EXPECT_EQ("", RunProblems(doc));
    RteDocDestroy(doc);
}

TEST_F(StyleTest, ReadingARangeMasksTheUnitsThatDiffer)
{
    RteHandle doc = MakeDocument(std::string(20, 'x'));
    RteCharStyle colour = {}, mask;
    RteClearCharStyle(&mask, 0);
    mask.textColor = {0xFFFF, 0xFFFF, 0xFFFF};
    colour.textColor = {0xFF00, 0, 0};
    RteRange half = {10, 20};
    RteSetCharStyle(doc, &half, &colour, &mask, 0);

    RteRange all = {0, 20};
    RteCharStyle style, out;
    EXPECT_EQ(0, RteGetCharStyle(doc, &all, false, &style, &out));
    std::span<const RteUnit> units = RteCharStyleUnits();
    for (size_t u = 0; u < units.size(); ++u) {
        bool colourUnit = u == 43;  // only the red channel differs
        EXPECT_EQ(!colourUnit, RteUnitSelected(units[u], &out)) << "unit " << u;
    }
    RteCharStyle wanted = {};
    wanted.textColor.red = 0xFF00;
    EXPECT_EQ(0, RteGetCharStyle(doc, &all, true, &wanted, &out));
    EXPECT_NE(0, out.textColor.red) << "some run has the colour looked for";
    EXPECT_EQ(0, LockedHandles());
    RteDocDestroy(doc);
}

TEST_F(StyleTest, AnEmptyDocumentTakesTheStyleAtOnce)
{
    RteHandle doc = MakeDocument();
    RteCharStyle mask = BoldMask();
    RteCharStyle bold = Bold(1);
    RteSetCharStyle(doc, nullptr, &bold, &mask, 0);
    RteDocument d = DocumentOf(doc);
    std::vector<RteCharStyle> styles = Elements<RteCharStyle>(d.charStyles);
    ASSERT_EQ(1u, styles.size()) << "the old style lost its uses and went";
    EXPECT_EQ(1, styles[0].bold);
    EXPECT_EQ(2, styles[0].useCount) << "the run and the sentinel";
    EXPECT_EQ(0, d.insertStyle);
    EXPECT_EQ("0:0 2:0 ", CharRuns(doc));
    EXPECT_EQ("", RunProblems(doc));
    RteDocDestroy(doc);
}

TEST_F(StyleTest, ACaretChangesOnlyTheInsertionStyle)
{
    RteHandle doc = MakeDocument("some text");
    SelectRanges(doc, {{4, 4}});
    RteCharStyle mask = BoldMask();
    RteCharStyle bold = Bold(1);
    RteSetCharStyle(doc, nullptr, &bold, &mask, 0);
    EXPECT_EQ("0:0 11:0 ", CharRuns(doc));
    RteCharStyle insertion;
    int32_t index = RteGetInsertStyle(doc, &insertion);
    EXPECT_EQ(1, insertion.bold);
    EXPECT_EQ(index, DocumentOf(doc).insertStyle);
    EXPECT_EQ("", RunProblems(doc)) << "only the insertion style may stay unused";
    RteRange elsewhere = {2, 2};
    RteCharStyle italic = {};
    italic.italic = 1;
    RteCharStyle italicMask;
    RteClearCharStyle(&italicMask, 0);
    italicMask.italic = -1;
    RteSetCharStyle(doc, &elsewhere, &italic, &italicMask, 0);
    RteGetInsertStyle(doc, &insertion);
    EXPECT_EQ(0, insertion.italic) << "an empty range away from the caret changes nothing";
    RteDocDestroy(doc);
}

struct SmallCase {
    int16_t percent;
    int32_t points;
    int32_t smallPoints;
};

TEST_F(StyleTest, SmallDerivedStyles)
{
    const SmallCase cases[] = {{-1, 12, 9}, {50, 12, 6}, {80, 11, 8}, {-1, 10, 7}};
    for (const SmallCase& c : cases) {
        RteHandle doc = MakeDocument(std::string(10, 'x'));
        RteCharStyle style = {}, mask;
        RteClearCharStyle(&mask, 0);
        style.smallCaps = c.percent;
        style.pointSize = c.points << 16;
        mask.smallCaps = -1;
        mask.pointSize = -1;
        RteRange range = {0, 5};
        RteSetCharStyle(doc, &range, &style, &mask, 0);
        RteCharStyle applied;
        RteCharStyleByIndex(doc, RteLocked<RteStyleRun>(DocumentOf(doc).charRuns)[0].index, &applied);
        RteCharStyle small;
        RteCharStyleByIndex(doc, applied.smallStyle, &small);
        EXPECT_EQ(c.smallPoints, small.pointSize >> 16) << c.percent << " of " << c.points;
        EXPECT_EQ(0, small.smallCaps);
        EXPECT_EQ(0, small.allCaps);
        EXPECT_EQ("", RunProblems(doc)) << c.percent << " of " << c.points;
        RteDocDestroy(doc);
    }
}

TEST_F(StyleTest, RangeListsAreNormalised)
{
    RteHandle doc = MakeDocument(std::string(20, 'x'));
    SelectRanges(doc, {{8, 3}, {1, 4}});
    RteHandle list = RteRangeList(doc, nullptr, false, false);
    ASSERT_NE(nullptr, list);
    std::vector<RteRange> ranges = Elements<RteRange>(list);
    ASSERT_EQ(2u, ranges.size());
    EXPECT_EQ(1, ranges[0].start);
    EXPECT_EQ(4, ranges[0].end);
    EXPECT_EQ(4, ranges[1].start);
    EXPECT_EQ(8, ranges[1].end);
    RteFree(list);
    SelectRanges(doc, {{6, 6}});
    EXPECT_EQ(nullptr, RteRangeList(doc, nullptr, false, false)) << "a caret lists nothing";
    list = RteRangeList(doc, nullptr, true, false);
    ASSERT_NE(nullptr, list) << "unless forced";
    RteFree(list);
    RteDocDestroy(doc);
}

TEST_F(StyleTest, ParagraphsTakeFormatsWhole)
{
    RteHandle doc = MakeDocument("first\rsecond\rthird");
    RteParFormat format = {}, mask;
    RteClearParFormat(&mask, 0);
    format.alignment = 1;
    mask.alignment = -1;
    RteRange inside = {8, 9};
    RteSetParFormat(doc, &inside, &format, &mask, 0);
    EXPECT_EQ("0:0 6:1 13:0 20:0 ", ParRuns(doc));
    EXPECT_EQ("", RunProblems(doc));
    RteParFormat out, outMask;
    RteRange two = {3, 9};
    RteGetParFormat(doc, &two, false, &out, &outMask);
    EXPECT_EQ(0, outMask.alignment) << "the two paragraphs differ in alignment";
    EXPECT_EQ(-1, outMask.spaceAfter);
    RteDocDestroy(doc);
}

TEST_F(StyleTest, IndentsAreClamped)
{
    RteHandle doc = MakeDocument("text");
    RteParFormat format = {}, mask;
    RteClearParFormat(&mask, 0);
    format.leftIndent = 10;
    format.firstIndent = -30;
    format.rightIndent = -5;
    mask.leftIndent = mask.firstIndent = mask.rightIndent = -1;
    RteSetParFormat(doc, nullptr, &format, &mask, 0);
    RteParFormat out = Elements<RteParFormat>(DocumentOf(doc).parFormats)[RteLocked<RteStyleRun>(DocumentOf(doc).parRuns)[0].index];
    EXPECT_EQ(10, out.leftIndent);
    EXPECT_EQ(-10, out.firstIndent);
    EXPECT_EQ(0, out.rightIndent);
    RteDocDestroy(doc);
}

TEST_F(StyleTest, TabStops)
{
    RteHandle doc = MakeDocument("one\rtwo");
    RteHandle tabs = RteAllocOf<RteTab>(&context_, 40, 0, true);
    {
        RteLocked<RteTab> stops(tabs);
        for (int i = 0; i < 40; ++i)
            stops[i] = RteTab{RTE_TAB_LEFT, 0, 100 * (i + 1), 0};
    }
    RteRange all = {0, 7};
    RteSetTabs(doc, &all, tabs, nullptr, 0);
    RteParFormat format = Elements<RteParFormat>(DocumentOf(doc).parFormats).back();
    EXPECT_EQ(32, format.tabCount) << "40 stops keep 32";
    RteTab more = {RTE_TAB_RIGHT, '.', 9999, 0};
    RteSetTab(doc, &all, &more, 0);
    RteGetTabs(doc, &all, tabs, nullptr, nullptr);
    EXPECT_EQ(32, RteCount(tabs)) << "a 33rd stop is ignored";
    RteTab removal = {RTE_TAB_NONE, 0, 300, 0};
    RteSetTab(doc, &all, &removal, 0);
    RteHandle flags = RteAllocOf<int32_t>(&context_, 0, 0, false);
    RteGetTabs(doc, &all, tabs, flags, nullptr);
    std::vector<RteTab> stops = Elements<RteTab>(tabs);
    ASSERT_EQ(31u, stops.size());
    EXPECT_EQ(400, stops[2].position) << "later stops moved down";
    for (int32_t flag : Elements<int32_t>(flags))
        EXPECT_EQ(-1, flag) << "both paragraphs hold every stop";
    RteRange first = {0, 1};
    RteTab centred = {RTE_TAB_CENTRED, 0, 100, 0};
    RteSetTab(doc, &first, &centred, 0);
    RteGetTabs(doc, &all, tabs, flags, nullptr);
    EXPECT_EQ(0, Elements<int32_t>(flags)[0]) << "the stop at 100 now differs between the paragraphs";
    EXPECT_EQ("", RunProblems(doc));
    RteFree(tabs);
    RteFree(flags);
    RteDocDestroy(doc);
}

TEST_F(StyleTest, TheWalkerStepsRunByRun)
{
    RteHandle doc = MakeDocument(std::string(20, 'x'));
    RteCharStyle mask = BoldMask();
    RteCharStyle bold = Bold(1);
    RteRange range = {5, 10};
    RteSetCharStyle(doc, &range, &bold, &mask, 0);
    RteStyleWalk walker;
    RteStyleWalkBegin(doc, 7, &walker, true);
    EXPECT_EQ(1, walker.style->bold);
    EXPECT_EQ(10, walker.nextRunStart);
    EXPECT_EQ(20, walker.end);
    EXPECT_EQ(1, RteStyleWalkNext(&walker));
    EXPECT_EQ(10, walker.offset);
    EXPECT_EQ(0, walker.style->bold);
    EXPECT_EQ(0, RteStyleWalkNext(&walker)) << "the last run";
    EXPECT_EQ(10, walker.offset) << "left in place";
    EXPECT_EQ(1, RteStyleWalkPrev(&walker));
    EXPECT_EQ(9, walker.offset);
    EXPECT_EQ(1, walker.style->bold);
    RteStyleWalkMove(&walker, -50);
    EXPECT_EQ(0, walker.offset) << "never below 0";
    EXPECT_EQ(0, RteStyleWalkSet(&walker, 0));
    RteStyleWalkBegin(doc, 0, nullptr, true);
    EXPECT_EQ(0, LockedHandles());
    RteDocDestroy(doc);
}

TEST_F(StyleTest, StyleRunsFoundByAMaskedMatch)
{
    RteHandle doc = MakeDocument(std::string(20, 'x'));
    RteCharStyle mask = BoldMask();
    RteCharStyle bold = Bold(1);
    RteRange range = {5, 10};
    RteSetCharStyle(doc, &range, &bold, &mask, 0);
    int32_t offset = 7, end = 0;
    EXPECT_EQ(1, RteGetStyleRun(doc, &offset, &end, &bold, &mask, nullptr));
    EXPECT_EQ(5, offset) << "the run's start, not the offset given";
    EXPECT_EQ(10, end);
    offset = 11;
    EXPECT_EQ(0, RteGetStyleRun(doc, &offset, &end, &bold, &mask, nullptr));
    EXPECT_EQ(11, offset);
    offset = 20;
    EXPECT_EQ(0, RteGetStyleRun(doc, &offset, &end, nullptr, nullptr, nullptr));
    int32_t extent = 0;
    RteStyleBitsAt(doc, 6, &extent);
    EXPECT_EQ(10, extent);
    RteDocDestroy(doc);
}

}  // namespace

namespace {

struct TrimCase {
    uint32_t endFlags;
    uint32_t docFlags;
    int32_t end;
};

TEST_F(StyleTest, ASelectionAskingForItLosesItsTrailingBlanks)
{
    const TrimCase cases[] = {{RTE_SELECT_TRIM, 0, 4}, {0, 0, 8}, {RTE_SELECT_TRIM, RTE_DOC_KEEP_TRAILING_BLANKS, 8}};
    for (const TrimCase& c : cases) {
        RteHandle doc = MakeDocument("word \t  xx");
        SelectRanges(doc, {{0, 8}});
        RteLocked<RteSelectPoint>(DocumentOf(doc).selection)[1].flags = c.endFlags;
        RteSetDocFlags(doc, c.docFlags);
        RteHandle list = RteRangeList(doc, nullptr, false, true);
        ASSERT_NE(nullptr, list);
        EXPECT_EQ(c.end, Elements<RteRange>(list)[0].end) << std::hex << c.endFlags << " " << c.docFlags;
        RteFree(list);
        RteDocDestroy(doc);
    }
}

}  // namespace
