// Lines built from blocks under the null device's width table: breaks, paragraphs, styles,
// indents, containers and the blocks that follow one another.
#include <gtest/gtest.h>

#include <algorithm>

#include "document_fixture.h"
#include "rect_list.h"
#include "rect_ops.h"
#include "rte_areas.h"
#include "rte_block_upkeep.h"
#include "rte_line_builder.h"
#include "rte_paragraph_hooks.h"
#include "rte_position_queries.h"
#include "rte_style_units.h"
#include "rte_styles.h"
#include "rte_text_blocks.h"

namespace {

class LineBuilderTest : public DocumentTest {
protected:
    RteHandle Document(const std::string& text, const std::vector<RteRect>& containers)
    {
        RteHandle doc = MakeDocument(text);
        RteRectList wrap = RteWrapArea(doc);
        RteSetRectList(wrap, &containers[0]);
        for (size_t i = 1; i < containers.size(); ++i)
            RteAddRectToList(wrap, &containers[i]);
        RteMarkForLayout(RteLocked<RteDocument>(doc).get(), 0, static_cast<int32_t>(text.size()));
        return doc;
    }

    static std::vector<RteLinePiece> Pieces(RteHandle doc, int32_t block = 0)
    {
        RteTextBlock record = Elements<RteTextBlock>(DocumentOf(doc).blocks)[static_cast<size_t>(block)];
        std::vector<RteLinePiece> pieces = Elements<RteLinePiece>(record.lines);
        EXPECT_EQ(RTE_PIECE_SENTINEL, pieces.back().flags);
        pieces.pop_back();
        return pieces;
    }

    // The pieces that start lines, as their offsets.
    static std::vector<int32_t> LineStarts(const std::vector<RteLinePiece>& pieces)
    {
        std::vector<int32_t> starts;
        for (const RteLinePiece& piece : pieces)
            if (piece.flags & RTE_PIECE_LINE_FIRST)
                starts.push_back(piece.offset);
        return starts;
    }

    // Pages of a wrap area 25 wide repeating downwards with gaps of 10.
    RteHandle PagedDocument(const std::string& text, int32_t pageHeight)
    {
        RteHandle doc = Document(text, {{0, 0, pageHeight, 25}});
        RteLocked<RteDocument> locked(doc);
        locked->layoutFlags |= RTE_LAYOUT_REPEAT_DOWN | RTE_LAYOUT_KEEP_LAST_HEIGHT;
        locked->repeatGapV = 10;
        return doc;
    }

