// The selection's highlight and caret drawn by clicks and selection changes, inverted into a
// DIB on the GDI device and compared pixel by pixel.
#include <gtest/gtest.h>

#include <windows.h>

#include "gdi_document_fixture.h"
#include "rect_list.h"
#include "rte_activation.h"
#include "rte_gdi.h"
#include "rte_gdi_port.h"
#include "rte_highlight.h"
#include "rte_invert_highlight.h"
#include "rte_position_queries.h"
#include "rte_selection.h"
#include "test_window.h"

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 80;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

// Slot 7 as installed, counting the pixels each call inverts.
int64_t g_invertedPixels = 0;

intptr_t CountingInvert(RteHandle doc, intptr_t list, intptr_t a, intptr_t b, intptr_t c, intptr_t d)
{
    RteRectIterator rects(reinterpret_cast<RteRectList>(list));
    for (const RteRect& rect : rects.Rects())
        g_invertedPixels += int64_t{rect.right - rect.left} * (rect.bottom - rect.top);
    return RteInvertHighlight(doc, list, a, b, c, d);
}

class HighlightTest : public GdiDocumentTest {
protected:
    void SetUp() override
    {
        GdiDocumentTest::SetUp();
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        PatBlt(dc_, 0, 0, kWidth, kHeight, WHITENESS);
        g_invertedPixels = 0;
    }

    void TearDown() override
    {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
        GdiDocumentTest::TearDown();
    }

    // A document drawing into the DIB, its view the whole DIB, slot 7 counting.
    RteHandle Document(const std::string& text)
    {
        RteHandle doc = MakeDocument(text);
        RteRect area{0, 0, kHeight, kWidth};
        RteSetRectList(RteWrapArea(doc), &area);
        RteSetRectList(RteViewArea(doc), &area);
        RteSetPortDC(doc, dc_);
        RteLocked<RteDocument>(doc)->hooks.invertHighlight = CountingInvert;
        return doc;
    }

    static RteRect Caret(RteHandle doc, int32_t offset)
    {
        RteRect rect;
        RteCaretRect(doc, offset, true, false, &rect);
        return rect;
    }

    static RtePoint PointAt(RteHandle doc, int32_t offset)
    {
        RteRect rect = Caret(doc, offset);
        return RtePoint{(rect.top + rect.bottom) / 2, rect.left};
    }

    uint32_t Pixel(int x, int y) const { return pixels_[y * kWidth + x] & 0xFFFFFF; }

    // The pixels of the first line's middle row from the caret at one offset to that at another:
    // every one of them the colour given.
    bool Row(RteHandle doc, int32_t from, int32_t to, uint32_t colour) const
    {
        RteRect a = Caret(doc, from), b = Caret(doc, to);
        int y = (a.top + a.bottom) / 2;
        for (int x = a.left; x < b.left; ++x)
            if (Pixel(x, y) != colour)
                return false;
        return true;
    }

    int64_t LineHeight(RteHandle doc) const
    {
        RteRect rect = Caret(doc, 0);
        return rect.bottom - rect.top;
    }

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    uint32_t* pixels_ = nullptr;
};

TEST_F(HighlightTest, TheRangeIsInvertedAndNothingElse)
{
    RteHandle doc = Document("some words to select");
    RteSetSelection(doc, 5, 10, 0, 1);
    RteRect start = Caret(doc, 5), end = Caret(doc, 10);
    ASSERT_LT(start.left, end.left);
    int y = (start.top + start.bottom) / 2;
    EXPECT_TRUE(Row(doc, 5, 10, kBlack));
    EXPECT_EQ(kWhite, Pixel(start.left - 1, y)) << "before it";
    EXPECT_EQ(kWhite, Pixel(end.left, y)) << "after it";
    EXPECT_EQ(kWhite, Pixel(start.left, start.bottom + 2)) << "below its line";
    RteHideSelection(doc, false);
    EXPECT_TRUE(Row(doc, 0, 20, kWhite)) << "hiding inverts it back";
    RteSetCaretQuiet(doc, 3);
    EXPECT_EQ(nullptr, RteSelectionArea(doc)) << "a caret has no area";
}

TEST_F(HighlightTest, ADragInvertsOnlyWhatChanged)
{
    RteHandle doc = Document("some words to select");
    int64_t line = LineHeight(doc);
    auto width = [&](int32_t from, int32_t to) { return int64_t{Caret(doc, to).left - Caret(doc, from).left}; };
    RtePoint start = PointAt(doc, 2);
    RteClick(doc, &start, RTE_CLICK_PRESS, 0, 0, false);
    EXPECT_EQ(0, g_invertedPixels) << "a press leaves a caret";
    RtePoint beyond = PointAt(doc, 15);
    RteClick(doc, &beyond, RTE_CLICK_DRAG, 0, 0, false);
    EXPECT_TRUE(Row(doc, 2, 15, kBlack));
    EXPECT_TRUE(Row(doc, 15, 20, kWhite));
    EXPECT_EQ(width(2, 15) * line, g_invertedPixels);
    g_invertedPixels = 0;
    RtePoint back = PointAt(doc, 8);
    RteClick(doc, &back, RTE_CLICK_DRAG, 0, 0, false);
    EXPECT_TRUE(Row(doc, 2, 8, kBlack)) << "what stays selected stays inverted";
    EXPECT_TRUE(Row(doc, 8, 15, kWhite)) << "what left the range is restored";
    EXPECT_EQ(width(8, 15) * line, g_invertedPixels) << "only the pixels that changed were inverted";
    g_invertedPixels = 0;
    RteClick(doc, &start, RTE_CLICK_DRAG, 0, 0, false);
    RteClick(doc, &start, RTE_CLICK_RELEASE, 0, 0, false);
    EXPECT_TRUE(Row(doc, 0, 20, kWhite)) << "a drag back to its start leaves a caret";
    EXPECT_EQ(width(2, 8) * line, g_invertedPixels);
    EXPECT_EQ(0, RteSelectionRangeCount(doc));
}

