// Spacing, alignment and justification of line pieces, and where tabs end.
#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "document_fixture.h"
#include "rte_paragraph_hooks.h"
#include "rte_position_cache.h"
#include "rte_styles.h"
#include "rte_text_blocks.h"

namespace {

// Pieces side by side from x = 0 with the widths given, on a line of the width given.
struct Line {
    std::vector<RteLinePiece> pieces;
    RteRect rect;
};

Line MakeLine(const std::vector<int32_t>& widths, int32_t lineWidth, uint16_t lastFlags = 0)
{
    Line line{{}, RteRect{0, 0, 10, lineWidth}};
    int32_t x = 0;
    for (int32_t width : widths) {
        line.pieces.push_back(RteLinePiece{static_cast<uint16_t>(x), 0, 0, 0, 0, RteRect{0, x, 10, x + width}});
        x += width;
    }
    line.pieces.front().flags |= RTE_PIECE_LINE_FIRST;
    line.pieces.back().flags |= RTE_PIECE_LINE_LAST | lastFlags;
    return line;
}

class ParagraphHooksTest : public DocumentTest {
protected:
    void Apply(Line& line, int16_t alignment, intptr_t state = 0)
    {
        RteParFormat format = env_.defaultFormat;
        format.alignment = alignment;
        Apply(line, format, state);
    }

    void Apply(Line& line, const RteParFormat& format, intptr_t state = 0)
    {
        env_.hooks.justify(nullptr, state, reinterpret_cast<intptr_t>(&line.pieces[0]),
                           static_cast<intptr_t>(line.pieces.size()), reinterpret_cast<intptr_t>(&line.rect),
                           reinterpret_cast<intptr_t>(&format));
    }
};

TEST_F(ParagraphHooksTest, CentredAndRightLinesShiftBySlack)
{
    struct Case {
        int16_t alignment;
        int32_t lineWidth;
        int32_t shift;
    };
    const Case cases[] = {{RTE_ALIGN_CENTRE, 37, 3}, {RTE_ALIGN_RIGHT, 37, 7}, {RTE_ALIGN_NONE, 37, 0},
                          {4, 37, 0}, {5, 37, 0}, {RTE_ALIGN_CENTRE, 25, 0}};
    for (const Case& c : cases) {
        Line line = MakeLine({10, 20}, c.lineWidth);
        Apply(line, c.alignment);
        EXPECT_EQ(line.pieces[0].rect.left, c.shift) << "alignment " << c.alignment;
        EXPECT_EQ(line.pieces[1].rect.right, 30 + c.shift) << "alignment " << c.alignment;
    }
}

TEST_F(ParagraphHooksTest, JustifiedSharesFollowWidthsAndAddUpToTheSlack)
{
    struct Case {
        std::vector<int32_t> widths;
        int32_t slack;
        std::vector<int32_t> shares;
    };
    const Case cases[] = {
        {{10, 20}, 3, {1, 2}},
        {{10, 10, 10}, 1, {0, 0, 1}},
        {{10, 10, 10}, 2, {0, 1, 1}},
        {{7, 0, 13, 9}, 11, {2, 0, 5, 4}},
        {{30}, 7, {7}},
        {{10, 20}, -3, {-1, -2}},
    };
    for (const Case& c : cases) {
        int32_t used = std::accumulate(c.widths.begin(), c.widths.end(), 0);
        Line line = MakeLine(c.widths, used + c.slack);
        Apply(line, RTE_ALIGN_JUSTIFY);
        std::vector<int32_t> shares;
        for (const RteLinePiece& piece : line.pieces)
            shares.push_back(RteDecodeExtra(piece.extra));
        EXPECT_EQ(shares, c.shares) << "slack " << c.slack;
        EXPECT_EQ(line.pieces.back().rect.right, line.rect.right) << "the line ends at the column";
        for (size_t i = 1; i < line.pieces.size(); ++i)
            EXPECT_EQ(line.pieces[i].rect.left, line.pieces[i - 1].rect.right) << "pieces stay side by side";
    }
}

TEST_F(ParagraphHooksTest, TheLastLineAndHardBreaksAreNotJustified)
{
    Line last = MakeLine({10, 20}, 40);
    Apply(last, RTE_ALIGN_JUSTIFY, RTE_LINE_LAST_OF_TEXT);
    EXPECT_EQ(last.pieces.back().rect.right, 30);
    Line broken = MakeLine({10, 20}, 40, RTE_PIECE_PAR_LAST);
    Apply(broken, RTE_ALIGN_JUSTIFY);
    EXPECT_EQ(broken.pieces.back().rect.right, 30);
    EXPECT_EQ(broken.pieces[0].extra, 0);
}

TEST_F(ParagraphHooksTest, JustificationStartsAfterTheLastNonLeftTab)
{
    Line line = MakeLine({10, 20, 10}, 43);
    line.pieces[0].flags |= RTE_PIECE_OTHER_TAB;
    Apply(line, RTE_ALIGN_JUSTIFY);
    EXPECT_EQ(line.pieces[0].rect, (RteRect{0, 0, 10, 10})) << "the piece before the tab stays";
    EXPECT_EQ(RteDecodeExtra(line.pieces[1].extra) + RteDecodeExtra(line.pieces[2].extra), 3);
}

TEST_F(ParagraphHooksTest, SpaceAroundParagraphsAndLineSpacing)
{
    RteParFormat format = env_.defaultFormat;
    format.spaceBefore = 4;
    format.spaceAfter = 6;
    Line line = MakeLine({10}, 20, RTE_PIECE_PAR_LAST);
    line.pieces[0].flags |= RTE_PIECE_PAR_FIRST;
    Apply(line, format);
    EXPECT_EQ(line.pieces[0].rect.bottom, 20);
    EXPECT_EQ(line.pieces[0].spaceAfter, 6);
    EXPECT_EQ(line.rect.bottom, 20);
    format = env_.defaultFormat;
    format.lineSpacing = 0x18000;  // one and a half
    Line spaced = MakeLine({10}, 20);
    Apply(spaced, format);
    EXPECT_EQ(spaced.pieces[0].rect.bottom, 15);
}

TEST(ExtraSpacingTest, ThirteenBitsWithASign)
{
    struct Case {
        int32_t amount;
        uint16_t field;
    };
    const Case cases[] = {{0, 0}, {5, 5}, {-5, 0x4005}, {0x1FFF, 0x1FFF}, {9000, 0x1FFF}, {-9000, 0x5FFF}};
    for (const Case& c : cases)
        EXPECT_EQ(RteEncodeExtra(c.amount), c.field) << c.amount;
    EXPECT_EQ(RteDecodeExtra(0x4005), -5);
    EXPECT_EQ(RteDecodeExtra(0x8005), 0) << "not a spacing amount";
    EXPECT_EQ(RteDecodeExtra(0x2001), 0) << "not a spacing amount";
}

class TabTest : public DocumentTest {
protected:
    void SetUp() override
    {
        DocumentTest::SetUp();
        format_ = env_.defaultFormat;
        format_.tabSpacing = 36;
        doc_ = MakeDocument("\tabc\tdef");
        RteSetTabBase(doc_, 0);
    }