    // The default style's height, as a document's first style has it.
    int32_t LineHeight()
    {
        RteHandle probe = MakeDocument();
        RteCharStyle style = Elements<RteCharStyle>(DocumentOf(probe).charStyles)[0];
        RteDocDestroy(probe);
        return style.ascent + style.descent + style.leading;
    }
};

TEST_F(LineBuilderTest, AnEmptyDocumentHasOneLineOfTheDefaultHeight)
{
    RteHandle doc = Document("", {{0, 0, 100, 200}});
    RteLayoutDocument(doc);
    std::vector<RteLinePiece> pieces = Pieces(doc);
    ASSERT_EQ(1u, pieces.size());
    EXPECT_GT(LineHeight(), 0);
    EXPECT_EQ(LineHeight(), pieces[0].rect.bottom - pieces[0].rect.top);
    EXPECT_EQ(RTE_PIECE_LINE_FIRST | RTE_PIECE_PAR_FIRST | RTE_PIECE_LINE_LAST, pieces[0].flags);
    EXPECT_EQ(0, LockedHandles());
}

TEST_F(LineBuilderTest, LinesBreakAfterTheLastWordThatFits)
{
    // Letters are 5 wide, blanks 3: "aaaa bbbb " is 46 wide, one more letter 51.
    struct Case {
        int32_t width;
        std::vector<int32_t> starts;
    };
    // Blanks after a word hang past the line's end; a word wider than the line is cut where it
    // stops fitting.
    const Case cases[] = {{50, {0, 10}}, {46, {0, 10}}, {45, {0, 10}}, {42, {0, 5, 10}}, {200, {0}},
                          {12, {0, 2, 5, 7, 10, 12}},
                          {3, {0, 1, 2, 3, 5, 6, 7, 8, 10, 11, 12, 13}}};
    for (const Case& c : cases) {
        RteHandle doc = Document("aaaa bbbb cccc", {{0, 0, 500, c.width}});
        RteLayoutDocument(doc);
        std::vector<RteLinePiece> pieces = Pieces(doc);
        EXPECT_EQ(c.starts, LineStarts(pieces)) << "width " << c.width;
        for (size_t i = 1; i < pieces.size(); ++i)
            EXPECT_EQ(pieces[i - 1].rect.bottom, pieces[i].rect.top) << "width " << c.width;
        RteDocDestroy(doc);
    }
}

TEST_F(LineBuilderTest, ParagraphEndsEndLinesAndMarkTheNextParagraph)
{
    RteHandle doc = Document("ab\rcd\r\rx", {{0, 0, 500, 200}});
    RteLayoutDocument(doc);
    std::vector<RteLinePiece> pieces = Pieces(doc);
    EXPECT_EQ((std::vector<int32_t>{0, 3, 6, 7}), LineStarts(pieces));
    for (const RteLinePiece& piece : pieces) {
        EXPECT_TRUE(piece.flags & RTE_PIECE_PAR_FIRST) << piece.offset;
        EXPECT_EQ(piece.offset < 7, (piece.flags & RTE_PIECE_PAR_LAST) != 0) << piece.offset;
    }
    EXPECT_EQ(5 + 5 + 5, pieces[0].rect.right - pieces[0].rect.left) << "the paragraph end takes its own width";
}

TEST_F(LineBuilderTest, StyleRunsCutALineIntoPieces)
{
    RteHandle doc = Document("aaa bbb ccc", {{0, 0, 500, 200}});
    RteCharStyle style = {}, mask;
    RteClearCharStyle(&mask, 0);
    style.bold = 1;
    mask.bold = -1;
    RteRange range = {4, 7};
    RteSetCharStyle(doc, &range, &style, &mask, 0);
    RteLayoutDocument(doc);
    std::vector<RteLinePiece> pieces = Pieces(doc);
    ASSERT_EQ(3u, pieces.size());
    EXPECT_EQ((std::vector<int32_t>{0}), LineStarts(pieces));
    EXPECT_EQ(4, pieces[1].offset);
    EXPECT_EQ(7, pieces[2].offset);
    EXPECT_EQ(RTE_PIECE_LATER, pieces[1].flags);
    EXPECT_EQ(pieces[0].rect.right, pieces[1].rect.left);
    EXPECT_EQ(18, pieces[1].rect.left);
    EXPECT_TRUE(pieces[2].flags & RTE_PIECE_LINE_LAST);
}

// Pieces of at most three bytes.
intptr_t ThreeBytes(RteHandle, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t count) { return std::min<intptr_t>(count, 3); }

TEST_F(LineBuilderTest, ThePieceLengthHookCutsTheLineWhereItSays)
{
    RteHandle doc = Document("aaaa bbbb", {{0, 0, 500, 200}});
    RteLocked<RteDocument>(doc)->hooks.lineAdjust = ThreeBytes;
    RteLayoutDocument(doc);
    std::vector<RteLinePiece> pieces = Pieces(doc);
    EXPECT_EQ((std::vector<int32_t>{0, 3, 6}), LineStarts(pieces));
    EXPECT_EQ(15, pieces[0].rect.right - pieces[0].rect.left);
}

TEST_F(LineBuilderTest, HiddenTextHasPiecesOfItsOwnMarkedHidden)
{
    RteHandle doc = Document("ab cd ef", {{0, 0, 500, 200}});
    HideText(doc, 3, 6);
    RteLayoutDocument(doc);
    std::vector<RteLinePiece> pieces = Pieces(doc);
    ASSERT_EQ(3u, pieces.size());
    EXPECT_EQ(0, pieces[0].flags & RTE_PIECE_HIDDEN);
    EXPECT_EQ(RTE_PIECE_HIDDEN, pieces[1].flags & RTE_PIECE_HIDDEN);
    EXPECT_EQ(pieces[1].rect.left, pieces[1].rect.right) << "no room";
    EXPECT_EQ(0, pieces[2].flags & RTE_PIECE_HIDDEN);
}

TEST_F(LineBuilderTest, IndentsNarrowTheLines)
{
    RteHandle doc = Document("aaaa bbbb cccc dddd", {{0, 0, 500, 100}});
    RteParFormat format = {}, mask = {};
    format.leftIndent = 10;
    format.firstIndent = 20;
    format.rightIndent = 45;
    mask.leftIndent = mask.firstIndent = mask.rightIndent = -1;
    RteSetParFormat(doc, nullptr, &format, &mask, 0);
    RteLayoutDocument(doc);
    std::vector<RteLinePiece> pieces = Pieces(doc);
    // The first line has 100 - 30 - 45 = 25 to fill, the next ones 45.
    EXPECT_EQ((std::vector<int32_t>{0, 5, 15}), LineStarts(pieces));
    EXPECT_EQ(30, pieces[0].rect.left);
    EXPECT_EQ(10, pieces[1].rect.left);
}

TEST_F(LineBuilderTest, LinesGoOnInTheNextContainerAndRunOnBelowTheLast)
{
    int32_t h = LineHeight();
    RteHandle doc = Document("aaaa bbbb cccc dddd eeee", {{0, 0, 2 * h, 25}, {0, 100, 2 * h, 125}});
    RteLayoutDocument(doc);
    std::vector<RteLinePiece> pieces = Pieces(doc);
    ASSERT_EQ(5u, pieces.size());
    const int32_t containers[] = {1, 1, 2, 2, 2};
    const int32_t tops[] = {0, h, 0, h, 2 * h};
    for (size_t i = 0; i < pieces.size(); ++i) {
        EXPECT_EQ(containers[i], pieces[i].container) << i;
        EXPECT_EQ(tops[i], pieces[i].rect.top) << i;
        EXPECT_EQ(containers[i] == 1 ? 0 : 100, pieces[i].rect.left) << i;
    }
}

TEST_F(LineBuilderTest, LinesGoOnInTheNextPageOfARepeatedWrapArea)
{
    int32_t h = LineHeight();
    RteHandle doc = PagedDocument("aaaa bbbb cccc dddd eeee", 2 * h);
    RteLayoutDocument(doc);
    std::vector<RteLinePiece> pieces = Pieces(doc);
    ASSERT_EQ(5u, pieces.size());
    int32_t page = 2 * h + 10;
    const int32_t tops[] = {0, h, page, page + h, 2 * page};
    for (size_t i = 0; i < pieces.size(); ++i) {
        EXPECT_EQ(tops[i], pieces[i].rect.top) << i;
        EXPECT_EQ(static_cast<int32_t>(i / 2 + 1), pieces[i].container) << i;
    }
}

std::vector<intptr_t> g_marginCopies;

// Margins of 3 at the top, 4 at the left and half a line at the bottom of every page.
void PageMargins(RteHandle doc, intptr_t copy, intptr_t margins)
{
    g_marginCopies.push_back(copy);
    RteCharStyle style = Elements<RteCharStyle>(DocumentOf(doc).charStyles)[0];
    *reinterpret_cast<RteRect*>(margins) = RteRect{3, 4, (style.ascent + style.descent + style.leading) / 2, 0};
}

TEST_F(LineBuilderTest, LinesKeepToTheMarginsOfEachPage)
{
    int32_t h = LineHeight();
    RteHandle doc = PagedDocument("aaaa bbbb cccc", 2 * h);
    RteLocked<RteDocument>(doc)->hooks.pageMargins = PageMargins;
    g_marginCopies.clear();
    RteLayoutDocument(doc);
    std::vector<RteLinePiece> pieces = Pieces(doc);
    ASSERT_EQ(3u, pieces.size());
    // Below the top margin, one line a page: a second would reach into the bottom margin.
    int32_t page = 2 * h + 10;
    for (size_t i = 0; i < pieces.size(); ++i) {
        EXPECT_EQ(static_cast<int32_t>(i) * page + 3, pieces[i].rect.top) << i;
        EXPECT_EQ(4, pieces[i].rect.left) << i;
    }
    ASSERT_FALSE(g_marginCopies.empty());
    EXPECT_EQ(1, g_marginCopies.front()) << "copies are numbered from 1";
    EXPECT_EQ(3, *std::max_element(g_marginCopies.begin(), g_marginCopies.end()));
}

TEST_F(LineBuilderTest, ABlockFollowsTheLastLineOfTheBlockBefore)
{
    RteHandle doc = Document("aaaa bbbb", {{0, 0, 500, 25}});
    {
        RteLocked<RteDocument> locked(doc);
        RteSetCount(locked->blocks, 2);
        RteLocked<RteTextBlock> blocks(locked->blocks);
        blocks[1] = RteTextBlock{};
        blocks[1].text = RteAllocKeyedClear(locked->env->context, 1, 0, 32, locked->key);
        blocks[1].flags = RTE_BLOCK_RELAYOUT;
    }
    RteLayoutChange change;
    RteLayoutBlock(doc, 1, &change, false);
    EXPECT_EQ(0, change.first);
    std::vector<RteLinePiece> first = Pieces(doc, 0);
    std::vector<RteLinePiece> second = Pieces(doc, 1);
    ASSERT_EQ(2u, first.size());
    ASSERT_EQ(1u, second.size());
    EXPECT_EQ(first.back().rect.bottom, second[0].rect.top);
    RteTextBlock block = Elements<RteTextBlock>(DocumentOf(doc).blocks)[0];
    EXPECT_EQ(0, block.bounds.top);
    EXPECT_EQ(first.back().rect.bottom, block.bounds.bottom);
    EXPECT_FALSE(block.flags & RTE_BLOCK_RELAYOUT);
}

// The lines of the whole document, as each line's text offset and rect.
std::vector<std::pair<int32_t, RteRect>> DocumentLines(RteHandle doc)
{
    RteLayoutDocument(doc);
    std::vector<std::pair<int32_t, RteRect>> lines;
    int32_t start = 0;
    for (const RteTextBlock& block : Elements<RteTextBlock>(DocumentOf(doc).blocks)) {
        std::vector<RteLinePiece> pieces = Elements<RteLinePiece>(block.lines);
        pieces.pop_back();
        for (const RteLinePiece& piece : pieces) {
            if (piece.flags & RTE_PIECE_LINE_FIRST)
                lines.emplace_back(start + piece.offset, piece.rect);
            RteUnionRectNonNull(&lines.back().second, &piece.rect, &lines.back().second);
        }
        start += block.length;
    }
    return lines;
}

// A paragraph longer than a block is split between blocks at a word break: laid out, it flows
// on over the boundary as the same paragraph in one block would, line for line, and so again
// when laid out anew, the boundary staying where it went; the caret finds its places as there.
TEST_F(LineBuilderTest, AParagraphSplitBetweenBlocksFlowsOnAsOne)
{
    std::string text;
    for (int i = 0; text.size() < 6000; ++i)
        text += std::string(static_cast<size_t>(1 + i % 7), static_cast<char>('a' + i % 26)) + " ";
    text += "\r";
    RteHandle whole = Document(text, {{0, 0, 100000, 203}});
    RteHandle split = Document(text, {{0, 0, 100000, 203}});
    RteBalanceTextBlocks(split);
    ASSERT_EQ(2, RteCount(DocumentOf(split).blocks));
    std::vector<std::pair<int32_t, RteRect>> expected = DocumentLines(whole);
    EXPECT_EQ(expected, DocumentLines(split));
    int32_t boundary = Elements<RteTextBlock>(DocumentOf(split).blocks)[0].length;
    EXPECT_LE(static_cast<int32_t>(text.size()) - boundary, RTE_MAX_BLOCK_BYTES);
    RteMarkForLayout(RteLocked<RteDocument>(split).get(), 0, static_cast<int32_t>(text.size()));
    EXPECT_EQ(expected, DocumentLines(split)) << "laid out again";
    EXPECT_EQ(boundary, Elements<RteTextBlock>(DocumentOf(split).blocks)[0].length)
        << "the boundary stays at the line start it moved to";
    for (int32_t offset : {boundary - 3, boundary, boundary + 3, 3000, 5000}) {
        RteRect inWhole, inSplit;
        RteCaretRect(whole, offset, false, false, &inWhole);
        RteCaretRect(split, offset, false, false, &inSplit);
        EXPECT_TRUE(inWhole == inSplit) << offset;
    }
    EXPECT_EQ(0, LockedHandles());
}

TEST_F(LineBuilderTest, ABlockAlreadyLaidOutIsLeftAlone)
{
    RteHandle doc = Document("aaaa bbbb", {{0, 0, 500, 25}});
    RteLayoutDocument(doc);
    RteHandle lines = Elements<RteTextBlock>(DocumentOf(doc).blocks)[0].lines;
    RteLayoutChange change;
    RteLayoutBlock(doc, 0, &change, false);
    EXPECT_EQ(-1, change.first);
    EXPECT_EQ(lines, Elements<RteTextBlock>(DocumentOf(doc).blocks)[0].lines);
}

}  // namespace

