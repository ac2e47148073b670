// Paragraphs kept together and kept from leaving widows and orphans: laid out in a page that
// repeats downwards, a paragraph that does not fit at a page's bottom starts the next page.
#include <gtest/gtest.h>

#include <cstring>

#include "document_fixture.h"
#include "rect_list.h"
#include "rte_areas.h"
#include "rte_line_builder.h"
#include "rte_paragraph_hooks.h"
#include "rte_styles.h"
#include "rte_text_blocks.h"

namespace {

class ForcedBreakTest : public DocumentTest {
protected:
    // One word a line (letters 5 wide, blanks 3, pages 25 wide) and three lines a page, the
    // page repeating downwards 10 apart.
    RteHandle Document(const std::string& text)
    {
        RteHandle doc = MakeDocument(text);
        RteCharStyle style = Elements<RteCharStyle>(DocumentOf(doc).charStyles)[0];
        int32_t h = style.ascent + style.descent + style.leading;
        RteRect page{0, 0, 3 * h, 25};
        RteSetRectList(RteWrapArea(doc), &page);
        RteLocked<RteDocument> locked(doc);
        locked->layoutFlags |= RTE_LAYOUT_REPEAT_DOWN | RTE_LAYOUT_KEEP_LAST_HEIGHT;
        locked->repeatGapV = 10;
        RteMarkForLayout(locked.get(), 0, static_cast<int32_t>(text.size()));
        return doc;
    }

    static void KeepTogether(RteHandle doc, int32_t offset)
    {
        RteParFormat format = {}, mask = {};
        format.units2to6[RTE_PAR_KEEP_UNIT] = RTE_PAR_KEEP_TOGETHER;
        mask.units2to6[RTE_PAR_KEEP_UNIT] = -1;
        RteRange range{offset, offset + 1};
        RteSetParFormat(doc, &range, &format, &mask, 0);
    }

    // The document's one block cut in two at an offset, both to be laid out.
    static void SplitBlock(RteHandle doc, int32_t at)
    {
        RteLocked<RteDocument> locked(doc);
        RteHandle first = RteLocked<RteTextBlock>(locked->blocks)[0].text;
        int32_t length = locked->textLength;
        RteSetCount(locked->blocks, 2);
        RteLocked<RteTextBlock> blocks(locked->blocks);
        blocks[1] = RteTextBlock{};
        blocks[1].text = RteAllocKeyedClear(locked->env->context, 1, length - at, 32, locked->key);
        std::memcpy(RteLocked<uint8_t>(blocks[1].text).get(), RteLocked<uint8_t>(first).get() + at,
                    static_cast<size_t>(length - at));
        RteDelete(first, at, length - at);
        blocks[0].length = at;
        blocks[1].length = length - at;
        blocks[1].flags = RTE_BLOCK_RELAYOUT;
    }

