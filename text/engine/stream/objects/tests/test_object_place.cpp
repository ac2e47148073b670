// Objects in laid-out text under the null device (letters 5 wide, blanks 3): inserted in place
// of the selection, shared when equal, measured as their width, found at points and resized.
#include <gtest/gtest.h>

#include "object_fixture.h"
#include "rect_list.h"
#include "rte_object_batch.h"
#include "rte_object_place.h"
#include "rte_object_queries.h"
#include "rte_position_queries.h"
#include "rte_selection.h"
#include "rte_text_blocks.h"
#include "style_checks.h"

namespace {

class ObjectPlaceTest : public ObjectStreamTest {
protected:
    RteHandle Document(const std::string& text)
    {
        RteHandle doc = MakeDocument(text);
        RteRect wrap{0, 0, 500, 400};
        RteSetRectList(RteWrapArea(doc), &wrap);
        RteSetRectList(RteViewArea(doc), &wrap);
        return doc;
    }

    // A frame of 40 x 20 whose descent is 5 pixels (insets of 1 all round: the size came
    // from its rect).
    RteHandle Frame(uint32_t flags = 0)
    {
        RteRect rect{0, 0, 20, 40};
        return RteNewObjectRecord(&context_, RTE_KIND_FRAME | flags, &rect, -(5 << 16));
    }

    static RteRect Caret(RteHandle doc, int32_t offset)
    {
        RteRect rect;
        RteCaretRect(doc, offset, true, false, &rect);
        return rect;
    }

    static std::pair<int32_t, int32_t> Selection(RteHandle doc)
    {
        int32_t start = 0, end = 0;
        RteGetSelection(doc, &start, &end);
        return {start, end};
    }

