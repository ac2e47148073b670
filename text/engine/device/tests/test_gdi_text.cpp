// Fonts and measuring on the GDI device, under Wine's null display driver.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <numeric>
#include <vector>

#include "device_fixture.h"
#include "failing_blocks.h"
#include "rte_memory_internal.h"
#include "rte_gdi_case.h"
#include "rte_line_break.h"
#include "rte_line_piece.h"
#include "rte_text_blocks.h"
#include "rte_gdi_misc.h"
#include "rte_gdi_port.h"
#include "rte_gdi_text.h"
#include "rte_position_cache.h"
#include "test_canvas.h"
#include "rte_fonts.h"
#include "rte_runs.h"
#include "rte_style_names.h"
#include "rte_styles.h"
#include "scaling.h"
#include "sub_run_cuts.h"

namespace {

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
    std::vector<int32_t> positions = FirstBlockPositions(doc);
    ASSERT_EQ(positions.size(), 13u);
    EXPECT_EQ(positions[0], 0);
    for (size_t i = 1; i < positions.size(); ++i)
        EXPECT_GT(positions[i], positions[i - 1]) << i;
    int32_t pixels = MulDiv(12, DocumentOf(doc).resolution, 72);
    EXPECT_EQ(positions.back(), GdiWidth("Liberation Serif", pixels, false, "Hello, world"));
}

}  // namespace

