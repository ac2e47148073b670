// Fonts and measuring on the GDI device, under Wine's null display driver.
#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "device_fixture.h"
#include "rte_gdi_text.h"
#include "rte_position_cache.h"
#include "test_canvas.h"

namespace {

std::vector<int32_t> Positions(RteHandle doc)
{
    RteHandle handle = nullptr;
    int32_t* positions = RteBlockPositions(doc, 0, &handle, nullptr);
    std::vector<int32_t> copy(positions, positions + RteCount(handle));
    RteReleasePositions(doc, handle);
    return copy;
}

// The width GDI gives the text in the font.
int32_t GdiWidth(const char* face, int32_t pixels, bool bold, const std::string& text)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontA(-pixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, face);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    return size.cx;
}

using GdiTextTest = DeviceTest;

TEST_F(GdiTextTest, PositionsAreTheFontsAdvances)
{
    RteHandle doc = MakeDocument("Hello, world");
    std::vector<int32_t> positions = Positions(doc);
    ASSERT_EQ(positions.size(), 13u);
    EXPECT_EQ(positions[0], 0);
    for (size_t i = 1; i < positions.size(); ++i)
        EXPECT_GT(positions[i], positions[i - 1]) << i;
    int32_t pixels = MulDiv(12, DocumentOf(doc).resolution, 72);
    EXPECT_EQ(positions.back(), GdiWidth("Liberation Serif", pixels, false, "Hello, world"));
}

}  // namespace
