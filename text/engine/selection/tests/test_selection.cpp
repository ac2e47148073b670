// Selection through clicks at points taken from caret rects, hit tests at line edges and ties,
// navigation codes and ranges set from offsets.
#include <gtest/gtest.h>

#include "document_fixture.h"
#include "rect_list.h"
#include "rte_areas.h"
#include "rte_device.h"
#include "rte_highlight.h"
#include "rte_link_range.h"
#include "rte_point_location.h"
#include "rte_position_queries.h"
#include "rte_selection.h"
#include "rte_style_units.h"
#include "rte_styles.h"

namespace {

class SelectionTest : public DocumentTest {
protected:
    // Letters 5 wide, blanks 3: with a width of 50, "alpha beta " | "gamma " | "delta".
    RteHandle Document(const std::string& text = "alpha beta gamma delta", int32_t width = 50)
    {
        RteHandle doc = MakeDocument(text);
        RteRect wrap{0, 0, 500, width};
        RteSetRectList(RteWrapArea(doc), &wrap);
        return doc;
    }

    static RtePoint CaretPoint(RteHandle doc, int32_t offset, int32_t dh = 0)
    {
        RteRect rect;
        RteCaretRect(doc, offset, true, false, &rect);
        return RtePoint{(rect.top + rect.bottom) / 2, rect.left + dh};
    }

    static std::pair<int32_t, int32_t> Selection(RteHandle doc)
    {
        int32_t start = 0, end = 0;
        RteGetSelection(doc, &start, &end);
        return {start, end};
    }

    // One unit of the character style of [start, end) set to 1.
    static void SetUnit(RteHandle doc, int32_t start, int32_t end, int16_t RteCharStyle::*unit)
    {
        RteCharStyle values = {}, mask = {};
        values.*unit = 1;
        mask.*unit = -1;
        RteRange range = {start, end};
        RteSetCharStyle(doc, &range, &values, &mask, 0);
    }

