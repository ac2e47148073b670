// The selection's highlight inverted into a DIB on the GDI device, compared pixel by pixel.
#include <gtest/gtest.h>

#include <windows.h>

#include "gdi_document_fixture.h"
#include "rect_list.h"
#include "rte_gdi.h"
#include "rte_gdi_port.h"
#include "rte_highlight.h"
#include "rte_position_queries.h"
#include "rte_selection.h"

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 80;

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
    }

    void TearDown() override
    {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
        GdiDocumentTest::TearDown();
    }

    uint32_t Pixel(int x, int y) const { return pixels_[y * kWidth + x] & 0xFFFFFF; }

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    uint32_t* pixels_ = nullptr;
};

TEST_F(HighlightTest, TheRangeIsInvertedAndNothingElse)
{
    RteHandle doc = MakeDocument("some words to select");
    RteRect wrap{0, 0, kHeight, kWidth};
    RteSetRectList(RteWrapArea(doc), &wrap);
    RteSetPortDC(doc, dc_);
    RteSetSelection(doc, 5, 10, 0, 0);
    RteRect start, end;
    RteCaretRect(doc, 5, true, false, &start);
    RteCaretRect(doc, 10, true, false, &end);
    ASSERT_LT(start.left, end.left);
    RteDrawSelection(doc);
    int y = (start.top + start.bottom) / 2;
    EXPECT_EQ(0x000000u, Pixel(start.left, y)) << "its first column";
    EXPECT_EQ(0x000000u, Pixel(end.left - 1, y)) << "its last column";
    EXPECT_EQ(0xFFFFFFu, Pixel(start.left - 1, y)) << "before it";
    EXPECT_EQ(0xFFFFFFu, Pixel(end.left, y)) << "after it";
    EXPECT_EQ(0xFFFFFFu, Pixel(start.left, start.bottom + 2)) << "below its line";
    RteDrawSelection(doc);
    EXPECT_EQ(0xFFFFFFu, Pixel(start.left, y)) << "a second inversion takes it away";
    RteSetCaretQuiet(doc, 3);
    EXPECT_EQ(nullptr, RteSelectionArea(doc)) << "a caret has no area";
}

}  // namespace
