// Indents, tab marks, pages of a target rect, line tops and paragraph line counts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document_fixture.h"
#include "rect_list.h"
#include "rte_gdi_text.h"
#include "rte_areas.h"
#include "rte_line_builder.h"
#include "rte_pages.h"
#include "rte_text_blocks.h"
#include "rte_styles.h"

namespace {

std::vector<int32_t> g_drawn;

intptr_t RecordRun(RteHandle, RteCharStyle*, intptr_t request, intptr_t, intptr_t, intptr_t)
{
    const auto& run = *reinterpret_cast<const RteDrawRun*>(request);
    g_drawn.push_back(run.line.top);
    return 0;
}

class PagesTest : public DocumentTest {
protected:
    // Paragraphs of 12-pixel lines in a wrap area 200 wide.
    RteHandle Document(const std::string& text)
    {
        RteHandle doc = MakeDocument(text);
        RteRect wrap{0, 0, 100000, 200};
        RteSetRectList(RteWrapArea(doc), &wrap);
        return doc;
    }
};

TEST_F(PagesTest, IndentsAreReadSetAndNarrowTheLines)
{
    RteHandle doc = Document("one\rtwo");
    RteIndents indents = {10, 20, -5};
    RteRange all = {0, 7};
    RteSetIndents(doc, &all, &indents, nullptr, 0);
    RteIndents read = {}, mask = {};
    RteGetIndents(doc, &all, &read, &mask);
    EXPECT_EQ(10, read.left);
    EXPECT_EQ(20, read.right);
    EXPECT_EQ(-5, read.first);
    EXPECT_NE(0, mask.left) << "the same over the range";
    EXPECT_EQ(200 - 10 - 20 + 5, RteLineWidthAt(doc, 5));
}

TEST_F(PagesTest, TabMarksGoOnTheFirstStopsAndComeOffAgain)
{
    RteHandle doc = Document("a\tb");
    RteParFormat format = {}, mask = {};
    format.tabCount = 3;
    for (int32_t i = 0; i < 3; ++i)
        format.tabs[i] = RteTab{1, 0, 50 * (i + 1), 0};
    mask.tabCount = -1;
    for (RteTab& tab : mask.tabs)
        tab = RteTab{-1, -1, -1, -1};
    RteSetParFormat(doc, nullptr, &format, &mask, 0);
    const RteTab flags[] = {{0x1000, 0, 0, 0}, {0x2000, 0, 0, 0}};
    RteRange all = {0, 3};
    RteMarkTabs(doc, &all, flags, 2, false, 0);
    RteParFormat marked, same;
    RteGetParFormat(doc, &all, false, &marked, &same);
    EXPECT_EQ(0x1001, marked.tabs[0].kind);
    EXPECT_EQ(0x2001, marked.tabs[1].kind);
    EXPECT_EQ(1, marked.tabs[2].kind) << "beyond the list: unchanged";
    RteUnmarkTabs(doc, &all, false, 0);
    RteGetParFormat(doc, &all, false, &marked, &same);
    EXPECT_EQ(1, marked.tabs[0].kind);
    EXPECT_EQ(1, marked.tabs[1].kind);
}

TEST_F(PagesTest, PagesHoldTheLinesThatFitTheirRect)
{
    std::string text;
    for (int i = 0; i < 10; ++i)
        text += "line\r";
    RteHandle doc = Document(text);
    RteRect page{0, 0, 40, 200};  // three lines of 12
    EXPECT_EQ(4, RtePageCount(doc, &page));
    EXPECT_EQ(0, RtePageStart(doc, 1, &page));
    EXPECT_EQ(15, RtePageStart(doc, 2, &page));
    EXPECT_EQ(45, RtePageStart(doc, 4, &page));
    EXPECT_EQ(0, RtePageStart(doc, 5, &page));
    RteHandle empty = Document("");
    EXPECT_EQ(1, RtePageCount(empty, &page));
}

TEST_F(PagesTest, APageIsDrawnFromTheTopOfItsRect)
{
    env_.defaultStyle.hooks.draw = RecordRun;
    std::string text;
    for (int i = 0; i < 10; ++i)
        text += "line\r";
    RteHandle doc = Document(text);
    RteRect page{100, 0, 140, 200};
    g_drawn.clear();
    EXPECT_EQ(30, RteDrawPage(doc, nullptr, 17, &page, 3));
    EXPECT_EQ((std::vector<int32_t>{100, 112, 124}), g_drawn);
    EXPECT_EQ(0, DocumentOf(doc).scroll.v) << "the scroll is given back";
    EXPECT_EQ(0, RteDrawPage(doc, nullptr, 45, &page, 0)) << "the text ends on that page";
}

std::vector<int32_t> g_tabValues;

// A tab that ends at 150 whatever its stops, noting the caller value of its format.
intptr_t TabTo150(RteHandle, RteParFormat* format, intptr_t, intptr_t, intptr_t)
{
    g_tabValues.push_back(format->value142);
    return 150;
}

TEST_F(PagesTest, ParHooksGoToTheFormatsMatchingUnderTheMask)
{
    RteHandle doc = Document("a\tb\rc\td");
    RteIndents indented = {10, 0, 0}, leftOnly = {-1, 0, 0};
    RteRange first = {0, 1};
    RteSetIndents(doc, &first, &indented, &leftOnly, 0);
    RteParFormat values = {}, mask = {};
    values.leftIndent = 10;
    mask.leftIndent = -1;
    RteParFormatHooks hooks = DocumentOf(doc).env->defaultFormat.hooks;
    hooks.tab = TabTo150;
    g_tabValues.clear();
    RteSetParHooks(doc, &values, &mask, nullptr, &hooks, 42, 43, true, 0);
    RteLayoutDocument(doc);
    EXPECT_EQ(std::vector<int32_t>{42}, g_tabValues) << "only the indented paragraph's tab";
    int matched = 0;
    for (const RteParFormat& format : Elements<RteParFormat>(DocumentOf(doc).parFormats)) {
        if (format.hooks.tab != TabTo150)
            continue;
        ++matched;
        EXPECT_EQ(10, format.leftIndent);
        EXPECT_EQ(43, format.value143);
    }
    EXPECT_EQ(1, matched);
}

TEST_F(PagesTest, LineTopsAndParagraphCounts)
{
    RteHandle doc = Document("one\rtwo two two two two two two two two two two two two two two two two two\rthree");
    // Eleven "two " fill a line of 200: the second paragraph's second line starts at 48.
    EXPECT_EQ(12, RteLineTopAt(doc, 30));
    EXPECT_EQ(24, RteLineTopAt(doc, 60)) << "the second line of the second paragraph";
    EXPECT_EQ(0, RteParagraphLineCount(doc)) << "not counted";
    EXPECT_EQ(0, RteParagraphNumberAt(doc, 5, false));
    RteSetDocFlags(doc, RteGetDocFlags(doc) | RTE_DOC_COUNT_LINES);
    EXPECT_EQ(3, RteParagraphLineCount(doc));
    EXPECT_EQ(2, RteParagraphNumberAt(doc, 30, false));
    EXPECT_EQ(2, RteParagraphNumberAt(doc, 4, false));
    EXPECT_EQ(1, RteParagraphNumberAt(doc, 4, true));
    int32_t start = 0, end = 0;
    ASSERT_EQ(1, RteParagraphLineRange(doc, 2, &start, &end));
    EXPECT_EQ(4, start);
    EXPECT_EQ(75, end);
    ASSERT_EQ(1, RteParagraphLineRange(doc, 3, &start, &end));
    EXPECT_EQ(81, end);
    EXPECT_EQ(0, RteParagraphLineRange(doc, 4, &start, &end));
}

TEST_F(PagesTest, ParagraphsAreDisplayedByTheirNumbers)
{
    env_.defaultStyle.hooks.draw = RecordRun;
    RteHandle doc = Document("one\rtwo two two two two two two two two two two two two two two two two two\rthree");
    RteRect view{0, 0, 500, 200};
    RteSetRectList(RteViewArea(doc), &view);
    g_drawn.clear();
    RteDisplayParagraphs(doc, 2, 2, nullptr, nullptr, nullptr, nullptr, 3);
    EXPECT_TRUE(g_drawn.empty()) << "paragraphs are numbered only while lines are counted";
    RteSetDocFlags(doc, RteGetDocFlags(doc) | RTE_DOC_COUNT_LINES);
    RteDisplayParagraphs(doc, 2, 2, nullptr, nullptr, nullptr, nullptr, 3);
    EXPECT_EQ((std::vector<int32_t>{12, 24}), g_drawn) << "the second paragraph's two lines";
    g_drawn.clear();
    RteDisplayParagraphs(doc, 2, 3, nullptr, nullptr, nullptr, nullptr, 3);
    EXPECT_EQ((std::vector<int32_t>{12, 24, 36}), g_drawn);
}

TEST_F(PagesTest, DisplayLinesAreTheSecondKind)
{
    RteHandle doc = Document("one\rtwo two two two two two two two two two two two two two two two two two\rthree");
    EXPECT_EQ(0, RteSecondLineCount(doc)) << "not counted";
    EXPECT_EQ(0, RteSecondNumberAt(doc, 30));
    RteSetDocFlags(doc, RteGetDocFlags(doc) | RTE_DOC_COUNT_LINES);
    // "one" | eleven "two " | seven "two " | "three".
    EXPECT_EQ(4, RteSecondLineCount(doc));
    const std::pair<int32_t, int32_t> numbers[] = {{0, 1}, {30, 2}, {48, 3}, {60, 3}, {80, 4}, {81, 4}};
    for (auto [offset, number] : numbers)
        EXPECT_EQ(number, RteSecondNumberAt(doc, offset)) << offset;
    int32_t start = 0, end = 0;
    ASSERT_EQ(1, RteSecondLineRange(doc, 3, &start, &end));
    EXPECT_EQ(48, start);
    EXPECT_EQ(76, end);
    EXPECT_EQ(0, RteSecondLineRange(doc, 5, &start, &end));
    RteRect rect;
    ASSERT_EQ(1, RteSecondLineRect(doc, 3, false, false, &rect));
    EXPECT_EQ(24, rect.top);
    EXPECT_EQ(36, rect.bottom);
    ASSERT_EQ(1, RteParagraphLineRect(doc, 2, false, false, &rect));
    EXPECT_EQ(12, rect.top);
    EXPECT_EQ(36, rect.bottom) << "the paragraph's two lines";
    EXPECT_EQ(0, RteParagraphLineRect(doc, 9, false, false, &rect));
}

}  // namespace

