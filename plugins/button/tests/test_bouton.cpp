// The button module: its record in both forms and older layouts, its branches, its looks
// drawn into memory, and its line in an exported page.
#include "buttontest.h"

#include "branch.h"
#include "kernel.h"
#include "qxfile.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

extern "C" __declspec(dllimport) int GetNumberTools(int, int category);

namespace {

std::string WriteRecord(BOUTON* b, const std::string& path, int universe)
{
    QXFILE file = QXopen(path.c_str(), 1);
    EXPECT_NE(file, QXFILE{});
    int form = universe;
    EXPECT_EQ(b->Save(file, form, 1), 1);
    QXclose(file);
    return path;
}

int ReadRecord(BOUTON* b, const std::string& path, int universe)
{
    QXFILE file = QXopen(path.c_str(), 0);
    int form = universe;
    const int result = b->Load(file, form);
    QXclose(file);
    return result;
}

void Fill(BOUTON* b)
{
    std::strcpy(b->label, "Suite\xFERetour");
    b->style = BOUTON_STYLE_FLAT;
    b->textStyle = BOUTON_TEXT_RAISED;
    b->reserved[0] = 7;
    b->reserved[1] = -3;
    b->x = 10, b->y = 20, b->w = 120, b->h = 40;
    b->ux = KernS2Ux(b->kernel, 10), b->uy = KernS2Uy(b->kernel, 20);
    b->uw = KernS2Ux(b->kernel, 120) - KernS2Ux(b->kernel, 0), b->uh = KernS2Uy(b->kernel, 40) - KernS2Uy(b->kernel, 0);
    b->font.lfWeight = 700;
    b->font.lfItalic = 1;
    std::strcpy(b->font.lfFaceName, "Times New Roman");
    b->borderThickness = 3;
    b->border = {10, 20, 30, 0};
    b->background = {40, 50, 60, 1};
    b->textColour = {70, 80, 90, 0};
    b->toggle = 1;
    b->initiallyChecked = 1;
    b->pressedDX = -2;
    b->pressedDY = 3;
    b->alignment = 8;
}

void ExpectSameRecord(BOUTON* a, BOUTON* b)
{
    EXPECT_STREQ(a->label, b->label);
    EXPECT_EQ(a->style, b->style);
    EXPECT_EQ(a->textStyle, b->textStyle);
    EXPECT_EQ(a->reserved[0], b->reserved[0]);
    EXPECT_EQ(a->reserved[1], b->reserved[1]);
    EXPECT_EQ(a->x, b->x);
    EXPECT_EQ(a->y, b->y);
    EXPECT_EQ(a->w, b->w);
    EXPECT_EQ(a->h, b->h);
    EXPECT_EQ(a->font.lfHeight, b->font.lfHeight);
    EXPECT_EQ(a->font.lfWeight, b->font.lfWeight);
    EXPECT_EQ(a->font.lfItalic, b->font.lfItalic);
    EXPECT_STREQ(a->font.lfFaceName, b->font.lfFaceName);
    EXPECT_EQ(a->borderThickness, b->borderThickness);
    EXPECT_EQ(a->border.blue, b->border.blue);
    EXPECT_EQ(a->background.flag, b->background.flag);
    EXPECT_EQ(a->textColour.green, b->textColour.green);
    EXPECT_EQ(a->toggle, b->toggle);
    EXPECT_EQ(a->initiallyChecked, b->initiallyChecked);
    EXPECT_EQ(a->pressedDX, b->pressedDX);
    EXPECT_EQ(a->pressedDY, b->pressedDY);
    EXPECT_EQ(a->alignment, b->alignment);
}

class ButtonRecord : public ::testing::TestWithParam<int> {};

TEST_P(ButtonRecord, ReadsBackWhatItWrote)
{
    KernelHolder k;
    ScratchDir dir;
    std::unique_ptr<BOUTON> written(NewButton(k.kernel));
    Fill(written.get());
    WriteRecord(written.get(), dir / "b.rec", GetParam());
    std::unique_ptr<BOUTON> read(NewButton(k.kernel));
    ASSERT_EQ(ReadRecord(read.get(), dir / "b.rec", GetParam()), 1);
    ExpectSameRecord(written.get(), read.get());
}

INSTANTIATE_TEST_SUITE_P(PixelAndUnitForms, ButtonRecord, ::testing::Values(0, 1));

// The button's own lines of a record written now, to be edited into older layouts.
std::vector<std::string> OwnLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = text.find("BOUTON {");
    while (start < text.size()) {
        const size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string WithOwnLines(const std::string& text, const std::vector<std::string>& lines)
{
    std::string out = text.substr(0, text.find("BOUTON {"));
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

struct OldLayout {
    const char* name;
    int keep;             // lines of the button's block kept from the current layout
    std::vector<std::string> tail;
    int toggle;
    char separator;
};

class OlderRecords : public ::testing::TestWithParam<OldLayout> {};

TEST_P(OlderRecords, Load)
{
    const OldLayout& layout = GetParam();
    KernelHolder k;
    ScratchDir dir;
    std::unique_ptr<BOUTON> written(NewButton(k.kernel));
    Fill(written.get());
    std::strcpy(written->label, "Aller\xF4Venir");
    WriteRecord(written.get(), dir / "b.rec", 1);
    std::vector<std::string> lines = OwnLines(dir.Read("b.rec"));
    lines.resize(static_cast<size_t>(layout.keep));
    lines.insert(lines.end(), layout.tail.begin(), layout.tail.end());
    dir.Write("old.rec", WithOwnLines(dir.Read("b.rec"), lines));
    std::unique_ptr<BOUTON> read(NewButton(k.kernel));
    ASSERT_EQ(ReadRecord(read.get(), dir / "old.rec", 1), 1) << layout.name;
    EXPECT_EQ(read->toggle, layout.toggle) << layout.name;
    EXPECT_EQ(read->label[5], layout.separator) << layout.name;
    EXPECT_EQ(read->borderThickness, 3) << layout.name;
}

INSTANTIATE_TEST_SUITE_P(
    EveryLayout, OlderRecords,
    ::testing::Values(OldLayout{"ends after the mask", 14, {"}"}, 0, '\xF4'},
                      OldLayout{"ends after toggle", 14, {"1", "}"}, 1, '\xF4'},
                      OldLayout{"before 1.1", 14, {"1", "0", "}"}, 1, '\xFE'},
                      OldLayout{"version 1.1", 14, {"1", "0", "1.1", "NULL", "}"}, 1, '\xFE'},
                      OldLayout{"version 1.2", 14, {"1", "0", "1.2", "NULL", "}"}, 1, '\xF4'},
                      OldLayout{"version 2.0", 14, {"1", "0", "2.0", "NULL", "}"}, 1, '\xF4'}));

// A bitmap record cut short after some of its nine picture lines ends at its "}": the line
// after the record stays for whoever reads next.
class ShortBitmapRecords : public ::testing::TestWithParam<int> {};

TEST_P(ShortBitmapRecords, EndAtTheirBrace)
{
    const int pictureLines = GetParam();
    KernelHolder k;
    ScratchDir dir;
    std::unique_ptr<BOUTON> written(NewButton(k.kernel));
    Fill(written.get());
    written->style = BOUTON_STYLE_BITMAP;
    written->releasedImage.cropX = 11;
    WriteRecord(written.get(), dir / "b.rec", 1);
    std::vector<std::string> lines = OwnLines(dir.Read("b.rec"));
    ASSERT_EQ(lines.back(), "}");
    const size_t firstPictureLine = lines.size() - 10;
    lines.resize(firstPictureLine + static_cast<size_t>(pictureLines));
    lines.push_back("}");
    lines.push_back("NEXT {");
    dir.Write("short.rec", WithOwnLines(dir.Read("b.rec"), lines));

    std::unique_ptr<BOUTON> read(NewButton(k.kernel));
    QXFILE file = QXopen((dir / "short.rec").c_str(), 0);
    int form = 1;
    ASSERT_EQ(read->Load(file, form), 1) << pictureLines;
    char next[32] = "";
    EXPECT_TRUE(QXLoadString(file, next, sizeof next));
    EXPECT_STREQ(next, "NEXT {") << pictureLines;
    QXclose(file);
    EXPECT_EQ(read->releasedImage.cropX, pictureLines >= 2 ? 11 : 0) << pictureLines;
}

INSTANTIATE_TEST_SUITE_P(NoneToEightPictureLines, ShortBitmapRecords, ::testing::Range(0, 9));

// On a universe twice as wide as its screen and as high, the pixel form's font line holds the
// height converted horizontally, as pages written elsewhere hold it, and reads back to the same.
TEST(ButtonRecord, ThePixelFormConvertsTheFontHeightHorizontally)
{
    KernelHolder k;
    k.kernel->windowing.ScreenSetExtent(0, 0, 639, 479);
    k.kernel->windowing.UniverseSetExtent(0, 0, 1279, 479);
    ScratchDir dir;
    std::unique_ptr<BOUTON> written(NewButton(k.kernel));
    Fill(written.get());
    written->font.lfHeight = -21;
    written->fontHeight = KernS2Uy(k.kernel, 21) - KernS2Uy(k.kernel, 0);
    WriteRecord(written.get(), dir / "b.rec", 0);
    const std::string first = dir.Read("b.rec");
    EXPECT_EQ(OwnLines(first)[5].substr(0, 12), "   11.000000") << OwnLines(first)[5];

    std::unique_ptr<BOUTON> read(NewButton(k.kernel));
    ASSERT_EQ(ReadRecord(read.get(), dir / "b.rec", 0), 1);
    EXPECT_EQ(read->font.lfHeight, -21);
    WriteRecord(read.get(), dir / "again.rec", 0);
    EXPECT_EQ(OwnLines(dir.Read("again.rec")), OwnLines(first));
}

TEST(ButtonRecord, AFaceNameLongerThanItsFieldIsCut)
{
    KernelHolder k;
    ScratchDir dir;
    std::unique_ptr<BOUTON> written(NewButton(k.kernel));
    Fill(written.get());
    WriteRecord(written.get(), dir / "b.rec", 1);
    std::string text = dir.Read("b.rec");
    const std::string face(40, 'F');
    text.replace(text.find("\"Times New Roman\""), 17, "\"" + face + "\"");
    dir.Write("long.rec", text);
    std::unique_ptr<BOUTON> read(NewButton(k.kernel));
    ASSERT_EQ(ReadRecord(read.get(), dir / "long.rec", 1), 1);
    EXPECT_EQ(std::string(read->font.lfFaceName), face.substr(0, 31));
    EXPECT_EQ(read->borderThickness, 3);
}

TEST(ButtonRecord, ANonBitmapButtonWritesNoPictureNames)
{
    KernelHolder k;
    ScratchDir dir;
    std::unique_ptr<BOUTON> b(NewButton(k.kernel));
    b->imageNames[BOUTON_IMAGE_RELEASED] = (dir / "up.bmp").c_str();
    WriteRecord(b.get(), dir / "b.rec", 1);
    const std::vector<std::string> lines = OwnLines(dir.Read("b.rec"));
    ASSERT_GE(lines.size(), 18u);
    for (size_t i : {11u, 12u, 13u, 17u})
        EXPECT_EQ(lines[i], "NULL") << i;
}

TEST(ButtonProperties, ALongLabelIsCutToItsField)
{
    KernelHolder k;
    std::unique_ptr<BOUTON> b(NewButton(k.kernel));
    const std::string text(400, 'L');
    ASSERT_EQ(b->SetProperties(BOUTON_PROP_LABEL, text.c_str()), 1);
    EXPECT_EQ(std::string(b->label), text.substr(0, 299));
    EXPECT_EQ(b->checked, 0);  // the member after the label is untouched... and so is style:
    EXPECT_EQ(b->style, BOUTON_STYLE_3D);
    char buffer[8];
    EXPECT_EQ(b->GetProperties(BOUTON_PROP_LABEL, sizeof buffer, buffer), 0);
    ASSERT_EQ(b->SetProperties(BOUTON_PROP_CHECKED, "1"), 1);
    ASSERT_EQ(b->GetProperties(BOUTON_PROP_CHECKED, sizeof buffer, buffer), 1);
    EXPECT_STREQ(buffer, "1");
}

TEST(ButtonModule, OffersOneToolInTheObjectCategory)
{
    EXPECT_EQ(GetNumberTools(5, 2), 1);
    EXPECT_EQ(GetNumberTools(5, 1), 0);
}

TEST(ButtonModule, OnlyTheSecondBranchCarriesThePluginMark)
{
    KernelHolder k;
    std::unique_ptr<BOUTON> b(NewButton(k.kernel));
    EXPECT_EQ(b->GetBranch(0)->pluginMark, 0);
    EXPECT_EQ(b->GetBranch(1)->pluginMark, 1);
}

struct PixelCase {
    const char* look;
    int style;
    int checked;
    int borderThickness;
    int outline;
    std::vector<std::pair<POINT, COLORREF>> pixels;
};

class ButtonLooks : public ::testing::TestWithParam<PixelCase> {};

TEST_P(ButtonLooks, DrawEachPixelWhereItBelongs)
{
    const PixelCase& c = GetParam();
    KernelHolder k;
    std::unique_ptr<BOUTON> b(NewButton(k.kernel));
    b->SetXYWH(0, 0, 60, 30);
    b->style = c.style;
    b->checked = c.checked;
    b->borderThickness = c.borderThickness;
    b->border = {0, 0, 255, 0};
    b->background = {255, 0, 0, 0};
    b->outlineMarker = c.outline;
    Canvas canvas(60, 30);
    Paint(b.get(), canvas);
    canvas.SaveForViewing(c.look);
    for (const auto& [point, colour] : c.pixels)
        EXPECT_EQ(canvas.At(point.x, point.y), colour) << c.look << " at " << point.x << "," << point.y;
}

INSTANTIATE_TEST_SUITE_P(
    EveryStyleAndState, ButtonLooks,
    ::testing::Values(
        PixelCase{"raised", BOUTON_STYLE_3D, 0, 1, 0,
                  {{{0, 0}, Black}, {{59, 15}, Black}, {{30, 29}, Black}, {{1, 1}, White}, {{2, 2}, White},
                   {{57, 27}, Dark}, {{58, 28}, Dark}, {{56, 26}, Light}, {{30, 15}, Light}}},
        PixelCase{"sunken", BOUTON_STYLE_3D, 1, 1, 0,
                  {{{0, 0}, Black}, {{59, 29}, Black}, {{1, 1}, Dark}, {{1, 28}, Dark}, {{2, 2}, Light},
                   {{58, 28}, Light}, {{30, 15}, Light}}},
        PixelCase{"flat with border", BOUTON_STYLE_FLAT, 0, 1, 0,
                  {{{0, 0}, Blue}, {{59, 29}, Blue}, {{1, 1}, Red}, {{30, 15}, Red}}},
        PixelCase{"flat, thick border", BOUTON_STYLE_FLAT, 0, 4, 0,
                  {{{0, 15}, Blue}, {{3, 15}, Blue}, {{30, 0}, Blue}, {{59, 15}, Blue}, {{30, 29}, Blue}, {{4, 4}, Red}, {{55, 25}, Red}}},
        PixelCase{"flat without border", BOUTON_STYLE_FLAT, 0, 0, 0,
                  {{{0, 0}, Red}, {{59, 29}, Red}, {{30, 15}, Red}}},
        PixelCase{"invisible", BOUTON_STYLE_INVISIBLE, 0, 1, 0,
                  {{{0, 0}, Light}, {{30, 15}, Light}, {{59, 29}, Light}}},
        PixelCase{"invisible, creation mode", BOUTON_STYLE_INVISIBLE, 0, 1, 2,
                  {{{0, 0}, White}, {{59, 29}, White}, {{30, 0}, White}}}));

TEST(ButtonLooks, CreationModeHatchesTheInvisibleAreaInRed)
{
    KernelHolder k;
    std::unique_ptr<BOUTON> b(NewButton(k.kernel));
    b->SetXYWH(0, 0, 60, 30);
    b->style = BOUTON_STYLE_INVISIBLE;
    b->outlineMarker = 2;
    Canvas canvas(60, 30);
    Paint(b.get(), canvas);
    EXPECT_GT(canvas.CountOf(Red), 100);
    b->outlineMarker = 0;
    Canvas plain(60, 30);
    Paint(b.get(), plain);
    EXPECT_EQ(plain.CountOf(Red), 0);
}

struct LabelCase {
    int alignment;
    int state;  // checked: the pressed look
};

class ButtonLabel : public ::testing::TestWithParam<LabelCase> {};

// The label's box inside a flat white button of 120 x 40, text in blue: every pixel the text
// touches, whether or not the font is drawn smoothed.
RECT LabelBox(int alignment, int checked, const char* label, int textStyle = BOUTON_TEXT_NORMAL)
{
    KernelHolder k;
    std::unique_ptr<BOUTON> b(NewButton(k.kernel));
    b->SetXYWH(0, 0, 120, 40);
    b->style = BOUTON_STYLE_FLAT;
    b->border.flag = 1;
    b->textColour = {0, 0, 255, 0};
    b->textStyle = textStyle;
    b->alignment = alignment;
    b->checked = checked;
    b->pressedDX = 2;
    b->pressedDY = 1;
    b->font.lfHeight = -12;
    std::strcpy(b->label, label);
    Canvas canvas(120, 40);
    Paint(b.get(), canvas);
    return canvas.BoxOfAllBut(White);
}

TEST(ButtonLabel, AlignmentPlacesTheText)
{
    const RECT centre = LabelBox(0, 0, "Ok");
    ASSERT_GE(centre.right, centre.left) << "no label drawn";
    const int width = centre.right - centre.left;
    // Centred within a pixel or two of the glyphs' side bearings.
    EXPECT_NEAR((centre.left + centre.right) / 2, 60, 3);
    EXPECT_NEAR((centre.top + centre.bottom) / 2, 20, 4);
    const RECT left = LabelBox(1, 0, "Ok");
    EXPECT_NEAR(left.left, 3, 2);
    const RECT right = LabelBox(3, 0, "Ok");
    EXPECT_NEAR(right.right, 120 - 3, 2);
    EXPECT_NEAR(right.right - right.left, width, 1);
    const RECT top = LabelBox(5, 0, "Ok");
    EXPECT_LT(top.top, 10);
    EXPECT_NEAR(top.left, 3, 2);
    const RECT bottom = LabelBox(8, 0, "Ok");
    EXPECT_GT(bottom.bottom, 28);
}

TEST(ButtonLabel, PressedLookMovesTheTextByTheDisplacement)
{
    const RECT up = LabelBox(0, 0, "Ok");
    const RECT down = LabelBox(0, 1, "Ok");
    EXPECT_EQ(down.left - up.left, 2);
    EXPECT_EQ(down.top - up.top, 1);
}

TEST(ButtonLabel, EachStateShowsItsOwnText)
{
    const RECT up = LabelBox(1, 0, "I\xFEWWWWWW");
    const RECT down = LabelBox(1, 1, "I\xFEWWWWWW");
    EXPECT_GT(down.right - down.left, 3 * (up.right - up.left + 1));
}

TEST(ButtonLabel, ATextStyleAddsAWhiteCopyOnePixelAway)
{
    KernelHolder k;
    for (int textStyle : {BOUTON_TEXT_ENGRAVED, BOUTON_TEXT_RAISED}) {
        std::unique_ptr<BOUTON> b(NewButton(k.kernel));
        b->SetXYWH(0, 0, 120, 40);
        b->style = BOUTON_STYLE_FLAT;
        b->border.flag = 1;
        b->background = {0, 0, 0, 0};
        b->textColour = {0, 0, 255, 0};
        b->textStyle = textStyle;
        std::strcpy(b->label, "Ok");
        Canvas canvas(120, 40);
        Paint(b.get(), canvas);
        const RECT text = canvas.BoxOf(Blue), shadow = canvas.BoxOf(White);
        const int shift = textStyle == BOUTON_TEXT_ENGRAVED ? 1 : -1;
        // The white copy shows only on the side it is moved to.
        if (shift > 0) {
            EXPECT_EQ(shadow.right - text.right, 1);
            EXPECT_EQ(shadow.bottom - text.bottom, 1);
        } else {
            EXPECT_EQ(shadow.left - text.left, -1);
            EXPECT_EQ(shadow.top - text.top, -1);
        }
    }
}

TEST(ButtonLabel, AHiddenTextIsNotDrawn)
{
    KernelHolder k;
    std::unique_ptr<BOUTON> b(NewButton(k.kernel));
    b->SetXYWH(0, 0, 120, 40);
    b->textColour = {0, 0, 255, 1};
    std::strcpy(b->label, "Ok");
    Canvas canvas(120, 40);
    Paint(b.get(), canvas);
    EXPECT_EQ(canvas.CountOf(Blue), 0);
}

TEST(ButtonDHTML, WritesItsLineWithEscapedNameAndTwoDrawnLooks)
{
    KernelHolder k;
    ScratchDir dir;
    k.kernel->dhtmlDestPath = dir.Path().c_str();
    k.kernel->dhtmlActivePage = (dir / "page.html").c_str();
    std::unique_ptr<BOUTON> b(NewButton(k.kernel));
    b->SetXYWH(10, 20, 60, 30);
    std::strcpy(b->userID, "a\"b");
    QXFILE file = QXopen((dir / "out.js").c_str(), 1);
    int index = 0;
    ASSERT_EQ(b->ExportToDHTML(file, index), 1);
    QXclose(file);
    const std::string text = dir.Read("out.js");
    EXPECT_EQ(text.rfind("QXObjects[objindex++] = QXButton(\"a\\\"b\",10,20,60,30,0,null,null,null,null,", 0), 0u) << text;
    EXPECT_NE(text.find("images/butup0.jpg\",\""), std::string::npos) << text;
    EXPECT_NE(text.find("images/butdn0.jpg\",null);\r\n"), std::string::npos) << text;
    EXPECT_NE(GetFileAttributesA((dir / "images\\butup0.jpg").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesA((dir / "images\\butdn0.jpg").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(ButtonDHTML, AnInvisibleButtonHasNoPressedLook)
{
    KernelHolder k;
    ScratchDir dir;
    k.kernel->dhtmlDestPath = dir.Path().c_str();
    k.kernel->dhtmlActivePage = (dir / "page.html").c_str();
    std::unique_ptr<BOUTON> b(NewButton(k.kernel));
    b->style = BOUTON_STYLE_INVISIBLE;
    QXFILE file = QXopen((dir / "out.js").c_str(), 1);
    int index = 4;
    ASSERT_EQ(b->ExportToDHTML(file, index), 1);
    QXclose(file);
    const std::string text = dir.Read("out.js");
    EXPECT_EQ(text.rfind("QXObjects[objindex++] = QXButton(\"object4\",", 0), 0u) << text;
    EXPECT_NE(text.find("butup0.jpg\",null,null);\r\n"), std::string::npos) << text;
}

}  // namespace
