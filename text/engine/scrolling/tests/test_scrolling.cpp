// Scrolling: units, steps, scroll-bar values and characters brought into view.
#include <gtest/gtest.h>

#include <string>

#include "document_fixture.h"
#include "rect_list.h"
#include "rte_areas.h"
#include "rte_editing.h"
#include "rte_scrolling.h"
#include "rte_selection.h"
#include "rte_text_blocks.h"

namespace {

constexpr int32_t kLine = 12;  // the default style's line under the null device

class ScrollingTest : public DocumentTest {
protected:
    // Lines of 12 pixels, one a paragraph, in a view 120 high (ten lines).
    RteHandle Document(int32_t lines)
    {
        std::string text;
        for (int32_t i = 0; i < lines; ++i)
            text += "line\r";
        RteHandle doc = MakeDocument();
        RteRect wrap{0, 0, 1000000, 200};
        RteRect view{0, 0, 120, 200};
        RteSetRectList(RteWrapArea(doc), &wrap);
        RteSetRectList(RteViewArea(doc), &view);
        RteInsertText(doc, reinterpret_cast<const uint8_t*>(text.data()), static_cast<int32_t>(text.size()), 0,
                      RTE_KEYS_NONE, 0, 0);
        return doc;
    }

    static int32_t Position(RteHandle doc)
    {
        RtePoint point;
        RteGetScrollPosition(doc, &point);
        return point.v;
    }
};

TEST_F(ScrollingTest, StepCodesMoveByLinesViewsAndToTheEnds)
{
    RteHandle doc = Document(100);
    int32_t maxH = 0, maxV = 0;
    RteScrollMax(doc, &maxH, &maxV);
    EXPECT_EQ(100 * kLine - 120, maxV);
    EXPECT_EQ(0, maxH);
    struct Case {
        int32_t code;
        int32_t from, to;
    };
    // A line step uncovers the line cut by the edge, or 16 pixels when none is cut.
    const Case cases[] = {{RTE_SCROLL_LINE_DOWN, 0, 16},     {RTE_SCROLL_LINE_DOWN, 6, kLine},
                          {RTE_SCROLL_LINE_UP, 30, 24},      {RTE_SCROLL_VIEW_DOWN, 0, 120},
                          {RTE_SCROLL_VIEW_DOWN, 6, 120},    {RTE_SCROLL_VIEW_UP, 240, 120},
                          {RTE_SCROLL_TO_END, 0, maxV},      {RTE_SCROLL_TO_START, 500, 0},
                          {RTE_SCROLL_LINE_DOWN, maxV, maxV}, {RTE_SCROLL_LINE_UP, 0, 0}};
    for (const Case& c : cases) {
        RteScrollBy(doc, 0, Position(doc) - c.from, 0);
        ASSERT_EQ(c.from, Position(doc));
        RteScrollStep(doc, 0, c.code, 0);
        EXPECT_EQ(c.to, Position(doc)) << "code " << c.code << " from " << c.from;
    }
}

TEST_F(ScrollingTest, UnitsRoundMovesButTheEndIsReachedExactly)
{
    RteHandle doc = Document(100);
    RteSetScrollUnits(doc, 1, 4);
    int32_t h = 0, v = 0;
    RteGetScrollUnits(doc, &h, &v);
    EXPECT_EQ(1, h);
    EXPECT_EQ(4, v);
    RteSetScrollSettings(doc, 0, 1, 0, 0);
    RteScrollStep(doc, 0, RTE_SCROLL_LINE_DOWN, 0);
    EXPECT_EQ(8, Position(doc)) << "a one-pixel step moves a whole unit";
    int32_t maxH = 0, maxV = 0;
    RteScrollMax(doc, &maxH, &maxV);
    RteScrollBy(doc, 0, -100000, 0);
    EXPECT_EQ(maxV, Position(doc));
    RteScrollChange(doc, &h, &v);
    EXPECT_EQ(8 - maxV, v);
}

TEST_F(ScrollingTest, ScrollBarValuesOfAHundredThousandPixelsAreDividedByEight)
{
    RteHandle doc = Document(8334);
    int32_t h = 0, v = 0, hMax = 0, vMax = 0;
    EXPECT_EQ(1, RteGetScrollValues(doc, &h, &v, &hMax, &vMax));
    int32_t maxH = 0, maxV = 0;
    RteScrollMax(doc, &maxH, &maxV);
    EXPECT_EQ(maxV / 8, vMax);
    EXPECT_EQ(0, RteGetScrollValues(doc, &h, &v, &hMax, &vMax)) << "nothing changed since";
    RteScrollStep(doc, 0, RTE_SCROLL_TO_END, 0);
    RteGetScrollValues(doc, &h, &v, &hMax, &vMax);
    EXPECT_EQ(vMax, v) << "the end reports the maximum exactly";
    RteScrollToValue(doc, 0, 100, false, 0);
    EXPECT_EQ(800, Position(doc));
}

TEST_F(ScrollingTest, ACharacterIsBroughtIntoViewWithItsSlack)
{
    RteHandle doc = Document(100);
    EXPECT_EQ(0, RteScrollToOffset(doc, 10, 0, 0, false, 0)) << "already visible";
    EXPECT_EQ(1, RteScrollToOffset(doc, 5 * 50, 0, 12, false, 0));
    // Line 50 spans 600 to 612: its bottom goes 12 above the view's bottom.
    EXPECT_EQ(612 - (120 - 12), Position(doc));
    EXPECT_EQ(1, RteScrollToOffset(doc, 0, 0, 0, false, 0));
    EXPECT_EQ(0, Position(doc));
}

TEST_F(ScrollingTest, StepAmountsWithoutCommitLeaveThePosition)
{
    RteHandle doc = Document(100);
    int32_t h = 0, v = 0;
    RteScrollStepAmounts(doc, 0, RTE_SCROLL_VIEW_DOWN, false, false, &h, &v);
    EXPECT_EQ(-120, v);
    EXPECT_EQ(0, Position(doc));
    RteScrollStepAmounts(doc, 0, RTE_SCROLL_VIEW_DOWN, true, false, &h, &v);
    EXPECT_EQ(120, Position(doc));
}

}  // namespace

