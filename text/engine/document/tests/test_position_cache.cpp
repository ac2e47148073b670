// The position cache measured through a fixed-width measuring hook that notes every step.
#include <gtest/gtest.h>

#include <cstring>
#include <numeric>
#include <string>
#include <vector>

#include "block_positions.h"
#include "document_fixture.h"
#include "rte_line_piece.h"
#include "rte_position_cache.h"
#include "sub_run_cuts.h"
#include "rte_text_blocks.h"

namespace {

constexpr int32_t kWidth = 7;

int32_t g_wWidth = kWidth;
std::vector<RteMeasureStep> g_steps;

intptr_t FixedWidth(RteHandle, RteCharStyle*, intptr_t request, intptr_t, intptr_t, intptr_t)
{
    auto* step = reinterpret_cast<RteMeasureStep*>(request);
    if (step->count > 1 || step->text[0] != 'W' || step->step != -1)
        g_steps.push_back(*step);
    for (int32_t i = 0; i < step->count; ++i)
        step->positions[i + 1] = step->positions[i] + (step->text[i] == 'W' ? g_wWidth : kWidth);
    return step->positions[step->count] - step->positions[0];
}

class PositionCacheTest : public DocumentTest {
protected:
    void SetUp() override
    {
        DocumentTest::SetUp();
        env_.defaultStyle.hooks.measure = FixedWidth;
        g_wWidth = kWidth;
        g_steps.clear();
    }

