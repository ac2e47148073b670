// Runs around deletions, the insertion style after a caret moves, style bits and hooks of
// matching records, and views that share their owner's tables.
#include <gtest/gtest.h>

#include "document_fixture.h"
#include "failing_blocks.h"
#include "rte_style_units.h"
#include "rte_styles.h"
#include "style_checks.h"

namespace {

using RunEditTest = DocumentTest;

void SetBold(RteHandle doc, RteRange range, int16_t value)
{
    RteCharStyle style = {}, mask;
    RteClearCharStyle(&mask, 0);
    style.bold = value;
    mask.bold = -1;
    RteSetCharStyle(doc, &range, &style, &mask, 0);
}

void PlaceCaret(RteHandle doc, int32_t offset)
{
    RteLocked<RteSelectPoint> points(DocumentOf(doc).selection);
    points[0].offset = points[1].offset = offset;
}

TEST_F(RunEditTest, UsesTakenForADeletionGoToTheRunsSetAfterIt)
{
    RteHandle doc = MakeDocument(std::string(20, 'x'));
    SetBold(doc, {5, 10}, 1);
    int16_t charIndex = -1, parIndex = -1;
    RteRunIndexAt(doc, 7, &charIndex, &parIndex, true);
    EXPECT_EQ(1, charIndex);
    EXPECT_EQ(0, parIndex);
    EXPECT_NE("", RunProblems(doc)) << "the taken uses are not yet a run's";
    RteSetRunsAt(doc, charIndex, parIndex, 12);
    EXPECT_EQ("0:0 5:1 10:0 12:1 22:0 ", CharRuns(doc));
    RteRunCleanup(doc, true, true);
    EXPECT_EQ("", RunProblems(doc)) << CharRuns(doc) << "| " << ParRuns(doc);
    RteRunIndexAt(doc, 7, &charIndex, nullptr, true);
    RteSetRunsAt(doc, charIndex, -1, 30);
    EXPECT_EQ("", RunProblems(doc)) << "past the text the use is given back";
    RteDocDestroy(doc);
}

TEST_F(RunEditTest, TheInsertionStyleFollowsTheCharacterBeforeTheCaret)
{
    RteHandle doc = MakeDocument(std::string(10, 'x'));
    SetBold(doc, {0, 4}, 1);
    RteCharStyle style;
    for (auto [caret, bold] : {std::pair{3, 1}, std::pair{4, 1}, std::pair{6, 0}, std::pair{0, 1}}) {
        PlaceCaret(doc, caret);
        RteRederiveInsertionStyle(doc);
        RteGetInsertStyle(doc, &style);
        EXPECT_EQ(bold, style.bold) << "caret at " << caret;
    }
    RteDocDestroy(doc);
}

TEST_F(RunEditTest, HiddenTextIsNotTypedAfterHiddenText)
{
    RteHandle doc = MakeDocument(std::string(10, 'x'));
    RteCharStyle hidden = {}, mask;
    RteClearCharStyle(&mask, 0);
    hidden.hidden = 1;
    mask.hidden = -1;
    RteRange range = {0, 5};
    RteSetCharStyle(doc, &range, &hidden, &mask, 0);
    RteSetDocFlags(doc, RTE_DOC_HIDDEN_TEXT);
    PlaceCaret(doc, 5);
    RteRederiveInsertionStyle(doc);
    RteCharStyle style;
    RteGetInsertStyle(doc, &style);
    EXPECT_EQ(0, style.hidden);
    EXPECT_EQ("", RunProblems(doc));
    RteDocDestroy(doc);
}

TEST_F(RunEditTest, StyleBitsAndHooksOfMatchingRecords)
{
    RteHandle doc = MakeDocument(std::string(10, 'x'));
    RteRange range = {2, 6};
    RteSetStyleBits(doc, &range, 0xFF00, 0x0005, 0);
    int32_t extent = 0;
    EXPECT_EQ(0x5u, RteStyleBitsAt(doc, 3, &extent));
    EXPECT_EQ(6, extent);
    EXPECT_EQ(0u, RteStyleBitsAt(doc, 8, &extent));
    EXPECT_EQ(10, extent) << "clamped to the text length";

    RteCharStyle values = {}, mask;
    RteClearCharStyle(&mask, 0);
    values.styleBits = 0x5;
    mask.styleBits = 0xFFFFFFFF;
    RteCharStyleHooks hooks = env_.defaultStyle.hooks;
    RteSetStyleHooks(doc, &values, &mask, nullptr, &hooks, 77, 78, true, 0);
    RteCharStyle style, styleMask;
    RteGetCharStyle(doc, &range, false, &style, &styleMask);
    EXPECT_EQ(77, style.value14);
    EXPECT_EQ(78, style.value15);
    RteRange plain = {7, 9};
    RteGetCharStyle(doc, &plain, false, &style, &styleMask);
    EXPECT_EQ(0, style.value14) << "records that do not match keep theirs";
    RteDocDestroy(doc);
}

TEST_F(RunEditTest, AViewKeepsItsRunsWhileTheOwnerChanges)
{
    RteHandle owner = MakeDocument(std::string(10, 'x'));
    SetBold(owner, {0, 3}, 1);
    RteHandle view = RteNewView(owner, true, nullptr, nullptr, nullptr, 0);
    ASSERT_NE(nullptr, view);
    SetBold(owner, {0, 3}, 0);  // the bold record loses its last use in the owner
    EXPECT_EQ("0:0 12:0 ", CharRuns(owner));
    EXPECT_EQ(2, RteCount(DocumentOf(owner).charStyles)) << "records stay while a view shares the tables";
    RteDocDestroy(view);
    SetBold(owner, {0, 1}, 0);
    EXPECT_EQ("", RunProblems(owner));
    EXPECT_EQ(1, RteCount(DocumentOf(owner).charStyles)) << "without views unused records go again";
    RteDocDestroy(owner);
}

TEST_F(RunEditTest, InsertStyleOverwrittenInPlace)
{
    RteHandle doc = MakeDocument("abc");
    RteCharStyle style = env_.defaultStyle;
    style.underline = 1;
    RteSetInsertStyle(doc, &style, 0);
    RteCharStyle out;
    EXPECT_EQ(0, RteGetInsertStyle(doc, &out));
    EXPECT_EQ(1, out.underline);
    EXPECT_EQ(2, out.useCount) << "the use count is kept";
    EXPECT_EQ("", RunProblems(doc));
    RteDocDestroy(doc);
}

TEST_F(RunEditTest, MovingAreas)
{
    RteRect rect = {0, 0, 100, 200};
    RteRectList wrap = RteNewRectList(&context_, &rect);
    RteHandle doc = RteDocCreate(&env_, RTE_PORT_NEW, wrap, wrap, nullptr, 0);
    RteOffsetAreas(doc, 10, 20, true, false, false);
    RteRect moved;
    RteRectListFirst(RteWrapArea(doc), &moved);
    EXPECT_EQ((RteRect{10, 20, 110, 220}), moved);
    RteRectListFirst(RteViewArea(doc), &moved);
    EXPECT_EQ(rect, moved) << "only the areas asked move";
    RtePoint topLeft = {1, 2}, bottomRight = {3, 4};
    RteOffsetView(doc, &topLeft, &bottomRight);
    RteRectListFirst(RteViewArea(doc), &moved);
    EXPECT_EQ((RteRect{1, 2, 103, 204}), moved);
    RteDocDestroy(doc);
    RteFreeRectList(wrap);
}

}  // namespace

