// The extra area's rects: counted, read, found at points, inserted, deleted, replaced and
// swapped with their values; paragraphs bound to them, found, replaced and removed, following
// the text through edits and the numbers of their rects, and moving their rect to the
// paragraph's top when laid out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document_fixture.h"
#include "rect_list.h"
#include "rte_editing.h"
#include "rte_extra_rects.h"
#include "rte_line_builder.h"
#include "rte_pages.h"
#include "rte_paragraph_bindings.h"
#include "rte_text_blocks.h"

namespace {

class ExtraRectTest : public DocumentTest {
protected:
    // Text in a wrap area 200 wide, laid out, with an empty extra area.
    RteHandle Document()
    {
        RteHandle doc = MakeDocument("one\rtwo\rthree");
        RteRect wrap{0, 0, 100000, 200};
        RteSetRectList(RteWrapArea(doc), &wrap);
        RteLayoutDocument(doc);
        return doc;
    }

    // Rects n at (10n, 150), 5 high, with the values 100n.
    static void Fill(RteHandle doc, int32_t count)
    {
        for (int32_t n = 1; n <= count; ++n) {
            RteRect rect{10 * n, 150, 10 * n + 5, 200};
            RteInsertExtraRect(doc, &rect, n - 1, 100 * n, 0);
        }
    }

    static std::vector<int32_t> Tops(RteHandle doc)
    {
        std::vector<int32_t> tops;
        for (int32_t n = 1; n <= RteExtraRectCount(doc); ++n) {
            RteRect rect{};
            RteGetExtraRect(doc, n, false, false, &rect);
            tops.push_back(rect.top);
        }
        return tops;
    }