    // Puts text into the first block at an offset, as the editing core does before it tells
    // the cache.
    static void InsertText(RteHandle handle, int32_t offset, const std::string& text)
    {
        RteLocked<RteDocument> doc(handle);
        RteHandle bytes = RteLocked<RteTextBlock>(doc->blocks)[0].text;
        std::memcpy(RteInsert(bytes, offset, static_cast<int32_t>(text.size())), text.data(), text.size());
        RteUnlock(bytes);
        RteLocked<RteTextBlock>(doc->blocks)[0].length += static_cast<int32_t>(text.size());
        doc->textLength += static_cast<int32_t>(text.size());
        RteLocked<RteStyleRun>(doc->charRuns)[1].offset = doc->textLength + 2;
        RteLocked<RteStyleRun>(doc->parRuns)[1].offset = doc->textLength + 2;
    }
};

std::vector<int32_t> Steps(int32_t count, int32_t width)
{
    std::vector<int32_t> positions(count + 1);
    for (int32_t i = 0; i <= count; ++i)
        positions[i] = i * width;
    return positions;
}

TEST_F(PositionCacheTest, MeasuresOnceAndReusesTheEntry)
{
    RteHandle doc = MakeDocument("abcd");
    RteHandle first = nullptr;
    RteHandle types = nullptr;
    int32_t* positions = RteBlockPositions(doc, 0, &first, &types);
    EXPECT_EQ(std::vector<int32_t>(positions, positions + 5), Steps(4, kWidth));
    EXPECT_EQ(RteCount(types), 5);
    size_t measured = g_steps.size();
    RteHandle second = nullptr;
    RteBlockPositions(doc, 0, &second, nullptr);
    EXPECT_EQ(second, first);
    EXPECT_EQ(g_steps.size(), measured) << "the second request measured again";
    EXPECT_EQ(env_.cache[0].uses, 2);
    RteReleasePositions(doc, first);
    RteReleasePositions(doc, second);
    EXPECT_EQ(env_.cache[0].uses, 0);
    EXPECT_EQ(LockedHandles(), 0);
}

// Link ranges as the tables keep them (start and end first, ordered by end), closed by the
// sentinel past the text.
void SetLinkRanges(RteHandle table, const std::vector<std::pair<int32_t, int32_t>>& ranges, int32_t textLength)
{
    RteSetCount(table, static_cast<int32_t>(ranges.size()) + 1);
    RteLocked<uint8_t> bytes(table);
    int32_t size = RteElementSize(table);
    std::memset(bytes.get(), 0, static_cast<size_t>(size) * (ranges.size() + 1));
    for (size_t i = 0; i <= ranges.size(); ++i) {
        auto* fields = reinterpret_cast<int32_t*>(bytes.get() + static_cast<size_t>(size) * i);
        fields[0] = i < ranges.size() ? ranges[i].first : textLength + 2;
        fields[1] = i < ranges.size() ? ranges[i].second : textLength + 2;
    }
}

TEST_F(PositionCacheTest, NoStepCrossesTheEdgeOfALinkRange)
{
    RteHandle doc = MakeDocument("abcdefghij");
    {
        RteLocked<RteDocument> model(doc);
        SetLinkRanges(model->linkRanges[0], {{3, 6}}, 10);
        SetLinkRanges(model->linkRanges[1], {{5, 8}}, 10);
    }
    EXPECT_EQ(FirstBlockPositions(doc), Steps(10, kWidth));
    std::vector<int32_t> counts;
    for (const RteMeasureStep& step : g_steps)
        counts.push_back(step.count);
    EXPECT_EQ(counts, (std::vector<int32_t>{3, 2, 1, 2, 2}));
}

TEST_F(PositionCacheTest, TwoDocumentsAtOneOffsetNeverShare)
{
    RteHandle a = MakeDocument("abc");
    RteHandle b = MakeDocument("abcdef");
    EXPECT_EQ(FirstBlockPositions(a), Steps(3, kWidth));
    EXPECT_EQ(FirstBlockPositions(b), Steps(6, kWidth));
    EXPECT_EQ(FirstBlockPositions(a), Steps(3, kWidth));
    EXPECT_NE(env_.cache[0].owner, env_.cache[1].owner);
}

TEST_F(PositionCacheTest, AnInsertionShiftsLaterPositionsAndKeepsTheEntry)
{
    RteHandle doc = MakeDocument("abcdef");
    FirstBlockPositions(doc);
    size_t measured = g_steps.size();
    InsertText(doc, 2, "xyz");
    RtePositionsInserted(doc, 0, 2, 3);
    EXPECT_EQ(g_steps.size(), measured + 1) << "only the three new characters are measured";
    EXPECT_EQ(g_steps.back().count, 3);
    std::vector<int32_t> positions = FirstBlockPositions(doc);
    EXPECT_EQ(positions, Steps(9, kWidth));
    EXPECT_EQ(positions[9] - 6 * kWidth, 21) << "three characters of width 21 in all";
    EXPECT_EQ(g_steps.size(), measured + 1) << "the entry was measured again";
}

TEST_F(PositionCacheTest, AnInsertionKeepsTheHoldersLock)
{
    RteHandle doc = MakeDocument("abcdef");
    RteHandle held = nullptr;
    RteBlockPositions(doc, 0, &held, nullptr);
    InsertText(doc, 2, "xy");
    RtePositionsInserted(doc, 0, 2, 2);
    EXPECT_EQ(RteLockCount(held), 1);
    EXPECT_EQ(RteLocked<int32_t>(held)[8], 8 * kWidth);
    RteReleasePositions(doc, held);
    EXPECT_EQ(LockedHandles(), 0);
}

TEST_F(PositionCacheTest, ADeletionMovesLaterPositionsBack)
{
    RteHandle doc = MakeDocument("abWdef");
    g_wWidth = 20;
    FirstBlockPositions(doc);
    RtePositionsDeleted(doc, 0, 1, 2);
    EXPECT_EQ(FirstBlockPositions(doc), Steps(4, kWidth));
    EXPECT_EQ(env_.cache[0].blockEnd, 4);
}

TEST_F(PositionCacheTest, HiddenTextTakesNoRoomWhenTheDocumentHidesIt)
{
    RteHandle doc = MakeDocument("hidden");
    RteLocked<RteCharStyle>(DocumentOf(doc).charStyles)[0].hidden = 1;
    EXPECT_EQ(FirstBlockPositions(doc), Steps(6, kWidth)) << "shown while the document shows hidden text";
    RteSetDocFlags(doc, RteGetDocFlags(doc) | RTE_DOC_HIDDEN_TEXT);
    EXPECT_EQ(FirstBlockPositions(doc), std::vector<int32_t>(7, 0));
}

TEST_F(PositionCacheTest, StepsStayWithinSixteenBitCoordinates)
{
    struct Case {
        int32_t wWidth;
        std::vector<int32_t> steps;
    };
    const Case cases[] = {{10, {3250, 3250, 3250, 250}}, {5, {4096, 4096, 1808}}, {3, {4096, 4096, 1808}}};
    for (const Case& c : cases) {
        g_wWidth = c.wWidth;
        g_steps.clear();
        RteHandle doc = MakeDocument(std::string(10000, 'a'));
        std::vector<int32_t> positions = FirstBlockPositions(doc);
        std::vector<int32_t> counts;
        std::vector<int32_t> counters;
        for (const RteMeasureStep& step : g_steps) {
            counts.push_back(step.count);
            counters.push_back(step.step);
        }
        EXPECT_EQ(counts, c.steps) << "W of width " << c.wWidth;
        EXPECT_EQ(counters.back(), -1) << "the last step is told so";
        EXPECT_EQ(counters.front(), 0);
        EXPECT_EQ(positions.back(), 10000 * kWidth);
        RteDocDestroy(doc);
    }
}

TEST_F(PositionCacheTest, AFourthClaimWhileThreeAreHeldMeasuresApart)
{
    std::vector<RteHandle> docs;
    std::vector<RteHandle> held;
    int live = 0;
    for (int i = 0; i < 4; ++i) {
        docs.push_back(MakeDocument(std::string(i + 1, 'a')));
        if (i == 3)
            live = LiveHandles();
        RteHandle positions = nullptr;
        int32_t* values = RteBlockPositions(docs.back(), 0, &positions, nullptr);
        ASSERT_NE(values, nullptr);
        EXPECT_EQ(std::vector<int32_t>(values, values + i + 2), Steps(i + 1, kWidth));
        held.push_back(positions);
    }
    for (const RteCacheEntry& entry : env_.cache)
        EXPECT_NE(entry.positions, held[3]) << "a held entry was taken";
    for (int i = 0; i < 4; ++i)
        RteReleasePositions(docs[i], held[i]);
    EXPECT_EQ(LockedHandles(), 0);
    EXPECT_LE(LiveHandles(), live + 1) << "the apart entry's handles stay after its release";
    // With the three free again, the next claim takes one of them.
    RteHandle positions = nullptr;
    RteBlockPositions(docs[3], 0, &positions, nullptr);
    EXPECT_TRUE(positions == env_.cache[0].positions || positions == env_.cache[1].positions ||
                positions == env_.cache[2].positions);
    RteReleasePositions(docs[3], positions);
}

TEST_F(PositionCacheTest, ADestroyedDocumentLeavesNoEntry)
{
    RteHandle doc = MakeDocument("abc");
    FirstBlockPositions(doc);
    RteDocDestroy(doc);
    for (const RteCacheEntry& entry : env_.cache)
        EXPECT_EQ(entry.block, -1);
}

TEST_F(PositionCacheTest, BatchHelpers)
{
    const uint8_t bytes[] = {'a', '\r', 'b', '\r', 'c'};
    EXPECT_EQ(RteFindByte(bytes, 5, '\r'), 2);
    EXPECT_EQ(RteFindByte(bytes, 5, 'z'), 0);
    RteHandle doc = MakeDocument("a\rb\rc");
    EXPECT_EQ(RteLastByteOffset(doc, '\r'), 3);
    EXPECT_EQ(RteLastByteOffset(doc, 'z'), -1);
    RteHandle table = RteAlloc(&context_, 4, 0, 0, true);
    EXPECT_EQ(RteStartTable(table, 41), 42);
    EXPECT_EQ(RteLocked<int16_t>(table)[1], 41);
    EXPECT_EQ(RteStartTable(table, 7), 0);
    EXPECT_EQ(RteCount(table), 1);
    RteFree(table);
}

}  // namespace

