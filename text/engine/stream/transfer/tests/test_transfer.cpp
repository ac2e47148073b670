// Copy, cut, insertion and filtered text between documents: text, styles, formats, link
// ranges, origin lists, progress and change counts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "block_text.h"
#include "rte_editing.h"
#include "rte_links.h"
#include "rte_object_queries.h"
#include "rte_object_stream.h"
#include "rte_selection.h"
#include "rte_style_units.h"
#include "rte_styles.h"
#include "rte_transfer.h"
#include "style_checks.h"
#include "transfer_fixture.h"

namespace {

std::vector<std::vector<int32_t>> g_progress;

void RecordProgress(RteHandle, int32_t code, int32_t done, int32_t total)
{
    g_progress.push_back({code, done, total});
}

std::string BytesOf(RteHandle text)
{
    if (!text)
        return "<null>";
    std::vector<char> bytes = Elements<char>(text);
    return std::string(bytes.begin(), bytes.end());
}

std::vector<std::pair<int32_t, int32_t>> Origins(RteHandle doc)
{
    std::vector<std::pair<int32_t, int32_t>> out;
    if (RteHandle list = RteOriginList(doc))
        for (const RteRange& r : Elements<RteRange>(list))
            out.emplace_back(r.start, r.end);
    return out;
}

class RangeTransferTest : public TransferTest {
protected:
    void SetUp() override
    {
        TransferTest::SetUp();
        g_progress.clear();
    }

    static void WatchProgress(RteHandle doc)
    {
        RteHookTable hooks;
        RteGetDocHooks(doc, &hooks);
        hooks.progress = RecordProgress;
        RteSetDocHooks(doc, &hooks, false);
    }