namespace {

using GdiFontTest = DeviceTest;

int32_t CacheEntries(RteEnvironment* env) { return RteCount(RteGdiOf(env)->fontCache); }

TEST_F(GdiFontTest, StylesDifferingOnlyInColourShareAFont)
{
    RteHandle doc = MakeDocument("rouge et noir");
    FirstBlockPositions(doc);
    int32_t fonts = CacheEntries(&env_);
    RteCharStyle values = NoUnits();
    values.textColor = {0xFFFF, 0, 0};
    RteCharStyle mask = NoUnits();
    mask.textColor = {0xFFFF, 0xFFFF, 0xFFFF};
    SetStyle(doc, 0, 5, values, mask);
    RteDropDocPositions(doc);
    FirstBlockPositions(doc);
    EXPECT_EQ(CacheEntries(&env_), fonts);
    values.bold = 1;
    mask.bold = -1;
    SetStyle(doc, 0, 5, values, mask);
    RteDropDocPositions(doc);
    FirstBlockPositions(doc);
    EXPECT_EQ(CacheEntries(&env_), fonts + 1) << "bold is another font";
}

TEST_F(GdiFontTest, AWidthTableReplacesTheFontsAdvances)
{
    RteHandle doc = MakeDocument("Wil");
    std::vector<uint32_t> table(256, 7);
    table['W'] = 0x50011;  // only the low 16 bits count
    RteCharStyle* style = RteCharStyleAt(doc, 0);
    RteSetWidthTable(doc, style, table.data());
    RteUnlock(DocumentOf(doc).charStyles);
    EXPECT_EQ(FirstBlockPositions(doc), (std::vector<int32_t>{0, 17, 24, 31}));
}

TEST_F(GdiFontTest, ExtraSpacingFollowsEveryCharacterWithItsFractionsCarried)
{
    RteHandle doc = MakeDocument("abcd");
    std::vector<int32_t> plain = FirstBlockPositions(doc);
    RteCharStyle values = NoUnits();
    RteCharStyle mask = NoUnits();
    values.units16to25[RTE_STYLE_SPACING_UNIT] = 0x18000;  // one and a half
    mask.units16to25[RTE_STYLE_SPACING_UNIT] = -1;
    SetStyle(doc, 0, 4, values, mask);
    RteDropDocPositions(doc);
    std::vector<int32_t> spaced = FirstBlockPositions(doc);
    ASSERT_EQ(spaced.size(), plain.size());
    const int32_t added[] = {0, 1, 3, 4, 6};
    for (size_t i = 0; i < spaced.size(); ++i)
        EXPECT_EQ(spaced[i] - plain[i], added[i]) << i;
}

TEST_F(GdiFontTest, TheFontsScriptMarksItsStyles)
{
    struct Case {
        int32_t charset;
        const char* face;
        uint32_t bits;  // complex script 0x400, right to left 0x4000
    };
    const Case cases[] = {{ANSI_CHARSET, "Liberation Serif", 0},
                          {SHIFTJIS_CHARSET, "IPAGothic", 0x400},
                          {HEBREW_CHARSET, "Liberation Serif", 0x4400},
                          {ARABIC_CHARSET, "Liberation Serif", 0x4400},
                          {THAI_CHARSET, "Liberation Serif", 0}};
    for (const Case& c : cases) {
        RteHandle doc = MakeDocument("abc", c.face, 12, c.charset);
        EXPECT_EQ(StyleAt(doc, 0).styleBits & 0x4400, c.bits) << "character set " << c.charset;
        RteDocDestroy(doc);
    }
}

TEST_F(GdiFontTest, ADoubleUnderlineMakesRoomForItsSecondLine)
{
    RteHandle doc = MakeDocument("deux traits");
    RteCharStyle plain = StyleAt(doc, 0);
    RteCharStyle values = NoUnits();
    RteCharStyle mask = NoUnits();
    values.doubleUnderline = 1;
    mask.doubleUnderline = -1;
    SetStyle(doc, 0, 4, values, mask);
    RteCharStyle doubled = StyleAt(doc, 0);
    EXPECT_EQ(doubled.leading, plain.leading + 2);
    EXPECT_EQ(doubled.ascent, plain.ascent);
    values.unit19 = 1;
    mask.unit19 = -1;
    SetStyle(doc, 0, 4, values, mask);
    RteCharStyle overlined = StyleAt(doc, 0);
    EXPECT_EQ(overlined.ascent, plain.ascent + 2) << "with an overline the room goes above";
    EXPECT_EQ(overlined.leading, plain.leading);
}

TEST_F(GdiFontTest, RaisingInPercentOfTheFontsHeight)
{
    RteHandle doc = MakeDocument("haut");
    RteCharStyle values = NoUnits();
    RteCharStyle mask = NoUnits();
    values.superscript = 6;
    values.units38to42[0] = 1;
    mask.superscript = -1;
    mask.units38to42[0] = -1;
    SetStyle(doc, 0, 4, values, mask);
    RteCharStyle raised = StyleAt(doc, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(raised.fontHandle));
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    DeleteDC(dc);
    EXPECT_EQ(raised.ascent, metrics.tmAscent + (metrics.tmAscent + metrics.tmDescent) * 6 / 100);
    EXPECT_EQ(raised.descent, metrics.tmDescent);
}

TEST_F(GdiFontTest, ANamedStyleIsLaidOverTheStyleItSelects)
{
    RteHandle doc = MakeDocument("abc");
    RteCharStyle entry = {};
    entry.bold = 1;
    entry.pointSize = 20 << 16;
    int32_t id = RteAddNamedCharStyle(doc, &entry, nullptr);
    RteCharStyle style = StyleAt(doc, 0);
    for (int32_t named : {0, id}) {
        RteCharStyle selected{};
        style.hooks.selectFont(doc, &style, 0, reinterpret_cast<intptr_t>(&selected), named, 0);
        LOGFONTA logfont{};
        GetObjectA(reinterpret_cast<HFONT>(selected.fontHandle), sizeof logfont, &logfont);
        EXPECT_EQ(selected.bold, named ? 1 : 0);
        EXPECT_EQ(logfont.lfWeight, named ? FW_BOLD : FW_NORMAL) << named;
        EXPECT_EQ(selected.pointSize >> 16, named ? 20 : 12) << named;
    }
}

TEST_F(GdiFontTest, ASoftHyphenTakesTheRoomOfAHyphen)
{
    RteHandle soft = MakeDocument("ab\x1F" "cd");
    RteHandle hard = MakeDocument("ab-cd");
    std::vector<int32_t> a = FirstBlockPositions(soft);
    std::vector<int32_t> b = FirstBlockPositions(hard);
    EXPECT_EQ(a, b);
}

TEST_F(GdiFontTest, ATabLeaderNeverPassesTheTabsEnd)
{
    TestCanvas canvas(300, 40);
    RteHandle doc = MakeDocument("abc");
    RteSetPortDC(doc, canvas.Dc());
    RteCharStyle style = StyleAt(doc, 0);
    RteParFormat format = env_.defaultFormat;
    for (int32_t right : {100, 103, 117, 200}) {
        canvas.Fill(RGB(255, 255, 255));
        RteTabLeader gap{&style, '.', 20, right, 30};
        auto width = format.hooks.draw(doc, &format, RTE_PAR_DRAW_TAB_LEADER, reinterpret_cast<intptr_t>(&gap), 0);
        EXPECT_LE(width, right - 20);
        EXPECT_GT(width, right - 20 - 10) << "the gap is filled";
        for (int y = 0; y < 40; ++y) {
            for (int x = right; x < 300; ++x)
                ASSERT_EQ(canvas.Pixel(x, y), RGB(255, 255, 255)) << "ink past the tab's end at " << x;
        }
    }
    canvas.Fill(RGB(255, 255, 255));
    RteTabLeader gap{&style, '.', 20, 200, 30};
    EXPECT_EQ(format.hooks.draw(doc, &format, RTE_PAR_DRAW_PARAGRAPH, reinterpret_cast<intptr_t>(&gap), 0), 0)
        << "the slot's paragraph mode is not the leader's";
    EXPECT_EQ(canvas.Pixel(100, 28), RGB(255, 255, 255));
}

TEST_F(GdiFontTest, DoubleByteClassesFollowTheFontsCharacterSet)
{
    const std::string text = "a\x93\xFA\x81\x42";  // a, an ideograph, the ideographic full stop
    RteHandle doc = MakeDocument(text, "IPAGothic", 12, 128);
    RteCharStyle style = StyleAt(doc, 0);
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    auto classes = [&](int32_t at) {
        return style.hooks.charInfo(doc, &style, reinterpret_cast<intptr_t>(bytes + at), 1, 0, at);
    };
    EXPECT_EQ(classes(1) & 0x1810, 0x810) << "a lead byte where a line may end";
    EXPECT_EQ(classes(2) & 0x1800, 0x1000) << "its second byte";
    EXPECT_NE(classes(3) & 0x20000, 0) << "the full stop may not begin a line";
    EXPECT_EQ(classes(4) & 0x1800, 0x1000);
    EXPECT_EQ(classes(0) & 0x1800, 0);
    std::vector<int32_t> positions = FirstBlockPositions(doc);
    EXPECT_EQ(positions[2], positions[3]) << "the second byte adds nothing";
    EXPECT_GT(positions[3], positions[1]);
}

TEST_F(GdiFontTest, JustifiedDoubleByteTextGivesEachCharacterTwoShares)
{
    const std::string text = "\x93\xFA\x96\x7B";  // two ideographs
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontA(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, "IPAGothic");
    HGDIOBJ old = SelectObject(dc, font);
    int32_t plain[5];
    int32_t spread[5];
    RteCharWidths(dc, nullptr, bytes, 4, RTE_WIDTHS_EACH, 0, plain);
    int32_t total = RteCharWidths(dc, nullptr, bytes, 4, RTE_WIDTHS_EACH, 4, spread);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    EXPECT_EQ(spread[0], plain[0] + 2);
    EXPECT_EQ(spread[1], 0) << "a second byte takes no room";
    EXPECT_EQ(spread[2], plain[2] + 2);
    EXPECT_EQ(spread[3], 0);
    EXPECT_EQ(total, plain[0] + plain[2] + 4);
}

// Zooming draws the text at 100 sizes; drawing them again makes no font.
TEST_F(GdiFontTest, ZoomStepsKeepTheGdiObjectCountBounded)
{
    TestCanvas canvas(200, 60);
    RteHandle doc = MakeDocument("Zoom");
    RteSetPortDC(doc, canvas.Dc());
    auto drawAll = [&] {
        for (int32_t step = 0; step < 100; ++step) {
            RteCharStyle values = NoUnits();
            values.pointSize = (6 + step % 50) << 16;
            values.bold = static_cast<int16_t>(step / 50);
            RteCharStyle mask = NoUnits();
            mask.pointSize = -1;
            mask.bold = -1;
            SetStyle(doc, 0, 4, values, mask);
            RteCharStyle style = StyleAt(doc, 0);
            RteDrawRun run{reinterpret_cast<const uint8_t*>("Zoom"), 4, 0, 0, 5, 50, RteRect{0, 0, 60, 200}, 0, 0, 0};
            style.hooks.draw(doc, &style, reinterpret_cast<intptr_t>(&run), 0, 0, 0);
        }
    };
    // GDI objects are counted by the fonts made: Wine's GetGuiResources answers 0.
    int32_t before = CacheEntries(&env_);
    drawAll();
    int32_t afterFirst = CacheEntries(&env_);
    drawAll();
    int32_t afterSecond = CacheEntries(&env_);
    std::printf("Fonts made: %d before, %d after 100 zoom steps, %d after 100 more\n", before, afterFirst, afterSecond);
    EXPECT_EQ(afterSecond, afterFirst) << "the second pass makes nothing";
    EXPECT_LE(afterFirst - before, 100) << "one font a size at most";
    RteLocked<RteFontCacheEntry> fonts(RteGdiOf(&env_)->fontCache);
    for (int32_t i = 0; i < fonts.size(); ++i)
        EXPECT_EQ(GetObjectType(fonts[i].font), static_cast<DWORD>(OBJ_FONT)) << "entry " << i;
}

}  // namespace