    static std::vector<int32_t> Values(RteHandle doc)
    {
        std::vector<int32_t> values;
        for (int32_t n = 1; n <= RteExtraRectCount(doc); ++n)
            values.push_back(RteGetExtraValue(doc, n));
        return values;
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

    static bool LaidOut(RteHandle doc)
    {
        return !(Elements<RteTextBlock>(DocumentOf(doc).blocks)[0].flags & RTE_BLOCK_RELAYOUT);
    }
};

TEST_F(ExtraRectTest, RectsGoInAfterTheirNumberWithTheirValues)
{
    RteHandle doc = Document();
    EXPECT_EQ(0, RteExtraRectCount(doc));
    EXPECT_EQ(0, RteGetExtraValue(doc, 1)) << "no rect, no value";
    Fill(doc, 2);
    EXPECT_EQ((std::vector<int32_t>{10, 20}), Tops(doc));
    RteRect between{15, 150, 17, 200};
    RteInsertExtraRect(doc, &between, 1, 7, 0);
    EXPECT_EQ((std::vector<int32_t>{10, 15, 20}), Tops(doc));
    EXPECT_EQ((std::vector<int32_t>{100, 7, 200}), Values(doc));
    RteRect bounds{};
    RteGetExtraRect(doc, 0, false, false, &bounds);
    EXPECT_EQ((RteRect{10, 150, 25, 200}), bounds);
    EXPECT_FALSE(LaidOut(doc)) << "the text is laid out again";
    RteSetExtraValue(doc, 2, 8);
    EXPECT_EQ(8, RteGetExtraValue(doc, 2));
}

TEST_F(ExtraRectTest, BindingsFollowTheNumbersOfTheirRects)
{
    RteHandle doc = Document();
    Fill(doc, 3);
    RteBindParagraph(doc, 4, 3, 0);
    RteBindParagraph(doc, 8, 2, 0);
    RteRect rect{50, 150, 55, 200};
    RteInsertExtraRect(doc, &rect, 2, 0, 0);
    EXPECT_EQ(4, RteBoundParagraph(doc, 4)) << "bound to 3, now 4";
    EXPECT_EQ(8, RteBoundParagraph(doc, 2)) << "rects up to the place keep their numbers";
    RteDeleteExtraRect(doc, 2, 0);
    EXPECT_EQ(-1, RteBoundParagraph(doc, 2)) << "deleted with its rect";
    EXPECT_EQ(4, RteBoundParagraph(doc, 3)) << "down one";
}

TEST_F(ExtraRectTest, DeletingTheOnlyRectEmptiesTheAreaAndItsValues)
{
    RteHandle doc = Document();
    Fill(doc, 1);
    RteLayoutDocument(doc);
    ASSERT_TRUE(LaidOut(doc));
    RteDeleteExtraRect(doc, 1, 0);
    EXPECT_EQ(0, RteExtraRectCount(doc));
    EXPECT_TRUE(RteEmptyRectList(RteExtraArea(doc)));
    EXPECT_TRUE(Values(doc).empty());
    EXPECT_FALSE(LaidOut(doc)) << "the whole text is laid out again";
    RteDeleteExtraRect(doc, 1, 0);
    EXPECT_EQ(0, RteExtraRectCount(doc)) << "nothing left to delete";
}

TEST_F(ExtraRectTest, RectsAreReplacedAndSwappedWithTheirValues)
{
    RteHandle doc = Document();
    Fill(doc, 2);
    RteSwapExtraRects(doc, 1, 2, 0);
    EXPECT_EQ((std::vector<int32_t>{20, 10}), Tops(doc));
    EXPECT_EQ((std::vector<int32_t>{200, 100}), Values(doc));
    RteRect rect{40, 150, 45, 200};
    RteReplaceExtraRect(doc, &rect, 2, 0);
    EXPECT_EQ((std::vector<int32_t>{20, 40}), Tops(doc));
    EXPECT_EQ((std::vector<int32_t>{200, 100}), Values(doc)) << "the value stays with its number";
}

TEST_F(ExtraRectTest, TheRectAtAPointOfTheWindow)
{
    RteHandle doc = Document();
    RtePoint point{21, 160};
    int32_t number = -1;
    EXPECT_EQ(0, RteExtraRectAtPoint(doc, &point, &number)) << "an empty area";
    EXPECT_EQ(0, number);
    Fill(doc, 2);
    EXPECT_EQ(2, RteExtraRectAtPoint(doc, &point, &number));
    EXPECT_EQ(2, number);
    RteLocked<RteDocument>(doc)->scroll = RtePoint{10, 0};
    EXPECT_EQ(0, RteExtraRectAtPoint(doc, &point, nullptr)) << "the scroll moves the text under the point";
    RteRect rect{};
    RteGetExtraRect(doc, 1, true, false, &rect);
    EXPECT_EQ(0, rect.top) << "in the window, less the scroll";
}

TEST_F(ExtraRectTest, AListOfRectsGoesInWholeWithValuesOfZero)
{
    RteHandle doc = Document();
    Fill(doc, 1);
    RteRect first{30, 150, 35, 200};
    RteRect second{40, 150, 45, 200};
    RteRectList list = RteNewRectList(RteHandleContext(doc), &first);
    RteAddRectToList(list, &second);
    RteBindParagraph(doc, 0, 1, 0);
    RteInsertExtraRects(doc, 0, list, 0);
    RteFreeRectList(list);
    EXPECT_EQ((std::vector<int32_t>{30, 40, 10}), Tops(doc));
    EXPECT_EQ((std::vector<int32_t>{0, 0, 100}), Values(doc));
    EXPECT_EQ(0, RteBoundParagraph(doc, 3)) << "up by the count";
}

TEST_F(ExtraRectTest, AParagraphIsBoundFromAnyOfItsOffsetsOnceAtATime)
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

TEST_F(ExtraRectTest, BindingsFollowTheTextAndGoWithTheirParagraphsStart)
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

TEST_F(ExtraRectTest, ABoundRectMovesToItsParagraphsTop)
{
    RteHandle doc = Document();
    RteRect obstacle{500, 150, 505, 200};
    RteInsertExtraRect(doc, &obstacle, 0, 0, 0);
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
