// Container and page breaks of built lines, with the GDI device's character types.
#include <gtest/gtest.h>

#include "document_fixture.h"
#include "gdi_document_fixture.h"
#include "rect_list.h"
#include "rte_areas.h"
#include "rte_gdi.h"
#include "rte_line_builder.h"
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

}  // namespace
