// Scrolling in pixels on the GDI device: the view's pixels move, only the uncovered strip is
// drawn, and the result is what a full redraw at the new position shows, highlight included.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gdi_document_fixture.h"
#include "rect_list.h"
#include "rte_editing.h"
#include "rte_gdi_port.h"
#include "rte_highlight.h"
#include "rte_redisplay.h"
#include "rte_scroll_pixels.h"
#include "rte_scrolling.h"
#include "rte_selection.h"
#include "test_canvas.h"

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 100;

// The areas the after-display hook was told of, as they opened.
std::vector<RteRect> g_drawn;

void RecordAfterDisplay(RteHandle, intptr_t code, intptr_t area, intptr_t)
{
    if (code != 0)
        return;
    g_drawn.push_back(area ? RteRectIterator(reinterpret_cast<RteRectList>(area)).Bounds() : RteRect{});
}

class ScrollPixelTest : public GdiDocumentTest {
protected:
    void SetUp() override
    {
        GdiDocumentTest::SetUp();
        g_drawn.clear();
    }

    // Numbered lines, one a paragraph, drawn whole into the canvas.
    RteHandle Document(TestCanvas& canvas)
    {
        std::string text;
        for (int i = 0; i < 40; ++i)
            text += "line " + std::to_string(i) + " of the text\r";
        RteHandle doc = MakeDocument("");
        RteRect wrap{0, 0, 100000, kWidth};
        RteRect view{0, 0, kHeight, kWidth};
        RteSetRectList(RteWrapArea(doc), &wrap);
        RteSetRectList(RteViewArea(doc), &view);
        RteSetPortDC(doc, canvas.Dc());
        RteInsertText(doc, reinterpret_cast<const uint8_t*>(text.data()), static_cast<int32_t>(text.size()), 0,
                      RTE_KEYS_NONE, 0, 0);
        RteRedisplay(doc, nullptr, 0, -1, nullptr, nullptr, 2, false);
        RteLocked<RteDocument>(doc)->hooks.afterDisplay = RecordAfterDisplay;
        return doc;
    }

    // What a whole redraw at the document's position shows.
    std::vector<uint32_t> Redrawn(RteHandle doc, bool withSelection)
    {
        TestCanvas fresh(kWidth, kHeight);
        RteHandle copy = Document(fresh);
        RtePoint position;
        RteGetScrollPosition(doc, &position);
        RteScrollBy(copy, -position.h, -position.v, 0);
        if (withSelection) {
            int32_t start = 0, end = 0;
            RteGetSelection(doc, &start, &end);
            RteSetSelection(copy, start, end, 0, 0);
        }
        RteRedisplay(copy, nullptr, 0, -1, nullptr, nullptr, 2, false);
        if (withSelection)
            RteDrawSelection(copy, 0);
        RteDocDestroy(copy);
        return fresh.Pixels();
    }
};

TEST_F(ScrollPixelTest, OnlyTheUncoveredStripIsDrawn)
{
    TestCanvas canvas(kWidth, kHeight);
    RteHandle doc = Document(canvas);
    const int32_t amounts[] = {-30, -7, 12, -100, 25};
    for (int32_t amount : amounts) {
        g_drawn.clear();
        ASSERT_EQ(1, RteScrollBy(doc, 0, amount, 9));
        int32_t moved = 0, unused = 0;
        RteScrollChange(doc, &unused, &moved);
        ASSERT_EQ(1u, g_drawn.size());
        const RteRect& strip = g_drawn.front();
        EXPECT_EQ(std::abs(moved), strip.bottom - strip.top) << "by " << amount;
        EXPECT_EQ(moved < 0 ? kHeight : 0, moved < 0 ? strip.bottom : strip.top) << "by " << amount;
        EXPECT_EQ(Redrawn(doc, false), canvas.Pixels()) << "by " << amount;
    }
    std::vector<uint32_t> pixels = canvas.Pixels();
    EXPECT_GT(std::count(pixels.begin(), pixels.end(), 0x000000u), kWidth) << "the view shows text";
}

TEST_F(ScrollPixelTest, TheHighlightMovesWithTheText)
{
    TestCanvas canvas(kWidth, kHeight);
    RteHandle doc = Document(canvas);
    RteSetSelection(doc, 40, 95, 0, 1);
    for (int32_t amount : {-20, -35, 10}) {
        RteScrollBy(doc, 0, amount, 9);
        EXPECT_EQ(Redrawn(doc, true), canvas.Pixels()) << "by " << amount;
    }
}

TEST_F(ScrollPixelTest, StripsDrawnForAnOwnerThatMovedThePixels)
{
    TestCanvas canvas(kWidth, kHeight);
    RteHandle doc = Document(canvas);
    RteScrollBy(doc, 0, -24, 0);
    RteRect view{0, 0, kHeight, kWidth};
    ScrollDC(canvas.Dc(), 0, -24, nullptr, nullptr, nullptr, nullptr);
    RteRedrawStrips(doc, -24, 0, 2);
    ASSERT_EQ(1u, g_drawn.size());
    EXPECT_EQ(kHeight - 24, g_drawn.front().top);
    EXPECT_EQ(view.bottom, g_drawn.front().bottom);
    EXPECT_EQ(Redrawn(doc, false), canvas.Pixels());
}

}  // namespace