    static void Click(RteHandle doc, RtePoint point, uint32_t modifiers = 0)
    {
        RteClick(doc, &point, RTE_CLICK_PRESS, modifiers, 0, false);
        RteClick(doc, &point, RTE_CLICK_RELEASE, modifiers, 0, false);
    }
};

using Range = std::pair<int32_t, int32_t>;

TEST_F(SelectionTest, AClickAtACaretPointPutsTheCaretThere)
{
    RteHandle doc = Document();
    for (int32_t offset : {0, 3, 5, 6, 11, 14, 21})
    {
        Click(doc, CaretPoint(doc, offset));
        EXPECT_EQ(Range(offset, offset), Selection(doc)) << offset;
        EXPECT_EQ(0, RteSelectionRangeCount(doc));
    }
    EXPECT_EQ(0, LockedHandles());
}

TEST_F(SelectionTest, HitTestsTakeTheNearestBoundaryAndTheLaterOnATie)
{
    RteHandle doc = Document("1122", 500);  // digits are 6 wide: boundaries at 0, 6, 12, 18, 24
    const std::pair<int32_t, int32_t> cases[] = {{0, 0}, {2, 0}, {3, 1}, {4, 1}, {9, 2}, {15, 3}, {23, 4}};
    for (auto [h, offset] : cases) {
        RtePoint point = CaretPoint(doc, 0, h);
        EXPECT_EQ(offset, RteOffsetAtPoint(doc, &point, nullptr)) << "at " << h;
    }
}

TEST_F(SelectionTest, PointsOutsideTheLinesHitTheirEdges)
{
    RteHandle doc = Document("alpha beta\rgamma", 500);
    RtePoint below{400, 10};
    EXPECT_EQ(16, RteOffsetAtPoint(doc, &below, nullptr)) << "below the text: its end";
    RtePoint above{-30, 100};
    EXPECT_EQ(0, RteOffsetAtPoint(doc, &above, nullptr)) << "above the wrap area: the first line's start";
    RtePoint right = CaretPoint(doc, 0);
    right.h = 300;
    EXPECT_EQ(10, RteOffsetAtPoint(doc, &right, nullptr)) << "right of a line: before its paragraph end";
    RtePoint left = CaretPoint(doc, 13);
    left.h = -20;
    EXPECT_EQ(11, RteOffsetAtPoint(doc, &left, nullptr)) << "left of a line: its first character";
}

TEST_F(SelectionTest, ADragBackToItsStartLeavesACaret)
{
    RteHandle doc = Document();
    RtePoint start = CaretPoint(doc, 2);
    RtePoint far = CaretPoint(doc, 13);
    RteClick(doc, &start, RTE_CLICK_PRESS, 0, 0, false);
    RteClick(doc, &far, RTE_CLICK_DRAG, 0, 0, false);
    EXPECT_EQ(Range(2, 13), Selection(doc));
    EXPECT_EQ(1, RteSelectionRangeCount(doc));
    RteClick(doc, &start, RTE_CLICK_DRAG, 0, 0, false);
    RteClick(doc, &start, RTE_CLICK_RELEASE, 0, 0, false);
    EXPECT_EQ(Range(2, 2), Selection(doc));
    EXPECT_EQ(0, RteSelectionRangeCount(doc));
    EXPECT_EQ(2, RteCount(DocumentOf(doc).selection));
    EXPECT_FALSE(DocumentOf(doc).flags2 & RTE_DOC2_TRACKING);
}

TEST_F(SelectionTest, ADragBackwardsIsPutInOrderOnRelease)
{
    RteHandle doc = Document();
    RtePoint start = CaretPoint(doc, 13);
    RtePoint back = CaretPoint(doc, 3);
    RteClick(doc, &start, RTE_CLICK_PRESS, 0, 0, false);
    RteClick(doc, &back, RTE_CLICK_RELEASE, 0, 0, false);
    std::vector<RteSelectPoint> points = Elements<RteSelectPoint>(DocumentOf(doc).selection);
    ASSERT_EQ(2u, points.size());
    EXPECT_EQ(3, points[0].offset);
    EXPECT_EQ(13, points[1].offset);
}

TEST_F(SelectionTest, AWordShiftClickExtendsToWholeWordsOnBothSides)
{
    RteHandle doc = Document();
    Click(doc, CaretPoint(doc, 2), RTE_SELECT_WORD);
    EXPECT_EQ(Range(0, 6), Selection(doc)) << "the word and its blank";
    EXPECT_TRUE(Elements<RteSelectPoint>(DocumentOf(doc).selection)[0].flags & RTE_SELECT_WIDENED);
    Click(doc, CaretPoint(doc, 13), RTE_SELECT_WORD | RTE_SELECT_EXTEND);
    EXPECT_EQ(Range(0, 17), Selection(doc));
}

TEST_F(SelectionTest, AnAddedRangeKeepsTheEarlierOnes)
{
    RteHandle doc = Document();
    RteSetSelection(doc, 0, 5, 0, 0);
    RtePoint start = CaretPoint(doc, 11);
    RtePoint end = CaretPoint(doc, 16);
    RteClick(doc, &start, RTE_CLICK_PRESS, RTE_SELECT_ADD, 0, false);
    RteClick(doc, &end, RTE_CLICK_RELEASE, RTE_SELECT_ADD, 0, false);
    std::vector<RteSelectPoint> points = Elements<RteSelectPoint>(DocumentOf(doc).selection);
    ASSERT_EQ(4u, points.size());
    EXPECT_EQ(0, points[0].offset);
    EXPECT_EQ(5, points[1].offset);
    EXPECT_EQ(11, points[2].offset);
    EXPECT_EQ(16, points[3].offset);
    EXPECT_EQ(2, RteSelectionRangeCount(doc));
}

TEST_F(SelectionTest, SelectionsAreClampedAndWidenedByTheirUnits)
{
    RteHandle doc = Document("one two\rthree four");
    struct Case {
        int32_t start, end;
        uint32_t modifiers;
        Range range;
    };
    const Case cases[] = {
        {-5, 400, 0, {0, 18}},
        {9, 2, 0, {2, 9}},
        {1, 5, RTE_SELECT_WORD, {0, 7}},
        {2, 2, RTE_SELECT_PARAGRAPH, {0, 8}},
        {10, 10, RTE_SELECT_PARAGRAPH, {8, 18}},
        {1, 1, RTE_SELECT_CLASS_RUN, {0, 3}},
        {3, 3, RTE_SELECT_CLASS_RUN, {3, 4}},
        {7, 7, RTE_SELECT_CLASS_RUN, {7, 8}},
        {4, 6, RTE_SELECT_STYLE_RUN, {0, 18}},
    };
    for (const Case& c : cases) {
        RteSetSelection(doc, c.start, c.end, c.modifiers, 0);
        EXPECT_EQ(c.range, Selection(doc)) << c.start << "-" << c.end;
    }
}

TEST_F(SelectionTest, NavigationCodesMoveOrExtendTheSelection)
{
    RteHandle doc = Document();  // lines: "alpha beta " | "gamma " | "delta"
    struct Case {
        int32_t caret;
        int32_t code;
        Range range;
    };
    const Case cases[] = {
        {7, RTE_MOVE_TEXT_START, {0, 0}},
        {7, RTE_MOVE_TEXT_START | RTE_MOVE_EXTEND, {0, 7}},
        {7, RTE_MOVE_TEXT_END, {22, 22}},
        {7, RTE_MOVE_TEXT_END | RTE_MOVE_EXTEND, {7, 22}},
        {14, RTE_MOVE_LINE_START, {11, 11}},
        {14, RTE_MOVE_LINE_END, {17, 17}},
        {19, RTE_MOVE_LINE_END, {22, 22}},
        {2, RTE_MOVE_NEXT_WORD, {6, 6}},
        {6, RTE_MOVE_NEXT_WORD, {11, 11}},
        {8, RTE_MOVE_PREVIOUS_WORD, {6, 6}},
        {6, RTE_MOVE_PREVIOUS_WORD, {0, 0}},
        {5, 6, {5, 5}},
    };
    for (const Case& c : cases) {
        RteSetCaretQuiet(doc, c.caret);
        RteMoveSelection(doc, c.code, false);
        EXPECT_EQ(c.range, Selection(doc)) << c.caret << " code " << c.code;
    }
}

}  // namespace

