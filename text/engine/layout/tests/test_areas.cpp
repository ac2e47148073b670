// Areas of a document: single rects, repetition, container walks, text bounds and the spans
// the extra area takes out of lines.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "document_fixture.h"
#include "rect_list.h"
#include "rte_areas.h"
#include "rte_line_piece.h"
#include "rte_styles.h"
#include "rte_text_blocks.h"

namespace {

struct HookCall {
    int32_t container;
    RteRect rect;
    int32_t mode;
};
std::vector<HookCall> g_calls;

void RecordContainer(RteHandle, int32_t container, const RteRect* rect, intptr_t, intptr_t, int32_t mode, int32_t*)
{
    g_calls.push_back({container, *rect, mode});
}

class AreasTest : public DocumentTest {
protected:
    void SetUp() override
    {
        DocumentTest::SetUp();
        doc_ = MakeDocument("Quelques mots.");
        RteHookTable hooks;
        RteGetDocHooks(doc_, &hooks);
        hooks.container = RecordContainer;
        RteSetDocHooks(doc_, &hooks, false);
        g_calls.clear();
    }

    void SetWrapRects(const std::vector<RteRect>& rects)
    {
        RteRectList wrap = RteWrapArea(doc_);
        RteSetRectList(wrap, &rects[0]);
        for (size_t i = 1; i < rects.size(); ++i)
            RteUnionRectIntoList(wrap, &rects[i]);
    }

    void SetExtraRects(const std::vector<RteRect>& rects)
    {
        RteRectList extra = RteExtraArea(doc_);
        RteSetRectList(extra, &rects[0]);
        RteRectIterator list(extra);
        for (size_t i = 1; i < rects.size(); ++i)
            list.Insert(static_cast<int32_t>(i + 1), rects[i]);
    }

    RteDocument& Doc() { return *static_cast<RteDocument*>(RteElementPtr(doc_, 0, false)); }