    static std::string Text(RteHandle doc)
    {
        std::string text;
        for (const RteTextBlock& block : Elements<RteTextBlock>(DocumentOf(doc).blocks))
            text.append(RteLocked<char>(block.text).get(), static_cast<size_t>(block.length));
        return text;
    }
};

static std::vector<int32_t> g_codes;

intptr_t NoteCodes(RteHandle, RteHandle, intptr_t, int32_t message, intptr_t, intptr_t, int32_t)
{
    g_codes.push_back(message);
    return 0;
}

TEST_F(ObjectPlaceTest, AnObjectInsertedOverASelectionReplacesItWithTwoCharactersCarryingIt)
{
    RteHandle doc = Document("ab cd");
    RteSetSelection(doc, 1, 4, 0, 0);
    RteHandle object = Frame();
    EXPECT_EQ(3, RteInsertObject(doc, object, -1, nullptr, 0, 0));
    EXPECT_EQ("a[]d", Text(doc));
    int32_t offset = 0, style = 0;
    EXPECT_EQ(object, RteNthObject(doc, nullptr, 1, &offset, &style));
    EXPECT_EQ(1, offset);
    EXPECT_EQ(std::make_pair(3, 3), Selection(doc)) << "the caret after the object";
    EXPECT_EQ(nullptr, RteNthObject(doc, nullptr, 0, &offset, &style));
    EXPECT_EQ("", RunProblems(doc));
    EXPECT_EQ(0, LockedHandles());
}

TEST_F(ObjectPlaceTest, AnEqualShareableObjectIsNotAddedAgainAndCountsOneMoreUse)
{
    RteHandle doc = Document("ab cd");
    RteHandle first = Frame(RTE_OBJECT_SHAREABLE);
    RteInsertObject(doc, first, 0, nullptr, 0, 0);
    EXPECT_EQ(1, RteLocked<RteObject>(first)->useCount);
    RteInsertObject(doc, Frame(RTE_OBJECT_SHAREABLE), 6, nullptr, 0, 0);
    EXPECT_EQ("[]ab c[]d", Text(doc));
    EXPECT_EQ(2, RteCountObjects(doc, nullptr));
    int32_t offset = 0, style = 0;
    EXPECT_EQ(first, RteNthObject(doc, nullptr, 2, &offset, &style)) << "the second place holds the first object";
    EXPECT_EQ(2, RteLocked<RteObject>(first)->useCount);

    RteHandle other = Frame(RTE_OBJECT_SHAREABLE);
    RteLocked<RteObject>(other)->width = 41;
    RteInsertObject(doc, other, 0, nullptr, 0, 0);
    EXPECT_EQ(other, RteNthObject(doc, nullptr, 1, &offset, &style)) << "another size: an object of its own";
}

TEST_F(ObjectPlaceTest, AnObjectTakesItsWidthAndItsInsetsOnItsLine)
{
    RteHandle doc = Document("ab cd");
    RteInsertObject(doc, Frame(), 2, nullptr, 0, 0);
    RteRect before = Caret(doc, 2), after = Caret(doc, 4);
    EXPECT_EQ(42, after.left - before.left) << "40 and an inset of 1 on each side";

    RteRect rect;
    int32_t descent = 0;
    RtePoint origin;
    ASSERT_EQ(2, RteObjectRect(doc, 1, nullptr, &rect, &descent, &origin));
    EXPECT_EQ(before.left + 1, rect.left);
    EXPECT_EQ(40, rect.right - rect.left);
    EXPECT_EQ(20, rect.bottom - rect.top);
    EXPECT_EQ(5, descent);
    int32_t below = RteCaretRect(doc, 2, true, false, &before);
    EXPECT_EQ(before.bottom - below + 5, rect.bottom) << "its descent below the baseline";
    EXPECT_EQ(-1, RteObjectRect(doc, 2, nullptr, &rect, &descent, &origin));
}

TEST_F(ObjectPlaceTest, APointInsideAnObjectFindsItAndAClickTellsItsCallback)
{
    RteHandle doc = Document("ab cd");
    RteHandle object = Frame();
    RteInsertObject(doc, object, 2, NoteCodes, 0, 0);
    RteRect rect;
    int32_t descent = 0;
    RtePoint origin;
    RteObjectRect(doc, 1, nullptr, &rect, &descent, &origin);
    struct Case {
        RtePoint point;
        bool found;
    } cases[] = {
        {{(rect.top + rect.bottom) / 2, (rect.left + rect.right) / 2}, true},
        {{rect.top, rect.left}, true},
        {{rect.bottom - 1, rect.right - 1}, true},
        {{(rect.top + rect.bottom) / 2, rect.right + 3}, false},  // on the blank after it
        {{(rect.top + rect.bottom) / 2, 2}, false},               // on the "a"
    };
    for (const Case& c : cases) {
        g_codes.clear();
        int32_t offset = -1;
        RteCharStyle style;
        RteHandle found = RteObjectAtPoint(doc, &c.point, &offset, &style, true);
        EXPECT_EQ(c.found ? object : nullptr, found) << c.point.v << "," << c.point.h;
        if (c.found) {
            EXPECT_EQ(2, offset);
            EXPECT_EQ(std::vector<int32_t>{RTE_OBJECT_CLICKED}, g_codes);
        } else {
            EXPECT_TRUE(g_codes.empty());
        }
    }
}

TEST_F(ObjectPlaceTest, AResizedObjectIsLaidOutAgainAndItsOwnSizeChangesNothing)
{
    RteHandle doc = Document("ab cd");
    RteHandle object = Frame();
    RteInsertObject(doc, object, 2, nullptr, 0, 0);
    RteRect same{0, 0, 20, 40};
    EXPECT_EQ(0, RteSetObjectSize(doc, 1, nullptr, &same, 5, 1));
    RteRect larger{0, 0, 30, 60};
    EXPECT_EQ(1, RteSetObjectSize(doc, 1, nullptr, &larger, 8, 0));
    EXPECT_EQ(62, Caret(doc, 4).left - Caret(doc, 2).left);
    int32_t offset = 0, style = 0;
    RteNthObject(doc, nullptr, 1, &offset, &style);
    RteCharStyle record = Elements<RteCharStyle>(DocumentOf(doc).charStyles)[static_cast<size_t>(style)];
    EXPECT_EQ(22, record.ascent);
    EXPECT_EQ(8, record.descent);
    EXPECT_EQ(0, LockedHandles());
}

}  // namespace