    RteHandle LongText(int32_t length)
    {
        RteHandle doc = Text("");
        std::string text;
        for (int32_t i = 0; i < length; ++i)
            text += static_cast<char>(i % 61 == 60 ? '\r' : 'a' + i % 26);
        Insert(doc, text, 0);
        return doc;
    }
};

TEST_F(RangeTransferTest, NothingToCopyGivesNullAndCutDeletesNothing)
{
    RteHandle doc = Text("hello");
    RteRange empty = {2, 2};
    EXPECT_EQ(nullptr, RteCopyRange(doc, nullptr)) << "a caret selects nothing";
    EXPECT_EQ(nullptr, RteCopyRange(doc, &empty));
    EXPECT_EQ(nullptr, RteCopyRangeText(doc, nullptr, 0));
    uint32_t changes = RteGetChangeCounter(doc);
    EXPECT_EQ(nullptr, RteCutRange(doc, &empty, 0));
    EXPECT_EQ("hello", DocumentText(doc));
    EXPECT_EQ(changes, RteGetChangeCounter(doc));
    EXPECT_EQ(0, LockedHandles());
}

TEST_F(RangeTransferTest, CopyCarriesTextStylesAndParagraphFormats)
{
    RteHandle doc = Text("one two\rthree four\rfive");
    SetBold(doc, 4, 11);
    SetAlignment(doc, 8, 8, 1);
    RteRange range = {4, 21};
    RteHandle copy = Own(RteCopyRange(doc, &range));
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ("[two\rthr]ee four\rfi", Marked(copy));
    EXPECT_EQ(0, AlignmentAt(copy, 1));
    EXPECT_EQ(1, AlignmentAt(copy, 5)) << "the whole second paragraph came";
    EXPECT_EQ(0, AlignmentAt(copy, 16));
    EXPECT_EQ("", RunProblems(copy));
    EXPECT_EQ((std::vector<std::pair<int32_t, int32_t>>{{0, 17}}), Origins(copy));
    EXPECT_EQ("one [two\rthr]ee four\rfive", Marked(doc)) << "the source stays as it was";
    EXPECT_EQ(0, LockedHandles());
}

TEST_F(RangeTransferTest, LinkRangesInsideTheRangeGoWithItOthersStay)
{
    RteHandle doc = Text("0123456789abcdef");
    RteRange outside = {1, 5}, inside = {6, 9}, mark = {10, 12};
    RteAddLinkRange(doc, &outside, "before", nullptr, nullptr, 0, 0, 0, 0);
    RteAddLinkRange(doc, &inside, std::string(80, 'n').c_str(), nullptr, nullptr, 0, 0, 0, 0);
    RteAddMarkRange(doc, &mark, "mark", nullptr, 0, 0);
    RteRange range = {4, 14};
    RteHandle copy = Own(RteCopyRange(doc, &range));
    ASSERT_NE(nullptr, copy);
    RteLinkRange found;
    ASSERT_EQ(1, RteGetLinkRange(copy, 0, true, &found));
    EXPECT_EQ(2, found.start);
    EXPECT_EQ(5, found.end) << "it keeps its length";
    char name[128] = {};
    RteGetLinkRangeName(copy, 3, name, sizeof name);
    EXPECT_EQ(std::string(80, 'n'), name);
    EXPECT_EQ(0, RteGetLinkRange(copy, 5, true, &found)) << "the range that started before stayed behind";
    EXPECT_EQ(1, RteInMarkRange(copy, 6));
}

// A selection of several ranges cut and inserted back at the first range's start puts every
// piece back at its old distance from the first.
TEST_F(RangeTransferTest, SeveralRangesCutAndInsertedBackComeBackInPlace)
{
    struct Case {
        std::vector<RteRange> ranges;
        std::string cut;
        std::string copied;
    };
    const Case cases[] = {
        {{{1, 3}, {5, 7}}, "034789", "1256"},
        {{{0, 1}, {4, 6}, {9, 10}}, "123678", "0459"},
        {{{2, 8}}, "0189", "234567"},
    };
    for (const Case& c : cases) {
        RteHandle doc = Text("0123456789");
        SetBold(doc, 4, 6);
        RteSetSelectionRanges(doc, c.ranges.data(), static_cast<int32_t>(c.ranges.size()), 0, false);
        RteHandle copy = Own(RteCutRange(doc, nullptr, 0));
        ASSERT_NE(nullptr, copy);
        EXPECT_EQ(c.copied, DocumentText(copy));
        EXPECT_EQ(c.cut, DocumentText(doc));
        RteInsertDocument(doc, copy, c.ranges.front().start, 0, 0);
        EXPECT_EQ("0123[45]6789", Marked(doc)) << c.copied;
        EXPECT_EQ("", RunProblems(doc));
    }
    EXPECT_EQ(0, LockedHandles());
}

TEST_F(RangeTransferTest, InsertingAtTheInsertionPointReplacesTheSelection)
{
    RteHandle doc = Text("keep THIS here");
    RteHandle source = Text("that");
    SetBold(source, 0, 4);
    RteSetSelection(doc, 5, 9, 0, 0);
    RteInsertDocument(doc, source, -1, 0, 0);
    EXPECT_EQ("keep [that] here", Marked(doc));
    EXPECT_EQ("that", DocumentText(source)) << "the source stays as it was";
}

TEST_F(RangeTransferTest, BareInsertionTakesTheStyleInForceAtTheInsertionPoint)
{
    RteHandle doc = Text("abcdef");
    SetBold(doc, 0, 3);
    RteHandle source = Text("xy");
    RteInsertDocument(doc, source, 2, 1, 0);
    EXPECT_EQ("[abxyc]def", Marked(doc));
    RteInsertDocument(doc, source, 7, 1, 0);
    EXPECT_EQ("[abxyc]dexyf", Marked(doc));
}

TEST_F(RangeTransferTest, CutAndInsertionCountOneChangeHoweverManyBlocks)
{
    RteHandle doc = LongText(60000);
    uint32_t before = RteGetChangeCounter(doc);
    RteRange range = {100, 50100};
    RteHandle copy = Own(RteCutRange(doc, &range, 0));
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(before + 1, RteGetChangeCounter(doc));
    EXPECT_EQ(10000, RteTextLength(doc));
    RteInsertDocument(doc, copy, 100, 0, 0);
    EXPECT_EQ(before + 2, RteGetChangeCounter(doc));
    EXPECT_EQ(60000, RteTextLength(doc));
    EXPECT_EQ(DocumentText(LongText(60000)), DocumentText(doc));
}

// Progress is told only above 24000 characters: before each block and once at the end.
TEST_F(RangeTransferTest, ProgressOnlyAboveTwentyFourThousandCharacters)
{
    for (int32_t length : {24000, 24001}) {
        g_progress.clear();
        RteHandle doc = LongText(length + 10);
        WatchProgress(doc);
        RteRange range = {5, 5 + length};
        RteHandle copy = Own(RteCopyRange(doc, &range));
        ASSERT_NE(nullptr, copy);
        if (length == 24000) {
            EXPECT_TRUE(g_progress.empty());
            continue;
        }
        ASSERT_GE(g_progress.size(), 3u);
        EXPECT_EQ((std::vector<int32_t>{1, 0, length}), g_progress.front());
        EXPECT_EQ((std::vector<int32_t>{1, length, length}), g_progress.back());
        for (size_t i = 1; i < g_progress.size(); ++i)
            EXPECT_LT(g_progress[i - 1][1], g_progress[i][1]);
        g_progress.clear();
        RteHandle target = Text("xy");
        WatchProgress(target);
        RteInsertDocument(target, copy, 1, 0, 0);
        ASSERT_GE(g_progress.size(), 3u);
        EXPECT_EQ((std::vector<int32_t>{2, 0, length}), g_progress.front());
        EXPECT_EQ((std::vector<int32_t>{2, length, length}), g_progress.back());
    }
}

TEST_F(RangeTransferTest, TextFiltersDropHiddenText)
{
    RteHandle doc = Text("shown hidden shown");
    SetHidden(doc, 6, 13);
    RteRange all = {0, 18};
    struct Case {
        int16_t filter;
        bool hideHidden;
        std::string text;
    };
    const Case cases[] = {
        {0, true, "shown hidden shown"},
        {RTE_TEXT_SHOWN, false, "shown hidden shown"},
        {RTE_TEXT_SHOWN, true, "shown shown"},
        {RTE_TEXT_SINGLE_BYTES, true, "shown hidden shown"},
        {RTE_TEXT_SHOWN_SINGLE_BYTES, true, "shown shown"},
        {RTE_TEXT_NO_WIDE_CLASS, true, "shown hidden shown"},
        {RTE_TEXT_SHOWN_NO_WIDE_CLASS, true, "shown shown"},
    };
    for (const Case& c : cases) {
        RteSetDocFlags(doc, c.hideHidden ? RteGetDocFlags(doc) | RTE_DOC_HIDDEN_TEXT
                                         : RteGetDocFlags(doc) & ~RTE_DOC_HIDDEN_TEXT);
        RteHandle text = RteCopyRangeText(doc, &all, c.filter);
        EXPECT_EQ(c.text, BytesOf(text)) << c.filter;
        RteFree(text);
    }
    EXPECT_EQ(0, LockedHandles());
}

}  // namespace