    RteHandle doc_ = nullptr;
};

TEST_F(AreasTest, ANewBottomAloneChangesTheAreaButNotTheLines)
{
    RteRect wrap{0, 0, 100, 200};
    RteSetAreaRects(doc_, &wrap, nullptr);
    RteLocked<RteTextBlock>(Doc().blocks)[0].flags = 0;
    Doc().areaChanges = 0;
    RteRect taller{0, 0, 300, 200};
    RteSetAreaRects(doc_, &taller, nullptr);
    EXPECT_EQ(Doc().areaChanges & RTE_AREA_WRAP_CHANGED, RTE_AREA_WRAP_CHANGED);
    EXPECT_EQ(RteLocked<RteTextBlock>(Doc().blocks)[0].flags & RTE_BLOCK_RELAYOUT, 0u);
    RteRect narrower{0, 0, 300, 150};
    RteSetAreaRects(doc_, &narrower, nullptr);
    EXPECT_EQ(RteLocked<RteTextBlock>(Doc().blocks)[0].flags & RTE_BLOCK_RELAYOUT, RTE_BLOCK_RELAYOUT);
    RteRect view{5, 6, 50, 60};
    RteSetAreaRects(doc_, nullptr, &view);
    EXPECT_EQ(Doc().viewOrigin, (RtePoint{5, 6}));
    RteRect bounds;
    RteGetAreaBounds(doc_, &bounds, nullptr);
    EXPECT_EQ(bounds, narrower);
    EXPECT_EQ(Doc().textBounds.right, 150);
}

TEST_F(AreasTest, RepetitionContinuesOnCopiesOfTheArea)
{
    SetWrapRects({{0, 0, 100, 50}, {0, 60, 100, 110}});
    Doc().layoutFlags = RTE_LAYOUT_REPEAT_DOWN;
    Doc().repeatGapV = 20;
    RtePoint offset{};
    EXPECT_EQ(RteContainerRepeat(doc_, 5, &offset), 1);
    EXPECT_EQ(offset, (RtePoint{240, 0})) << "twice the bounds' height plus the gap";
    EXPECT_EQ(RteContainerRepeat(doc_, 1, &offset), 1);
    EXPECT_EQ(offset, (RtePoint{0, 0}));
    Doc().layoutFlags = RTE_LAYOUT_REPEAT_ACROSS;
    Doc().repeatGapH = 10;
    EXPECT_EQ(RteContainerRepeat(doc_, 2, &offset), 0);
    EXPECT_EQ(offset, (RtePoint{0, 120}));
    Doc().layoutFlags = 0;
    EXPECT_EQ(RteContainerRepeat(doc_, 5, &offset), 5) << "without repetition the number stands";
    EXPECT_EQ(RteContainerCount(doc_), 2);
}

TEST_F(AreasTest, WalkingContainersOpensDrawsAndClosesOnce)
{
    SetWrapRects({{0, 0, 100, 50}, {0, 60, 100, 110}});
    RteContainerPoint from{0, 30};
    RteContainerPoint to{1, 70};
    RteWalkContainers(doc_, 0, 0, &from, &to);
    ASSERT_EQ(g_calls.size(), 5u);
    EXPECT_EQ(g_calls[0].rect, (RteRect{30, 0, 100, 50}));
    EXPECT_EQ(g_calls[1].mode, RTE_CONTAINER_DRAW);
    EXPECT_EQ(g_calls[3].rect, (RteRect{0, 60, 70, 110}));
    EXPECT_EQ(g_calls[4].mode, RTE_CONTAINER_CLOSE);
    g_calls.clear();
    RteContainerPoint below{0, 100};
    RteWalkContainers(doc_, 0, 0, &below, &below);
    EXPECT_TRUE(g_calls.empty()) << "an empty stretch calls nothing";
}

TEST_F(AreasTest, ContainersInAnAreaMeetTheClip)
{
    SetWrapRects({{0, 0, 100, 50}, {0, 60, 100, 110}});
    RteRectList list = RteWrapArea(doc_);
    RteRect miss{200, 0, 300, 100};
    RteContainersInArea(doc_, list, 0, 0, &miss);
    EXPECT_TRUE(g_calls.empty());
    RteContainersInArea(doc_, list, 0, 0, nullptr);
    ASSERT_EQ(g_calls.size(), 4u);
    EXPECT_EQ(g_calls[1].container, 1);
    EXPECT_EQ(g_calls[2].container, 2);
    g_calls.clear();
    RteRect left{0, 0, 100, 55};
    RteContainersInArea(doc_, list, 0, 0, &left);
    ASSERT_EQ(g_calls.size(), 3u) << "open, the one container met, close";
    EXPECT_EQ(g_calls[1].rect, (RteRect{0, 0, 100, 50}));
}

TEST_F(AreasTest, TextBoundsFollowTheTextButNeverBelowOneUnit)
{
    SetWrapRects({{0, 0, 500, 200}});
    RteLocked<RteTextBlock>(Doc().blocks)[0].bounds = RteRect{0, 0, 120, 200};
    RteComputeTextBounds(doc_);
    EXPECT_EQ(Doc().textBounds.bottom, 120);
    RteRect wrap;
    RteGetAreaBounds(doc_, &wrap, nullptr);
    EXPECT_EQ(wrap.bottom, 120) << "the last container follows the text";
    RteLocked<RteTextBlock>(Doc().blocks)[0].bounds = RteRect{0, 0, 0, 200};
    RteComputeTextBounds(doc_);
    RteGetAreaBounds(doc_, &wrap, nullptr);
    EXPECT_EQ(wrap.bottom, 1);
    Doc().layoutFlags = RTE_LAYOUT_KEEP_LAST_HEIGHT;
    SetWrapRects({{0, 0, 500, 200}});
    RteComputeTextBounds(doc_);
    RteGetAreaBounds(doc_, &wrap, nullptr);
    EXPECT_EQ(wrap.bottom, 500);
}

TEST_F(AreasTest, ExclusionSpansMergeWithinTheMinimumWidth)
{
    SetExtraRects({{0, 50, 40, 60}, {0, 63, 40, 80}});
    RteHandle spans = RteAlloc(&context_, sizeof(RteRect), 0, 4, false);
    struct Case {
        int32_t minimum;
        int32_t count;
    };
    for (const Case& c : {Case{4, 1}, Case{3, 2}}) {
        RteRect line{10, 0, 20, 200};
        int32_t lowest = 0;
        EXPECT_EQ(RteExclusionSpans(doc_, &line, c.minimum, &lowest, 0, spans), c.count) << "minimum " << c.minimum;
        EXPECT_EQ(lowest, 40);
        EXPECT_EQ(RteCount(spans), c.count + 1) << "with the sentinel";
        RteRect last = RteLocked<RteRect>(spans)[c.count];
        EXPECT_EQ(last.left, 201);
    }
    RteFree(spans);
}

TEST_F(AreasTest, AnObstacleNarrowsLinesFromItsAnchorOn)
{
    SetExtraRects({{0, 0, 40, 30}});
    RteHandle spans = RteAlloc(&context_, sizeof(RteRect), 0, 4, false);
    RteSetAnchor(doc_, 1, 5);
    int32_t lowest = 0;
    RteRect line{10, 0, 20, 200};
    EXPECT_EQ(RteExclusionSpans(doc_, &line, 16, &lowest, 4, spans), 0) << "anchored after the line";
    EXPECT_EQ(line.left, 0);
    EXPECT_EQ(RteExclusionSpans(doc_, &line, 16, &lowest, 5, spans), 1) << "anchored at the line start";
    EXPECT_EQ(line.left, 30) << "no room is left before it";
    RteRect elsewhere{50, 0, 60, 200};
    EXPECT_EQ(RteExclusionSpans(doc_, &elsewhere, 16, &lowest, 5, spans), 0) << "the area misses the line";
    RteFree(spans);
}

TEST_F(AreasTest, TheUserReferenceIsPointerSized)
{
    auto ref = reinterpret_cast<RteHandle>(uintptr_t{0x123456789ABCDEF0});
    EXPECT_EQ(RteSetDocUserRef(doc_, ref), nullptr);
    EXPECT_EQ(RteGetDocUserRef(doc_), ref);
    RteHandle other = MakeDocument("x");
    EXPECT_NE(RteDocId(doc_), RteDocId(other));
}

}  // namespace

