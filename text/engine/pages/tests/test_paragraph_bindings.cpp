// Paragraphs bound to rects of the extra area: found, replaced and removed, following the text
// through edits, and moving their rect to the paragraph's top when laid out.
#include <gtest/gtest.h>

#include <string>

#include "document_fixture.h"
#include "rect_list.h"
#include "rte_editing.h"
#include "rte_line_builder.h"
#include "rte_pages.h"
#include "rte_paragraph_bindings.h"

namespace {

class BindingTest : public DocumentTest {
protected:
    // Three paragraphs of 12-pixel lines in a wrap area 200 wide, beside one extra-area rect on
    // the right, far below the text.
    RteHandle Document()
    {
        RteHandle doc = MakeDocument("one\rtwo\rthree");
        RteRect wrap{0, 0, 100000, 200};
        RteSetRectList(RteWrapArea(doc), &wrap);
        RteRect obstacle{500, 150, 505, 200};
        RteSetRectList(RteExtraArea(doc), &obstacle);
        return doc;
    }

    static RteRect ExtraRect(RteHandle doc)
    {
        RteRect rect{};
        RteRectListFirst(RteExtraArea(doc), &rect);
        return rect;
    }

    static void Insert(RteHandle doc, const std::string& text, int32_t offset)
    {
        RteInsertText(doc, reinterpret_cast<const uint8_t*>(text.data()), static_cast<int32_t>(text.size()), offset,
                      RTE_KEYS_NONE, 0, 0);
    }
};

TEST_F(BindingTest, AParagraphIsBoundFromAnyOfItsOffsetsOnceAtATime)
{
    RteHandle doc = Document();
    EXPECT_EQ(-1, RteBoundParagraph(doc, 1));
    RteBindParagraph(doc, 6, 1, 0);
    EXPECT_EQ(4, RteBoundParagraph(doc, 1)) << "the paragraph's start";
    RteBindParagraph(doc, 5, 2, 0);
    EXPECT_EQ(-1, RteBoundParagraph(doc, 1)) << "a paragraph has one binding";
    EXPECT_EQ(4, RteBoundParagraph(doc, 2));
    RteBindParagraph(doc, 0, 2, 0);
    EXPECT_EQ(0, RteBoundParagraph(doc, 2)) << "the first paragraph bound to the rect";
    RteBindParagraph(doc, 0, 0, 0);
    RteBindParagraph(doc, 4, 0, 0);
    EXPECT_EQ(-1, RteBoundParagraph(doc, 2));
}

TEST_F(BindingTest, BindingsFollowTheTextAndGoWithTheirParagraphsStart)
{
    RteHandle doc = Document();
    RteBindParagraph(doc, 4, 1, 0);
    Insert(doc, "zero\r", 0);
    EXPECT_EQ(9, RteBoundParagraph(doc, 1));
    RteRange before = {0, 5};
    RteDeleteRange(doc, &before, 0);
    EXPECT_EQ(4, RteBoundParagraph(doc, 1));
    RteRange start = {3, 5};
    RteDeleteRange(doc, &start, 0);
    EXPECT_EQ(-1, RteBoundParagraph(doc, 1)) << "deleted with the paragraph's start";
}

TEST_F(BindingTest, ABoundRectMovesToItsParagraphsTop)
{
    RteHandle doc = Document();
    RteBindParagraph(doc, 8, 1, 0);
    RteLayoutDocument(doc);
    EXPECT_EQ(RteLineTopAt(doc, 8), ExtraRect(doc).top);
    EXPECT_EQ(24, ExtraRect(doc).top);
    EXPECT_EQ(5, ExtraRect(doc).bottom - ExtraRect(doc).top) << "moved, not stretched";
    Insert(doc, "zero\r", 0);
    RteLayoutDocument(doc);
    EXPECT_EQ(36, ExtraRect(doc).top) << "one line lower with the paragraph";
}

}  // namespace