namespace {

using SelectionChangeTest = SelectionTest;

TEST_F(SelectionChangeTest, ExtendingMovesOneEnd)
{
    RteHandle doc = Document();
    RteSetSelection(doc, 3, 8, 0, 0);
    RteExtendSelection(doc, 2, 0, false);
    EXPECT_EQ(Range(3, 10), Selection(doc)) << "forwards: the last end";
    RteExtendSelection(doc, -2, 0, false);
    EXPECT_EQ(Range(1, 10), Selection(doc)) << "backwards: the first";
    RteSetCaretQuiet(doc, 5);
    RteExtendSelection(doc, 3, 0, true);
    EXPECT_EQ(Range(5, 8), Selection(doc)) << "by a shift-click at the character";
    RteExtendSelection(doc, 100, 0, false);
    EXPECT_EQ(Range(5, 22), Selection(doc)) << "kept within the text";
}

TEST_F(SelectionChangeTest, ExtendingBeyondTheAnchorMovesTheEndAwayFromWhereTheClickStarted)
{
    // A release puts a backward drag in order: the anchor is remembered apart from it.
    struct Case {
        int32_t press, release, delta;
        Range expected;
    } cases[] = {
        {13, 3, 2, {5, 13}},
        {3, 13, 2, {3, 15}},
        {13, 3, -1, {2, 13}},
        {3, 13, -4, {3, 9}},
        {5, 5, 3, {5, 8}},
    };
    for (const Case& c : cases) {
        RteHandle doc = Document();
        RtePoint press = CaretPoint(doc, c.press), release = CaretPoint(doc, c.release);
        RteClick(doc, &press, RTE_CLICK_PRESS, 0, 0, false);
        RteClick(doc, &release, RTE_CLICK_RELEASE, 0, 0, false);
        RteExtendSelection(doc, c.delta, RTE_SELECT_BEYOND_ANCHOR, false);
        EXPECT_EQ(c.expected, Selection(doc)) << c.press << " to " << c.release << " by " << c.delta;
        RteExtendSelection(doc, 1, RTE_SELECT_BEYOND_ANCHOR, false);
        EXPECT_EQ(c.press, c.expected.first == c.press ? Selection(doc).first : Selection(doc).second)
            << "the anchor stays after extending";
        RteDocDestroy(doc);
    }
}

TEST_F(SelectionChangeTest, RangesAreSetMovedByTheBaseAndPinned)
{
    RteHandle doc = Document();
    const RteRange ranges[] = {{0, 2}, {5, 40}};
    RteSetSelectionRanges(doc, ranges, 2, 1, false);
    std::vector<RteSelectPoint> points = Elements<RteSelectPoint>(DocumentOf(doc).selection);
    ASSERT_EQ(4u, points.size());
    EXPECT_EQ(1, points[0].offset);
    EXPECT_EQ(3, points[1].offset);
    EXPECT_EQ(6, points[2].offset);
    EXPECT_EQ(22, points[3].offset);
    RteInvalidateSelection(doc, false);
    for (const RteSelectPoint& point : Elements<RteSelectPoint>(DocumentOf(doc).selection))
        EXPECT_TRUE(point.flags & RTE_SELECT_RECOMPUTE);
}

}  // namespace