TEST_F(HighlightTest, AnAddedRangeKeepsTheEarlierOneInverted)
{
    RteHandle doc = Document("some words to select");
    RteSetSelection(doc, 0, 4, 0, 1);
    RtePoint from = PointAt(doc, 11), to = PointAt(doc, 13);
    RteClick(doc, &from, RTE_CLICK_PRESS, RTE_SELECT_ADD, 0, false);
    RteClick(doc, &to, RTE_CLICK_RELEASE, RTE_SELECT_ADD, 0, false);
    EXPECT_EQ(2, RteSelectionRangeCount(doc));
    EXPECT_TRUE(Row(doc, 0, 4, kBlack));
    EXPECT_TRUE(Row(doc, 4, 11, kWhite));
    EXPECT_TRUE(Row(doc, 11, 13, kBlack));
    EXPECT_TRUE(Row(doc, 13, 20, kWhite));
    RtePoint elsewhere = PointAt(doc, 6);
    RteClick(doc, &elsewhere, RTE_CLICK_PRESS, 0, 0, false);
    RteClick(doc, &elsewhere, RTE_CLICK_RELEASE, 0, 0, false);
    EXPECT_TRUE(Row(doc, 0, 20, kWhite)) << "a plain click replaces both";
}

TEST_F(HighlightTest, AWordShiftClickHighlightsWholeWords)
{
    RteHandle doc = Document("some words to select");
    RtePoint inside = PointAt(doc, 7);
    RteClick(doc, &inside, RTE_CLICK_PRESS, RTE_SELECT_WORD, 0, false);
    RteClick(doc, &inside, RTE_CLICK_RELEASE, RTE_SELECT_WORD, 0, false);
    RtePoint later = PointAt(doc, 16);
    RteClick(doc, &later, RTE_CLICK_PRESS, RTE_SELECT_WORD | RTE_SELECT_EXTEND, 0, false);
    RteClick(doc, &later, RTE_CLICK_RELEASE, RTE_SELECT_WORD | RTE_SELECT_EXTEND, 0, false);
    int32_t start = 0, end = 0;
    RteGetSelection(doc, &start, &end);
    EXPECT_EQ(5, start);
    EXPECT_EQ(20, end);
    EXPECT_TRUE(Row(doc, 0, 5, kWhite));
    EXPECT_TRUE(Row(doc, 5, 20, kBlack));
}

// The caret of a window that is not shown: made, placed at the caret rect, and taken away.
class HiddenWindowCaretTest : public HighlightTest {
protected:
    static bool CaretOn(HWND window, RECT* rect)
    {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetCurrentThreadId(), &info);
        *rect = info.rcCaret;
        return info.hwndCaret == window;
    }
};

TEST_F(HiddenWindowCaretTest, TheCaretStandsAtTheClickedOffset)
{
    HWND window = CreateTestWindow("RteCaretTestWindow", DefWindowProcA, WS_OVERLAPPEDWINDOW, nullptr, kWidth, kHeight);
    ASSERT_FALSE(IsWindowVisible(window));
    RteHandle doc = Document("some words to select");
    {
        RteLocked<RteDocument> locked(doc);
        RtePortFree(&locked->port);
        RtePortInit(&env_, window, nullptr, &locked->port);
    }
    RtePoint point = PointAt(doc, 5);
    RteClick(doc, &point, RTE_CLICK_PRESS, 0, 0, false);
    RteClick(doc, &point, RTE_CLICK_RELEASE, 0, 0, false);
    RECT rect;
    ASSERT_TRUE(CaretOn(window, &rect));
    RteRect expected = Caret(doc, 5);
    EXPECT_EQ(expected.top, rect.top);
    EXPECT_EQ(expected.bottom, rect.bottom);
    EXPECT_NEAR(expected.left, rect.left, 1) << "centred on the position";
    EXPECT_EQ(1, RteCaretShown(doc));
    RteSetSelection(doc, 5, 10, 0, 1);
    EXPECT_FALSE(CaretOn(window, &rect)) << "a range has no caret";
    EXPECT_EQ(0, RteCaretShown(doc));
    RteSetSelection(doc, 12, 12, 0, 1);
    ASSERT_TRUE(CaretOn(window, &rect));
    EXPECT_EQ(Caret(doc, 12).top, rect.top);
    EXPECT_NEAR(Caret(doc, 12).left, rect.left, 1);
    RteShowCaret(doc, RTE_CARET_HIDE);
    EXPECT_FALSE(CaretOn(window, &rect));
    DestroyWindow(window);
}

}  // namespace
