// Offsets pinned, blocks found, caret rects and characters of laid-out text.
#include <gtest/gtest.h>

#include "document_fixture.h"
#include "rect_list.h"
#include "rte_line_builder.h"
#include "rte_position_queries.h"
#include "rte_selection.h"
#include "rte_styles.h"

namespace {

class PositionQueryTest : public DocumentTest {
protected:
    RteHandle Document(const std::string& text, int32_t width = 200)
    {
        RteHandle doc = MakeDocument(text);
        RteRect wrap{0, 0, 500, width};
        RteSetRectList(RteWrapArea(doc), &wrap);
        return doc;
    }

    static void PlaceCaret(RteHandle doc, int32_t offset)
    {
        RteLocked<RteSelectPoint> points(DocumentOf(doc).selection);
        points[0].offset = points[1].offset = offset;
    }
};

TEST_F(PositionQueryTest, OffsetsArePinnedIntoTheText)
{
    RteHandle doc = Document("hello");
    PlaceCaret(doc, 3);
    const std::pair<int32_t, int32_t> cases[] = {{-1, 3}, {-5, 0}, {0, 0}, {5, 5}, {6, 5}, {1000, 5}};
    for (auto [given, pinned] : cases)
        EXPECT_EQ(pinned, RtePinOffset(doc, given)) << given;
}

TEST_F(PositionQueryTest, CaretRectsFollowTheWidthTableAndTheLines)
{
    // "aaaa bbbb " fills the first line of 50; letters are 5 wide, blanks 3.
    RteHandle doc = Document("aaaa bbbb cccc", 50);
    RteRect first;
    int32_t height = 0;
    {
        RteCaretRect(doc, 0, false, false, &first);
        height = first.bottom - first.top;
    }
    struct Case {
        int32_t offset;
        RteRect rect;
    };
    const Case cases[] = {
        {0, {0, 0, height, 5}},
        {4, {0, 20, height, 23}},
        {5, {0, 23, height, 28}},
        {10, {height, 0, 2 * height, 5}},
        {14, {height, 20, 2 * height, 20}},
    };
    EXPECT_GT(height, 0);
    for (const Case& c : cases) {
        RteRect rect;
        RteCaretRect(doc, c.offset, false, false, &rect);
        EXPECT_EQ(c.rect.top, rect.top) << c.offset;
        EXPECT_EQ(c.rect.left, rect.left) << c.offset;
        EXPECT_EQ(c.rect.bottom, rect.bottom) << c.offset;
        EXPECT_EQ(c.rect.right, rect.right) << c.offset;
    }
    EXPECT_EQ(0, LockedHandles());
}

TEST_F(PositionQueryTest, CaretRectsInWindowCoordinatesMoveByTheScroll)
{
    RteHandle doc = Document("abc");
    {
        RteLocked<RteDocument> locked(doc);
        locked->scroll = RtePoint{10, 4};
    }
    RteRect inDocument, inWindow;
    RteCaretRect(doc, 1, false, false, &inDocument);
    RteCaretRect(doc, 1, true, false, &inWindow);
    EXPECT_EQ(inDocument.top - 10, inWindow.top);
    EXPECT_EQ(inDocument.left - 4, inWindow.left);
}

TEST_F(PositionQueryTest, CharactersAndTheirClasses)
{
    RteHandle doc = Document("ab cd\rx");
    uint8_t buffer[4] = {};
    EXPECT_EQ(1, RteGetCharacter(doc, 1, buffer));
    EXPECT_EQ('b', buffer[0]);
    buffer[0] = 0;
    EXPECT_EQ(0, RteGetCharacter(doc, 7, buffer)) << "nothing at the text's end";
    EXPECT_EQ(0, buffer[0]);
    int32_t offset = 0;
    uint8_t found = 0;
    EXPECT_NE(0, RteFindCharClass(doc, RTE_CLASS_PARAGRAPH, &offset, &found));
    EXPECT_EQ(5, offset);
    EXPECT_EQ('\r', found);
    offset = 6;
    EXPECT_EQ(0, RteFindCharClass(doc, RTE_CLASS_PARAGRAPH, &offset, nullptr));
    EXPECT_EQ(7, offset);
    EXPECT_NE(0, RteCharInfo(doc, 2, RTE_CLASS_BLANK));
    EXPECT_EQ(0, RteCharInfo(doc, 1, RTE_CLASS_BLANK));
}

TEST_F(PositionQueryTest, TextPointersReachIntoTheBlocks)
{
    RteHandle doc = Document("hello");
    RteHandle text = nullptr;
    int32_t left = -1;
    uint8_t* byte = RteTextPointer(doc, 1, &text, &left);
    ASSERT_NE(nullptr, byte);
    EXPECT_EQ('e', *byte);
    EXPECT_EQ(4, left);
    RteUnlock(text);
    text = nullptr;
    left = -1;
    EXPECT_EQ(nullptr, RteTextPointer(doc, 5, &text, &left));
    EXPECT_EQ(nullptr, text) << "left untouched";
    EXPECT_EQ(-1, left);
    EXPECT_EQ(0, LockedHandles());
}

TEST_F(PositionQueryTest, TheExtentCoversTheLaidOutLines)
{
    RteHandle doc = Document("aaaa bbbb cccc", 50);
    RteRect extent;
    RteTextExtent(doc, &extent, true);
    RteRect last;
    RteCaretRect(doc, 14, false, false, &last);
    EXPECT_EQ(0, extent.top);
    EXPECT_EQ(last.bottom, extent.bottom);
    EXPECT_EQ(0, extent.left);
    EXPECT_EQ(46, extent.right);
}

TEST_F(PositionQueryTest, InvalidatingMarksTheTextAndTheSelection)
{
    RteHandle doc = Document("abc");
    RteLayoutDocument(doc);
    uint32_t changes = RteGetChangeCounter(doc);
    RteInvalidateLayout(doc, false, false);
    EXPECT_EQ(changes, RteGetChangeCounter(doc));
    RteInvalidateLayout(doc, false, true);
    EXPECT_EQ(changes + 1, RteGetChangeCounter(doc));
    RteTextBlock block;
    RteGetTextBlock(doc, 0, &block, false);
    EXPECT_TRUE(block.flags & RTE_BLOCK_RELAYOUT);
    EXPECT_TRUE(Elements<RteSelectPoint>(DocumentOf(doc).selection)[0].flags & RTE_SELECT_RECOMPUTE);
}

}  // namespace

