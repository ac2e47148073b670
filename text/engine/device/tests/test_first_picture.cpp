// The first styled picture: a document styled through the model, laid out by the placer with
// the engine's hooks, drawn into a DIB section and checked by its pixels. The picture is saved
// beside the test programs as rte_first_picture.png.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>

#include "device_fixture.h"
#include "line_placer.h"
#include "rte_fonts.h"
#include "rte_gdi_port.h"
#include "rte_paragraph_hooks.h"
#include "rte_styles.h"
#include "test_canvas.h"

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 800;
constexpr RteRect kColumn{30, 40, 780, 560};

const std::string kHeading = "Rapport de l'atelier";
const std::string kBody = "Le texte courant est en Liberation Serif, avec un passage en italique, un mot rouge et un "
                          "mot sur fond jaune au milieu de la phrase.";
const std::string kLines = "Soulignés : simple, double, pointillé et mot à mot ; barré, E=mc2 en exposant et "
                           "Petites Capitales.";
const std::string kTotal = "Total des frais\t1 234,50";
const std::string kCentred = "Un paragraphe centré au milieu de la colonne";
const std::string kJustified =
    "Un paragraphe justifié répartit la place qui reste entre les mots de chacune de ses lignes, sauf la "
    "dernière, qui garde sa longueur naturelle. Les lignes pleines finissent donc toutes au bord droit de la "
    "colonne, ce que ce test vérifie pixel par pixel, ligne après ligne, jusqu'à la fin du paragraphe.";
// Japanese in Shift-JIS, Chinese in GB2312.
const std::string kJapanese =
    "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x95\xB6\x8F\xCD\x82\xCD\x81\x41\x8B\xE5\x93\xC7\x93\x5F\x82\xCC\x91\x4F\x82"
    "\xC5\x89\xFC\x8D\x73\x82\xB5\x82\xDC\x82\xB9\x82\xF1\x81\x42\x89\xFC\x8D\x73\x82\xCC\x88\xCA\x92\x75\x82\xCD"
    "\x95\x5C\x82\xCC\x8B\x4B\x91\xA5\x82\xC5\x8C\x88\x82\xDC\x82\xE8\x82\xDC\x82\xB7\x81\x42";
const std::string kChinese =
    "\xD6\xD0\xCE\xC4\xCE\xC4\xB1\xBE\xD4\xDA\xB1\xEA\xB5\xE3\xB7\xFB\xBA\xC5\xD6\xAE\xC7\xB0\xB2\xBB\xBB\xBB\xD0"
    "\xD0\xA3\xAC\xBB\xBB\xD0\xD0\xCE\xBB\xD6\xC3\xD3\xC9\xB9\xE6\xD4\xF2\xB1\xED\xBE\xF6\xB6\xA8\xA1\xA3";

bool IsRed(COLORREF c) { return GetRValue(c) > 160 && GetGValue(c) < 90 && GetBValue(c) < 90; }
bool IsYellow(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) < 80; }
bool IsInk(COLORREF c) { return c != RGB(255, 255, 255); }
bool IsDark(COLORREF c) { return GetRValue(c) < 128 && GetGValue(c) < 128 && GetBValue(c) < 128; }

class FirstPictureTest : public DeviceTest {
protected:
    void SetUp() override
    {
        DeviceTest::SetUp();
        text_ = kHeading + "\r" + kBody + "\r" + kLines + "\r" + kTotal + "\r" + kCentred + "\r" + kJustified + "\r" +
                kJapanese + "\r" + kChinese;
        doc_ = MakeDocument(text_);
        RteSetPortDC(doc_, canvas_.Dc());
        Style();
        placer_ = std::make_unique<LinePlacer>(doc_, kColumn);
        placer_->Place();
        placer_->Draw(true);
        canvas_.SavePng(L"rte_first_picture.png");
    }

    int32_t Find(const std::string& what, int32_t from = 0) const
    {
        auto at = text_.find(what, static_cast<size_t>(from));
        EXPECT_NE(at, std::string::npos) << what;
        return static_cast<int32_t>(at);
    }