namespace {

class TabLineTest : public DocumentTest {};

TEST_F(TabLineTest, TabsEndWhereTheirStopsSay)
{
    // Stops at 50 (left) and 150 (right); letters are 5 wide.
    RteHandle doc = MakeDocument("a\tb\tcd");
    RteRect wrap{0, 0, 500, 200};
    RteSetRectList(RteWrapArea(doc), &wrap);
    RteParFormat format = {}, mask = {};
    format.tabCount = 2;
    format.tabs[0] = RteTab{RTE_TAB_LEFT, 0, 50, 0};
    format.tabs[1] = RteTab{RTE_TAB_RIGHT, 0, 150, 0};
    mask.tabCount = -1;
    for (RteTab& tab : mask.tabs)
        tab = RteTab{-1, -1, -1, -1};
    RteSetParFormat(doc, nullptr, &format, &mask, 0);
    RteLayoutDocument(doc);
    RteTextBlock block = Elements<RteTextBlock>(DocumentOf(doc).blocks)[0];
    std::vector<RteLinePiece> pieces = Elements<RteLinePiece>(block.lines);
    ASSERT_EQ(4u, pieces.size()) << "three pieces and the sentinel";
    EXPECT_EQ(0, pieces[0].rect.left);
    EXPECT_EQ(50, pieces[0].rect.right) << "the left tab ends at its stop";
    EXPECT_TRUE(pieces[0].flags & RTE_PIECE_LEFT_TAB);
    EXPECT_EQ(2, pieces[1].offset);
    EXPECT_TRUE(pieces[1].flags & RTE_PIECE_OTHER_TAB);
    EXPECT_EQ(140, pieces[1].rect.right) << "the right tab leaves room for the text before its stop";
    EXPECT_EQ(4, pieces[2].offset);
    EXPECT_EQ(150, pieces[2].rect.right);
}

}  // namespace