namespace {

// The object's text, through the record the n-th object run of the document carries.
std::string ObjectText(RteHandle doc, int32_t n)
{
    RteRange all = {0, RteTextLength(doc)};
    int32_t offset = 0, style = 0;
    RteHandle object = RteNthObject(doc, &all, n, &offset, &style);
    if (!object)
        return "<none>";
    RteObject record;
    RteGetElement(object, 0, &record);
    RteHandle locked = nullptr;
    std::string text = RteObjectText(&record, &locked);
    if (locked)
        RteUnlock(locked);
    return text;
}

TEST_F(RangeTransferTest, EmbeddedObjectsGoWithTheTextAndOutliveTheirSource)
{
    RteHandle doc = MakeDocument("ab[]cd");
    RteRange span = {2, 4};
    RteApplyObject(doc, RteNewObjectRecord(&context_, RTE_KIND_TEXT, "objet", 0), &span, nullptr, 0, 0);
    RteRange range = {1, 5};
    RteHandle copy = Own(RteCopyRange(doc, &range));
    ASSERT_NE(nullptr, copy);
    RteDocDestroy(doc);
    RteRange all = {0, 4};
    EXPECT_EQ(1, RteCountObjects(copy, &all));
    EXPECT_EQ("objet", ObjectText(copy, 1));
    RteHandle target = Text("xy");
    RteInsertDocument(target, copy, 1, 0, 0);
    EXPECT_EQ("xb[]cy", DocumentText(target));
    EXPECT_EQ("objet", ObjectText(target, 1));
    EXPECT_EQ("", RunProblems(target));
}

}  // namespace
