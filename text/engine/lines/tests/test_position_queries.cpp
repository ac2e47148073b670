// Offsets pinned, blocks found, caret rects and characters of laid-out text.
#include <gtest/gtest.h>

#include "document_fixture.h"
#include "rect_list.h"
#include "rte_line_builder.h"
#include "rte_position_queries.h"

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