namespace {

using DirectionLineTest = DocumentTest;

TEST_F(DirectionLineTest, ARightToLeftParagraphsLinesAreMirrored)
{
    RteHandle doc = MakeDocument("abc de");
    RteRect wrap{0, 0, 500, 200};
    RteSetRectList(RteWrapArea(doc), &wrap);
    RteParFormat format = {}, mask = {};
    format.direction = -1;
    mask.direction = -1;
    RteSetParFormat(doc, nullptr, &format, &mask, 0);
    RteLayoutDocument(doc);
    RteTextBlock block = Elements<RteTextBlock>(DocumentOf(doc).blocks)[0];
    RteLinePiece piece = Elements<RteLinePiece>(block.lines)[0];
    EXPECT_EQ(200, piece.rect.right) << "the line starts at the right";
    EXPECT_EQ(200 - 28, piece.rect.left);
}

}  // namespace

namespace {

std::vector<std::pair<int32_t, int32_t>> g_progress;

void RecordProgress(RteHandle, int32_t, int32_t done, int32_t total) { g_progress.emplace_back(done, total); }

using ProgressLineTest = DocumentTest;

TEST_F(ProgressLineTest, LayoutsOfSeveralBlocksReportTheirProgress)
{
    env_.hooks.progress = RecordProgress;
    RteHandle doc = MakeDocument("one");
    {
        RteLocked<RteDocument> locked(doc);
        RteSetCount(locked->blocks, 3);
        RteLocked<RteTextBlock> blocks(locked->blocks);
        for (int32_t i = 1; i < 3; ++i) {
            blocks[i] = RteTextBlock{};
            blocks[i].text = RteAllocKeyedClear(locked->env->context, 1, 0, 32, locked->key);
            blocks[i].flags = RTE_BLOCK_RELAYOUT;
        }
    }
    g_progress.clear();
    RteLayoutDocument(doc);
    EXPECT_EQ((std::vector<std::pair<int32_t, int32_t>>{{0, 3}, {1, 3}, {2, 3}, {3, 3}}), g_progress);
    g_progress.clear();
    RteMarkForLayout(RteLocked<RteDocument>(doc).get(), 0, 1);
    RteLayoutBlock(doc, 0, nullptr, false);
    EXPECT_TRUE(g_progress.empty()) << "one short block laid out again is no long layout";
}

}  // namespace