namespace {

using CharAtPointTest = SelectionTest;

TEST_F(CharAtPointTest, PointsInTheViewAreHitTestedAndOthersGoToAnEnd)
{
    RteHandle doc = Document("alpha beta", 500);
    RteRect view{0, 0, 100, 200};
    RteSetRectList(RteViewArea(doc), &view);
    SetUnit(doc, 6, 10, &RteCharStyle::bold);
    RteCharStyle style = {};
    RtePoint inside = CaretPoint(doc, 7);
    RteRange run = {};
    EXPECT_EQ(7, RteCharAtPoint(doc, &inside, 0, &style, &run));
    EXPECT_EQ(1, style.bold);
    EXPECT_EQ(6, run.start);
    EXPECT_EQ(10, run.end) << "the run's end within the text";
    RtePoint outside{300, 10};
    EXPECT_EQ(10, RteCharAtPoint(doc, &outside, 0, nullptr, nullptr)) << "outside the view, below the top";
    RteLocked<RteDocument>(doc)->scroll = RtePoint{40, 0};
    RtePoint above{-50, 10};
    EXPECT_EQ(0, RteCharAtPoint(doc, &above, 0, nullptr, nullptr)) << "above the text";
}

}  // namespace

namespace {

// What the link callback and the auto-scroll hook were told.
std::vector<std::pair<int32_t, int32_t>> g_told;

void RecordLink(RteHandle, const RteLinkRange* range, int32_t code, int32_t, const char*)
{
    g_told.emplace_back(range->start, code);
}

intptr_t RecordAutoScroll(RteHandle, intptr_t h, intptr_t v, intptr_t, intptr_t, intptr_t)
{
    g_told.emplace_back(static_cast<int32_t>(h), static_cast<int32_t>(v));
    return 0;
}

class ClickTest : public SelectionTest {
protected:
    void SetUp() override
    {
        SelectionTest::SetUp();
        g_told.clear();
    }