namespace {

using DocColorTest = PositionQueryTest;

TEST_F(DocColorTest, SettingTheColourCountsAsAChange)
{
    RteHandle doc = Document("abc");
    uint32_t changes = RteGetChangeCounter(doc);
    RteColor colour{0x1000, 0x2000, 0x3000};
    RteSetDocColor(doc, &colour);
    RteColor read{};
    RteGetDocColor(doc, &read);
    EXPECT_EQ(0x2000, read.green);
    EXPECT_EQ(changes + 1, RteGetChangeCounter(doc));
}

}  // namespace

namespace {

RteStyleDeviceHook g_plainInfo = nullptr;

// Every character reads from right to left.
intptr_t RightToLeftInfo(RteHandle doc, RteCharStyle* style, intptr_t character, intptr_t b, intptr_t mask,
                         intptr_t before)
{
    constexpr intptr_t kRightToLeft = 0x4000;
    return (g_plainInfo(doc, style, character, b, mask, before) | kRightToLeft) & (mask ? mask : ~intptr_t{0});
}

using DirectionCaretTest = PositionQueryTest;

// "abc de" alone on a line 200 wide: letters 5 wide, blanks 3, so its characters advance by
// 0, 5, 10, 15, 18, 23 and 28.
TEST_F(DirectionCaretTest, CaretsStandWhereClicksFindTheirOffsetsAgain)
{
    struct Case {
        const char* line;
        bool rightToLeftText;
        int16_t paragraphDirection;
        std::vector<int32_t> x;        // every offset's caret
        std::vector<int32_t> clicked;  // the offset a click at that caret gives
    };
    const Case cases[] = {
        {"right-to-left text in a right-to-left paragraph: at the right, read from the right edge", true, -1,
         {200, 195, 190, 185, 182, 177, 172}, {0, 1, 2, 3, 4, 5, 6}},
        {"left-to-right text in a left-to-right paragraph: read from the left edge", false, 1,
         {0, 5, 10, 15, 18, 23, 28}, {0, 1, 2, 3, 4, 5, 6}},
        {"right-to-left text in a left-to-right paragraph: read from the right edge, where both ends of the run "
         "stand, as left-to-right text would go on there",
         true, 1, {28, 23, 18, 13, 10, 5, 28}, {0, 1, 2, 3, 4, 5, 0}},
    };
    g_plainInfo = env_.defaultStyle.hooks.charInfo;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        env_.defaultStyle.hooks.charInfo = c.rightToLeftText ? RightToLeftInfo : g_plainInfo;
        RteHandle doc = Document("abc de");
        RteParFormat format = {}, mask = {};
        format.direction = c.paragraphDirection;
        mask.direction = -1;
        RteSetParFormat(doc, nullptr, &format, &mask, 0);
        for (int32_t offset = 0; offset <= 6; ++offset) {
            RteRect caret;
            RteCaretRect(doc, offset, true, false, &caret);
            EXPECT_EQ(c.x[offset], caret.left) << "the caret at " << offset;
            RtePoint point{(caret.top + caret.bottom) / 2, caret.left};
            RteSelectPoint hit;
            RteHitTest(doc, reinterpret_cast<intptr_t>(&point), reinterpret_cast<intptr_t>(&hit), 0, 0, 0);
            EXPECT_EQ(c.clicked[offset], hit.offset) << "a hit test at the caret of " << offset;
            RteClick(doc, &point, RTE_CLICK_PRESS, 0, 0, false);
            RteClick(doc, &point, RTE_CLICK_RELEASE, 0, 0, false);
            int32_t start = -1, end = -1;
            RteGetSelection(doc, &start, &end);
            EXPECT_EQ(c.clicked[offset], start) << "a click at the caret of " << offset;
            EXPECT_EQ(start, end);
        }
    }
    env_.defaultStyle.hooks.charInfo = g_plainInfo;
    EXPECT_EQ(0, LockedHandles());
}

}  // namespace
