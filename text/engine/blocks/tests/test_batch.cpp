// Insertion batches: text, styles and formats appended at one place and taken in at the end.
#include <gtest/gtest.h>

#include <cstdio>

#include "block_text.h"
#include "document_fixture.h"
#include "rte_batch.h"
#include "rte_block_upkeep.h"
#include "style_checks.h"

namespace {

using BatchTest = DocumentTest;

void Append(RteHandle doc, const std::string& text, const RteCharStyle* style = nullptr,
            const RteParFormat* format = nullptr)
{
    RteBatchAppend(doc, reinterpret_cast<const uint8_t*>(text.data()), static_cast<int32_t>(text.size()), format,
                   style, nullptr, 0);
}

void PlaceCaret(RteHandle doc, int32_t offset)
{
    RteLocked<RteSelectPoint> points(DocumentOf(doc).selection);
    points[0].offset = points[1].offset = offset;
}

std::pair<int32_t, int32_t> Selection(RteHandle doc)
{
    RteLocked<RteSelectPoint> points(DocumentOf(doc).selection);
    EXPECT_EQ(2, points.size());
    return {points[0].offset, points[1].offset};
}

std::vector<int32_t> OpenBatchBlocks(RteHandle doc)
{
    RteBatch batch;
    RteGetElement(DocumentOf(doc).batch, 0, &batch);
    std::vector<int32_t> lengths;
    for (const RteTextBlock& block : Elements<RteTextBlock>(batch.blocks))
        lengths.push_back(block.length);
    return lengths;
}

TEST_F(BatchTest, ABatchThatAppendedNothingChangesNothing)
{
    RteHandle doc = MakeDocument("hello");
    PlaceCaret(doc, 2);
    uint32_t changes = RteGetChangeCounter(doc);
    int live = LiveHandles();
    RteBeginBatch(doc, 3);
    Append(doc, "");
    RteEndBatch(doc, false, 1);
    EXPECT_EQ("hello", DocumentText(doc));
    EXPECT_EQ(changes, RteGetChangeCounter(doc));
    EXPECT_EQ((std::pair<int32_t, int32_t>{2, 2}), Selection(doc));
    EXPECT_EQ(live, LiveHandles());
    EXPECT_EQ(0, LockedHandles());
}

TEST_F(BatchTest, TextGoesInAtTheOffsetAndTheCaretFollowsIt)
{
    struct Case {
        const char* text;
        int32_t offset;
        bool caretAtStart;
        const char* after;
        int32_t caret;
    };
    const Case cases[] = {
        {"hello world", 5, false, "hello big world", 9},
        {"hello world", 5, true, "hello big world", 5},
        {"hello world", 0, false, " bighello world", 4},
        {"hello world", 11, false, "hello world big", 15},
        {"", 0, false, " big", 4},
    };
    for (const Case& c : cases) {
        RteHandle doc = MakeDocument(c.text);
        uint32_t changes = RteGetChangeCounter(doc);
        RteBeginBatch(doc, c.offset);
        Append(doc, " b");
        Append(doc, "ig");
        RteEndBatch(doc, c.caretAtStart, 0);
        EXPECT_EQ(c.after, DocumentText(doc)) << c.text << " at " << c.offset;
        EXPECT_EQ(static_cast<int32_t>(std::string(c.after).size()), RteTextLength(doc));
        EXPECT_EQ((std::pair<int32_t, int32_t>{c.caret, c.caret}), Selection(doc));
        EXPECT_EQ(changes + 1, RteGetChangeCounter(doc));
        EXPECT_EQ("", RunProblems(doc));
        EXPECT_EQ(0, LockedHandles());
        RteDocDestroy(doc);
    }
}

TEST_F(BatchTest, StylesAndFormatsBecomeRunsOverTheirText)
{
    RteHandle doc = MakeDocument("[]");
    RteCharStyle plain = env_.defaultStyle;
    RteCharStyle bold = plain;
    bold.bold = 1;
    RteParFormat centred = env_.defaultFormat;
    centred.alignment = 1;
    RteBeginBatch(doc, 1);
    Append(doc, "plain ");
    Append(doc, "bold", &bold);
    Append(doc, " again\r", &plain);
    Append(doc, "centred\r", nullptr, &centred);
    RteEndBatch(doc, false, 1);
    EXPECT_EQ("[plain bold again\rcentred\r]", DocumentText(doc));
    EXPECT_EQ("0:0 7:1 11:0 29:0 ", CharRuns(doc));
    EXPECT_EQ("0:0 18:1 26:0 29:0 ", ParRuns(doc));
    EXPECT_EQ("", RunProblems(doc));
}

TEST_F(BatchTest, AStyleAskedForAgainNamesTheSameRecord)
{
    RteHandle doc = MakeDocument();
    RteCharStyle plain = env_.defaultStyle;
    RteCharStyle bold = plain;
    bold.bold = 1;
    RteBeginBatch(doc, 0);
    for (int i = 0; i < 3; ++i) {
        Append(doc, "ab", &bold);
        Append(doc, "cd", &plain);
    }
    RteEndBatch(doc, false, 0);
    EXPECT_EQ("0:1 2:0 4:1 6:0 8:1 10:0 14:0 ", CharRuns(doc));
    EXPECT_EQ(2, RteCount(DocumentOf(doc).charStyles));
    EXPECT_EQ("", RunProblems(doc));
}

// A font asked for alone is asked with the record in force, whose use count moves as runs
// take it: the request is still the one made before.
TEST_F(BatchTest, AFontAskedForAgainWithoutAStyleIsFoundAgain)
{
    RteHandle doc = MakeDocument();
    RteFont first;
    RteGetElement(DocumentOf(doc).fonts, 0, &first);
    RteFont second = first;
    std::snprintf(second.name, sizeof second.name, "%s", "Liberation Mono");
    RteBeginBatch(doc, 0);
    for (int i = 0; i < 40; ++i)
        RteBatchAppend(doc, reinterpret_cast<const uint8_t*>("ab"), 2, nullptr, nullptr, i % 2 ? &second : &first, 0);
    RteBatch batch;
    RteGetElement(DocumentOf(doc).batch, 0, &batch);
    EXPECT_EQ(2, RteCount(batch.styles));
    RteEndBatch(doc, false, 0);
    EXPECT_EQ(2, RteCount(DocumentOf(doc).charStyles));
    EXPECT_EQ("", RunProblems(doc));
}

TEST_F(BatchTest, AStyleChangedBackBeforeAnyTextLeavesNoRun)
{
    RteHandle doc = MakeDocument("ab");
    RteCharStyle plain = env_.defaultStyle;
    RteCharStyle bold = plain;
    bold.bold = 1;
    RteBeginBatch(doc, 1);
    Append(doc, "", &bold);
    Append(doc, "xy", &plain);
    RteEndBatch(doc, false, 0);
    EXPECT_EQ("axyb", DocumentText(doc));
    EXPECT_EQ("0:0 6:0 ", CharRuns(doc));
    EXPECT_EQ("", RunProblems(doc));
}

TEST_F(BatchTest, ANewBlockStartsAfterAParagraphEndOnceABlockIsThreeQuartersFull)
{
    RteHandle doc = MakeDocument();
    RteBeginBatch(doc, 0);
    Append(doc, std::string(3071, 'a'));
    Append(doc, "b\rc");
    EXPECT_EQ(std::vector<int32_t>{3074}, OpenBatchBlocks(doc)) << "below three quarters at the call's start";
    Append(doc, "dd\ree\rf");
    EXPECT_EQ((std::vector<int32_t>{3077, 4}), OpenBatchBlocks(doc));
    RteEndBatch(doc, false, 0);
    EXPECT_EQ((std::vector<int32_t>{3077, 4}), BlockLengths(doc));
    EXPECT_EQ(std::string(3071, 'a') + "b\rcdd\ree\rf", DocumentText(doc));
}

TEST_F(BatchTest, OneLongParagraphStaysWholeInTheBatchAndIsSplitAtAWordBreakAtItsEnd)
{
    std::string words;
    while (words.size() < 9000)
        words += "words ";
    RteHandle doc = MakeDocument();
    RteBeginBatch(doc, 0);
    Append(doc, std::string(3072, 'a'));
    Append(doc, words);
    EXPECT_EQ(std::vector<int32_t>{static_cast<int32_t>(3072 + words.size())}, OpenBatchBlocks(doc));
    RteEndBatch(doc, false, 0);
    std::vector<int32_t> lengths = BlockLengths(doc);
    EXPECT_GT(lengths.size(), 2u);
    for (int32_t length : lengths)
        EXPECT_LE(length, RTE_MAX_BLOCK_BYTES);
    EXPECT_EQ(std::string(3072, 'a') + words, DocumentText(doc));
    int32_t start = 0;
    std::string text = DocumentText(doc);
    for (size_t i = 0; i + 1 < lengths.size(); ++i) {
        start += lengths[i];
        EXPECT_EQ(' ', text[static_cast<size_t>(start - 1)]) << "block " << i << " ends after a blank";
    }
}

// A block boundary starts a new line: the new text joins the text of its paragraph before and
// after it, and blocks stay apart only where a paragraph ends.
TEST_F(BatchTest, TextInsertedInsideAParagraphJoinsItsBlocks)
{
    struct Case {
        std::vector<std::string> blocks;
        int32_t offset;
        const char* appended;
        std::vector<int32_t> lengths;
    };
    const Case cases[] = {
        {{"abcd", "efgh"}, 6, "XY", {4, 6}},
        {{"abcd", "efgh"}, 4, "XY", {10}},
        {{"abcd", "efgh"}, 8, "XY", {4, 6}},
        {{"ab\r", "efgh"}, 3, "XY", {3, 6}},
        {{"ab\r", "efgh"}, 3, "XY\r", {3, 3, 4}},
        {{"ab", "ef\rgh"}, 1, "X\rY", {5, 5}},
        {{"ab\r", "ef\rgh"}, 6, "X\rY", {3, 3, 5}},
    };
    for (const Case& c : cases) {
        RteHandle doc = MakeDocument();
        SetBlocks(doc, c.blocks);
        std::string text;
        for (const std::string& block : c.blocks)
            text += block;
        RteBeginBatch(doc, c.offset);
        Append(doc, c.appended);
        RteEndBatch(doc, false, 0);
        EXPECT_EQ(text.insert(static_cast<size_t>(c.offset), c.appended), DocumentText(doc));
        EXPECT_EQ(c.lengths, BlockLengths(doc)) << c.appended << " at " << c.offset;
        EXPECT_EQ("", RunProblems(doc));
        RteDocDestroy(doc);
    }
}

TEST_F(BatchTest, TextJoinedToALongParagraphIsSplitAgainWithinTheMaximum)
{
    RteHandle doc = MakeDocument();
    std::string words;
    while (words.size() < 3000)
        words += "words ";
    SetBlocks(doc, {words, words});
    RteBeginBatch(doc, 10);
    Append(doc, words);
    RteEndBatch(doc, false, 0);
    std::string text = words + words;
    EXPECT_EQ(text.insert(10, words), DocumentText(doc));
    std::vector<int32_t> lengths = BlockLengths(doc);
    EXPECT_EQ(3u, lengths.size());
    for (int32_t length : lengths)
        EXPECT_LE(length, RTE_MAX_BLOCK_BYTES);
}

TEST_F(BatchTest, NestedBatchesTakeTheAppendsUntilTheyEnd)
{
    RteHandle doc = MakeDocument("xy");
    RteBeginBatch(doc, 2);
    Append(doc, "A");
    RteBeginBatch(doc, 0);
    Append(doc, "B");
    RteEndBatch(doc, false, 0);
    EXPECT_EQ("Bxy", DocumentText(doc)) << "the inner batch's text only";
    Append(doc, "C");
    RteEndBatch(doc, false, 0);
    EXPECT_EQ("BxyAC", DocumentText(doc)) << "the outer batch's place moved with the inner text";
    EXPECT_EQ(nullptr, DocumentOf(doc).batch);
    EXPECT_EQ("", RunProblems(doc));
}

TEST_F(BatchTest, OutsideABatchTextGoesInAtTheSelection)
{
    RteHandle doc = MakeDocument("ab");
    PlaceCaret(doc, 1);
    RteCharStyle bold = env_.defaultStyle;
    bold.bold = 1;
    Append(doc, "XY", &bold);
    EXPECT_EQ("aXYb", DocumentText(doc));
    EXPECT_EQ((std::pair<int32_t, int32_t>{3, 3}), Selection(doc));
    EXPECT_EQ("0:0 1:1 3:0 6:0 ", CharRuns(doc));
    EXPECT_EQ("", RunProblems(doc));
}

TEST_F(BatchTest, ADestroyedDocumentTakesItsOpenBatchesWithIt)
{
    int live = LiveHandles();
    RteHandle doc = MakeDocument("text");
    RteBeginBatch(doc, 1);
    Append(doc, std::string(5000, 'z'));
    RteBeginBatch(doc, 0);
    RteDocDestroy(doc);
    EXPECT_EQ(live, LiveHandles());
}

}  // namespace
