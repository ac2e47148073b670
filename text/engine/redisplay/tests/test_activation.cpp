// Activation switches, the selection's visibility and the rects of a caret and a range.
#include <gtest/gtest.h>

#include "document_fixture.h"
#include "rect_list.h"
#include "rte_activation.h"
#include "rte_position_queries.h"
#include "rte_selection.h"

namespace {

using ActivationTest = DocumentTest;

TEST_F(ActivationTest, SwitchesKeepTurnOnAndOff)
{
    RteHandle doc = MakeDocument("abc");
    struct Case {
        int32_t first, second;
        int32_t readFirst, readSecond;
    };
    const Case cases[] = {{RTE_SWITCH_INACTIVE, RTE_SWITCH_KEEP, 2, 1},
                          {RTE_SWITCH_KEEP, RTE_SWITCH_INACTIVE, 2, 2},
                          {RTE_SWITCH_ACTIVE, RTE_SWITCH_KEEP, 1, 2},
                          {RTE_SWITCH_KEEP, RTE_SWITCH_ACTIVE, 1, 1}};
    for (const Case& c : cases) {
        RteSetActivation(doc, c.first, c.second, 0);
        int32_t first = 0, second = 0;
        RteGetActivation(doc, &first, &second);
        EXPECT_EQ(c.readFirst, first);
        EXPECT_EQ(c.readSecond, second);
    }
}

TEST_F(ActivationTest, ASelectionShowsOnlyWhileActive)
{
    RteHandle doc = MakeDocument("abcdef");
    EXPECT_EQ(0, RteSelectionVisible(doc)) << "a caret not drawn";
    RteSetSelection(doc, 1, 4, 0, 0);
    EXPECT_EQ(1, RteSelectionVisible(doc));
    RteSetActivation(doc, RTE_SWITCH_INACTIVE, RTE_SWITCH_KEEP, 0);
    EXPECT_EQ(0, RteSelectionVisible(doc));
    EXPECT_EQ(0, RteCaretShown(doc));
}

TEST_F(ActivationTest, CaretAndRangeRects)
{
    RteHandle doc = MakeDocument("aaaa bbbb cccc");
    RteRect wrap{0, 0, 500, 50};
    RteSetRectList(RteWrapArea(doc), &wrap);
    RteSetCaretQuiet(doc, 2);
    RteRect caret;
    EXPECT_EQ(1, RteSelectionRect(doc, -1, &caret));
    EXPECT_EQ(10, caret.left);
    EXPECT_EQ(11, caret.right);
    EXPECT_EQ(12, caret.bottom - caret.top);
    RteSetSelection(doc, 2, 12, 0, 0);
    EXPECT_EQ(0, RteSelectionRect(doc, 12, &caret)) << "a range";
    RteRange range = {2, 12};
    RteRect bounds;
    int32_t baseline = RteRangeBounds(doc, &range, false, false, &bounds);
    EXPECT_EQ(0, bounds.top);
    EXPECT_EQ(24, bounds.bottom) << "two lines";
    EXPECT_EQ(0, bounds.left);
    EXPECT_GT(baseline, 0);
    EXPECT_LT(baseline, 12);
}

}  // namespace