    // Sets the units the setter gives a value that is not 0, and those the mask setter selects.
    void Units(const std::string& word, const std::function<void(RteCharStyle&)>& set, int32_t from = 0,
               const std::function<void(RteCharStyle&)>& select = nullptr)
    {
        RteCharStyle values = NoUnits();
        RteCharStyle mask = NoUnits();
        set(values);
        auto* v = reinterpret_cast<const uint8_t*>(&values);
        auto* m = reinterpret_cast<uint8_t*>(&mask);
        for (size_t i = 0; i < sizeof values; ++i)
            m[i] = v[i] ? 0xFF : 0;
        if (select)
            select(mask);
        int32_t start = Find(word, from);
        SetStyle(doc_, start, start + static_cast<int32_t>(word.size()), values, mask);
    }

    void Font(const std::string& range, const char* name, int32_t charset, int32_t points)
    {
        RteFont font = {};
        std::strcpy(font.name, name);
        font.nameFlags = RTE_FONT_NAME_CSTRING | RTE_FONT_ALT_CSTRING;
        font.values[RTE_FONT_CHARSET] = charset;
        RteFont fontMask = {};
        std::memset(fontMask.name, 0xFF, sizeof fontMask.name);
        fontMask.values[RTE_FONT_CHARSET] = -1;
        RteCharStyle style = NoUnits();
        style.pointSize = points << 16;
        RteCharStyle mask = NoUnits();
        mask.pointSize = -1;
        RteRange span{Find(range), Find(range) + static_cast<int32_t>(range.size())};
        RteSetFontAndStyle(doc_, &span, &style, &mask, &font, &fontMask, 0);
    }

    void Paragraph(const std::string& first, int16_t alignment)
    {
        RteParFormat format;
        RteParFormat mask;
        std::memset(&format, 0, sizeof format);
        std::memset(&mask, 0, sizeof mask);
        format.alignment = alignment;
        mask.alignment = -1;
        RteRange at{Find(first), Find(first)};
        RteSetParFormat(doc_, &at, &format, &mask, 0);
    }

    void Style()
    {
        Units(kHeading, [](RteCharStyle& s) {
            s.bold = 1;
            s.pointSize = 18 << 16;
        });
        Units("italique", [](RteCharStyle& s) { s.italic = 1; });
        auto colour = [](RteColor& c) { c = {0xFFFF, 0xFFFF, 0xFFFF}; };
        Units("rouge", [](RteCharStyle& s) { s.textColor = {0xFFFF, 0, 0}; }, 0, [&](RteCharStyle& m) { colour(m.textColor); });
        Units("jaune", [](RteCharStyle& s) { s.backColor = {0xFFFF, 0xFFFF, 0}; }, 0,
              [&](RteCharStyle& m) { colour(m.backColor); });
        Units("simple", [](RteCharStyle& s) { s.underline = 1; });
        Units("double", [](RteCharStyle& s) { s.doubleUnderline = 1; });
        Units("pointillé", [](RteCharStyle& s) { s.dottedUnderline = 1; });
        Units("mot à mot", [](RteCharStyle& s) { s.wordUnderline = 1; });
        Units("barré", [](RteCharStyle& s) { s.strikeOut = 1; });
        Units("2", [](RteCharStyle& s) { s.superscript = s.unit21 = 8; }, Find("E=mc"));
        Units("Petites Capitales", [](RteCharStyle& s) { s.smallCaps = -1; });
        Font(kJapanese, "IPAGothic", 128, 14);
        Font(kChinese, "WenQuanYi Zen Hei", 134, 16);
        Paragraph(kCentred, RTE_ALIGN_CENTRE);
        Paragraph(kJustified, RTE_ALIGN_JUSTIFY);
        RteSetTabBase(doc_, kColumn.left);
        RteTab tab{RTE_TAB_RIGHT, '.', kColumn.right - kColumn.left, 0};
        RteRange total{Find(kTotal), Find(kTotal)};
        RteSetTab(doc_, &total, &tab, 0);
    }

    const PlacedLine& LineOf(int32_t offset) const
    {
        for (const PlacedLine& line : placer_->Lines()) {
            if (offset >= line.start && offset < line.end)
                return line;
        }
        ADD_FAILURE() << "no line holds " << offset;
        return placer_->Lines().front();
    }