namespace {

using LastPageTest = PagesTest;

TEST_F(LastPageTest, TheLastPageHoldsTheTextsLastLine)
{
    std::string text;
    for (int i = 0; i < 10; ++i)
        text += "line\r";
    RteRect page{0, 0, 24, 200};
    RteHandle single = Document(text);
    RteSetRectList(RteWrapArea(single), &page);
    EXPECT_EQ(1, RteLastPageNumber(single, nullptr)) << "without repetition everything is on one";
    RteHandle doc = Document(text);
    RteSetRectList(RteWrapArea(doc), &page);
    {
        RteLocked<RteDocument> locked(doc);
        locked->layoutFlags |= RTE_LAYOUT_REPEAT_DOWN | RTE_LAYOUT_KEEP_LAST_HEIGHT;
        locked->repeatGapV = 6;
    }
    RteRect bounds;
    // Ten lines of 12, two a page of 24 with gaps of 6: the tenth line is on page 5.
    EXPECT_EQ(5, RteLastPageNumber(doc, &bounds));
    EXPECT_EQ(4 * 30, bounds.top);
    EXPECT_EQ(4 * 30 + 24, bounds.bottom);
    struct Case {
        int32_t tabBase;
        RteRect rect;
    };
    const Case cases[] = {{0, {120, 0, 144, 200}},
                          {10, {120, 10, 144, 210}},
                          {RTE_CONTAINER_FIRST, {120, 0, 144, 200}},
                          {RTE_CONTAINER_UNMOVED, {0, 0, 24, 200}}};
    for (const Case& c : cases) {
        RteRect rect;
        RteContainerRectAt(doc, 46, c.tabBase, &rect);
        EXPECT_EQ(c.rect.top, rect.top) << c.tabBase;
        EXPECT_EQ(c.rect.left, rect.left) << c.tabBase;
        EXPECT_EQ(c.rect.bottom, rect.bottom) << c.tabBase;
        EXPECT_EQ(c.rect.right, rect.right) << c.tabBase;
    }
}

}  // namespace