    // The link table holds one range before its sentinel.
    static void AddLink(RteHandle doc, int32_t start, int32_t end)
    {
        RteLocked<RteDocument> locked(doc);
        RteSetCount(locked->linkRanges[0], 2);
        RteLocked<RteLinkRange> ranges(locked->linkRanges[0]);
        ranges[1] = ranges[0];
        ranges[0] = RteLinkRange{};
        ranges[0].start = start;
        ranges[0].end = end;
        ranges[0].callback = RecordLink;
    }
};

TEST_F(ClickTest, APressAndAReleaseOnALinkRangeAreOfferedToIt)
{
    RteHandle doc = Document("alpha beta gamma delta", 500);
    AddLink(doc, 6, 10);
    RtePoint on = CaretPoint(doc, 7);
    EXPECT_EQ(1, RteClick(doc, &on, RTE_CLICK_PRESS, 0, 0, false));
    EXPECT_EQ(0, RteClick(doc, &on, RTE_CLICK_DRAG, 0, 0, false)) << "drags are not offered";
    EXPECT_EQ(1, RteClick(doc, &on, RTE_CLICK_RELEASE, 0, 0, false));
    RtePoint word = CaretPoint(doc, 8);
    RteClick(doc, &word, RTE_CLICK_PRESS, RTE_SELECT_WORD, 0, false);
    EXPECT_EQ((std::vector<std::pair<int32_t, int32_t>>{{6, 0}, {6, 2}, {6, 1}}), g_told)
        << "a press is told 0 (1 for a double click), a release 2";
    g_told.clear();
    RtePoint off = CaretPoint(doc, 2);
    EXPECT_EQ(0, RteClick(doc, &off, RTE_CLICK_PRESS, 0, 0, false));
    EXPECT_TRUE(g_told.empty());
}

TEST_F(ClickTest, ADragOutsideTheViewAsksTheAutoScrollHookTowardsThePoint)
{
    RteHandle doc = Document("alpha beta gamma delta", 500);
    RteRect view{0, 10, 30, 200};
    RteSetRectList(RteViewArea(doc), &view);
    RteLocked<RteDocument>(doc)->hooks.autoScroll = RecordAutoScroll;
    RtePoint start = CaretPoint(doc, 12);
    RteClick(doc, &start, RTE_CLICK_PRESS, 0, 0, true);
    const RtePoint drags[] = {{10, 50}, {40, 50}, {-5, 50}, {10, 5}, {10, 200}, {40, 2}};
    for (const RtePoint& drag : drags)
        RteClick(doc, &drag, RTE_CLICK_DRAG, 0, 0, true);
    RteClick(doc, &start, RTE_CLICK_DRAG, 0, 0, false);
    EXPECT_EQ((std::vector<std::pair<int32_t, int32_t>>{{0, -1}, {0, 1}, {1, 0}, {-1, 0}, {1, -1}}), g_told)
        << "(horizontal, vertical): inside the view nothing, below -1, above 1, left 1, right -1";
    g_told.clear();
    RtePoint edge{0, 50};
    RteClick(doc, &edge, RTE_CLICK_DRAG, 0, 0, true);
    EXPECT_TRUE(g_told.empty()) << "the view's top row lies inside it";
    RteSetDocFlags2(doc, RteGetDocFlags2(doc) | RTE_DOC2_NO_AUTO_VSCROLL);
    RteClick(doc, &edge, RTE_CLICK_DRAG, 0, 0, true);
    EXPECT_EQ((std::vector<std::pair<int32_t, int32_t>>{{0, 1}}), g_told)
        << "a view that does not scroll by itself ends a pixel inside";
}

}  // namespace

