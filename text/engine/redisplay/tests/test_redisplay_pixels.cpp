// The redraw modes in pixels on the GDI device: what erases behind and below the text, what
// goes through the off-screen bitmap, and the highlight kept over a redraw.
#include <gtest/gtest.h>

#include "gdi_document_fixture.h"
#include "rect_list.h"
#include "rte_activation.h"
#include "rte_draw_in_rect.h"
#include "rte_gdi_port.h"
#include "rte_position_queries.h"
#include "rte_redisplay.h"
#include "rte_selection.h"
#include "test_canvas.h"


namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 80;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kWhite = 0xFFFFFF;

class RedisplayPixelTest : public GdiDocumentTest {
protected:
    RteHandle Document(const std::string& text, TestCanvas& canvas)
    {
        RteHandle doc = MakeDocument(text);
        RteRect area{0, 0, kHeight, kWidth};
        RteSetRectList(RteWrapArea(doc), &area);
        RteSetRectList(RteViewArea(doc), &area);
        RteSetPortDC(doc, canvas.Dc());
        return doc;
    }

    // A document drawn whole with mode 2.
    RteHandle Drawn(const std::string& text, TestCanvas& canvas)
    {
        RteHandle doc = Document(text, canvas);
        RteRedisplay(doc, nullptr, 0, -1, nullptr, nullptr, 2, false);
        return doc;
    }

    static int Count(const TestCanvas& canvas, uint32_t colour, int top, int bottom)
    {
        int found = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < kWidth; ++x)
                found += canvas.Raw(x, y) == colour;
        return found;
    }
};

TEST_F(RedisplayPixelTest, ErasingModesClearBehindAndBelowTheTextOthersDrawOnly)
{
    struct Case {
        int16_t mode;
        bool erases;
    };
    const Case cases[] = {{2, true}, {5, true}, {8, true}, {3, false}, {4, false}, {6, false}, {9, false}};
    for (const Case& c : cases) {
        TestCanvas canvas(kWidth, kHeight, RGB(255, 0, 0));
        RteHandle doc = Document("one two\rthree", canvas);
        RteRect second;
        RteCaretRect(doc, 8, true, false, &second);
        EXPECT_EQ(13, RteRedisplay(doc, nullptr, 0, -1, nullptr, nullptr, c.mode, false));
        int lineRows = second.bottom;
        EXPECT_GT(Count(canvas, 0x000000, 0, lineRows), 0) << "mode " << c.mode << " draws the text";
        uint32_t background = c.erases ? kWhite : kRed;
        EXPECT_EQ(background, canvas.Raw(kWidth - 2, second.top + 2)) << "mode " << c.mode << " right of a line";
        EXPECT_EQ(background, canvas.Raw(5, kHeight - 2)) << "mode " << c.mode << " below the text";
        EXPECT_EQ(0, Count(canvas, c.erases ? kRed : kWhite, lineRows, kHeight)) << "mode " << c.mode;
        RteDocDestroy(doc);
    }
}

TEST_F(RedisplayPixelTest, TheOffScreenModeDrawsWhatTheDirectOneDraws)
{
    TestCanvas direct(kWidth, kHeight, RGB(255, 0, 0));
    TestCanvas offscreen(kWidth, kHeight, RGB(0, 0, 255));
    Drawn("alpha beta\rgamma delta epsilon", direct);
    RteHandle b = Document("alpha beta\rgamma delta epsilon", offscreen);
    RteRedisplay(b, nullptr, 0, -1, nullptr, nullptr, 5, false);
    EXPECT_EQ(direct.Pixels(), offscreen.Pixels());
}

TEST_F(RedisplayPixelTest, AnEmptyDocumentIsClearedByModeFiveAndLeftByModeThree)
{
    for (int16_t mode : {5, 3}) {
        TestCanvas canvas(kWidth, kHeight, RGB(255, 0, 0));
        RteHandle doc = Document("", canvas);
        RteRedisplay(doc, nullptr, 0, -1, nullptr, nullptr, mode, false);
        EXPECT_EQ(kWidth * kHeight, Count(canvas, mode == 5 ? kWhite : kRed, 0, kHeight)) << "mode " << mode;
        RteDocDestroy(doc);
    }
}