namespace {

// A container asked for past the end is appended, its value beside it, and nothing is written
// beyond the list.
TEST_F(AreasTest, AContainerInsertedPastTheEndIsAppended)
{
    SetWrapRects({{0, 0, 100, 50}});
    RteSetContainerValue(doc_, 1, 11);
    RteRect second{0, 60, 100, 110};
    RteInsertContainer(doc_, &second, 2, 22, 0);
    ASSERT_EQ(RteContainerCount(doc_), 2);
    RteRect rect;
    RteGetContainer(doc_, 2, false, false, &rect);
    EXPECT_EQ(rect, second);
    EXPECT_EQ(RteGetContainerValue(doc_, 1), 11);
    EXPECT_EQ(RteGetContainerValue(doc_, 2), 22);
}

TEST_F(AreasTest, ContainersKeepTheirValuesThroughChanges)
{
    SetWrapRects({{0, 0, 100, 50}});
    RteSetContainerValue(doc_, 1, 11);
    RteRect second{0, 60, 100, 110};
    RteInsertContainer(doc_, &second, 1, 22, 0);
    ASSERT_EQ(RteContainerCount(doc_), 2);
    EXPECT_EQ(RteGetContainerValue(doc_, 2), 22);
    RteSwapContainers(doc_, 1, 2, 0);
    EXPECT_EQ(RteGetContainerValue(doc_, 1), 22);
    RteRect rect;
    RteGetContainer(doc_, 1, false, false, &rect);
    EXPECT_EQ(rect, second);
    RteRect third{0, 120, 100, 170};
    RteReplaceContainer(doc_, &third, 2, 0);
    RteGetAreaBounds(doc_, &rect, nullptr);
    EXPECT_EQ(rect.right, 170) << "the bounds follow";
    RteRemoveContainer(doc_, 1, 0);
    EXPECT_EQ(RteContainerCount(doc_), 1);
    EXPECT_EQ(RteGetContainerValue(doc_, 1), 11);
    EXPECT_EQ(RteLocked<RteTextBlock>(Doc().blocks)[0].flags & RTE_BLOCK_RELAYOUT, RTE_BLOCK_RELAYOUT);
}

TEST_F(AreasTest, TheContainerUnderAPoint)
{
    SetWrapRects({{0, 0, 100, 50}, {0, 60, 100, 110}});
    RtePoint inFirst{10, 10};
    RtePoint inSecond{10, 70};
    RtePoint between{10, 55};
    EXPECT_EQ(RteContainerAtPoint(doc_, &inFirst, nullptr), 1);
    EXPECT_EQ(RteContainerAtPoint(doc_, &inSecond, nullptr), 2);
    EXPECT_EQ(RteContainerAtPoint(doc_, &between, nullptr), 0);
    Doc().scroll = RtePoint{0, 50};
    EXPECT_EQ(RteContainerAtPoint(doc_, &inFirst, nullptr), 2) << "the scroll position is added";
}

TEST_F(AreasTest, ChangeDetection)
{
    RteAreasChanged(doc_, true);
    EXPECT_EQ(RteAreasChanged(doc_, false), 0);
    Doc().scroll = RtePoint{5, 0};
    EXPECT_EQ(RteAreasChanged(doc_, true), 1);
    EXPECT_EQ(RteAreasChanged(doc_, false), 0);
    Doc().layoutFlags = RTE_LAYOUT_WRAP_NOT_COMPARED;
    SetWrapRects({{0, 0, 10, 10}});
    EXPECT_EQ(RteAreasChanged(doc_, false), 0) << "the wrap bounds are not compared";
    RteRect view{0, 0, 20, 20};
    RteSetAreaRects(doc_, nullptr, &view);
    EXPECT_EQ(RteAreasChanged(doc_, true), 1);
}

}  // namespace

