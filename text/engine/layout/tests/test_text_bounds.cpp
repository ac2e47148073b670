// Words, control-delimited runs and paragraphs around an offset.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "document_fixture.h"
#include "rte_line_piece.h"
#include "rte_text_blocks.h"
#include "rte_styles.h"
#include "rte_text_bounds.h"

namespace {

using TextBoundsTest = DocumentTest;

TEST_F(TextBoundsTest, Words)
{
    struct Case {
        int32_t offset;
        bool backwards;
        bool skipBlanks;
        int32_t start;
        int32_t end;
        const char* why;
    };
    // "un deux  trois": un 0-2, deux 3-7, trois 9-14.
    const Case cases[] = {
        {3, false, true, 3, 9, "between two words: the next word with its blanks"},
        {3, false, false, 3, 7, "the next word alone"},
        {5, false, false, 3, 7, "inside a word"},
        {14, true, false, 9, 14, "at the end, backwards"},
        {2, false, false, 0, 2, "at a word's end: that word"},
    };
    RteHandle doc = MakeDocument("un deux  trois");
    for (const Case& c : cases) {
        int32_t start = -1;
        int32_t end = -1;
        RteWordBounds(doc, c.offset, &start, &end, c.backwards, c.skipBlanks);
        EXPECT_EQ(start, c.start) << c.why;
        EXPECT_EQ(end, c.end) << c.why;
    }
    RteHandle empty = MakeDocument("");
    int32_t start = -1;
    int32_t end = -1;
    RteWordBounds(empty, 0, &start, &end, false, true);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 0);
}

TEST_F(TextBoundsTest, ParagraphsThroughTheHook)
{
    RteHandle doc = MakeDocument("un\rdeux\rtrois");
    int32_t start = -1;
    int32_t end = -1;
    RteParagraphBounds(doc, 4, &start, &end);
    EXPECT_EQ(start, 3);
    EXPECT_EQ(end, 8);
    RteCtrlBounds(doc, 4, &start, &end, false);
    EXPECT_EQ(start, 3);
    EXPECT_EQ(end, 8) << "the paragraph end belongs to its run";
    EXPECT_EQ(RteCharBeforeIsPlain(doc, 4), 1);
    EXPECT_EQ(RteAlignToChar(doc, 4, 0), 4);
}

TEST_F(TextBoundsTest, AHiddenParagraphEndEndsNoParagraph)
{
    RteHandle doc = MakeDocument("un\rdeux\rtrois");
    RteRange first{2, 3};
    RteSetStyleBits(doc, &first, 0, 0x100, 0);
    EXPECT_EQ(RteCharBeforeIsPlain(doc, 3), 0);
    int32_t start = -1;
    int32_t end = -1;
    RteParagraphBounds(doc, 4, &start, &end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 8);
    RteParagraphBounds(doc, 1, &start, &end);
    EXPECT_EQ(end, 8);
}

}  // namespace

namespace {

TEST_F(TextBoundsTest, TheLineOfAPiece)
{
    RteHandle doc = MakeDocument("un deux trois");
    LayOutBlock(doc, 0,
                {RteLinePiece{0, 0, 0, RTE_PIECE_LINE_FIRST, 0, {}}, RteLinePiece{3, 0, 0, RTE_PIECE_LINE_LAST, 0, {}},
                 RteLinePiece{8, 0, 0, RTE_PIECE_LINE_FIRST | RTE_PIECE_LINE_LAST, 0, {}}});
    int32_t piece = 1;
    int32_t start = -1;
    int32_t end = -1;
    EXPECT_EQ(RteLineOfPiece(doc, 0, &piece, &start, &end), 2);
    EXPECT_EQ(piece, 0);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 8);
    piece = 2;
    EXPECT_EQ(RteLineOfPiece(doc, 0, &piece, &start, &end), 1);
    EXPECT_EQ(start, 8);
    EXPECT_EQ(end, 13);
}

}  // namespace

namespace {

std::vector<int32_t> g_portCalls;

void RecordPort(RteHandle, int32_t push) { g_portCalls.push_back(push); }

TEST_F(TextBoundsTest, TheDisplayLineOfAnOffset)
{
    RteHandle doc = MakeDocument("un deux trois");
    struct Case {
        int32_t offset;
        int32_t start;
        int32_t end;
    };
    const Case whole[] = {{0, 0, 13}, {13, 0, 13}};
    for (const Case& c : whole) {
        int32_t start = -1;
        int32_t end = -1;
        RteLineBounds(doc, c.offset, &start, &end);
        EXPECT_EQ(start, c.start) << "a block not laid out is one line";
        EXPECT_EQ(end, c.end);
    }
    LayOutBlock(doc, 0,
                {RteLinePiece{0, 0, 0, RTE_PIECE_LINE_FIRST, 0, {}}, RteLinePiece{3, 0, 0, RTE_PIECE_LINE_LAST, 0, {}},
                 RteLinePiece{8, 0, 0, RTE_PIECE_LINE_FIRST | RTE_PIECE_LINE_LAST, 0, {}}});
    RteHookTable hooks;
    RteGetDocHooks(doc, &hooks);
    hooks.port = RecordPort;
    RteSetDocHooks(doc, &hooks, false);
    g_portCalls.clear();
    const Case laidOut[] = {{0, 0, 8}, {5, 0, 8}, {7, 0, 8}, {8, 8, 13}, {12, 8, 13}};
    for (const Case& c : laidOut) {
        int32_t start = -1;
        int32_t end = -1;
        RteLineBounds(doc, c.offset, &start, &end);
        EXPECT_EQ(start, c.start) << "offset " << c.offset;
        EXPECT_EQ(end, c.end) << "offset " << c.offset;
    }
    EXPECT_EQ(g_portCalls.size(), 2 * std::size(laidOut));
    EXPECT_EQ(g_portCalls.front(), 1) << "the port is opened first";
    EXPECT_EQ(g_portCalls.back(), 0) << "and closed last";
    EXPECT_EQ(LockedHandles(), 0);
}

}  // namespace