namespace {

using ObstacleLineTest = DocumentTest;

TEST_F(ObstacleLineTest, ALineMeetingAnObstacleIsCutAroundIt)
{
    // Sixteen letters of 5 in a line of 200; an obstacle from 40 to 60 across the first line.
    RteHandle doc = MakeDocument("aaaaaaaaaaaaaaaa");
    RteRect wrap{0, 0, 500, 200};
    RteRect obstacle{0, 40, 5, 60};
    RteSetRectList(RteWrapArea(doc), &wrap);
    RteSetRectList(RteExtraArea(doc), &obstacle);
    RteLayoutDocument(doc);
    RteTextBlock block = Elements<RteTextBlock>(DocumentOf(doc).blocks)[0];
    std::vector<RteLinePiece> pieces = Elements<RteLinePiece>(block.lines);
    ASSERT_EQ(3u, pieces.size()) << "two segments and the sentinel";
    EXPECT_EQ(0, pieces[0].rect.left);
    EXPECT_EQ(40, pieces[0].rect.right);
    EXPECT_EQ(8, pieces[1].offset);
    EXPECT_EQ(60, pieces[1].rect.left);
    EXPECT_EQ(100, pieces[1].rect.right);
}


// The pieces of "aaaa bbbb cccc dddd eeee" in a line of 200 with an obstacle from 60 to 80, in a
// paragraph of the alignment.
std::vector<RteLinePiece> AlignedBesideObstacle(RteHandle doc, int16_t alignment)
{
    RteRect wrap{0, 0, 500, 200};
    RteRect obstacle{0, 60, 5, 80};
    RteSetRectList(RteWrapArea(doc), &wrap);
    RteSetRectList(RteExtraArea(doc), &obstacle);
    RteParFormat format = {}, mask = {};
    format.alignment = alignment;
    mask.alignment = -1;
    RteSetParFormat(doc, nullptr, &format, &mask, 0);
    RteLayoutDocument(doc);
    std::vector<RteLinePiece> pieces = Elements<RteLinePiece>(Elements<RteTextBlock>(DocumentOf(doc).blocks)[0].lines);
    pieces.pop_back();
    return pieces;
}

TEST_F(ObstacleLineTest, AlignedLinesKeepEachSegmentBesideTheObstacle)
{
    std::vector<RteLinePiece> plain = AlignedBesideObstacle(MakeDocument("aaaa bbbb cccc dddd eeee"), RTE_ALIGN_NONE);
    ASSERT_EQ(2u, plain.size());
    ASSERT_LE(plain[0].rect.right, 60);
    ASSERT_GE(plain[1].rect.left, 80);
    // Each segment is aligned in its own room: the first up to the obstacle, the second after it.
    int32_t firstSlack = 60 - plain[0].rect.right;
    int32_t secondSlack = 200 - plain[1].rect.right;
    const struct {
        int16_t alignment;
        int32_t firstShift;
        int32_t secondShift;
    } cases[] = {{RTE_ALIGN_RIGHT, firstSlack, secondSlack}, {RTE_ALIGN_CENTRE, firstSlack / 2, secondSlack / 2}};
    for (const auto& c : cases) {
        std::vector<RteLinePiece> aligned = AlignedBesideObstacle(MakeDocument("aaaa bbbb cccc dddd eeee"), c.alignment);
        ASSERT_EQ(2u, aligned.size()) << c.alignment;
        EXPECT_EQ(plain[0].rect.left + c.firstShift, aligned[0].rect.left) << c.alignment;
        EXPECT_EQ(plain[1].rect.left + c.secondShift, aligned[1].rect.left) << c.alignment;
        EXPECT_LE(aligned[0].rect.right, 60) << c.alignment;
    }
}

}  // namespace