namespace {

// Every byte after an 'x' continues the character the 'x' starts.
intptr_t XStartsPairs(RteHandle, RteCharStyle*, intptr_t character, intptr_t, intptr_t mask, intptr_t before)
{
    const auto* byte = reinterpret_cast<const uint8_t*>(character);
    return before > 0 && byte[-1] == 'x' ? RTE_CLASS_CONTINUATION & mask : 0;
}

// Blanks are blanks, and every byte after an 'x' continues the character the 'x' starts.
intptr_t BlanksAndXPairs(RteHandle doc, RteCharStyle* style, intptr_t character, intptr_t count, intptr_t mask,
                         intptr_t before)
{
    const auto* byte = reinterpret_cast<const uint8_t*>(character);
    intptr_t blank = *byte == ' ' ? RTE_CLASS_BLANK & mask : 0;
    return blank | XStartsPairs(doc, style, character, count, mask, before);
}

TEST_F(PositionCacheTest, LinesMeasuredFromTheirStart)
{
    env_.defaultStyle.hooks.charInfo = BlanksAndXPairs;
    constexpr uint16_t kWrapped = RTE_PIECE_LINE_FIRST;
    constexpr uint16_t kParagraph = RTE_PIECE_LINE_FIRST | RTE_PIECE_PAR_FIRST;
    constexpr int32_t w = kWidth;
    struct Case {
        const char* text;
        int32_t offset;
        int32_t count;
        uint16_t flags;
        std::vector<int32_t> positions;
        const char* why;
    };
    const Case cases[] = {
        {"abcdefgh", 3, 4, kWrapped, Steps(4, w), "no blank: every character measured"},
        {"abcdefgh", 6, 4, kWrapped, {0, w, 2 * w, 2 * w, 2 * w}, "nothing read past the block: its last repeats"},
        {"  abc", 0, 5, kWrapped, {0, 0, 0, w, 2 * w, 3 * w}, "a wrapped line's leading blanks take no width"},
        {"  abc", 0, 5, kParagraph, Steps(5, w), "a paragraph's first line keeps its blanks"},
        {"ab cd", 2, 3, kWrapped, {0, 0, w, 2 * w}, "from the line's start, not the block's"},
        {"a b", 0, 3, kWrapped, Steps(3, w), "a blank after the first character stays"},
        {"   ", 0, 3, kWrapped, {0, 0, 0, 0}, "a line of blanks only"},
        {"x  b", 1, 3, kWrapped, Steps(3, w), "a blank byte inside a double-byte character is no blank"},
        {" ab", 0, 3, 0, {0, 0, w, 2 * w}, "a line without flags is no paragraph's first"},
    };
    for (const Case& c : cases) {
        RteHandle doc = MakeDocument(c.text);
        RteHandle line = RteMeasureLine(doc, 0, c.offset, c.count, c.flags);
        EXPECT_EQ(Elements<int32_t>(line), c.positions) << c.why;
        RteFree(line);
        EXPECT_EQ(LockedHandles(), 0) << c.why;
    }
}

TEST_F(PositionCacheTest, BackToWhereABreakMayFall)
{
    env_.defaultStyle.hooks.charInfo = XStartsPairs;
    RteHandle doc = MakeDocument("abxcdxe");
    RteStyleWalk walker;
    RteStyleWalkBegin(doc, 0, &walker, false);
    EXPECT_EQ(RteBackToBreak(doc, &walker, 3, 0), 2) << "off the second byte";
    EXPECT_EQ(RteBackToBreak(doc, &walker, 4, 0), 4);
    EXPECT_EQ(RteBackToBreak(doc, &walker, 6, 6), 6) << "never below the limit";
    RteStyleWalkEnd(doc, false);
}

// A style whose run hook gives sub-runs is measured one sub-run at a time, positions going on
// from one to the next; a style without the hook is never asked.
TEST_F(PositionCacheTest, MeasuringStepsEndWhereTheRunHookCutsSubRuns)
{
    struct Case {
        bool hooked;
        std::vector<int32_t> cuts;
        std::vector<int32_t> steps;
    };
    const Case cases[] = {
        {true, {}, {9}},
        {true, {3, 5}, {3, 2, 4}},
        {true, {0, 9, 12}, {9}},
        {true, {8, 1}, {1, 7, 1}},
        {false, {3, 5}, {9}},
    };
    for (const Case& c : cases) {
        TheSubRunCuts() = {c.cuts, 0};
        g_steps.clear();
        env_.defaultStyle.hooks.slot14 = CutIntoSubRuns;
        env_.defaultStyle.styleBits = c.hooked ? RTE_STYLE_RANGE_HOOK : 0;
        RteHandle doc = MakeDocument("abcdefghi");
        EXPECT_EQ(FirstBlockPositions(doc), Steps(9, kWidth));
        std::vector<int32_t> counts;
        for (const RteMeasureStep& step : g_steps)
            counts.push_back(step.count);
        EXPECT_EQ(counts, c.steps) << "cuts " << ::testing::PrintToString(c.cuts);
        EXPECT_EQ(TheSubRunCuts().asked, c.hooked ? static_cast<int32_t>(c.steps.size()) : 0);
        RteDocDestroy(doc);
    }
}

}  // namespace