    // Each line's start in its block and its page.
    static std::vector<std::pair<int32_t, int32_t>> Lines(RteHandle doc, size_t index = 0)
    {
        RteTextBlock block = Elements<RteTextBlock>(DocumentOf(doc).blocks)[index];
        std::vector<std::pair<int32_t, int32_t>> lines;
        for (const RteLinePiece& piece : Elements<RteLinePiece>(block.lines))
            if (piece.flags != RTE_PIECE_SENTINEL && (piece.flags & RTE_PIECE_LINE_FIRST))
                lines.emplace_back(piece.offset, piece.container);
        return lines;
    }
};

TEST_F(ForcedBreakTest, AParagraphThatDoesNotFitAPagesBottomStartsTheNext)
{
    using Lines_ = std::vector<std::pair<int32_t, int32_t>>;
    struct Case {
        const char* text;
        bool keep;  // the second paragraph, at 10, is kept together
        int16_t minBefore;
        int16_t minAfter;
        Lines_ lines;
        const char* why;
    };
    const Case cases[] = {
        {"aaaa aaaa\rbbbb bbbb\r", false, 0, 0, {{0, 1}, {5, 1}, {10, 1}, {15, 2}}, "no rule: the paragraph is split"},
        {"aaaa aaaa\rbbbb bbbb\r", true, 0, 0, {{0, 1}, {5, 1}, {10, 2}, {15, 2}}, "kept together: it moves whole"},
        {"aaaa aaaa\rbbbb bbbb\r", false, 2, 0, {{0, 1}, {5, 1}, {10, 2}, {15, 2}}, "an orphan: it moves whole"},
        {"aaaa aaaa\rbbbb bbbb\r", false, 0, 2, {{0, 1}, {5, 1}, {10, 2}, {15, 2}},
         "a widow, and one line would stay: it moves whole"},
        {"aaaa\rbbbb bbbb bbbb\r", false, 0, 2, {{0, 1}, {5, 1}, {10, 2}, {15, 2}}, "a widow: one more line goes"},
        {"aaaa aaaa\rbbbb bbbb bbbb bbbb\r", true, 0, 0, {{0, 1}, {5, 1}, {10, 2}, {15, 2}, {20, 2}, {25, 3}},
         "taller than a page: moved once, then split"},
        {"aaaa aaaa\rbbbb bbbb\rcccc cccc cccc\r", true, 2, 0,
         {{0, 1}, {5, 1}, {10, 2}, {15, 2}, {20, 3}, {25, 3}, {30, 3}},
         "each paragraph in turn: the one kept together, then an orphan"},
    };
    for (const Case& c : cases) {
        RteHandle doc = Document(c.text);
        if (c.keep)
            KeepTogether(doc, 10);
        {
            RteLocked<RteDocument> locked(doc);
            locked->minLinesBefore = c.minBefore;
            locked->minLinesAfter = c.minAfter;
        }
        RteLayoutDocument(doc);
        EXPECT_EQ(c.lines, Lines(doc)) << c.why;
        EXPECT_EQ(0, DocumentOf(doc).forcedBreak) << c.why << ": the break was cleared";
        EXPECT_FALSE(Elements<RteTextBlock>(DocumentOf(doc).blocks)[0].flags & RTE_BLOCK_RELAYOUT) << c.why;
        EXPECT_EQ(0, LockedHandles()) << c.why;
        RteDocDestroy(doc);
    }
}

TEST_F(ForcedBreakTest, AParagraphStartingALaterBlockMovesWhole)
{
    RteHandle doc = Document("aaaa aaaa\rbbbb bbbb\r");
    KeepTogether(doc, 10);
    SplitBlock(doc, 10);
    RteLayoutDocument(doc);
    using Lines_ = std::vector<std::pair<int32_t, int32_t>>;
    EXPECT_EQ((Lines_{{0, 1}, {5, 1}}), Lines(doc, 0));
    EXPECT_EQ((Lines_{{0, 2}, {5, 2}}), Lines(doc, 1)) << "offsets within the second block";
    EXPECT_EQ(0, DocumentOf(doc).forcedBreak);
    EXPECT_EQ(0, LockedHandles());
    RteDocDestroy(doc);
}

TEST_F(ForcedBreakTest, ARunThatBeganInAnEarlierBlockMovesWholeFromThere)
{
    using Lines_ = std::vector<std::pair<int32_t, int32_t>>;
    struct Case {
        const char* text;
        int32_t split;       // where the second block starts
        bool keep;           // the paragraphs from 10 on are kept together
        int16_t minBefore;
        Lines_ first, second;  // each block's lines: offset in the block, page
        const char* why;
    };
    const Case cases[] = {
        {"aaaa aaaa\rbbbb bbbb\r", 15, true, 0, {{0, 1}, {5, 1}, {10, 2}}, {{0, 2}},
         "a kept paragraph split between blocks"},
        {"aaaa aaaa\rbbbb bbbb\r", 15, false, 2, {{0, 1}, {5, 1}, {10, 2}}, {{0, 2}},
         "an orphan left in the earlier block"},
        {"aaaa aaaa\rbbbb\rcccc\r", 15, true, 0, {{0, 1}, {5, 1}, {10, 2}}, {{0, 2}},
         "two kept paragraphs, the second in the later block"},
        {"aaaa aaaa\rbbbb bbbb\r", 15, false, 0, {{0, 1}, {5, 1}, {10, 1}}, {{0, 2}},
         "no rule: the paragraph is split"},
    };
    for (const Case& c : cases) {
        RteHandle doc = Document(c.text);
        if (c.keep) {
            RteParFormat format = {}, mask = {};
            format.units2to6[RTE_PAR_KEEP_UNIT] = RTE_PAR_KEEP_TOGETHER;
            mask.units2to6[RTE_PAR_KEEP_UNIT] = -1;
            RteRange range{10, static_cast<int32_t>(std::strlen(c.text))};
            RteSetParFormat(doc, &range, &format, &mask, 0);
        }
        RteLocked<RteDocument>(doc)->minLinesBefore = c.minBefore;
        SplitBlock(doc, c.split);
        RteLayoutDocument(doc);
        EXPECT_EQ(c.first, Lines(doc, 0)) << c.why;
        EXPECT_EQ(c.second, Lines(doc, 1)) << c.why;
        EXPECT_EQ(0, DocumentOf(doc).forcedBreak) << c.why;
        for (const RteTextBlock& block : Elements<RteTextBlock>(DocumentOf(doc).blocks))
            EXPECT_FALSE(block.flags & RTE_BLOCK_RELAYOUT) << c.why;
        EXPECT_EQ(0, LockedHandles()) << c.why;
        RteDocDestroy(doc);
    }
}

// A post-layout hook that asks for a break the builder can never honour (offset 0 starts the
// text) and for ever: the layout still ends.
intptr_t AlwaysBreak(RteHandle doc, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t)
{
    RteLocked<RteDocument>(doc)->forcedBreak = 0;
    return 1;
}

// Asks for a break at the second line every time: each pass lays the text out anew and sends
// that line to the next page.
intptr_t AlwaysBreakAtFive(RteHandle doc, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t)
{
    RteLocked<RteDocument>(doc)->forcedBreak = 5;
    return 1;
}

TEST_F(ForcedBreakTest, AHookThatNeverStopsAskingCannotHoldTheLayout)
{
    struct Case {
        RteGeneralHook hook;
        std::vector<std::pair<int32_t, int32_t>> lines;
    };
    const Case cases[] = {
        {AlwaysBreak, {{0, 1}, {5, 1}}},
        {AlwaysBreakAtFive, {{0, 1}, {5, 2}}},
    };
    for (const Case& c : cases) {
        RteHandle doc = Document("aaaa aaaa");
        RteLocked<RteDocument>(doc)->hooks.postLayout = c.hook;
        RteLayoutDocument(doc);
        EXPECT_EQ(c.lines, Lines(doc));
        EXPECT_EQ(0, DocumentOf(doc).forcedBreak);
        RteDocDestroy(doc);
    }
}

}  // namespace