namespace {

class LineHeightTest : public LineBuilderTest {
protected:
    // The height of the lines of "aaaa bbbb" in 18-point text, two lines of it, with the
    // paragraph's minimum and exact line heights.
    std::vector<int32_t> Heights(int32_t minimum, int32_t exact, uint32_t docFlags = 0)
    {
        RteHandle doc = Document("aaaa bbbb", {{0, 0, 500, 30}});
        if (docFlags)
            RteSetDocFlags(doc, RteGetDocFlags(doc) | docFlags);
        RteCharStyle style = {}, styleMask;
        RteClearCharStyle(&styleMask, 0);
        style.pointSize = 18 << 16;
        styleMask.pointSize = -1;
        RteRange all = {0, 9};
        RteSetCharStyle(doc, &all, &style, &styleMask, 0);
        RteParFormat format = {}, mask = {};
        format.units140to141[RTE_PAR_MINIMUM_LINE_HEIGHT] = minimum;
        format.units140to141[RTE_PAR_EXACT_LINE_HEIGHT] = exact;
        mask.units140to141[0] = mask.units140to141[1] = -1;
        RteSetParFormat(doc, nullptr, &format, &mask, 0);
        RteLayoutDocument(doc);
        std::vector<int32_t> heights;
        for (const RteLinePiece& piece : Pieces(doc))
            heights.push_back(piece.rect.bottom - piece.rect.top);
        RteDocDestroy(doc);
        return heights;
    }
};

TEST_F(LineHeightTest, MinimumExactAndFixedLineHeights)
{
    int32_t natural = Heights(0, 0).at(0);
    ASSERT_GT(natural, 12);
    ASSERT_LT(natural, 40);
    const struct {
        int32_t minimum;
        int32_t exact;
        uint32_t docFlags;
        int32_t height;
    } cases[] = {{40, 0, 0, 40},       // a minimum above the text's height raises every line
                 {natural - 1, 0, 0, natural},  // one below it changes nothing
                 {0, 12, 0, 12},       // an exact height shrinks lines taller than it
                 {0, 40, 0, 40},       // and raises lower ones
                 {40, 12, 0, 40},      // the minimum first
                 {0, 0, RTE_DOC_FIXED_LINE_HEIGHT, LineHeight()}};  // the first style's height
    for (const auto& c : cases) {
        std::vector<int32_t> heights = Heights(c.minimum, c.exact, c.docFlags);
        EXPECT_EQ(std::vector<int32_t>(2, c.height), heights) << c.minimum << " " << c.exact << " " << c.docFlags;
    }
}

}  // namespace