namespace {

RteStyleDeviceHook g_plainInfo = nullptr;

// Shift-JIS as far as the tests need it: the byte after 0x82 continues its character.
intptr_t DoubleByteInfo(RteHandle doc, RteCharStyle* style, intptr_t character, intptr_t b, intptr_t mask,
                        intptr_t before)
{
    const auto* at = reinterpret_cast<const uint8_t*>(character);
    if (before >= 1 && at[-1] == 0x82)
        return mask & RTE_CLASS_CONTINUATION;
    return g_plainInfo(doc, style, character, b, mask, before);
}

using SnapTest = SelectionTest;

TEST_F(SnapTest, APointInsideADoubleByteCharacterGoesToTheNearerEdgeOfItsCell)
{
    g_plainInfo = env_.defaultStyle.hooks.charInfo;
    env_.defaultStyle.hooks.charInfo = DoubleByteInfo;
    RteHandle doc = Document("ab\x82\xA0" "cd", 500);
    int32_t left = CaretPoint(doc, 2).h, right = CaretPoint(doc, 4).h;
    ASSERT_LT(left, right);
    for (int32_t h = left; h <= right; ++h) {
        RtePoint point = CaretPoint(doc, 0);
        point.h = h;
        int32_t offset = RteOffsetAtPoint(doc, &point, nullptr);
        EXPECT_EQ(h - left < right - h ? 2 : 4, offset) << "at " << h;
    }
}

TEST_F(SnapTest, WhereHiddenTextTakesNoRoomAPointOnItGoesPastIt)
{
    RteHandle doc = Document("abcdefgh", 500);
    SetUnit(doc, 3, 6, &RteCharStyle::hidden);
    RtePoint shown = CaretPoint(doc, 4);
    EXPECT_EQ(4, RteOffsetAtPoint(doc, &shown, nullptr)) << "hidden text shown";
    RteSetDocFlags(doc, RteGetDocFlags(doc) | RTE_DOC_HIDDEN_TEXT);
    RteInvalidateRange(doc, 0, 8);
    RtePoint at = CaretPoint(doc, 3);
    EXPECT_EQ(6, RteOffsetAtPoint(doc, &at, nullptr)) << "hidden text taking no room";
    Click(doc, at);
    EXPECT_EQ(Range(6, 6), Selection(doc));
}

}  // namespace

