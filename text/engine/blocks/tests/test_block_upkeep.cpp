// Split points of over-long blocks and the balancing of a document's blocks.
#include <gtest/gtest.h>

#include "block_text.h"
#include "document_fixture.h"
#include "rte_block_upkeep.h"
#include "style_checks.h"

namespace {

using BlockUpkeepTest = DocumentTest;

// Text of a length with given characters at given places, letters elsewhere.
std::string TextWith(size_t length, const std::vector<std::pair<size_t, char>>& marks)
{
    std::string text(length, 'a');
    for (auto [at, c] : marks)
        text[at] = c;
    return text;
}

TEST_F(BlockUpkeepTest, SplitPointPrefersParagraphEndsNearTheMiddleThenWordBreaks)
{
    // 4097 bytes: q = 1024, e = 512; the first windows cover [1536, 3072), the second [1024, 3072).
    struct Case {
        const char* what;
        std::vector<std::pair<size_t, char>> marks;
        int32_t split;
    };
    const Case cases[] = {
        {"a paragraph end in the narrow window", {{2000, '\r'}, {1600, ' '}}, 2001},
        {"the first of two", {{1700, '\r'}, {2000, '\r'}}, 1701},
        {"the narrow window first", {{1100, '\r'}, {2000, '\r'}}, 2001},
        {"a paragraph end only in the wide window", {{1100, '\r'}, {1600, ' '}}, 1101},
        {"a word break when no paragraph end", {{1600, ' '}, {3500, '\r'}}, 1601},
        {"a blank before the narrow window is no break", {{1100, ' '}, {3100, ' '}}, 2048},
        {"the middle when nothing is found", {}, 2048},
    };
    for (const Case& c : cases) {
        RteHandle doc = MakeDocument(TextWith(4097, c.marks));
        EXPECT_EQ(c.split, RteDefaultSplitPoint(doc, 0)) << c.what;
        EXPECT_EQ(0, LockedHandles()) << c.what;
        RteDocDestroy(doc);
    }
}

TEST_F(BlockUpkeepTest, NoSplitInABlockTooShortToPart)
{
    RteHandle doc = MakeDocument("a");
    EXPECT_EQ(0, RteDefaultSplitPoint(doc, 0));
}

TEST_F(BlockUpkeepTest, FindBreakLooksOnlyInItsWindow)
{
    RteHandle doc = MakeDocument("ab cd\ref gh");
    RteStyleWalk walker;
    RteStyleWalkBegin(doc, 0, &walker, false);
    EXPECT_EQ(3, RteFindBreakIn(doc, 0, &walker, 0, 11, RTE_CLASS_WORD_BREAK));
    EXPECT_EQ(6, RteFindBreakIn(doc, 0, &walker, 3, 8, RTE_CLASS_WORD_BREAK));
    EXPECT_EQ(6, RteFindBreakIn(doc, 0, &walker, 0, 11, RTE_CLASS_PARAGRAPH));
    EXPECT_EQ(0, RteFindBreakIn(doc, 0, &walker, 0, 5, RTE_CLASS_PARAGRAPH));
    EXPECT_EQ(0, RteFindBreakIn(doc, 0, &walker, 9, 40, RTE_CLASS_PARAGRAPH));
    RteStyleWalkEnd(doc, false);
}

TEST_F(BlockUpkeepTest, ABlockOfTheMaximumStaysAndOneByteMoreSplits)
{
    std::string full = TextWith(4096, {{2000, ' '}});
    RteHandle doc = MakeDocument(full);
    EXPECT_EQ(0, RteBalanceTextBlocks(doc));
    EXPECT_EQ(std::vector<int32_t>{4096}, BlockLengths(doc));

    std::string over = TextWith(4097, {{2000, ' '}});
    RteHandle longer = MakeDocument(over);
    EXPECT_EQ(1, RteBalanceTextBlocks(longer));
    EXPECT_EQ((std::vector<int32_t>{2001, 2096}), BlockLengths(longer));
    EXPECT_EQ(over, DocumentText(longer));
    RteDocument record = DocumentOf(longer);
    RteLocked<RteTextBlock> blocks(record.blocks);
    EXPECT_TRUE(blocks[0].flags & RTE_BLOCK_RELAYOUT);
    EXPECT_TRUE(blocks[1].flags & RTE_BLOCK_RELAYOUT);
}

TEST_F(BlockUpkeepTest, AVeryLongBlockSplitsUntilEveryPartFits)
{
    std::string text;
    for (int i = 0; i < 1500; ++i)
        text += "word ";
    RteHandle doc = MakeDocument(text);
    EXPECT_EQ(1, RteBalanceTextBlocks(doc));
    std::vector<int32_t> lengths = BlockLengths(doc);
    EXPECT_GT(lengths.size(), 1u);
    for (int32_t length : lengths)
        EXPECT_LE(length, RTE_MAX_BLOCK_BYTES);
    EXPECT_EQ(text, DocumentText(doc));
    EXPECT_EQ(0, RteBalanceTextBlocks(doc)) << "balanced blocks stay as they are";
}

TEST_F(BlockUpkeepTest, EmptyAndFlaggedBlocksGoIntoTheirNext)
{
    RteHandle doc = MakeDocument();
    SetBlocks(doc, {"one ", "two ", "", "three", ""});
    {
        RteDocument record = DocumentOf(doc);
        RteLocked<RteTextBlock> blocks(record.blocks);
        blocks[0].flags |= RTE_BLOCK_MERGE_NEXT;
        blocks[0].bounds = RteRect{0, 0, 10, 100};
        blocks[1].bounds = RteRect{10, 0, 20, 100};
        blocks[3].flags = 0;
    }
    EXPECT_EQ(1, RteBalanceTextBlocks(doc));
    EXPECT_EQ((std::vector<int32_t>{8, 5}), BlockLengths(doc));
    EXPECT_EQ("one two three", DocumentText(doc));
    RteDocument record = DocumentOf(doc);
    RteLocked<RteTextBlock> blocks(record.blocks);
    EXPECT_EQ(0, blocks[0].bounds.top);
    EXPECT_EQ(20, blocks[0].bounds.bottom);
    EXPECT_TRUE(blocks[0].flags & RTE_BLOCK_RELAYOUT);
    EXPECT_FALSE(blocks[1].flags & RTE_BLOCK_RELAYOUT) << "a block nothing merged into keeps its lines";
    RteLocked<RteSelectPoint> points(record.selection);
    EXPECT_TRUE(points[0].flags & RTE_SELECT_RECOMPUTE);
}

TEST_F(BlockUpkeepTest, TheOnlyBlockStaysEvenEmpty)
{
    RteHandle doc = MakeDocument();
    EXPECT_EQ(0, RteBalanceTextBlocks(doc));
    EXPECT_EQ(std::vector<int32_t>{0}, BlockLengths(doc));
}

TEST_F(BlockUpkeepTest, DocumentsSplitThroughTheirHook)
{
    RteHandle doc = MakeDocument(TextWith(5000, {{2500, ' '}}));
    RteHookTable hooks;
    RteGetDocHooks(doc, &hooks);
    hooks.splitPoint = [](RteHandle, int32_t) { return int32_t{100}; };
    RteSetDocHooks(doc, &hooks, false);
    EXPECT_EQ(1, RteBalanceTextBlocks(doc));
    std::vector<int32_t> expected(10, 100);
    expected.push_back(4000);
    EXPECT_EQ(expected, BlockLengths(doc)) << "each part over the maximum is split again";
}

}  // namespace