    // The box of a word as placed: its line's rows, its characters' columns.
    RECT BoxOf(const std::string& word, int32_t from = 0) const
    {
        int32_t start = Find(word, from);
        const PlacedLine& line = LineOf(start);
        return RECT{placer_->XOf(line, start), line.rect.top,
                    placer_->XOf(line, start + static_cast<int32_t>(word.size())), line.rect.bottom};
    }

    int Count(const RECT& box, const std::function<bool(COLORREF)>& test) const
    {
        int n = 0;
        for (int y = box.top; y < box.bottom; ++y) {
            for (int x = box.left; x < box.right; ++x)
                n += test(canvas_.Pixel(x, y)) ? 1 : 0;
        }
        return n;
    }

    // Pixels of a kind outside a box (grown by one pixel on each side).
    int CountOutside(const RECT& box, const std::function<bool(COLORREF)>& test) const
    {
        int n = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                bool inside = x >= box.left - 1 && x <= box.right && y >= box.top - 1 && y <= box.bottom;
                n += !inside && test(canvas_.Pixel(x, y)) ? 1 : 0;
            }
        }
        return n;
    }

    // The ink's first and last columns within a line's rows, left of a limit.
    std::pair<int, int> InkColumns(const PlacedLine& line, int limit = kWidth) const
    {
        int first = kWidth;
        int last = -1;
        for (int y = line.rect.top; y < line.rect.bottom; ++y) {
            for (int x = 0; x < limit; ++x) {
                if (IsInk(canvas_.Pixel(x, y))) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
            }
        }
        return {first, last};
    }

    TestCanvas canvas_{kWidth, kHeight};
    std::string text_;
    RteHandle doc_ = nullptr;
    std::unique_ptr<LinePlacer> placer_;
};

TEST_F(FirstPictureTest, RedOnlyInTheRedWord)
{
    RECT box = BoxOf("rouge");
    EXPECT_GT(Count(box, IsRed), 20);
    EXPECT_EQ(CountOutside(box, IsRed), 0);
}

TEST_F(FirstPictureTest, YellowBehindItsWordOnly)
{
    RECT box = BoxOf("jaune");
    int area = (box.right - box.left) * (box.bottom - box.top);
    EXPECT_GT(Count(box, IsYellow), area / 3);
    EXPECT_EQ(CountOutside(box, IsYellow), 0);
}

TEST_F(FirstPictureTest, UnderlinesUnderTheirWords)
{
    struct Case {
        const char* word;
        std::vector<int> rows;  // below the baseline
        double least;           // the share of dark pixels on each row
        double most;
    };
    const Case cases[] = {{"simple", {1}, 0.9, 1.0}, {"double", {1, 3}, 0.9, 1.0}, {"pointillé", {1}, 0.3, 0.7}};
    for (const Case& c : cases) {
        int32_t start = Find(c.word);
        const PlacedLine& line = LineOf(start);
        int x0 = placer_->XOf(line, start);
        int x1 = placer_->XOf(line, start + static_cast<int32_t>(std::strlen(c.word)));
        for (int row : c.rows) {
            RECT strip{x0, line.baseline + row, x1, line.baseline + row + 1};
            double share = static_cast<double>(Count(strip, IsDark)) / (x1 - x0);
            EXPECT_GE(share, c.least) << c.word << " row " << row;
            EXPECT_LE(share, c.most) << c.word << " row " << row;
        }
        RECT below{x0 + 2, line.baseline + 5, x1 - 2, line.baseline + 6};
        EXPECT_EQ(Count(below, IsDark), 0) << c.word << ": nothing further down";
    }
}

TEST_F(FirstPictureTest, TheWordKindLeavesTheBlanksOut)
{
    int32_t start = Find("mot à mot");
    const PlacedLine& line = LineOf(start);
    int y = line.baseline + 1;
    for (int32_t blank : {start + 3, start + 5}) {
        int centre = (placer_->XOf(line, blank) + placer_->XOf(line, blank + 1)) / 2;
        EXPECT_FALSE(IsDark(canvas_.Pixel(centre, y))) << "under the blank at " << blank;
    }
    for (int32_t word : {start, start + 4, start + 6}) {
        int centre = (placer_->XOf(line, word) + placer_->XOf(line, word + 1)) / 2;
        EXPECT_TRUE(IsDark(canvas_.Pixel(centre, y))) << "under the word at " << word;
    }
}