namespace {

// Lines of "aaaa bbbb\rcccc dddd\r": two paragraphs of two lines, every line laid out.
class MarkLinesTest : public PositionCacheTest {
protected:
    void SetUp() override
    {
        PositionCacheTest::SetUp();
        doc_ = MakeDocument("aaaa bbbb\rcccc dddd\r");
        const uint16_t laid = RTE_LINE_LAID_OUT;
        LayOutBlock(doc_, 0,
                    {RteLinePiece{0, 0, 0, static_cast<uint16_t>(laid | RTE_LINE_STARTS_PARAGRAPH), 0, {0, 0, 12, 50}},
                     RteLinePiece{5, 0, 0, static_cast<uint16_t>(laid | RTE_LINE_PARAGRAPH_END), 0, {12, 0, 30, 50}},
                     RteLinePiece{10, 0, 0, static_cast<uint16_t>(laid | RTE_LINE_STARTS_PARAGRAPH), 0, {30, 0, 42, 50}},
                     RteLinePiece{15, 0, 0, static_cast<uint16_t>(laid | RTE_LINE_PARAGRAPH_END), 0, {42, 0, 54, 50}}});
        RteLocked<RteDocument> doc(doc_);
        RteLocked<RteTextBlock>(doc->blocks)[0].flags = RTE_BLOCK_LINES_COMPLETE;
    }