namespace {

using AlignTest = ScrollingTest;

TEST_F(AlignTest, AlignedMovesGoOnToTheNextLineEdge)
{
    RteHandle doc = Document(100);
    struct Case {
        int32_t from, value;
        bool align;
        int32_t to;
    };
    // Lines of 12 in a view of 120: an eighth of it is 15.
    const Case cases[] = {
        {0, 30, false, 30},
        {0, 30, true, 36},    // towards the end: the line 144-156 cut by the bottom comes in whole
        {100, 50, true, 48},  // towards the start: the line 48-60 cut by the top comes in whole
        {100, 48, true, 48},  // no line cut
    };
    for (const Case& c : cases) {
        RteScrollBy(doc, 0, Position(doc) - c.from, 0);
        RteScrollToValue(doc, 0, c.value, c.align, 0);
        EXPECT_EQ(c.to, Position(doc)) << c.from << " to " << c.value << (c.align ? " aligned" : "");
    }
    int32_t maxH = 0, maxV = 0, hMax = 0, vMax = 0;
    RteScrollMax(doc, &maxH, &maxV);
    RteGetScrollValues(doc, nullptr, nullptr, &hMax, &vMax);
    RteScrollToValue(doc, 0, vMax, true, 0);
    EXPECT_EQ(maxV, Position(doc)) << "the end is never passed";
}

TEST_F(AlignTest, AValueGivenBeforeTheLayoutKeepsItsProportion)
{
    RteHandle doc = Document(100);
    int32_t vMax = 0;
    RteGetScrollValues(doc, nullptr, nullptr, nullptr, &vMax);
    ASSERT_EQ(100 * kLine - 120, vMax);
    std::string more;
    for (int32_t i = 0; i < 100; ++i)
        more += "line\r";
    RteInsertText(doc, reinterpret_cast<const uint8_t*>(more.data()), static_cast<int32_t>(more.size()), -1,
                  RTE_KEYS_NONE, 0, 0);
    EXPECT_EQ((200 * kLine - 120) / 2, RteLayoutToValue(doc, vMax / 2)) << "half way stays half way";
    EXPECT_EQ(0, RteLayoutToValue(doc, 0));
}

}  // namespace