// Counts the paragraphs it is told of and frames each in red on the DC the port draws with.
RteEnvironment* g_env = nullptr;
int g_framed = 0;

intptr_t FrameParagraph(RteHandle, RteParFormat*, intptr_t mode, intptr_t request, intptr_t)
{
    if (mode != RTE_PAR_DRAW_PARAGRAPH)
        return 0;
    ++g_framed;
    const auto& drawn = *reinterpret_cast<const RteParagraphDrawn*>(request);
    RteGdiPort* port = RteGdiOf(g_env)->current;
    HDC dc = RtePortGetDC(port);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT frame{drawn.rect.left, drawn.rect.top, drawn.rect.right, drawn.rect.bottom};
    FrameRect(dc, &frame, red);
    DeleteObject(red);
    RtePortReleaseDC(port);
    return 0;
}

TEST_F(RedisplayPixelTest, AParagraphDrawnInBandsIsToldOnceOnThePortItself)
{
    g_env = &env_;
    env_.defaultFormat.hooks.draw = FrameParagraph;
    RteGdiOf(&env_)->bandLimit = kWidth * 4 * 8;  // bands of a few rows
    TestCanvas canvas(kWidth, kHeight);
    const std::string text = "alpha beta gamma delta epsilon zeta eta theta iota kappa lambda";
    RteHandle doc = Document(text, canvas);
    g_framed = 0;
    RteRedisplay(doc, nullptr, 0, -1, nullptr, nullptr, 5, false);
    EXPECT_EQ(1, g_framed);
    RteRect last;
    RteCaretRect(doc, static_cast<int32_t>(text.size()), true, false, &last);
    ASSERT_GT(last.top, 8) << "the paragraph takes more than one band";
    for (int y = 0; y < last.bottom; ++y)
        ASSERT_EQ(kRed, canvas.Raw(0, y)) << "the frame's left edge, after the bands, at " << y;
}

TEST_F(RedisplayPixelTest, TheHighlightStaysOverARedraw)
{
    TestCanvas plain(kWidth, kHeight);
    TestCanvas selected(kWidth, kHeight);
    Drawn("some words to select", plain);
    RteHandle b = Drawn("some words to select", selected);
    RteSetSelection(b, 5, 10, 0, 1);
    RteRedisplay(b, nullptr, 0, -1, nullptr, nullptr, 2, false);
    RteRect start, end;
    RteCaretRect(b, 5, true, false, &start);
    RteCaretRect(b, 10, true, false, &end);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            bool inside = x >= start.left && x < end.left && y >= start.top && y < start.bottom;
            uint32_t expected = inside ? ~plain.Raw(x, y) & 0xFFFFFF : plain.Raw(x, y);
            ASSERT_EQ(expected, selected.Raw(x, y)) << x << "," << y;
        }
    }
}

TEST_F(RedisplayPixelTest, TypedCharactersAreDrawnInPlaceAndNothingElse)
{
    TestCanvas whole(kWidth, kHeight);
    TestCanvas typed(kWidth, kHeight);
    Drawn("some typed text", whole);
    RteHandle b = Document("some typed text", typed);
    RteDrawInPlace(b, 5, 5, 1);
    RteRect start, end;
    RteCaretRect(b, 5, true, false, &start);
    RteCaretRect(b, 10, true, false, &end);
    int inked = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            bool typedHere = x >= start.left && x < end.left && y >= start.top && y < start.bottom;
            ASSERT_EQ(typedHere ? whole.Raw(x, y) : kWhite, typed.Raw(x, y)) << x << "," << y;
            inked += typedHere && typed.Raw(x, y) != kWhite;
        }
    }
    EXPECT_GT(inked, 10) << "the typed word shows";
}

