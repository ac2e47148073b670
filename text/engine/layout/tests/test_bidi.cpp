// The caret at a direction boundary and the highlight of a range across direction runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "document_fixture.h"
#include "rect_list.h"
#include "rte_bidi.h"
#include "rte_text_blocks.h"

namespace {

// "abcdefghij" on the null device: five left-to-right letters from x = 0, then five read
// from right to left in [25, 50).
class BidiTest : public DocumentTest {
protected:
    void SetUp() override
    {
        DocumentTest::SetUp();
        doc_ = MakeDocument("abcdefghij");
        LayOutBlock(doc_, 0,
                    {RteLinePiece{0, 0, 0, RTE_PIECE_LINE_FIRST, 0, RteRect{0, 0, 12, 25}},
                     RteLinePiece{5, 0, 0, RTE_PIECE_RTL | RTE_PIECE_LINE_LAST, 0, RteRect{0, 25, 12, 50}}});
    }

    RteSelectPoint Caret(int32_t offset, int32_t piece, int32_t primary)
    {
        RteSelectPoint point{};
        point.offset = offset;
        point.line = piece;
        point.point.h = primary;
        RteBidiCaretPositions(doc_, 0, &point);
        return point;
    }

    RteHandle doc_ = nullptr;
};

TEST_F(BidiTest, TwoCaretPositionsAtADirectionBoundary)
{
    struct Case {
        int32_t offset;
        int32_t piece;
        int32_t primary;
        int32_t expectedPrimary;
        int32_t expectedSecondary;
        const char* why;
    };
    const Case cases[] = {
        {5, 1, 0, 25, 0, "the right-to-left piece's start: the primary goes to its run's right edge"},
        {5, 0, 25, 25, 25, "the paragraph's own piece: the secondary at the next run's left edge"},
        {2, 0, 10, 10, 10, "inside a run both are the same"},
    };
    for (const Case& c : cases) {
        RteSelectPoint point = Caret(c.offset, c.piece, c.primary);
        EXPECT_EQ(point.point.h, c.expectedPrimary) << c.why;
        EXPECT_EQ(point.values[2], c.expectedSecondary) << c.why;
    }
}

TEST_F(BidiTest, TheHighlightCoversTheCharactersAsDrawn)
{
    RteRect none{};
    RteRectList list = RteNewRectList(&context_, &none);
    RteSelectPoint from{};
    from.offset = 3;
    RteSelectPoint to{};
    to.offset = 7;
    RteRangeHighlightRects(doc_, 0, list, &from, &to);
    std::vector<RteRect> rects;
    {
        RteRectIterator it(list);
        for (const RteRect& rect : it.Rects())
            rects.push_back(rect);
    }
    std::sort(rects.begin(), rects.end(), [](const RteRect& a, const RteRect& b) { return a.left < b.left; });
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0], (RteRect{0, 15, 12, 25})) << "d and e";
    EXPECT_EQ(rects[1], (RteRect{0, 40, 12, 50})) << "f and g, from the right edge";
    RteSetRectList(list, &none);
    RteRangeHighlightRects(doc_, 0, list, nullptr, &from);
    EXPECT_EQ(RteRectIterator(list).Bounds(), (RteRect{0, 0, 12, 15})) << "from the block's start";
    RteFreeRectList(list);
}

TEST(ParagraphDirectionTest, TheFormatsOrTheSystems)
{
    RteParFormat format{};
    EXPECT_EQ(RteParDirection(nullptr, &format), 1);
    format.direction = -1;
    EXPECT_EQ(RteParDirection(nullptr, &format), -1);
    EXPECT_EQ(RteParDirection(nullptr, nullptr), 1);
}

TEST_F(BidiTest, AChangeOfTheSystemsDirectionIsSeenOnce)
{
    EXPECT_EQ(RteCheckSystemDirection(doc_), 0) << "a new document takes the system's direction as left to right";
    {
        RteLocked<RteDocument> doc(doc_);
        doc->systemDirection = -1;
        doc->caretPoint = RtePoint{7, 9};
    }
    EXPECT_EQ(RteCheckSystemDirection(doc_), 1);
    RteDocument doc = DocumentOf(doc_);
    EXPECT_EQ(doc.systemDirection, 1);
    EXPECT_EQ(doc.caretPoint, (RtePoint{0, 0}));
    for (const RteTextBlock& block : Elements<RteTextBlock>(doc.blocks))
        EXPECT_TRUE(block.flags & RTE_BLOCK_DIRECTION_CHANGED);
    for (const RteSelectPoint& point : Elements<RteSelectPoint>(doc.selection))
        EXPECT_TRUE(point.flags & RTE_SELECT_RECOMPUTE);
    EXPECT_EQ(RteCheckSystemDirection(doc_), 0) << "seen once";
}

}  // namespace