namespace {

TEST_F(AreasTest, ScalingTheDocument)
{
    SetWrapRects({{0, 0, 100, 50}});
    SetExtraRects({{10, 10, 20, 20}});
    RteParFormat format;
    RteParFormat mask;
    std::memset(&format, 0, sizeof format);
    std::memset(&mask, 0, sizeof mask);
    format.leftIndent = 15;
    mask.leftIndent = -1;
    RteRange all{0, 5};
    RteSetParFormat(doc_, &all, &format, &mask, 0);
    RteScaleDocument(doc_, 2, 1, false);
    RteRect extra = RteRectIterator(RteExtraArea(doc_)).Bounds();
    EXPECT_EQ(extra, (RteRect{20, 20, 40, 40}));
    RteRect wrap;
    RteGetAreaBounds(doc_, &wrap, nullptr);
    EXPECT_EQ(wrap.right, 50) << "the wrap area only when asked";
    RteParFormat scaled;
    RteGetParFormat(doc_, &all, false, &scaled, &mask);
    EXPECT_EQ(scaled.leftIndent, 30);
    RteScaleDocument(doc_, 3, 3, true);
    RteGetAreaBounds(doc_, &wrap, nullptr);
    EXPECT_EQ(wrap.right, 50) << "a ratio of one changes nothing";
}

TEST_F(AreasTest, TheViewAreaMovesToTheScrollPosition)
{
    RteRect view{0, 0, 40, 60};
    RteSetAreaRects(doc_, nullptr, &view);
    Doc().scroll = RtePoint{10, 5};
    RteMoveViewArea(doc_, nullptr, nullptr);
    RteRect moved;
    RteGetAreaBounds(doc_, nullptr, &moved);
    EXPECT_EQ(moved, (RteRect{10, 5, 50, 65}));
}

}  // namespace

namespace {

TEST_F(AreasTest, TheContainersOfLaidOutLines)
{
    LayOutBlock(doc_, 0,
                {RteLinePiece{0, 0, 0, RTE_PIECE_LINE_FIRST | RTE_PIECE_LINE_LAST, 1, {}},
                 RteLinePiece{9, 0, 0, RTE_PIECE_LINE_FIRST | RTE_PIECE_LINE_LAST, 2, {}}});
    EXPECT_EQ(RteContainerOfLine(doc_, 3), 1);
    EXPECT_EQ(RteContainerOfLine(doc_, 10), 2);
    EXPECT_EQ(RteFirstOffsetInContainer(doc_, 2), 9);
    EXPECT_EQ(RteFirstOffsetInContainer(doc_, 3), -1);
}

}  // namespace

