// Fonts measured once on a display: the positions and metrics the engine keeps are those GDI
// gives, and only a DC that measures as a display uses them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device_fixture.h"
#include "rte_font_measures.h"
#include "rte_position_cache.h"

namespace {

// Every printable byte of the code page, then words as a text has them.
std::string Sample()
{
    std::string text;
    for (int c = 32; c < 256; ++c)
        text += static_cast<char>(c);
    return text + " Les \xE9t\xE9s d'Arles: WAVE, fi, ffl; 0123456789.";
}

struct Face {
    const char* name;
    int32_t points;
    bool bold;
    bool italic;
};

// GDI's positions of the text in a font made for the case on a DC of its own.
std::vector<int32_t> GdiPositions(const Face& face, int32_t resolution, const std::string& text)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontA(-MulDiv(face.points, resolution, 72), 0, 0, 0, face.bold ? FW_BOLD : FW_NORMAL,
                             face.italic, 0, 0, 0, 0, 0, DEFAULT_QUALITY, 0, face.name);
    HGDIOBJ old = SelectObject(dc, font);
    std::vector<INT> ends(text.size());
    SIZE size{};
    GetTextExtentExPointA(dc, text.data(), static_cast<int>(text.size()), 0, nullptr, ends.data(), &size);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    std::vector<int32_t> positions{0};
    positions.insert(positions.end(), ends.begin(), ends.end());
    return positions;
}

using FontMeasuresTest = DeviceTest;

TEST_F(FontMeasuresTest, PositionsAreGdisForEveryFaceSizeAndWeight)
{
    const Face faces[] = {{"Liberation Serif", 12, false, false}, {"Liberation Serif", 9, true, false},
                          {"Liberation Sans", 18, false, true},  {"Liberation Sans", 11, true, true},
                          {"Liberation Mono", 10, false, false},  {"Tahoma", 31, false, false}};
    const std::string text = Sample();
    for (const Face& face : faces) {
        RteHandle doc = MakeDocument(text, face.name, face.points);
        RteCharStyle values = NoUnits();
        RteCharStyle mask = NoUnits();
        values.bold = face.bold ? 1 : 0;
        values.italic = face.italic ? 1 : 0;
        mask.bold = mask.italic = -1;
        SetStyle(doc, 0, static_cast<int32_t>(text.size()), values, mask);
        // Twice: once measured by GDI, once from what was kept.
        std::vector<int32_t> first = FirstBlockPositions(doc);
        RteDropDocPositions(doc);
        std::vector<int32_t> again = FirstBlockPositions(doc);
        std::vector<int32_t> gdi = GdiPositions(face, DocumentOf(doc).resolution, text);
        EXPECT_EQ(first, gdi) << face.name << " " << face.points;
        EXPECT_EQ(again, gdi) << face.name << " " << face.points;
        RteDocDestroy(doc);
    }
}

TEST_F(FontMeasuresTest, MetricsAreGdisTextMetrics)
{
    RteHandle doc = MakeDocument("hauteur", "Liberation Sans", 20);
    RteCharStyle style = StyleAt(doc, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontA(-MulDiv(20, DocumentOf(doc).resolution, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0,
                             DEFAULT_QUALITY, 0, "Liberation Sans");
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    EXPECT_EQ(style.ascent, metrics.tmAscent);
    EXPECT_EQ(style.descent, metrics.tmDescent);
    // A second document of the same font takes the metrics kept.
    RteHandle second = MakeDocument("encore", "Liberation Sans", 20);
    EXPECT_EQ(StyleAt(second, 0).ascent, metrics.tmAscent);
    EXPECT_EQ(StyleAt(second, 0).descent, metrics.tmDescent);
}

TEST_F(FontMeasuresTest, EveryFontMadeIsHeldReady)
{
    RteHandle doc = MakeDocument("pr\xEAt", "Liberation Serif", 14);
    FirstBlockPositions(doc);
    RteLocked<RteFontCacheEntry> fonts(RteGdiOf(&env_)->fontCache);
    ASSERT_GT(fonts.size(), 0);
    for (int32_t i = 0; i < fonts.size(); ++i) {
        ASSERT_NE(fonts[i].keeper, nullptr) << i;
        EXPECT_EQ(GetCurrentObject(fonts[i].keeper, OBJ_FONT), fonts[i].font) << i;
    }
}

// What a DC is made to be before it is asked.
enum class Change { None, Mapped, WorldTransform, CharacterExtra };

TEST_F(FontMeasuresTest, OnlyADcMeasuringAsADisplayUsesWhatWasKept)
{
    const struct {
        Change change;
        bool asDisplay;
    } cases[] = {{Change::None, true},
                 {Change::Mapped, false},
                 {Change::WorldTransform, false},
                 {Change::CharacterExtra, false}};
    for (const auto& c : cases) {
        HDC dc = CreateCompatibleDC(nullptr);
        if (c.change == Change::Mapped) {
            SetMapMode(dc, MM_ISOTROPIC);
            SetWindowExtEx(dc, 2, 2, nullptr);
            SetViewportExtEx(dc, 3, 3, nullptr);
        } else if (c.change == Change::WorldTransform) {
            SetGraphicsMode(dc, GM_ADVANCED);
        } else if (c.change == Change::CharacterExtra) {
            SetTextCharacterExtra(dc, 2);
        }
        EXPECT_EQ(RteMeasuresAsDisplay(dc), c.asDisplay) << static_cast<int>(c.change);
        DeleteDC(dc);
    }
}

TEST_F(FontMeasuresTest, ADoubleByteFontKeepsNoAdvances)
{
    RteHandle doc = MakeDocument("\x93\xfa\x96\x7b", "IPAGothic", 12, SHIFTJIS_CHARSET);
    std::vector<int32_t> positions = FirstBlockPositions(doc);
    ASSERT_EQ(positions.size(), 5u);
    EXPECT_EQ(positions[1], positions[2]) << "a character's two bytes end together";
    RteLocked<RteFontCacheEntry> fonts(RteGdiOf(&env_)->fontCache);
    HDC dc = CreateCompatibleDC(nullptr);
    bool found = false;
    for (int32_t i = 0; i < fonts.size(); ++i) {
        if (fonts[i].logfont.lfCharSet != SHIFTJIS_CHARSET)
            continue;
        found = true;
        EXPECT_EQ(RteMeasuredAdvances(dc, fonts[i]), nullptr);
    }
    DeleteDC(dc);
    EXPECT_TRUE(found);
}

}  // namespace