namespace {

std::vector<intptr_t> g_postLayoutModes;

intptr_t NotePostLayout(RteHandle, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t mode)
{
    g_postLayoutModes.push_back(mode);
    return 0;
}

TEST_F(LineBuilderTest, ABlockOfHiddenTextHasOneLineThatTakesNoRoom)
{
    RteHandle doc = Document("aaaa bbbb\rcccc", {{10, 20, 500, 45}});
    HideText(doc, 0, 14);
    RteLocked<RteDocument>(doc)->hooks.postLayout = NotePostLayout;
    g_postLayoutModes.clear();
    RteLayoutDocument(doc);
    std::vector<RteLinePiece> pieces = Pieces(doc);
    ASSERT_EQ(1u, pieces.size());
    EXPECT_EQ((RteRect{10, 20, 10, 20}), pieces[0].rect);
    EXPECT_EQ(RTE_PIECE_LINE_FIRST | RTE_PIECE_LINE_LAST | RTE_PIECE_HIDDEN | RTE_PIECE_PAR_FIRST, pieces[0].flags);
    RteTextBlock block = Elements<RteTextBlock>(DocumentOf(doc).blocks)[0];
    EXPECT_EQ((RteRect{10, 20, 10, 20}), block.bounds);
    EXPECT_TRUE(block.flags & RTE_BLOCK_NO_VISIBLE_LINES);
    EXPECT_EQ(std::vector<intptr_t>{1}, g_postLayoutModes) << "reported as a block without lines";
    // Shown again, the text has its lines back.
    RteSetDocFlags(doc, RteGetDocFlags(doc) & ~RTE_DOC_HIDDEN_TEXT);
    RteLayoutDocument(doc);
    EXPECT_EQ((std::vector<int32_t>{0, 5, 10}), LineStarts(Pieces(doc)));
    EXPECT_FALSE(Elements<RteTextBlock>(DocumentOf(doc).blocks)[0].flags & RTE_BLOCK_NO_VISIBLE_LINES);
}

}  // namespace