namespace {

using GdiServicesTest = DeviceTest;

TEST_F(GdiServicesTest, ALongFontNameKeeps63Characters)
{
    RteFont font = {};
    std::memset(font.name + 1, 'N', RTE_FONT_NAME_BYTES - 1);
    font.name[0] = 70;
    RteFontInitHook(nullptr, &font);
    EXPECT_EQ(static_cast<uint8_t>(font.name[0]), 63);
    RteFont cString = {};
    std::memset(cString.name, 'N', RTE_FONT_NAME_BYTES);
    cString.nameFlags = RTE_FONT_NAME_CSTRING;
    RteFontInitHook(nullptr, &cString);
    EXPECT_EQ(strnlen(cString.name, RTE_FONT_NAME_BYTES), 63u);
}

TEST_F(GdiServicesTest, TypeaheadIsACharacterWithoutAKeyPress)
{
    HWND window = CreateWindowA("STATIC", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    RteHandle doc = RteDocCreate(&env_, window, nullptr, nullptr, nullptr, 0);
    EXPECT_EQ(RteIsTypeahead(doc), 0);
    PostMessageA(window, WM_CHAR, 'a', 0);
    EXPECT_EQ(RteIsTypeahead(doc), 1);
    PostMessageA(window, WM_KEYDOWN, 'B', 0);
    EXPECT_EQ(RteIsTypeahead(doc), 0) << "a key press waits too";
    MSG message;
    while (PeekMessageA(&message, window, 0, 0, PM_REMOVE)) {
    }
    RteDocDestroy(doc);
    DestroyWindow(window);
}

TEST_F(GdiServicesTest, FaceLineHeightAndDirection)
{
    TestCanvas canvas(10, 10);
    RteHandle doc = MakeDocument("abc");
    RteSetPortDC(doc, canvas.Dc());
    HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Liberation Serif");
    HGDIOBJ old = SelectObject(canvas.Dc(), font);
    char face[64] = {};
    RteFontFace(doc, face);
    EXPECT_EQ(std::string(face + 1, static_cast<uint8_t>(face[0])), "Liberation Serif");
    SelectObject(canvas.Dc(), old);
    DeleteObject(font);
    EXPECT_GT(RteDefaultLineHeight(doc), 10);
    EXPECT_EQ(RteDirectionSign(&env_), 1);
}

}  // namespace

namespace {

TEST_F(GdiServicesTest, CountedGlyphs)
{
    EXPECT_EQ(RteCountedChar(&env_, 1), '-');
    EXPECT_EQ(RteCountedLength(&env_, 1), 1);
    EXPECT_EQ(RteCountedChar(&env_, 3), 182) << "the paragraph mark of the invisibles";
    RteMakeCountedChar(&env_, 9, 0x8142);
    EXPECT_EQ(RteCountedLength(&env_, 9), 2);
    EXPECT_EQ(RteCountedChar(&env_, 9), 0x8142);
    RteMakeCountedChar(&env_, 9, 183);
    EXPECT_EQ(RteCountedChar(&env_, 9), 183);
    EXPECT_EQ(RteCountedLength(&env_, 9), 1);
}

TEST_F(GdiServicesTest, AnOverlineStandsAboveTheAscent)
{
    TestCanvas canvas(120, 40);
    RteHandle doc = MakeDocument("Over");
    RteSetPortDC(doc, canvas.Dc());
    RteCharStyle values = NoUnits();
    values.unit19 = 1;
    RteCharStyle mask = NoUnits();
    mask.unit19 = -1;
    SetStyle(doc, 0, 4, values, mask);
    RteCharStyle style = StyleAt(doc, 0);
    RteDrawRun run{reinterpret_cast<const uint8_t*>("Over"), 4, 0, 0, 10, 30, RteRect{0, 0, 40, 120}, 0, 0, 0};
    style.hooks.draw(doc, &style, reinterpret_cast<intptr_t>(&run), 0, 0, 0);
    HFONT font = reinterpret_cast<HFONT>(style.fontHandle);
    HGDIOBJ old = SelectObject(canvas.Dc(), font);
    TEXTMETRICA metrics;
    GetTextMetricsA(canvas.Dc(), &metrics);
    SelectObject(canvas.Dc(), old);
    int y = 30 - metrics.tmAscent - 1;
    for (int x = 10; x < 10 + run.width; ++x)
        EXPECT_EQ(canvas.Pixel(x, y), RGB(0, 0, 0)) << x;
}

}  // namespace

namespace {

// Turns on one of the drawing units beside the named ones over [start, end).
void SetDrawingUnit(RteHandle doc, int32_t start, int32_t end, int unit)
{
    RteCharStyle values = NoUnits();
    values.units23to34[unit] = 1;
    RteCharStyle mask = NoUnits();
    mask.units23to34[unit] = -1;
    RteRange range{start, end};
    RteSetCharStyle(doc, &range, &values, &mask, 0);
}

// Two boxed runs of blanks side by side, drawn as one box: sides only at its two ends.
TEST_F(GdiServicesTest, ABoxGoesOnAcrossRunsThatContinueIt)
{
    TestCanvas canvas(120, 40);
    RteHandle doc = MakeDocument("        ");
    RteSetPortDC(doc, canvas.Dc());
    SetDrawingUnit(doc, 0, 8, RTE_STYLE_BOX_UNIT);
    RteCharStyle style = StyleAt(doc, 0);
    const auto* blanks = reinterpret_cast<const uint8_t*>("        ");
    RteDrawRun first{blanks, 4, 0, 0, 10, 30, RteRect{0, 0, 40, 120}, 0, 0, RTE_RUN_BOX_INTO_AFTER};
    style.hooks.draw(doc, &style, reinterpret_cast<intptr_t>(&first), 0, 0, 0);
    RteDrawRun second{blanks + 4, 4, 0, 4, 10 + first.width, 30, RteRect{0, 0, 40, 120}, 0, 0,
                      RTE_RUN_BOX_FROM_BEFORE};
    style.hooks.draw(doc, &style, reinterpret_cast<intptr_t>(&second), 0, 0, 0);
    ASSERT_GT(first.width, 2);
    const int middle = 27;
    const COLORREF black = RGB(0, 0, 0);
    EXPECT_EQ(canvas.Pixel(10, middle), black) << "the box's left side";
    EXPECT_NE(canvas.Pixel(10 + first.width - 1, middle), black) << "no side where the box goes on";
    EXPECT_NE(canvas.Pixel(10 + first.width, middle), black) << "nor where it came from";
    EXPECT_EQ(canvas.Pixel(10 + first.width + second.width - 1, middle), black) << "the box's right side";
    HGDIOBJ old = SelectObject(canvas.Dc(), reinterpret_cast<HFONT>(style.fontHandle));
    TEXTMETRICA metrics;
    GetTextMetricsA(canvas.Dc(), &metrics);
    SelectObject(canvas.Dc(), old);
    for (int x = 10; x < 10 + first.width + second.width; ++x) {
        EXPECT_EQ(canvas.Pixel(x, 30 - metrics.tmAscent), black) << "the top runs across at " << x;
        EXPECT_EQ(canvas.Pixel(x, 30 + metrics.tmDescent - 1), black) << "the bottom runs across at " << x;
    }
}

// "ab cd" on one line of 20 pixels, "cd" blinking.
TEST_F(GdiServicesTest, BlinkingRunsInvertOnEveryNewSecond)
{
    TestCanvas canvas(120, 40);
    RteHandle doc = MakeDocument("ab cd");
    RteSetPortDC(doc, canvas.Dc());
    SetDrawingUnit(doc, 3, 5, RTE_STYLE_BLINK_UNIT);
    RteHandle lines = RteAlloc(&context_, sizeof(RteLinePiece), 2, 0, true);
    {
        RteLocked<RteLinePiece> pieces(lines);
        pieces[0] = RteLinePiece{0, 0, 0, RTE_PIECE_LINE_FIRST | RTE_PIECE_LINE_LAST, 1, RteRect{0, 0, 20, 100}};
        pieces[1] = RteLinePiece{0, 0, 0, RTE_PIECE_SENTINEL, 0, {}};
    }
    RteLocked<RteTextBlock>(RteLocked<RteDocument>(doc)->blocks)[0].lines = lines;
    std::vector<int32_t> positions = FirstBlockPositions(doc);
    RteHookTable hooks;
    RteGetDocHooks(doc, &hooks);
    const COLORREF white = RGB(255, 255, 255);
    const COLORREF black = RGB(0, 0, 0);
    hooks.blink(doc, 2, 0, 0, 0, 0);
    EXPECT_EQ(canvas.Pixel(positions[3], 10), white) << "no new second, nothing drawn";
    hooks.blink(doc, 1, 0, 0, 0, 0);
    EXPECT_EQ(canvas.Pixel(positions[3], 10), black);
    EXPECT_EQ(canvas.Pixel(positions[5] - 1, 19), black);
    EXPECT_EQ(canvas.Pixel(positions[3] - 1, 10), white) << "the blank before stays";
    EXPECT_EQ(canvas.Pixel(positions[5], 10), white);
    EXPECT_EQ(canvas.Pixel(positions[3], 20), white) << "below the line";
    hooks.blink(doc, 1, 0, 0, 0, 0);
    EXPECT_EQ(canvas.Pixel(positions[3], 10), white) << "the next second shows it again";
    RteSetDocFlags(doc, RteGetDocFlags(doc) | 0x10000);
    hooks.blink(doc, 1, 0, 0, 0, 0);
    EXPECT_EQ(canvas.Pixel(positions[3], 10), white) << "an inactive document does not blink";

    // Drawn while the phase is 1, a blinking run shows inverted.
    RteGdiOf(&env_)->blinkPhase = 1;
    RteCharStyle style = StyleAt(doc, 3);
    RteDrawRun run{reinterpret_cast<const uint8_t*>("cd"), 2, 0, 3, 10, 30, RteRect{22, 0, 40, 120}, 0, 0, 0};
    style.hooks.draw(doc, &style, reinterpret_cast<intptr_t>(&run), 0, 0, 0);
    EXPECT_EQ(canvas.Pixel(10, 22), black) << "above the glyphs, within the line";
    EXPECT_EQ(canvas.Pixel(10 + run.width, 22), white);
}

TEST_F(GdiServicesTest, EachLineEndingHasItsMark)
{
    struct Case {
        int32_t ending;
        int glyph;  // 0: no mark
    };
    const Case cases[] = {{RTE_LINE_ENDS_PARAGRAPH, 3}, {RTE_LINE_ENDS_SOFT_BREAK, 4}, {RTE_LINE_ENDS_PAGE, 5},
                          {RTE_LINE_ENDS_TEXT, 6},      {RTE_LINE_ENDS_CONTAINER, 8},  {0, 0}};
    RteHandle doc = MakeDocument("a b");
    RteCharStyle style = StyleAt(doc, 0);
    RteHookTable hooks;
    RteGetDocHooks(doc, &hooks);
    const auto* text = reinterpret_cast<const uint8_t*>("a b");
    const int32_t positions[] = {0, 8, 12, 20};
    for (const Case& c : cases) {
        TestCanvas drawn(60, 40);
        TestCanvas expected(60, 40);
        RteSetPortDC(doc, drawn.Dc());
        RteInvisibles marks{&style, text, 3, positions, 10, 30, c.ending};
        hooks.drawInvisibles(doc, reinterpret_cast<intptr_t>(&marks), 0, 0, 0, 0);
        HGDIOBJ old = SelectObject(expected.Dc(), reinterpret_cast<HFONT>(style.fontHandle));
        SetBkMode(expected.Dc(), TRANSPARENT);
        SetTextAlign(expected.Dc(), TA_BASELINE | TA_LEFT);
        const char blank = static_cast<char>(RteCountedChar(&env_, 9));
        SIZE size{};
        GetTextExtentPoint32A(expected.Dc(), &blank, 1, &size);
        TextOutA(expected.Dc(), 10 + 10 - size.cx / 2, 30, &blank, 1);
        if (c.glyph) {
            const char mark = static_cast<char>(RteCountedChar(&env_, c.glyph));
            TextOutA(expected.Dc(), 30, 30, &mark, 1);
        }
        SelectObject(expected.Dc(), old);
        EXPECT_EQ(drawn.Pixels(), expected.Pixels()) << "ending " << c.ending;
    }
    RteSetPortDC(doc, nullptr);
}

TEST_F(GdiServicesTest, TheScaleErrorOfAText)
{
    RteHandle doc = MakeDocument("Illustration");
    RteCharStyle style = StyleAt(doc, 0);
    const auto* text = reinterpret_cast<const uint8_t*>("Illustration");
    EXPECT_EQ(RteScaleError(doc, &style, text, 12), 0) << "not scaled";
    RteLocked<RteDocument>(doc)->scaling.factor = (3 << 16) | 2;
    int32_t resolution = DocumentOf(doc).resolution;
    int32_t error = RteScaleError(doc, &style, text, 12);
    EXPECT_LE(std::abs(error), 12) << "a pixel a character at most";
    EXPECT_EQ(DocumentOf(doc).resolution, resolution) << "the resolution is given back";
}

}  // namespace

namespace {

TEST(GdiStartupTest, RunningOutOfMemoryLeavesNothingMade)
{
    RteSetDevice(&RteGdiDevice());
    RteMemContext context = {};
    RteMemInit(&context, 0);
    auto liveHandles = [&] {
        int live = 0;
        rte_memory::ForEachHandle(&context, [&](RteHandle) { ++live; });
        return live;
    };
    int live = liveHandles();
    int failures = 0;
    for (int n = 1; n < 50; ++n) {
        RteEnvironment env = {};
        uint16_t code;
        {
            FailingBlocks blocks;
            blocks.FailFromRequest(n);
            code = RteTry(&context, [&] { RteEngineStartup(&env, &context); });
        }
        if (code == 0) {
            RteEngineShutdown(&env);
            break;
        }
        ++failures;
        EXPECT_EQ(code, RTE_ERR_NO_MEMORY) << "request " << n;
        EXPECT_EQ(env.device, nullptr) << "request " << n;
        EXPECT_EQ(liveHandles(), live) << "request " << n;
    }
    EXPECT_GE(failures, 3) << "the device's three blocks and the cache's";
    RteMemFree(&context);
    RteSetDevice(nullptr);
}

TEST_F(GdiServicesTest, StartUpLeavesBothDefaultColoursUnsetAndTheGlyphsSet)
{
    const RteColor unset{0xFFFF, 0xFFFF, 0xFFFF};
    EXPECT_EQ(std::memcmp(&env_.textColor, &unset, sizeof unset), 0);
    EXPECT_EQ(std::memcmp(&env_.backColor, &unset, sizeof unset), 0);
    const int expected[] = {45, 46, 182, 181, 149, 181, 165, 165, 46, 39, 34, 145, 146, 147, 148, 133, 131, 149};
    for (int n = 1; n <= 18; ++n) {
        EXPECT_EQ(RteCountedChar(&env_, n), expected[n - 1]) << "glyph " << n;
        EXPECT_EQ(RteCountedLength(&env_, n), 1);
    }
}

}  // namespace

namespace {

TEST_F(GdiServicesTest, CharacterClassesOfSingleBytes)
{
    RteHandle doc = MakeDocument("x");
    RteCharStyle style = StyleAt(doc, 0);
    struct Case {
        uint8_t character;
        intptr_t mask;
        intptr_t classes;
    };
    const Case cases[] = {
        {' ', 0x7, 0x7},          {'\t', 0x408, 0x408},     {'\r', 0x141, 0x141},     {'a', 0x200020, 0x200020},
        {'Q', 0x100020, 0x100020}, {'7', 0x40020, 0x40020}, {'.', 0x80004, 0x80004},   {'\'', 0xC000000, 0xC000000},
        {'"', 0x4000000, 0x4000000}, {0x93, 0x10000000, 0x10000000}, {0x94, 0x20000000, 0x20000000},
        {31, 0xFF, 0xF9},          {'a', 0x10, 0},            {' ', 0x1, 0x1},
    };
    for (const Case& c : cases) {
        intptr_t classes = style.hooks.charInfo(doc, &style, reinterpret_cast<intptr_t>(&c.character), 1, c.mask, 0);
        EXPECT_EQ(classes, c.classes) << "character " << int(c.character);
    }
}

}  // namespace

namespace {

// Where a run of one character set meets another, or a letter stands before an ideograph, a
// word breaks: the hook learns it from the runs around the character.
TEST_F(GdiServicesTest, APrintableCharacterAtAScriptBorderBreaksAWord)
{
    const std::string text = "abcd\x93\xFA" "ef";
    RteHandle doc = MakeDocument(text);
    SetFont(doc, 2, 6, "IPAGothic", 128);
    RteCharStyle bold = {};
    bold.bold = 1;
    RteCharStyle mask = NoUnits();
    mask.bold = -1;
    SetStyle(doc, 1, 2, bold, mask);  // a run of its own, in the same character set
    struct Case {
        int32_t at;
        intptr_t classes;
        const char* why;
    };
    const Case cases[] = {
        {0, 0x20, "the text's first character"},
        {1, 0x20, "after a run of the same character set"},
        {2, 0x36, "after a run of another character set"},
        {3, 0x36, "before a double-byte character"},
        {6, 0x36, "back in the first character set"},
        {7, 0x20, "the last character: nothing after it"},
    };
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    auto length = static_cast<int32_t>(text.size());
    RteStyleWalk walker;
    RteStyleWalkBegin(doc, 0, &walker, false);
    for (const Case& c : cases) {
        RteStyleWalkSet(&walker, c.at);
        RteCharContext context = RteStyleWalkCharContext(&walker, 1, length - c.at - 1);
        RteCharStyle* style = walker.style;
        intptr_t classes = style->hooks.charInfo(doc, style, reinterpret_cast<intptr_t>(bytes + c.at),
                                                 reinterpret_cast<intptr_t>(&context), 0x36 | RTE_CLASS_IN_CONTEXT,
                                                 c.at);
        EXPECT_EQ(classes, c.classes) << c.why;
        intptr_t alone = style->hooks.charInfo(doc, style, reinterpret_cast<intptr_t>(bytes + c.at), 1, 0x36, c.at);
        EXPECT_EQ(alone, 0x20) << c.why << ": without the runs around, a plain word character";
    }
    RteStyleWalkEnd(doc, false);
}

// The line breaker finds the border: with no blank on the line, "ab" then "cdef" in another
// character set ends after the border's character rather than where the overflow cuts.
TEST_F(GdiServicesTest, ALineBreaksAtAScriptBorderWithoutABlank)
{
    struct Case {
        int32_t charset;
        int32_t expected;
    };
    const Case cases[] = {{SHIFTJIS_CHARSET, 3}, {ANSI_CHARSET, 5}};
    for (const Case& c : cases) {
        const std::string text = "abcdef";
        RteHandle doc = MakeDocument(text);
        SetFont(doc, 2, 6, c.charset == ANSI_CHARSET ? "Liberation Sans" : "IPAGothic", c.charset);
        RteHandle positions = nullptr;
        int32_t* x = RteBlockPositions(doc, 0, &positions, nullptr);
        RteStyleWalk walker;
        RteStyleWalkBegin(doc, 0, &walker, false);
        RteLineBreak request{0, 6, &walker, reinterpret_cast<const uint8_t*>(text.data()), 0, 5, x, 0, 0};
        RteDefaultLineBreak(doc, reinterpret_cast<intptr_t>(&request), 0, 0, 0, 0);
        RteStyleWalkEnd(doc, false);
        RteReleasePositions(doc, positions);
        EXPECT_EQ(request.breakIndex, c.expected) << "set " << c.charset;
        RteDocDestroy(doc);
    }
}

}  // namespace

namespace {

class PlacedMeasureTest : public DeviceTest {
protected:
    // The text, each letter 10 wide, in a font of the character set given.
    RteHandle Document(int32_t charset, const char* text = "abc")
    {
        RteHandle doc = MakeDocument(text, "Liberation Serif", 12, charset);
        std::vector<uint32_t> table(256, 10);
        RteCharStyle* style = RteCharStyleAt(doc, 0);
        RteSetWidthTable(doc, style, table.data());
        RteUnlock(DocumentOf(doc).charStyles);
        return doc;
    }