namespace {

using PointQueryTest = ClickTest;

TEST_F(PointQueryTest, RangeAreasAreInWindowCoordinates)
{
    RteHandle doc = Document();  // lines: "alpha beta " | "gamma " | "delta"
    RteRectList area = RteNewRectList(&context_, nullptr);
    RteRange range = {2, 13};
    EXPECT_EQ(1, RteRangeArea(doc, &range, nullptr, area));
    RteRect bounds;
    RteRectListFirst(area, &bounds);
    EXPECT_EQ(0, bounds.top);
    EXPECT_EQ(24, bounds.bottom) << "two lines";
    EXPECT_EQ(CaretPoint(doc, 2).h, RteRectIterator(area).Rect(1).left);
    RteLocked<RteDocument>(doc)->scroll = RtePoint{5, 0};
    EXPECT_EQ(1, RteRangeArea(doc, &range, nullptr, area));
    RteRectListFirst(area, &bounds);
    EXPECT_EQ(-5, bounds.top) << "scrolled";
    RteRange empty = {4, 4};
    EXPECT_EQ(0, RteRangeArea(doc, &empty, nullptr, area));
    RteSetSelection(doc, 11, 17, 0, 0);
    EXPECT_EQ(1, RteRangeArea(doc, nullptr, nullptr, area)) << "the selection";
    RteRectListFirst(area, &bounds);
    EXPECT_EQ(12 - 5, bounds.top);
    RteFreeRectList(area);
}

TEST_F(PointQueryTest, AVerticalSelectionCoversTheRectangleBetweenItsPoints)
{
    RteHandle doc = Document();  // lines: "alpha beta " | "gamma " | "delta"
    RtePoint from = CaretPoint(doc, 2), to = CaretPoint(doc, 21);
    RteClick(doc, &from, RTE_CLICK_PRESS, RTE_SELECT_VERTICAL, 0, false);
    RteClick(doc, &to, RTE_CLICK_RELEASE, RTE_SELECT_VERTICAL, 0, false);
    std::vector<RteSelectPoint> points = Elements<RteSelectPoint>(DocumentOf(doc).selection);
    ASSERT_EQ(2u, points.size());
    EXPECT_EQ(RTE_SELECT_BY_RECTS, points[0].flags & RTE_SELECT_BY_RECTS);
    RteRectList area = RteNewRectList(&context_, nullptr);
    ASSERT_EQ(1, RteRangeArea(doc, nullptr, nullptr, area));
    RteRect bounds;
    RteRectListFirst(area, &bounds);
    EXPECT_EQ(1, RteRectListCount(area)) << "one rectangle, not the lines' runs";
    EXPECT_EQ(from.h, bounds.left);
    EXPECT_EQ(to.h, bounds.right);
    EXPECT_EQ(0, bounds.top);
    EXPECT_EQ(36, bounds.bottom) << "three lines";
    RteFreeRectList(area);
}

TEST_F(PointQueryTest, PagesOfARepeatingWrapArea)
{
    std::string text;
    for (int i = 0; i < 20; ++i)
        text += "line\r";
    RteHandle doc = Document(text, 200);
    RteRect wrap{0, 0, 100, 200};  // eight lines of 12 a page
    RteSetRectList(RteWrapArea(doc), &wrap);
    {
        RteLocked<RteDocument> locked(doc);
        locked->layoutFlags |= RTE_LAYOUT_REPEAT_DOWN | RTE_LAYOUT_KEEP_LAST_HEIGHT;
        locked->repeatGapV = 20;
    }
    RteInvalidateRange(doc, 0, RteTextLength(doc));
    struct Case {
        RtePoint point;
        int32_t page;
    };
    const Case cases[] = {{{5, 5}, 0}, {{119, 5}, 0}, {{130, 5}, 1}, {{245, 5}, 2}, {{5000, 5}, 2}};
    for (const Case& c : cases) {
        RtePoint step, offset;
        int32_t last = 0;
        EXPECT_EQ(c.page, RtePageAtPoint(doc, &c.point, &step, &offset, &last, false)) << c.point.v;
        EXPECT_EQ(120, step.v);
        EXPECT_EQ(120 * c.page, offset.v);
        EXPECT_EQ(2, last) << "twenty lines fill three pages";
    }
    RtePoint inside{130, 10}, gap{225, 10}, page{120, 0};
    uint32_t flags = 0;
    EXPECT_EQ(1, RteWrapRectAtPoint(doc, &inside, &page, &flags));
    EXPECT_EQ(0u, flags);
    EXPECT_EQ(0, RteWrapRectAtPoint(doc, &gap, &page, &flags)) << "in the gap between pages";
    EXPECT_EQ(RTE_POINT_BESIDE_WRAP, flags);
}

TEST_F(PointQueryTest, PointLocationsAgainstViewTextExtraAreaAndLinks)
{
    RteHandle doc = Document("alpha beta gamma delta", 500);
    RteRect view{0, 0, 120, 300};
    RteSetRectList(RteViewArea(doc), &view);
    AddLink(doc, 6, 10);
    struct Case {
        RtePoint point;
        uint32_t set, clear;
    };
    RtePoint onLink = CaretPoint(doc, 7), onText = CaretPoint(doc, 2);
    const Case cases[] = {
        {onLink, RTE_POINT_IN_VIEW | RTE_POINT_IN_WRAP | RTE_POINT_IN_TEXT | RTE_POINT_ON_LINK, RTE_POINT_ON_MARK},
        {onText, RTE_POINT_IN_VIEW | RTE_POINT_IN_TEXT, RTE_POINT_ON_LINK | RTE_POINT_IN_EXTRA},
        {{60, 5}, RTE_POINT_IN_VIEW, RTE_POINT_IN_TEXT | RTE_POINT_ON_LINK},
        {{200, 5}, 0, RTE_POINT_IN_VIEW | RTE_POINT_IN_TEXT},
    };
    for (const Case& c : cases) {
        int32_t offset = -1;
        uint32_t where = RtePointLocation(doc, &c.point, &offset);
        EXPECT_EQ(c.set, where & c.set) << c.point.v << "," << c.point.h;
        EXPECT_EQ(0u, where & c.clear) << c.point.v << "," << c.point.h;
        EXPECT_GE(offset, 0);
    }
    RteRect obstacle{50, 0, 80, 40};
    RteSetRectList(RteExtraArea(doc), &obstacle);
    RtePoint inObstacle{60, 10};
    EXPECT_TRUE(RtePointLocation(doc, &inObstacle, nullptr) & RTE_POINT_IN_EXTRA);
}

}  // namespace