    // Where a tab at x (the document's first character) ends, and the stop used.
    std::pair<int32_t, int32_t> TabEnd(int32_t x)
    {
        RteHandle positionsHandle = nullptr;
        int32_t* positions = RteBlockPositions(doc_, 0, &positionsHandle, nullptr);
        RteStyleWalk walker;
        RteStyleWalkBegin(doc_, 0, &walker, false);
        RteHandle text = RteLocked<RteTextBlock>(DocumentOf(doc_).blocks)[0].text;
        RteTabRequest request{&walker, x, 0, 0, static_cast<const uint8_t*>(RteLock(text)) + 1, 7, positions + 1, -1};
        auto end = static_cast<int32_t>(format_.hooks.tab(doc_, &format_, reinterpret_cast<intptr_t>(&request), 0, 0));
        RteUnlock(text);
        RteStyleWalkEnd(doc_, false);
        RteReleasePositions(doc_, positionsHandle);
        return {end, request.stop};
    }

    void AddTab(int32_t kind, int32_t position)
    {
        format_.tabs[format_.tabCount++] = RteTab{kind, 0, position, 0};
    }

    RteParFormat format_;
    RteHandle doc_ = nullptr;
};

TEST_F(TabTest, DefaultSpacingFromTheBase)
{
    EXPECT_EQ(TabEnd(40).first, 72);
    EXPECT_EQ(TabEnd(72).first, 108);
    EXPECT_EQ(TabEnd(0).first, 36);
    EXPECT_EQ(TabEnd(40).second, 0) << "no stop of the format was used";
    RteSetTabBase(doc_, 10);
    EXPECT_EQ(TabEnd(40).first, 46);
}

TEST_F(TabTest, TheIndentIsAnImplicitStop)
{
    format_.leftIndent = 50;
    AddTab(RTE_TAB_LEFT, 100);
    EXPECT_EQ(TabEnd(10), std::make_pair(50, 0));
    EXPECT_EQ(TabEnd(60), std::make_pair(100, 0x8000));
    format_.firstIndent = 20;
    EXPECT_EQ(TabEnd(55).first, 70) << "a positive first-line indent moves it";
}

TEST_F(TabTest, StopsOfEveryKind)
{
    // "abc" after the tab measures 15 on the null device.
    struct Case {
        int32_t kind;
        int32_t position;
        int32_t x;
        int32_t end;
    };
    const Case cases[] = {{RTE_TAB_LEFT, 200, 120, 200},    {RTE_TAB_RIGHT, 200, 120, 185},
                          {RTE_TAB_CENTRED, 200, 120, 193}, {RTE_TAB_RIGHT, 200, 190, 190},
                          {RTE_TAB_RIGHT | 0x1000, 200, 120, 185}};
    for (const Case& c : cases) {
        format_.tabCount = 0;
        AddTab(RTE_TAB_LEFT, 100);
        AddTab(c.kind, c.position);
        EXPECT_EQ(TabEnd(c.x), std::make_pair(c.end, 0x8001)) << "kind " << c.kind;
    }
}

TEST_F(TabTest, NearestStopWinsWhateverTheOrder)
{
    AddTab(RTE_TAB_LEFT, 300);
    AddTab(RTE_TAB_LEFT, 150);
    EXPECT_EQ(TabEnd(100), std::make_pair(150, 0x8001));
}

TEST_F(TabTest, FixedTabsOnlyAddTheSpacing)
{
    RteSetDocFlags(doc_, RteGetDocFlags(doc_) | RTE_DOC_FIXED_TABS);
    AddTab(RTE_TAB_LEFT, 300);
    EXPECT_EQ(TabEnd(41).first, 77);
}

TEST_F(TabTest, TheTabBase)
{
    RteRectList wrap = RteWrapArea(doc_);
    RteRect area{0, 25, 100, 300};
    RteSetRectList(wrap, &area);
    struct Case {
        int32_t base;
        int32_t expected;
    };
    const Case cases[] = {{0, 0}, {12, 12}, {-1, 25}, {-2, 7}};
    for (const Case& c : cases) {
        RteSetTabBase(doc_, c.base);
        EXPECT_EQ(RteTabBase(doc_, 7), c.expected) << "base " << c.base;
    }
}

}  // namespace