    // Draws the text as one run at the baseline 30 from x = 10, its style set over it by the
    // units the mask selects; answers the style it was drawn in.
    RteCharStyle DrawAsOneRun(RteHandle doc, const TestCanvas& canvas, const std::string& text,
                              const RteCharStyle& values, const RteCharStyle& mask)
    {
        auto count = static_cast<int32_t>(text.size());
        RteSetPortDC(doc, canvas.Dc());
        SetStyle(doc, 0, count, values, mask);
        RteCharStyle style = StyleAt(doc, 0);
        RteDrawRun run{reinterpret_cast<const uint8_t*>(text.data()), count, 0, 0, 10, 30, RteRect{0, 0, 40, 120},
                       0, 0, 0};
        style.hooks.draw(doc, &style, reinterpret_cast<intptr_t>(&run), 0, 0, 0);
        return style;
    }

    // The step's positions, measured from 5.
    std::vector<int32_t> Measure(RteHandle doc, int32_t direction, int32_t scaling)
    {
        RteCharStyle style = StyleAt(doc, 0);
        std::vector<int32_t> positions(4, 5);
        RteMeasureStep step{reinterpret_cast<const uint8_t*>("abc"), 3, positions.data(), nullptr, -1, direction,
                            scaling};
        style.hooks.measure(doc, &style, reinterpret_cast<intptr_t>(&step), 0, 0, 0);
        return positions;
    }
};

// On a system that reads from left to right, a right-to-left run placed on a line is read from
// its right edge: its first position takes the last one's value, and going the other way its
// last the first's. Text order is what the cache keeps.
TEST_F(PlacedMeasureTest, ARightToLeftRunPlacedReadsFromItsRightEdge)
{
    ASSERT_EQ(RteDirectionSign(&env_), 1) << "the test system reads from left to right";
    struct Case {
        int32_t charset;
        int32_t direction;
        std::vector<int32_t> positions;
    };
    const Case cases[] = {
        {HEBREW_CHARSET, 0, {5, 15, 25, 35}},   {HEBREW_CHARSET, 1, {35, 15, 25, 35}},
        {HEBREW_CHARSET, -1, {35, 15, 25, 5}},  {ARABIC_CHARSET, 1, {35, 15, 25, 35}},
        {ANSI_CHARSET, 1, {5, 15, 25, 35}},     {ANSI_CHARSET, -1, {5, 15, 25, 35}},
    };
    for (const Case& c : cases) {
        RteHandle doc = Document(c.charset);
        EXPECT_EQ(Measure(doc, c.direction, 0), c.positions) << "set " << c.charset << ", direction " << c.direction;
        EXPECT_EQ(FirstBlockPositions(doc), (std::vector<int32_t>{0, 10, 20, 30})) << "the cache keeps text order";
        RteDocDestroy(doc);
    }
}

// Runs placed one at a time: each is measured from 0 and stops at its style run's end; the
// right-to-left one reads from its right edge, and the block's cached positions keep text
// order throughout.
TEST_F(PlacedMeasureTest, PlacingARunLeavesTheOthersAndTheCacheInTextOrder)
{
    RteHandle doc = Document(ANSI_CHARSET, "abcdef");
    SetFont(doc, 3, 6, "Liberation Sans", HEBREW_CHARSET);
    std::vector<int32_t> cached = FirstBlockPositions(doc);
    struct Case {
        int32_t offset;
        int32_t direction;
        int32_t measured;
        std::vector<int32_t> positions;
    };
    int32_t left = cached[3];
    int32_t w1 = cached[4] - left;
    int32_t w = cached[6] - left;
    const Case cases[] = {
        {0, 1, 3, {0, 10, 20, 30}},
        {3, 0, 3, {0, w1, cached[5] - left, w}},
        {3, 1, 3, {w, w1, cached[5] - left, w}},
        {3, -1, 3, {w, w1, cached[5] - left, 0}},
        {4, 1, 2, {cached[6] - cached[4], cached[5] - cached[4], cached[6] - cached[4]}},
    };
    for (const Case& c : cases) {
        std::vector<int32_t> positions(7, -1);
        int32_t n = RteMeasurePlacedRun(doc, 0, c.offset, 6 - c.offset, c.direction, 0, positions.data());
        EXPECT_EQ(n, c.measured) << "from " << c.offset;
        positions.resize(n + 1);
        EXPECT_EQ(positions, c.positions) << "from " << c.offset << ", direction " << c.direction;
        EXPECT_EQ(FirstBlockPositions(doc), cached) << "the cache keeps text order";
    }
    for (size_t i = 1; i < cached.size(); ++i)
        EXPECT_GT(cached[i], cached[i - 1]) << i;
}

// What GDI draws for a right-to-left run's text in visual order: each piece (left to right)
// by a call of its own in the style's font and background, at the baseline 30 from x = 10, and
// a black line under each word given by its first and last character in the visual text.
// Every character stands at the measured width of the visual text before it, where a laid-out
// line places it: left to its own stepping GDI advances by each glyph as rendered, and a font
// hinted apart for drawing (Liberation Serif 2 at 16 pixels draws its "A" a pixel narrower
// than it measures) would move the characters after it off the line's positions.
std::vector<uint32_t> VisualOrder(const RteCharStyle& style, const std::vector<std::string>& pieces, int bkMode,
                                  const std::vector<std::pair<int, int>>& words = {})
{
    TestCanvas expected(120, 40);
    HDC dc = expected.Dc();
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(style.fontHandle));
    SetBkMode(dc, bkMode);
    SetBkColor(dc, RGB(style.backColor.red >> 8, style.backColor.green >> 8, style.backColor.blue >> 8));
    SetTextAlign(dc, TA_BASELINE | TA_LEFT);
    const std::string visual = std::accumulate(pieces.begin(), pieces.end(), std::string());
    auto left = [&](size_t characters) {
        return 10 + RteDcTextWidth(dc, visual.data(), static_cast<int32_t>(characters));
    };
    std::vector<INT> advances;
    for (size_t i = 0; i < visual.size(); ++i)
        advances.push_back(left(i + 1) - left(i));
    size_t start = 0;
    for (const std::string& piece : pieces) {
        ExtTextOutA(dc, left(start), 30, 0, nullptr, piece.data(), static_cast<UINT>(piece.size()),
                    advances.data() + start);
        start += piece.size();
    }
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    for (auto [first, last] : words) {
        MoveToEx(dc, left(first), 31, nullptr);
        LineTo(dc, left(last + 1), 31);
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldFont);
    return expected.Pixels();
}

// Drawn on a system that reads from left to right, a right-to-left run puts its first
// character at its right edge: "lWW" in a Hebrew or Arabic font draws as GDI draws "WWl" in
// that font, and not as it draws "lWW".
TEST_F(PlacedMeasureTest, ARightToLeftRunIsDrawnFromItsRightEdge)
{
    for (int32_t charset : {HEBREW_CHARSET, ARABIC_CHARSET}) {
        TestCanvas canvas(120, 40);
        RteHandle doc = MakeDocument("lWW", "Liberation Serif", 12, charset);
        RteSetPortDC(doc, canvas.Dc());
        RteCharStyle style = StyleAt(doc, 0);
        RteDrawRun run{reinterpret_cast<const uint8_t*>("lWW"), 3, 0, 0, 10, 30, RteRect{0, 0, 40, 120}, 0, 0, 0};
        style.hooks.draw(doc, &style, reinterpret_cast<intptr_t>(&run), 0, 0, 0);
        EXPECT_EQ(canvas.Pixels(), VisualOrder(style, {"WWl"}, TRANSPARENT)) << "set " << charset;
        EXPECT_NE(canvas.Pixels(), VisualOrder(style, {"lWW"}, TRANSPARENT)) << "set " << charset;
        RteDocDestroy(doc);
    }
}

// A run whose style's hook cuts it into sub-runs is drawn one sub-run at a time, each where
// the whole run would have put it.
TEST_F(PlacedMeasureTest, SubRunsAreDrawnWhereTheWholeRunWouldBe)
{
    env_.defaultStyle.styleBits |= RTE_STYLE_RANGE_HOOK;
    env_.defaultStyle.hooks.slot14 = CutIntoSubRuns;
    TheSubRunCuts() = {{1, 3}, 0};
    RteHandle doc = MakeDocument("Hello");
    TestCanvas canvas(120, 40);
    RteSetPortDC(doc, canvas.Dc());
    RteCharStyle style = StyleAt(doc, 0);
    RteDrawRun run{reinterpret_cast<const uint8_t*>("Hello"), 5, 0, 0, 10, 30, RteRect{0, 0, 40, 120}, 0, 0, 0};
    style.hooks.draw(doc, &style, reinterpret_cast<intptr_t>(&run), 0, 0, 0);
    EXPECT_EQ(TheSubRunCuts().asked, 3) << "sub-runs [0, 1), [1, 3) and [3, 5)";
    std::vector<uint32_t> split = canvas.Pixels();
    canvas.Fill(RGB(255, 255, 255));
    RteCharStyle values = NoUnits();
    values.styleBits = style.styleBits & ~RTE_STYLE_RANGE_HOOK;
    RteCharStyle mask = NoUnits();
    mask.styleBits = ~0u;
    SetStyle(doc, 0, 5, values, mask);
    style = StyleAt(doc, 0);
    ASSERT_EQ(style.styleBits & RTE_STYLE_RANGE_HOOK, 0u);
    style.hooks.draw(doc, &style, reinterpret_cast<intptr_t>(&run), 0, 0, 0);
    EXPECT_EQ(TheSubRunCuts().asked, 3) << "a style without the hook is not asked";
    EXPECT_EQ(split, canvas.Pixels());
    EXPECT_NE(split, TestCanvas(120, 40).Pixels()) << "the run draws ink";
    RteDocDestroy(doc);
}

// What a style unit adds to a right-to-left run follows its characters as drawn: a word
// underline stays under its words ("l WWW" reads as "WWW l", a line under "WWW" at the left and
// one under "l" at the right), capitals are drawn in capitals ("law" as "WAL").
TEST_F(PlacedMeasureTest, UnitsOfARightToLeftRunFollowItsCharactersAsDrawn)
{
    using Words = std::vector<std::pair<int, int>>;
    struct Picture {
        const char* text;
        Words words;  // first and last character of each word line in the text
    };
    struct Case {
        int16_t RteCharStyle::*unit;
        const char* text;
        Picture drawn;
        Picture wrong;
    };
    const Case cases[] = {
        {&RteCharStyle::wordUnderline, "l WWW", {"WWW l", Words{{0, 2}, {4, 4}}}, {"WWW l", Words{{0, 0}, {2, 4}}}},
        {&RteCharStyle::allCaps, "law", {"WAL", {}}, {"wal", {}}},
    };
    for (const Case& c : cases) {
        RteCharStyle values = NoUnits();
        values.*c.unit = 1;
        RteCharStyle mask = NoUnits();
        mask.*c.unit = -1;
        for (int32_t charset : {HEBREW_CHARSET, ARABIC_CHARSET}) {
            TestCanvas canvas(120, 40);
            RteHandle doc = MakeDocument(c.text, "Liberation Serif", 12, charset);
            RteCharStyle style = DrawAsOneRun(doc, canvas, c.text, values, mask);
            EXPECT_EQ(canvas.Pixels(), VisualOrder(style, {c.drawn.text}, TRANSPARENT, c.drawn.words))
                << c.text << " set " << charset;
            EXPECT_NE(canvas.Pixels(), VisualOrder(style, {c.wrong.text}, TRANSPARENT, c.wrong.words))
                << c.text << " set " << charset;
            RteDocDestroy(doc);
        }
    }
}

// Sub-runs of a right-to-left run are drawn one at a time from the left, the run's last first:
// "lWWiM" cut at 1 and 3 draws as GDI draws "Mi", "WW" and "l" in turn, each painting its own
// background over what the one before it left.
TEST_F(PlacedMeasureTest, SubRunsOfARightToLeftRunAreDrawnInVisualOrder)
{
    env_.defaultStyle.styleBits |= RTE_STYLE_RANGE_HOOK;
    env_.defaultStyle.hooks.slot14 = CutIntoSubRuns;
    RteCharStyle values = NoUnits();
    values.italic = 1;
    values.backColor = RteColor{0xFFFF, 0xFFFF, 0};
    RteCharStyle mask = NoUnits();
    mask.italic = -1;
    mask.backColor = RteColor{0xFFFF, 0xFFFF, 0xFFFF};
    for (int32_t charset : {HEBREW_CHARSET, ARABIC_CHARSET}) {
        TheSubRunCuts() = {{1, 3}, 0};
        TestCanvas canvas(120, 40);
        RteHandle doc = MakeDocument("lWWiM", "Liberation Serif", 12, charset);
        RteCharStyle style = DrawAsOneRun(doc, canvas, "lWWiM", values, mask);
        EXPECT_EQ(TheSubRunCuts().asked, 3) << "set " << charset << ": sub-runs [0, 1), [1, 3) and [3, 5)";
        EXPECT_EQ(canvas.Pixels(), VisualOrder(style, {"Mi", "WW", "l"}, OPAQUE)) << "set " << charset;
        EXPECT_NE(canvas.Pixels(), VisualOrder(style, {"MiWWl"}, OPAQUE)) << "set " << charset << ": as one piece";
        RteDocDestroy(doc);
    }
}

// Measured for a scaled document in its own units: every width maps back through the scale,
// from the step's start.
TEST_F(PlacedMeasureTest, ScalingModeTwoMapsPositionsThroughTheInverseScale)
{
    struct Case {
        int16_t numerator;
        int16_t denominator;
        bool inverse;
        int32_t scaling;
        std::vector<int32_t> positions;
    };
    const Case cases[] = {
        {2, 1, false, RTE_MEASURE_UNSCALED, {5, 10, 15, 20}},
        {1, 2, false, RTE_MEASURE_UNSCALED, {5, 25, 45, 65}},
        {2, 1, true, RTE_MEASURE_UNSCALED, {5, 25, 45, 65}},
        {2, 1, false, 0, {5, 15, 25, 35}},
        {1, 1, false, RTE_MEASURE_UNSCALED, {5, 15, 25, 35}},
    };
    for (const Case& c : cases) {
        RteHandle doc = Document(ANSI_CHARSET);
        int32_t factor = RtePackFactor(c.numerator, c.denominator);
        RteScaling scaling{0, 0, c.inverse ? -factor : factor};
        RteSetScaling(doc, &scaling);
        EXPECT_EQ(Measure(doc, 0, c.scaling), c.positions)
            << c.numerator << "/" << c.denominator << (c.inverse ? " inverse" : "") << ", mode " << c.scaling;
        RteDocDestroy(doc);
    }
}

}  // namespace
