// Link and marked ranges: added, named, found and following the text through edits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document_fixture.h"
#include "rte_editing.h"
#include "rte_links.h"
#include "rte_position_queries.h"
#include "rte_scrolling.h"
#include "rte_style_names.h"

namespace {

using Range = std::pair<int32_t, int32_t>;

std::vector<std::string> g_told;

void Recorder(RteHandle, const RteLinkRange*, int32_t code, int32_t start, const char* name)
{
    g_told.push_back(std::to_string(code) + " " + std::to_string(start) + " " + name);
}

class LinkTest : public DocumentTest {
protected:
    void SetUp() override
    {
        DocumentTest::SetUp();
        g_told.clear();
    }

    static std::vector<Range> Ranges(RteHandle doc, int table)
    {
        std::vector<RteLinkRange> records = Elements<RteLinkRange>(DocumentOf(doc).linkRanges[table]);
        std::vector<Range> ranges;
        for (const RteLinkRange& record : records)
            ranges.emplace_back(record.start, record.end);
        return ranges;
    }

    static int32_t Add(RteHandle doc, Range range, const char* name, int table = RTE_LINK_TABLE)
    {
        RteRange r = {range.first, range.second};
        return table == RTE_LINK_TABLE ? RteAddLinkRange(doc, &r, name, nullptr, Recorder, 0, 0, 0, 0)
                                       : RteAddMarkRange(doc, &r, name, Recorder, 0, 0);
    }
};

TEST_F(LinkTest, RangesAreKeptInEndOrderBeforeTheirSentinel)
{
    RteHandle doc = MakeDocument("0123456789abcdef");
    Add(doc, {8, 12}, "b");
    Add(doc, {1, 3}, "a");
    Add(doc, {13, 15}, "c");
    EXPECT_EQ((std::vector<Range>{{1, 3}, {8, 12}, {13, 15}, {18, 18}}), Ranges(doc, RTE_LINK_TABLE));
    EXPECT_EQ((std::vector<Range>{{2, 2}}), Ranges(doc, RTE_MARK_TABLE)) << "the other table is untouched";
    EXPECT_EQ(1, RteInLinkRange(doc, 8));
    EXPECT_EQ(0, RteInLinkRange(doc, 12)) << "the end is outside";
    RteLinkRange found;
    EXPECT_EQ(1, RteGetLinkRange(doc, 5, true, &found));
    EXPECT_EQ(8, found.start);
    EXPECT_EQ(0, RteGetLinkRange(doc, 5, false, &found));
}

TEST_F(LinkTest, DefaultLooksAreNamedStylesOfTheirColours)
{
    RteHandle doc = MakeDocument("0123456789");
    RteRange range = {2, 4};
    RteAddLinkRange(doc, &range, "x", nullptr, nullptr, 0, 0, 0, 0);
    RteAddMarkRange(doc, &range, "y", nullptr, 0, 0);
    RteLinkRange link = Elements<RteLinkRange>(DocumentOf(doc).linkRanges[0])[0];
    const RteColor colours[] = {{0, 0, 0xE000}, {0xE000, 0, 0}, {0x80, 0x80, 0x80}};
    for (int kind = 0; kind < 3; ++kind) {
        RteCharStyle style;
        ASSERT_NE(0, RteGetNamedCharStyle(doc, link.kindStyles[kind], &style)) << kind;
        EXPECT_EQ(1, style.underline);
        EXPECT_EQ(colours[kind].red, style.textColor.red) << kind;
        EXPECT_EQ(colours[kind].blue, style.textColor.blue) << kind;
    }
    EXPECT_EQ(link.kindStyles[0], link.currentStyle);
    EXPECT_EQ(RteDefaultLinkProc, link.callback);
    RteLinkRange mark = Elements<RteLinkRange>(DocumentOf(doc).linkRanges[1])[0];
    RteCharStyle marked;
    ASSERT_NE(0, RteGetNamedCharStyle(doc, mark.kindStyles[0], &marked));
    EXPECT_EQ(0xFFFF, marked.backColor.red);
    EXPECT_EQ(0, marked.backColor.blue);
    EXPECT_EQ(0, mark.kindStyles[1]);
}

TEST_F(LinkTest, NamesOfSixtyFourCharactersGoIntoAHandle)
{
    RteHandle doc = MakeDocument("0123456789");
    std::string inline63(63, 'n'), long64(64, 'm');
    Add(doc, {0, 2}, inline63.c_str());
    Add(doc, {4, 6}, long64.c_str());
    std::vector<RteLinkRange> records = Elements<RteLinkRange>(DocumentOf(doc).linkRanges[0]);
    EXPECT_EQ(nullptr, records[0].nameHandle);
    EXPECT_NE(nullptr, records[1].nameHandle);
    char buffer[80] = {};
    EXPECT_EQ(1, RteGetLinkRangeName(doc, 5, buffer, sizeof buffer));
    EXPECT_EQ(long64, buffer);
    char small[5] = "....";
    EXPECT_EQ(1, RteGetLinkRangeName(doc, 0, small, sizeof small));
    EXPECT_STREQ("nnnn", small);
    char untouched[2] = "?";
    EXPECT_EQ(0, RteGetLinkRangeName(doc, 0, untouched, 0)) << "no room at all";
    EXPECT_EQ(0, RteGetLinkRangeName(doc, 3, untouched, 2)) << "no range there";
    EXPECT_STREQ("?", untouched);
}

TEST_F(LinkTest, FindingByNameWithPrefixAndCase)
{
    RteHandle doc = MakeDocument("0123456789abcdef");
    Add(doc, {1, 3}, "Chapter-One");
    Add(doc, {8, 10}, "chapter");
    struct Case {
        const char* name;
        bool prefix, ignoreCase;
        int32_t from, start;
    };
    const Case cases[] = {{"chapter", false, false, 0, 8},  {"CHAPTER", true, true, 0, 1}, {"CHAPTER", true, false, 0, -1},
                          {"chapter", true, false, 0, 8},   {"Chapter", false, false, 0, -1}, {"chapter-one", true, true, 2, -1},
                          {"CHAPTER", false, true, 0, 8}};
    for (const Case& c : cases) {
        int32_t end = -1;
        EXPECT_EQ(c.start, RteFindLinkRange(doc, c.from, &end, c.name, c.prefix, c.ignoreCase)) << c.name;
        if (c.start >= 0) {
            EXPECT_EQ(c.start + 2, end) << c.name;
        }
    }
}

TEST_F(LinkTest, FindingWithScrollBringsTheRangeInsideTheViewsInsets)
{
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "line\r";
    RteHandle doc = MakeDocument(text);
    RteRect wrap{0, 0, 100000, 200};
    RteRect view{0, 0, 120, 200};
    RteSetRectList(RteWrapArea(doc), &wrap);
    RteSetRectList(RteViewArea(doc), &view);
    Add(doc, {300, 304}, "far");
    Add(doc, {5, 9}, "near");
    RtePoint scroll;
    EXPECT_EQ(300, RteFindLinkRange(doc, 0, nullptr, "far", false, false));
    RteGetScrollPosition(doc, &scroll);
    EXPECT_EQ(0, scroll.v) << "without scroll the view stays";
    EXPECT_EQ(300, RteFindLinkRange(doc, 0, nullptr, "far", false, false, true));
    RteRect rect;
    RteCaretRect(doc, 300, true, false, &rect);
    EXPECT_EQ(120 - 8, rect.bottom) << "line 60 ends 8 above the view's bottom";
    EXPECT_EQ(5, RteFindLinkRange(doc, 0, nullptr, "near", false, false, true));
    RteCaretRect(doc, 5, true, false, &rect);
    EXPECT_EQ(8, rect.top) << "line 1 starts 8 below the view's top";
}

TEST_F(LinkTest, RangesFollowDeletionsByTheMendedRule)
{
    // Deleting [3, 8) leaves [5, 10) as [3, 5); deleting [4, 9) leaves [2, 6) as [2, 4).
    struct Case {
        RteRange deleted;
        Range before, after;
    };
    const Case cases[] = {{{3, 8}, {5, 10}, {3, 5}}, {{4, 9}, {2, 6}, {2, 4}}, {{4, 9}, {9, 12}, {4, 7}},
                          {{4, 9}, {0, 3}, {0, 3}}, {{0, 16}, {9, 12}, {0, 0}}};
    for (const Case& c : cases) {
        RteHandle doc = MakeDocument("0123456789abcdef");
        Add(doc, c.before, "r", RTE_MARK_TABLE);
        RteDeleteRange(doc, &c.deleted, 0);
        std::vector<Range> ranges = Ranges(doc, RTE_MARK_TABLE);
        int32_t length = 16 - (c.deleted.end - c.deleted.start);
        std::vector<Range> expected = {c.after, {length + 2, length + 2}};
        if (c.after.first == c.after.second)
            expected.erase(expected.begin());
        EXPECT_EQ(expected, ranges);
        RteDocDestroy(doc);
    }
}

TEST_F(LinkTest, DeletingARangesTextRemovesItAndTellsItsCallback)
{
    RteHandle doc = MakeDocument("0123456789");
    Add(doc, {3, 6}, "gone");
    RteRange text = {3, 6};
    RteDeleteRange(doc, &text, 0);
    EXPECT_EQ((std::vector<std::string>{"3 3 gone"}), g_told);
    EXPECT_EQ((std::vector<Range>{{9, 9}}), Ranges(doc, RTE_LINK_TABLE));
}

TEST_F(LinkTest, TypingAtARangesEdgesStaysOutsideIt)
{
    RteHandle doc = MakeDocument("0123456789");
    Add(doc, {3, 6}, "link");
    const uint8_t x = 'x';
    RteInsertText(doc, &x, 1, 3, RTE_KEYS_NONE, 0, 0);
    EXPECT_EQ((std::vector<Range>{{4, 7}, {13, 13}}), Ranges(doc, RTE_LINK_TABLE)) << "before the link";
    RteInsertText(doc, &x, 1, 7, RTE_KEYS_NONE, 0, 0);
    EXPECT_EQ((std::vector<Range>{{4, 7}, {14, 14}}), Ranges(doc, RTE_LINK_TABLE)) << "after the link";
    RteInsertText(doc, &x, 1, 5, RTE_KEYS_NONE, 0, 0);
    EXPECT_EQ((std::vector<Range>{{4, 8}, {15, 15}}), Ranges(doc, RTE_LINK_TABLE)) << "inside it";
}

TEST_F(LinkTest, ALinkWithTextInsertsItAndActivationSwitchesLooks)
{
    RteHandle doc = MakeDocument("ab");
    RteRange at = {1, 1};
    RteAddLinkRange(doc, &at, "here", "HERE", nullptr, 0, 0, 0, 0);
    EXPECT_EQ(6, RteTextLength(doc));
    EXPECT_EQ((std::vector<Range>{{1, 5}, {8, 8}}), Ranges(doc, RTE_LINK_TABLE));
    RteLinkRange link;
    ASSERT_EQ(1, RteGetLinkRange(doc, 2, false, &link));
    link.callback(doc, &link, RTE_LINK_ACTIVATED, link.start, "here");
    ASSERT_EQ(1, RteGetLinkRange(doc, 2, false, &link));
    EXPECT_EQ(link.kindStyles[1], link.currentStyle);
    RteSetLinkStyleKind(doc, -1, 2, 0);
    ASSERT_EQ(1, RteGetLinkRange(doc, 2, false, &link));
    EXPECT_EQ(link.kindStyles[2], link.currentStyle);
    RteRemoveLinkRange(doc, 3, 0);
    EXPECT_EQ(0, RteInLinkRange(doc, 3));
}

}  // namespace