TEST_F(FirstPictureTest, JustifiedLinesEndAtTheColumnButTheLast)
{
    int32_t start = Find(kJustified);
    int justified = 0;
    for (const PlacedLine& line : placer_->Lines()) {
        if (line.start < start || line.start >= start + static_cast<int32_t>(kJustified.size()))
            continue;
        auto [first, last] = InkColumns(line);
        if (line.justified) {
            ++justified;
            EXPECT_EQ(line.pieces.back().piece.rect.right, kColumn.right);
            // The column's last pixel is right - 1: the ink ends within a pixel of it.
            EXPECT_GE(last, kColumn.right - 1 - 1) << "line at " << line.start;
            EXPECT_LE(last, kColumn.right - 1) << "line at " << line.start;
        } else {
            EXPECT_LT(last, kColumn.right - 20) << "the last line keeps its length";
        }
    }
    EXPECT_GE(justified, 2);
}

TEST_F(FirstPictureTest, TheCentredLineHasEqualMargins)
{
    const PlacedLine& line = LineOf(Find(kCentred));
    // The paragraph mark of the invisibles stands after the text: the ink is the text's up to it.
    int32_t textEnd = placer_->XOf(line, line.end);
    auto [first, last] = InkColumns(line, textEnd);
    int left = first - kColumn.left;
    int right = kColumn.right - 1 - last;
    EXPECT_LE(std::abs(left - right), 1) << left << " " << right;
    EXPECT_GT(left, 50) << "the line stands in the middle";
}

TEST_F(FirstPictureTest, NoInkOutsideTheColumn)
{
    // Only the paragraph marks of the invisibles may stand past the column, after their lines.
    constexpr int kMarkWidth = 12;
    int outside = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (!IsInk(canvas_.Pixel(x, y)))
                continue;
            bool inColumn = x >= kColumn.left && x < kColumn.right && y >= kColumn.top && y < kColumn.bottom;
            bool mark = std::any_of(placer_->Lines().begin(), placer_->Lines().end(), [&](const PlacedLine& line) {
                int end = placer_->XOf(line, line.end);
                return line.endsParagraph && y >= line.rect.top && y < line.rect.bottom && x >= end &&
                       x < end + kMarkWidth;
            });
            outside += inColumn || mark ? 0 : 1;
        }
    }
    EXPECT_EQ(outside, 0);
}

TEST_F(FirstPictureTest, TheRightTabEndsAtTheColumnAfterItsLeader)
{
    const PlacedLine& line = LineOf(Find(kTotal));
    auto [first, last] = InkColumns(line);
    EXPECT_GE(last, kColumn.right - 3);
    int32_t tab = Find("\t");
    int gapLeft = placer_->XOf(line, tab) + 4;
    int gapRight = placer_->XOf(line, tab + 1) - 4;
    RECT dots{gapLeft, line.baseline - 3, gapRight, line.baseline + 1};
    EXPECT_GT(Count(dots, IsDark), (gapRight - gapLeft) / 8) << "the dot leader fills the gap";
}

TEST_F(FirstPictureTest, FarEastLinesBreakByTheirRules)
{
    for (const std::string* text : {&kJapanese, &kChinese}) {
        int32_t start = Find(*text);
        int lines = 0;
        for (const PlacedLine& line : placer_->Lines()) {
            if (line.start < start || line.start >= start + static_cast<int32_t>(text->size()))
                continue;
            ++lines;
            EXPECT_GT(Count(RECT{kColumn.left, line.rect.top, kColumn.right, line.rect.bottom}, IsDark), 50)
                << "the line draws ink";
            std::string first = text_.substr(line.start, 2);
            EXPECT_NE(first, "\x81\x42") << "a full stop begins a line";
            EXPECT_NE(first, "\x81\x41") << "a comma begins a line";
            EXPECT_NE(first, "\xA1\xA3") << "a full stop begins a line";
            EXPECT_NE(first, "\xA3\xAC") << "a comma begins a line";
            EXPECT_EQ((line.end - start) % 2, 0) << "a character was split";
        }
        EXPECT_GE(lines, 2) << "each far-East paragraph takes more than one line";
    }
}

}  // namespace