namespace {

TEST_F(AreasTest, TheContainerUnderAPointOfARepeatedArea)
{
    SetWrapRects({{0, 0, 100, 50}, {0, 60, 100, 110}});
    Doc().layoutFlags = RTE_LAYOUT_REPEAT_DOWN;
    Doc().repeatGapV = 20;
    RtePoint onSecondCopy{130, 70};
    int32_t repetition = -2;
    RtePoint offset{};
    EXPECT_EQ(RteContainerIndexAtPoint(doc_, &onSecondCopy, &repetition, &offset), 1);
    EXPECT_EQ(repetition, 3);
    EXPECT_EQ(offset, (RtePoint{120, 0}));
    RtePoint inTheGap{110, 10};
    EXPECT_EQ(RteContainerIndexAtPoint(doc_, &inTheGap, &repetition, nullptr), -1);
    EXPECT_EQ(repetition, -1);
}

std::vector<intptr_t> g_told;
void NoteStyle(intptr_t verb, RteHandle, int32_t, RteHandle, RteCharStyle*) { g_told.push_back(verb); }
void NoteFormat(intptr_t verb, RteHandle, int32_t, RteHandle, RteParFormat*) { g_told.push_back(-verb); }

TEST_F(AreasTest, StylesAndFormatsHearABroadcast)
{
    RteDocument doc = Doc();
    RteLocked<RteCharStyle>(doc.charStyles)[0].hooks.added = NoteStyle;
    RteLocked<RteParFormat>(doc.parFormats)[0].hooks.table = NoteFormat;
    g_told.clear();
    RteBroadcastStyles(doc_, 0, 5, doc.charStyles, doc.parFormats);
    ASSERT_GE(g_told.size(), 2u);
    EXPECT_EQ(g_told.front(), 5) << "the styles first";
    EXPECT_EQ(g_told.back(), -5) << "then the formats";
}

}  // namespace

namespace {

// A hit test over two lines of 12 units, ten units to a character: "Quelques " on the first,
// "mots." on the second.
intptr_t HitTenUnitsACharacter(RteHandle, intptr_t where, intptr_t out, intptr_t, intptr_t, intptr_t)
{
    const auto* point = reinterpret_cast<const RtePoint*>(where);
    auto* hit = reinterpret_cast<RteSelectPoint*>(out);
    hit->offset = point->v < 12 ? point->h / 10 : 9 + point->h / 10;
    return 0;
}

TEST_F(AreasTest, TheRangesLaidOutInAnArea)
{
    LayOutBlock(doc_, 0,
                {RteLinePiece{0, 0, 0, RTE_PIECE_LINE_FIRST | RTE_PIECE_LINE_LAST, 1, {0, 0, 12, 90}},
                 RteLinePiece{9, 0, 0, RTE_PIECE_LINE_FIRST | RTE_PIECE_LINE_LAST, 1, {12, 0, 24, 50}}});
    RteHookTable hooks;
    RteGetDocHooks(doc_, &hooks);
    hooks.hitTest = HitTenUnitsACharacter;
    RteSetDocHooks(doc_, &hooks, false);
    struct Case {
        std::vector<RteRect> area;
        std::vector<RteRange> ranges;
        const char* why;
    };
    const Case cases[] = {
        {{{-5, -5, 100, 100}}, {{0, 14}}, "the whole text: the lines' ranges join"},
        {{{2, 20, 10, 40}}, {{2, 4}}, "inside a line: from and to the characters hit"},
        {{{0, 30, 12, 100}, {12, 0, 24, 15}}, {{3, 10}}, "a line's end and the next line's start"},
        {{{0, 30, 12, 100}}, {{3, 9}}, "to a piece's right: its end"},
        {{{40, 0, 60, 100}}, {}, "below the text: nothing"},
        {{{0, 20, 12, 21}}, {}, "a sliver hits no character"},
    };
    RteHandle ranges = RteAlloc(&context_, sizeof(RteRange), 1, 0, true);
    for (const Case& c : cases) {
        RteRectList area = RteNewRectList(&context_, &c.area[0]);
        for (size_t i = 1; i < c.area.size(); ++i)
            RteAddRectToList(area, &c.area[i]);
        RteRangesInRectList(doc_, area, ranges);
        std::vector<RteRange> found = Elements<RteRange>(ranges);
        ASSERT_EQ(found.size(), c.ranges.size()) << c.why;
        for (size_t i = 0; i < found.size(); ++i) {
            EXPECT_EQ(found[i].start, c.ranges[i].start) << c.why;
            EXPECT_EQ(found[i].end, c.ranges[i].end) << c.why;
        }
        RteFreeRectList(area);
    }
    RteFree(ranges);
    EXPECT_EQ(LockedHandles(), 0);
}

}  // namespace