namespace {

using OwnerScrollTest = ScrollingTest;

TEST_F(OwnerScrollTest, TheOwnerKeepsTheDisplayOffsetsWhileThePositionChanges)
{
    RteHandle doc = Document(100);
    RteScrollBy(doc, 0, -24, 0);
    RteSetDocFlags(doc, RteGetDocFlags(doc) | RTE_DOC_OWNER_SCROLLS);
    EXPECT_EQ(0, DocumentOf(doc).scroll.v) << "setting the flag resets the display";
    RteScrollBy(doc, 0, -36, 1);
    EXPECT_EQ(60, Position(doc));
    EXPECT_EQ(0, DocumentOf(doc).scroll.v) << "the display offsets are the owner's";
    int32_t h = 0, v = 0;
    RteScrollChange(doc, &h, &v);
    EXPECT_EQ(-36, v);
    RteScrollStepAmounts(doc, 0, RTE_SCROLL_VIEW_DOWN, false, false, &h, &v);
    EXPECT_EQ(-120, v);
    EXPECT_EQ(60, Position(doc)) << "given back without commit";
    RtePoint point{200, 50};
    RteAutoScroll(doc, 0, RTE_SCROLL_LINE_DOWN, reinterpret_cast<intptr_t>(&point), 0, 0);
    EXPECT_EQ(200 - (Position(doc) - 60), point.v) << "the point follows the text";
    RteSetDocFlags(doc, RteGetDocFlags(doc) & ~RTE_DOC_OWNER_SCROLLS);
    RteScrollBy(doc, 0, 12, 0);
    EXPECT_EQ(Position(doc), DocumentOf(doc).scroll.v) << "without the flag the display follows";
}

TEST_F(OwnerScrollTest, ADocumentThatDoesNotScrollByItselfKeepsThatAxis)
{
    RteHandle doc = Document(100);
    RteSetDocFlags2(doc, RteGetDocFlags2(doc) | RTE_DOC2_NO_AUTO_VSCROLL);
    EXPECT_EQ(0, RteScrollToOffset(doc, 5 * 50, 0, 0, false, 0));
    EXPECT_EQ(0, Position(doc));
    RteSetDocFlags2(doc, RteGetDocFlags2(doc) & ~RTE_DOC2_NO_AUTO_VSCROLL);
    EXPECT_EQ(1, RteScrollToOffset(doc, 5 * 50, 0, 0, false, 0));
}

}  // namespace

namespace {

using KeepCaretTest = ScrollingTest;

TEST_F(KeepCaretTest, AScrollTakesTheCaretAlongWhenTheDocumentKeepsItInView)
{
    RteHandle doc = Document(100);  // five bytes a line, twelve pixels
    RteSetCaretQuiet(doc, 12);      // line 2
    RteScrollBy(doc, 0, -36, 0);
    int32_t start = 0, end = 0;
    RteGetSelection(doc, &start, &end);
    EXPECT_EQ(12, start) << "without the option the caret stays in its text";
    RteLocked<RteDocument>(doc)->layoutFlags |= RTE_LAYOUT_KEEP_CARET_IN_VIEW;
    RteScrollBy(doc, 0, 36, 0);
    RteSetCaretQuiet(doc, 12);
    RteScrollBy(doc, 0, -36, 0);
    RteGetSelection(doc, &start, &end);
    EXPECT_EQ(27, start) << "three lines on, where the caret stood in the view";
    RteScrollBy(doc, 0, -24, 0);
    RteGetSelection(doc, &start, &end);
    EXPECT_EQ(37, start) << "and again from the point it keeps";
    EXPECT_EQ(1, RteScrollToOffset(doc, 400, 0, 0, false, 0));
    RteGetSelection(doc, &start, &end);
    EXPECT_EQ(37, start) << "bringing a character into view does not move the caret";
    EXPECT_TRUE(RteLocked<RteDocument>(doc)->layoutFlags & RTE_LAYOUT_KEEP_CARET_IN_VIEW) << "the option is given back";
}

}  // namespace

namespace {

using PagedScrollTest = ScrollingTest;

TEST_F(PagedScrollTest, ARepeatingWrapAreaScrollsToTheEndOfItsLastPage)
{
    RteHandle doc = Document(20);
    RteRect page{0, 0, 100, 200};  // eight lines a page, repeated every 120: three pages
    RteSetRectList(RteWrapArea(doc), &page);
    {
        RteLocked<RteDocument> locked(doc);
        locked->layoutFlags |= RTE_LAYOUT_REPEAT_DOWN | RTE_LAYOUT_KEEP_LAST_HEIGHT;
        locked->repeatGapV = 20;
        RteMarkForLayout(locked.get(), 0, locked->textLength);
    }
    int32_t maxH = 0, maxV = 0;
    RteScrollMax(doc, &maxH, &maxV);
    EXPECT_EQ(2 * 120 + 100 - 120, maxV) << "the third page's bottom, not its last line's";
}

}  // namespace