namespace {

TEST_F(RunEditTest, TextTypedAtAParagraphStartTakesItsStyle)
{
    RteHandle doc = MakeDocument("abc\rdef");
    SetBold(doc, {4, 7}, 1);
    PlaceCaret(doc, 4);
    RteRederiveInsertionStyle(doc);
    RteCharStyle style;
    RteGetInsertStyle(doc, &style);
    EXPECT_EQ(1, style.bold);
    RteDocDestroy(doc);
}

TEST_F(RunEditTest, RunningOutOfMemoryLeavesNothingLockedAndTheRunsTrue)
{
    int raised = 0;
    for (int n = 1; n < 60; ++n) {
        RteHandle doc = MakeDocument("one\rtwo\rthree and more");
        uint16_t code;
        {
            FailingBlocks blocks;
            blocks.FailFromRequest(n);
            code = RteTry(&context_, [&] {
                SetBold(doc, {2, 9}, 1);
                RteRange range = {1, 12};
                RteParFormat format = {}, mask;
                RteClearParFormat(&mask, 0);
                format.alignment = 2;
                mask.alignment = -1;
                RteSetParFormat(doc, &range, &format, &mask, 0);
            });
        }
        if (code) {
            ++raised;
            EXPECT_EQ(RTE_ERR_NO_MEMORY, code);
        }
        EXPECT_EQ(0, LockedHandles()) << "request " << n;
        EXPECT_EQ("", RunProblems(doc)) << "request " << n;
        RteDocDestroy(doc);
    }
    EXPECT_GT(raised, 0);
}

}  // namespace
