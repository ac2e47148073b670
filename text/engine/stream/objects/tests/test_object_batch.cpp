// Embedded objects inserted through insertion batches.
#include <gtest/gtest.h>

#include <cstring>

#include "block_text.h"
#include "object_fixture.h"
#include "rect_list.h"
#include "rte_areas.h"
#include "rte_batch.h"
#include "rte_line_builder.h"
#include "rte_object_batch.h"
#include "rte_object_queries.h"
#include "rte_selection.h"
#include "rte_text_blocks.h"
#include "style_checks.h"

namespace {

using ObjectBatchTest = ObjectStreamTest;

void Append(RteHandle doc, const char* text)
{
    RteBatchAppend(doc, reinterpret_cast<const uint8_t*>(text), static_cast<int32_t>(std::strlen(text)), nullptr,
                   nullptr, nullptr, 0);
}

TEST_F(ObjectBatchTest, AnObjectInABatchIsTwoCharactersCarryingItsStyle)
{
    RteHandle doc = MakeDocument("ab");
    RteHandle object = RteNewObjectRecord(&context_, RTE_KIND_MAC, nullptr, 0);
    RteBeginBatch(doc, 1);
    Append(doc, "x");
    EXPECT_EQ(RTE_KIND_MAC, RteBatchInsertObject(doc, object, nullptr, 0, 0));
    Append(doc, "y");
    RteEndBatch(doc, false, 0);
    EXPECT_EQ(4 + 2, RteTextLength(doc));
    EXPECT_EQ(1, RteCountObjects(doc, nullptr));
    int32_t offset = 0, style = 0;
    RteRange all = {0, 6};
    EXPECT_EQ(object, RteNthObject(doc, &all, 1, &offset, &style));
    EXPECT_EQ(2, offset);
    EXPECT_EQ(1, Elements<RteCharStyle>(DocumentOf(doc).charStyles)[style].units23to34[10]);
    EXPECT_EQ("", RunProblems(doc));
}

TEST_F(ObjectBatchTest, OutsideABatchTheObjectGoesInAtTheSelection)
{
    RteHandle doc = MakeDocument("abcd");
    {
        RteLocked<RteSelectPoint> points(DocumentOf(doc).selection);
        points[0].offset = points[1].offset = 3;
    }
    RteHandle object = RteNewObjectRecord(&context_, RTE_KIND_MAC, nullptr, 0);
    RteBatchInsertObject(doc, object, nullptr, 0, 1);
    int32_t offset = 0, style = 0;
    RteRange all = {0, 6};
    EXPECT_EQ(object, RteNthObject(doc, &all, 1, &offset, &style));
    EXPECT_EQ(3, offset);
    RteLocked<RteSelectPoint> points(DocumentOf(doc).selection);
    EXPECT_EQ(5, points[0].offset);
    EXPECT_EQ("", RunProblems(doc));
}

// The lines of the laid-out document, as the left and right of each.
std::vector<std::pair<int32_t, int32_t>> Lines(RteHandle doc)
{
    RteLayoutDocument(doc);
    std::vector<std::pair<int32_t, int32_t>> lines;
    for (const RteTextBlock& block : Elements<RteTextBlock>(DocumentOf(doc).blocks)) {
        std::vector<RteLinePiece> pieces = Elements<RteLinePiece>(block.lines);
        pieces.pop_back();
        for (const RteLinePiece& piece : pieces) {
            if (piece.flags & RTE_PIECE_LINE_FIRST)
                lines.emplace_back(piece.rect.left, piece.rect.right);
            lines.back().second = piece.rect.right;
        }
    }
    return lines;
}

// Under the null device letters (and paragraph ends) are 5 wide and blanks 3; the frame of 40 x 20 with insets of
// 1 all round is 42 wide on its line, the two characters that carry it 21 each.
TEST_F(ObjectBatchTest, AnObjectAppendedBetweenTextStaysOnItsLineWithItsWidth)
{
    struct Case {
        const char* text;
        int32_t offset;
        int batches;  // open around the appends; none: each append goes in at the selection
        const char* after;
        std::vector<std::pair<int32_t, int32_t>> lines;
    };
    const Case cases[] = {
        {"", 0, 1, "ab[] cd", {{0, 65}}},
        {"xy", 1, 1, "xab[] cdy", {{0, 75}}},
        {"xy", 2, 2, "xyab[] cd", {{0, 75}}},
        {"xy", 1, 0, "xab[] cdy", {{0, 75}}},
        {"x\ry", 2, 0, "x\rab[] cdy", {{0, 10}, {0, 70}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.after);
        RteHandle doc = MakeDocument(c.text);
        RteRect wrap{0, 0, 500, 400};
        RteSetRectList(RteWrapArea(doc), &wrap);
        RteSetSelection(doc, c.offset, c.offset, 0, 0);
        RteRect rect{0, 0, 20, 40};
        RteHandle object = RteNewObjectRecord(&context_, RTE_KIND_FRAME, &rect, -(5 << 16));
        for (int i = 0; i < c.batches; ++i)
            RteBeginBatch(doc, c.offset);
        Append(doc, "ab");
        RteBatchInsertObject(doc, object, nullptr, 0, 0);
        Append(doc, " cd");
        for (int i = 0; i < c.batches; ++i)
            RteEndBatch(doc, false, 0);
        EXPECT_EQ(c.after, DocumentText(doc));
        EXPECT_EQ(c.lines, Lines(doc));
        EXPECT_EQ("", RunProblems(doc));
        EXPECT_EQ(0, LockedHandles());
    }
}

}  // namespace