namespace {

using RunUnitTest = SelectionTest;

TEST_F(RunUnitTest, AStyleRunUnitCoversTheRunAndAClickOnHotTextSelectsIt)
{
    RteHandle doc = Document("plain bold plain", 500);
    SetUnit(doc, 6, 10, &RteCharStyle::bold);
    RteSetSelection(doc, 7, 8, RTE_SELECT_STYLE_RUN, 0);
    EXPECT_EQ(Range(6, 10), Selection(doc));
    Click(doc, CaretPoint(doc, 8));
    EXPECT_EQ(Range(8, 8), Selection(doc)) << "plain text takes a caret";
    {
        RteLocked<RteDocument> locked(doc);
        RteLocked<RteCharStyle> styles(locked->charStyles);
        for (int32_t i = 0; i < styles.size(); ++i)
            if (styles[i].bold)
                styles[i].flags |= 0x8;  // hot text
    }
    Click(doc, CaretPoint(doc, 8));
    EXPECT_EQ(Range(6, 10), Selection(doc)) << "a click on hot text takes its whole run";
}

}  // namespace

namespace {

int32_t RightToLeft(RteEnvironment*) { return -1; }

using RightToLeftHitTest = SelectionTest;

TEST_F(RightToLeftHitTest, PointsAboveAndBelowTheTextGoToTheSidesSwapped)
{
    RteDevice device = RteCurrentDevice();
    device.systemDirection = RightToLeft;
    RteSetDevice(&device);
    RteHandle doc = Document("alpha beta\rgamma", 500);
    RtePoint above{-30, 100}, below{400, 100};
    int32_t top = RteOffsetAtPoint(doc, &above, nullptr);
    int32_t bottom = RteOffsetAtPoint(doc, &below, nullptr);
    RteSetDevice(nullptr);
    // Lines of left-to-right words stand at the right of the wrap area: above it the point goes
    // to the right edge, below it to the left one.
    EXPECT_EQ(10, top) << "the right end of the first line";
    EXPECT_EQ(11, bottom) << "the left end of the last line";
}

}  // namespace

namespace {

// Every character of the text reads from right to left.
intptr_t RightToLeftInfo(RteHandle doc, RteCharStyle* style, intptr_t character, intptr_t b, intptr_t mask,
                         intptr_t before)
{
    return (g_plainInfo(doc, style, character, b, mask, before) | 0x4000) & (mask ? mask : ~intptr_t{0});
}

TEST_F(RightToLeftHitTest, RightToLeftTextIsHitFromItsRightEdge)
{
    g_plainInfo = env_.defaultStyle.hooks.charInfo;
    env_.defaultStyle.hooks.charInfo = RightToLeftInfo;
    RteHandle doc = Document("abcde", 500);  // letters 5 wide: the piece spans 0 to 25
    RteRectList area = RteNewRectList(&context_, nullptr);
    RteRange first = {0, 1};
    ASSERT_EQ(1, RteRangeArea(doc, &first, nullptr, area));
    RteRect highlighted;
    RteRectListFirst(area, &highlighted);
    RteFreeRectList(area);
    EXPECT_EQ(20, highlighted.left) << "the first character stands at the right";
    for (int32_t offset = 0; offset <= 5; ++offset) {
        RtePoint point = CaretPoint(doc, 0);
        point.h = 25 - 5 * offset;
        EXPECT_EQ(offset, RteOffsetAtPoint(doc, &point, nullptr)) << "at " << point.h;
    }
}

}  // namespace