TEST_F(RedisplayPixelTest, TheHighlightGoesWithActivationAndComesBack)
{
    TestCanvas plain(kWidth, kHeight);
    TestCanvas canvas(kWidth, kHeight);
    Drawn("some words to select", plain);
    RteHandle b = Drawn("some words to select", canvas);
    const RteRange ranges[] = {{0, 4}, {11, 13}};
    RteSetSelectionRanges(b, ranges, 2, 0, true);
    std::vector<uint32_t> selected = canvas.Pixels();
    ASSERT_NE(plain.Pixels(), selected);
    RteSetActivation(b, RTE_SWITCH_INACTIVE, RTE_SWITCH_KEEP, 2);
    EXPECT_EQ(plain.Pixels(), canvas.Pixels()) << "an inactive document shows no highlight";
    RteSetActivation(b, RTE_SWITCH_KEEP, RTE_SWITCH_INACTIVE, 2);
    EXPECT_EQ(plain.Pixels(), canvas.Pixels()) << "still inactive";
    RteSetActivation(b, RTE_SWITCH_ACTIVE, RTE_SWITCH_ACTIVE, 2);
    EXPECT_EQ(selected, canvas.Pixels()) << "active again";
}

}  // namespace

namespace {

TEST_F(RedisplayPixelTest, TheTextIsDrawnIntoARectAsAPictureOfIt)
{
    constexpr int kTop = 30, kLeft = 20;
    TestCanvas reference(kWidth, kHeight);
    TestCanvas canvas(kWidth, kHeight, RGB(255, 0, 0));
    RteHandle shown = Document("a picture\rof the text", reference);
    RteRect narrow{0, 0, kHeight - kTop, kWidth - kLeft};
    RteSetRectList(RteViewArea(shown), &narrow);
    RteRedisplay(shown, nullptr, 0, -1, nullptr, nullptr, 2, false);
    RteHandle doc = Document("a picture\rof the text", canvas);
    RteSetSelection(doc, 2, 5, 0, 1);
    canvas.Fill(RGB(255, 0, 0));
    RteLocked<RteDocument>(doc)->scroll = RtePoint{7, 0};
    RteRect rect{kTop, kLeft, kHeight, kWidth};
    RteDrawInRect(doc, nullptr, &rect, nullptr, 2);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            uint32_t expected = y < kTop || x < kLeft ? kRed : reference.Raw(x - kLeft, y - kTop);
            ASSERT_EQ(expected, canvas.Raw(x, y)) << x << "," << y;
        }
    RteDocument after = DocumentOf(doc);
    EXPECT_EQ(7, after.scroll.v) << "the document is given back as it was";
    EXPECT_TRUE(after.highlightShown) << "its highlight still stands where it was drawn";
    EXPECT_EQ(0u, after.flags & (RTE_DOC_INACTIVE_FIRST | RTE_DOC_NO_CARET | RTE_DOC_DRAWING_IN_RECT));
    RteRect view;
    RteRectListFirst(after.viewArea, &view);
    EXPECT_EQ(kHeight, view.bottom);
    EXPECT_EQ(0, view.top);
}

}  // namespace

namespace {

TEST_F(RedisplayPixelTest, TheMarksOfBlanksAndParagraphEndsShowOnlyWhenAsked)
{
    TestCanvas plain(kWidth, kHeight);
    TestCanvas marked(kWidth, kHeight);
    Drawn("a   b\rc", plain);
    RteHandle doc = Document("a   b\rc", marked);
    RteSetDocFlags(doc, RteGetDocFlags(doc) | RTE_DOC_SHOW_INVISIBLES);
    RteRedisplay(doc, nullptr, 0, -1, nullptr, nullptr, 2, false);
    RteRect blanks, end, below;
    RteCaretRect(doc, 1, true, false, &blanks);
    RteCaretRect(doc, 5, true, false, &end);
    RteCaretRect(doc, 7, true, false, &below);
    auto changed = [&](int left, int right, int top, int bottom) {
        int found = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                found += plain.Raw(x, y) != marked.Raw(x, y);
        return found;
    };
    EXPECT_GT(changed(blanks.left, end.left - 5, blanks.top, blanks.bottom), 0) << "the blanks are marked";
    EXPECT_GT(changed(end.left, kWidth, end.top, end.bottom), 0) << "the paragraph end is marked";
    EXPECT_EQ(0, changed(0, kWidth, below.bottom + 1, kHeight)) << "nothing below the text";
}

}  // namespace