namespace {

using LinkChangeTest = LinkTest;

TEST_F(LinkChangeTest, AChangedLinkTakesItsNewTextNameAndLooks)
{
    RteHandle doc = MakeDocument("see here now");
    Add(doc, {4, 8}, "old");
    RteChangeLinkRange(doc, 5, nullptr, "new", "THERE", nullptr, 7, 0, 0, 0);
    EXPECT_EQ(13, RteTextLength(doc));
    EXPECT_EQ((std::vector<Range>{{4, 9}, {15, 15}}), Ranges(doc, RTE_LINK_TABLE));
    EXPECT_TRUE(g_told.empty()) << "a change is no removal";
    char name[8] = {};
    EXPECT_EQ(1, RteGetLinkRangeName(doc, 4, name, sizeof name));
    EXPECT_STREQ("new", name);
    RteLinkRange link;
    ASSERT_EQ(1, RteGetLinkRange(doc, 4, false, &link));
    EXPECT_EQ(7, link.currentStyle);
    EXPECT_EQ(7, link.kindStyles[0]);
    RteRange moved = {0, 3};
    RteChangeMarkRange(doc, 4, &moved, nullptr, nullptr, 0, 0);
    EXPECT_EQ((std::vector<Range>{{4, 9}, {15, 15}}), Ranges(doc, RTE_LINK_TABLE)) << "no mark there: nothing";
    RteChangeLinkRange(doc, 4, &moved, nullptr, nullptr, nullptr, 0, 0, 0, 0);
    EXPECT_EQ((std::vector<Range>{{0, 3}, {15, 15}}), Ranges(doc, RTE_LINK_TABLE));
    ASSERT_EQ(1, RteGetLinkRangeName(doc, 1, name, sizeof name));
    EXPECT_STREQ("new", name) << "the name stays";
}

}  // namespace