    std::vector<bool> LaidOut()
    {
        std::vector<bool> marks;
        RteHandle lines = RteLocked<RteTextBlock>(DocumentOf(doc_).blocks)[0].lines;
        RteLocked<RteLinePiece> pieces(lines);
        for (int32_t i = 0; i < 4; ++i)
            marks.push_back((pieces[i].flags & RTE_LINE_LAID_OUT) != 0);
        return marks;
    }

    uint32_t BlockFlags() { return RteLocked<RteTextBlock>(DocumentOf(doc_).blocks)[0].flags; }

    RteHandle doc_ = nullptr;
};

TEST_F(MarkLinesTest, AnEditUnmarksItsParagraphFromItsFirstLine)
{
    EXPECT_EQ(RteMarkLinesChanged(doc_, 0, 6, 2), 0) << "layout starts again at the paragraph's first line";
    EXPECT_EQ(LaidOut(), (std::vector<bool>{false, false, true, true}));
    EXPECT_EQ(BlockFlags() & RTE_BLOCK_LINES_AND_TEXT_CHANGED, RTE_BLOCK_LINES_AND_TEXT_CHANGED);
    EXPECT_NE(BlockFlags() & RTE_BLOCK_LINES_COMPLETE, 0u) << "the edit stayed inside the block";
}

TEST_F(MarkLinesTest, AnEditInTheSecondParagraph)
{
    EXPECT_EQ(RteMarkLinesChanged(doc_, 0, 16, -1), 10);
    EXPECT_EQ(LaidOut(), (std::vector<bool>{true, true, false, false}));
}

TEST_F(MarkLinesTest, ADeletionUpToABreakLineUnmarksToTheBlockEnd)
{
    {
        RteHandle lines = RteLocked<RteTextBlock>(DocumentOf(doc_).blocks)[0].lines;
        RteLocked<RteLinePiece>(lines)[2].flags |= 0x4000;
    }
    EXPECT_EQ(RteMarkLinesChanged(doc_, 0, 8, -2), 0);
    EXPECT_EQ(LaidOut(), (std::vector<bool>{false, false, false, false}));
}

TEST_F(MarkLinesTest, ABlockWithoutACompleteLineTableGivesItsStart)
{
    {
        RteLocked<RteDocument> doc(doc_);
        RteLocked<RteTextBlock>(doc->blocks)[0].flags = 0;
    }
    EXPECT_EQ(RteMarkLinesChanged(doc_, 0, 12, 1), 0);
    EXPECT_EQ(LaidOut(), (std::vector<bool>{true, true, true, true}));
}

TEST_F(MarkLinesTest, TheParagraphsHeight)
{
    RteCharStyle* style = RteCharStyleAt(doc_, 0);
    int32_t height = style->ascent + style->descent;
    RteUnlock(DocumentOf(doc_).charStyles);
    EXPECT_EQ(RteParagraphHeight(doc_, 0, 3), height);
}

}  // namespace
