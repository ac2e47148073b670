// Container and page breaks of built lines, with the GDI device's character types: inside a
// block, and at a block's end, where the next block starts the next container or, when the last
// container is used up, finds none.
#include <gtest/gtest.h>

#include "block_text.h"
#include "document_fixture.h"
#include "gdi_document_fixture.h"
#include "rect_list.h"
#include "rte_areas.h"
#include "rte_gdi.h"
#include "rte_line_builder.h"
#include "rte_paragraph_hooks.h"
#include "rte_text_blocks.h"

namespace {

class BreakLineTest : public GdiDocumentTest {
protected:
    // The containers of the lines of "one<break>two" in two tall columns.
    std::vector<int32_t> Containers(uint8_t breakChar, uint32_t layoutFlags)
    {
        std::string text = std::string("one") + static_cast<char>(breakChar) + "two";
        RteHandle doc = MakeDocument(text);
        RteRect first{0, 0, 500, 200}, second{0, 300, 500, 500};
        RteSetRectList(RteWrapArea(doc), &first);
        RteAddRectToList(RteWrapArea(doc), &second);
        RteLocked<RteDocument>(doc)->layoutFlags |= layoutFlags;
        RteLayoutDocument(doc);
        RteTextBlock block = Elements<RteTextBlock>(DocumentOf(doc).blocks)[0];
        std::vector<int32_t> containers;
        for (const RteLinePiece& piece : Elements<RteLinePiece>(block.lines))
            if (piece.flags != RTE_PIECE_SENTINEL && (piece.flags & RTE_PIECE_LINE_FIRST))
                containers.push_back(piece.container);
        RteDocDestroy(doc);
        return containers;
    }
};

TEST_F(BreakLineTest, BreaksStartTheNextContainerOnlyWhenBreaksAreOn)
{
    EXPECT_EQ((std::vector<int32_t>{1, 2}), Containers(RTE_CHAR_PAGE_BREAK, RTE_LAYOUT_KEEP_LAST_HEIGHT));
    EXPECT_EQ((std::vector<int32_t>{1, 2}), Containers(RTE_CHAR_CONTAINER_BREAK, RTE_LAYOUT_KEEP_LAST_HEIGHT));
    EXPECT_EQ((std::vector<int32_t>{1, 1}), Containers(RTE_CHAR_PAGE_BREAK, 0)) << "the line ends, the container stays";
    EXPECT_EQ((std::vector<int32_t>{1}), Containers('x', RTE_LAYOUT_KEEP_LAST_HEIGHT));
}

std::vector<intptr_t> g_modes;

// The default post-layout rules, the mode each block reports noted first.
intptr_t RecordMode(RteHandle doc, intptr_t block, intptr_t change, intptr_t from, intptr_t to, intptr_t mode)
{
    g_modes.push_back(mode);
    return RteDefaultPostLayout(doc, block, change, from, to, mode);
}

class BlockBreakTest : public GdiDocumentTest {
protected:
    // "one<page break>" | "two" | "three" in blocks of their own, in the columns given, the last
    // container keeping its height; the post-layout modes recorded.
    RteHandle Document(const std::vector<RteRect>& columns)
    {
        RteHandle doc = MakeDocument();
        SetBlocks(doc, {std::string("one") + static_cast<char>(RTE_CHAR_PAGE_BREAK), "two", "three"});
        RteSetRectList(RteWrapArea(doc), &columns[0]);
        for (size_t i = 1; i < columns.size(); ++i)
            RteAddRectToList(RteWrapArea(doc), &columns[i]);
        RteLocked<RteDocument> locked(doc);
        locked->layoutFlags |= RTE_LAYOUT_KEEP_LAST_HEIGHT;
        locked->flags2 |= RTE_DOC2_COUNT_OVERFLOW;
        locked->hooks.postLayout = RecordMode;
        g_modes.clear();
        return doc;
    }

    static RteTextBlock Block(RteHandle doc, size_t index) { return Elements<RteTextBlock>(DocumentOf(doc).blocks)[index]; }

    static std::vector<RteLinePiece> Lines(RteHandle doc, size_t index)
    {
        std::vector<RteLinePiece> pieces = Elements<RteLinePiece>(Block(doc, index).lines);
        pieces.pop_back();
        return pieces;
    }
};

TEST_F(BlockBreakTest, ABreakEndingABlockSendsTheNextBlockToTheNextContainer)
{
    RteHandle doc = Document({{0, 0, 500, 200}, {0, 300, 500, 500}});
    RteLayoutDocument(doc);
    std::vector<RteLinePiece> second = Lines(doc, 1);
    ASSERT_EQ(1u, second.size());
    EXPECT_EQ(2, second[0].container);
    EXPECT_EQ(0, second[0].rect.top) << "at the top of the next container";
    EXPECT_EQ(300, second[0].rect.left);
    EXPECT_EQ(second[0].rect.bottom, Lines(doc, 2)[0].rect.top) << "the block after follows it there";
    EXPECT_EQ((std::vector<intptr_t>{5, 5, 5}), g_modes);
}

TEST_F(BlockBreakTest, BlocksFindNoContainerOnceTheLastIsUsedUp)
{
    RteHandle doc = Document({{0, 0, 500, 200}});
    RteLayoutDocument(doc);
    EXPECT_EQ(0u, Block(doc, 0).flags & RTE_BLOCK_DID_NOT_FIT);
    for (size_t i = 1; i < 3; ++i) {
        RteTextBlock block = Block(doc, i);
        EXPECT_TRUE(block.flags & RTE_BLOCK_DID_NOT_FIT) << i;
        std::vector<RteLinePiece> lines = Lines(doc, i);
        ASSERT_EQ(1u, lines.size()) << i;
        EXPECT_EQ((RteRect{501, 0, 501, 0}), lines[0].rect) << i << ": one collapsed line just below the wrap bounds";
        EXPECT_TRUE(lines[0].flags & RTE_PIECE_HIDDEN) << i << ": not drawn";
        EXPECT_EQ(1, lines[0].container) << i;
        EXPECT_EQ(lines[0].rect, block.bounds) << i;
    }
    EXPECT_EQ((std::vector<intptr_t>{5, 3, 3}), g_modes);
    EXPECT_EQ(500, RteRectIterator(RteWrapArea(doc)).Bounds().bottom) << "the container keeps its height";
    EXPECT_EQ(8, DocumentOf(doc).overflow) << "the characters of the two blocks do not fit";

    // Without breaks the text runs on below the container, and the blocks are laid out again.
    RteLocked<RteDocument>(doc)->layoutFlags &= ~RTE_LAYOUT_KEEP_LAST_HEIGHT;
    RteMarkForLayout(RteLocked<RteDocument>(doc).get(), 0, DocumentOf(doc).textLength);
    g_modes.clear();
    RteLayoutDocument(doc);
    EXPECT_EQ((std::vector<intptr_t>{5, 5, 5}), g_modes);
    for (size_t i = 1; i < 3; ++i) {
        EXPECT_EQ(0u, Block(doc, i).flags & RTE_BLOCK_DID_NOT_FIT) << i;
        EXPECT_EQ(Lines(doc, i - 1).back().rect.bottom, Lines(doc, i)[0].rect.top) << i;
        EXPECT_FALSE(Lines(doc, i)[0].flags & RTE_PIECE_HIDDEN) << i;
    }
}

}  // namespace
