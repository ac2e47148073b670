// "QXFileName" on real windows: the part of the path it shows (rendered into a DIB section
// and compared with the text drawn where the field draws it), its sunken frame, the disabled
// text, the text messages, the notifications the parent receives and the whole path as a
// tooltip.
#include "qxcontrols.h"

#include "controls_harness.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr int FieldId = 9;
constexpr int Width = 160;
constexpr int Height = 24;
constexpr Rgb White = 0xFFFFFF;
constexpr Rgb Black = 0x000000;
constexpr Rgb Shadow = 0x808080;
constexpr Rgb Light = 0xC0C0C0;
constexpr Rgb Sentinel = 0x123456;

// The field's inside, within its frame two pixels deep.
Picture Inside(const Picture& picture)
{
    Picture inside;
    inside.width = picture.width - 4;
    inside.height = picture.height - 4;
    for (int y = 2; y < picture.height - 2; ++y)
        for (int x = 2; x < picture.width - 2; ++x)
            inside.pixels.push_back(picture.At(x, y));
    return inside;
}

// The text drawn where the field draws it: one line, vertically centred, ampersands as they
// are, from 4 pixels in on the left to 8 pixels in on the right; disabled, in white with the
// grey copy one pixel up and left.
Picture ExpectedText(const char* shown, HFONT font, bool enabled)
{
    Canvas canvas(Width, Height, White);
    HDC dc = canvas.Dc();
    if (font)
        SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    RECT area{4, 0, Width - 8, Height};
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    SetTextColor(dc, enabled ? RGB(0, 0, 0) : RGB(255, 255, 255));
    DrawTextA(dc, shown, -1, &area, format);
    if (!enabled) {
        OffsetRect(&area, -1, -1);
        SetTextColor(dc, RGB(128, 128, 128));
        DrawTextA(dc, shown, -1, &area, format);
    }
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    return Inside(canvas.Snapshot(Width, Height));
}

class Font {
public:
    Font() : font_(CreateFontA(-15, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma")) {}
    ~Font() { DeleteObject(font_); }
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    operator HFONT() const { return font_; }

private:
    HFONT font_;
};

class QXFileNameTest : public testing::Test {
protected:
    HWND Make(const char* text, DWORD style = 0)
    {
        HWND field = CreateWindowExA(0, QXFILENAME_CLASS, text, WS_CHILD | WS_VISIBLE | style, 10, 10, Width, Height,
                                     parent_.Handle(), reinterpret_cast<HMENU>(FieldId), TestModule(), nullptr);
        SendMessageA(field, WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(font_)), FALSE);
        return field;
    }
    Picture Render(HWND field, LPARAM flags = PRF_CLIENT) { return canvas_.Render(field, flags); }

    ParentWindow parent_;
    Font font_;
    Canvas canvas_{Width, Height, White};
};

// ---------------------------------------------------------------------------------------
// What it shows

struct ShownCase {
    const char* text;
    const char* shown;
};

void PrintTo(const ShownCase& c, std::ostream* out) { *out << '"' << c.text << "\" shows \"" << c.shown << '"'; }

class QXFileNameShows : public QXFileNameTest, public testing::WithParamInterface<ShownCase> {};

TEST_P(QXFileNameShows, TheFileNamePartOfThePath)
{
    HWND field = Make("");
    SetWindowTextA(field, GetParam().text);
    EXPECT_TRUE(SamePicture(Inside(Render(field)), ExpectedText(GetParam().shown, font_, true)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QXFileNameShows,
    testing::Values(ShownCase{"C:\\DATA\\PAGE1.PAG", "PAGE1.PAG"},
                    ShownCase{"C:\\DATA\\", "C:\\DATA\\"},  // ends with the separator: all of it
                    ShownCase{"ftp://serveur.fr/pages/PAGE1.PAG", "PAGE1.PAG"},
                    ShownCase{"http://serveur.fr/", "http://serveur.fr/"},
                    ShownCase{"PAGE1.PAG", "PAGE1.PAG"},
                    // The last backslash counts, whatever slashes follow it.
                    ShownCase{"C:\\DATA/pages/P.PAG", "DATA/pages/P.PAG"},
                    ShownCase{"C:\\Mes && vos\\Pages & Co", "Pages & Co"},
                    ShownCase{"", ""}));

TEST_F(QXFileNameTest, TextOfTheTemplateIsTheFirstPathAndTellsNobody)
{
    HWND field = Make("C:\\DATA\\PAGE1.PAG");
    char text[64] = {};
    EXPECT_EQ(GetWindowTextA(field, text, sizeof text), 17);
    EXPECT_STREQ(text, "C:\\DATA\\PAGE1.PAG");
    EXPECT_TRUE(SamePicture(Inside(Render(field)), ExpectedText("PAGE1.PAG", font_, true)));
    Pump();
    EXPECT_TRUE(parent_.Commands().empty());
}

TEST_F(QXFileNameTest, DisabledTextIsWhiteWithAGreyCopyUpAndLeft)
{
    HWND field = Make("C:\\DATA\\PAGE1.PAG", WS_DISABLED);
    const Picture disabled = Inside(Render(field));
    EXPECT_TRUE(SamePicture(disabled, ExpectedText("PAGE1.PAG", font_, false)));
    int black = 0, grey = 0;
    for (Rgb pixel : disabled.pixels) {
        black += pixel == Black;
        grey += pixel == Shadow;
    }
    EXPECT_EQ(black, 0);
    EXPECT_GT(grey, 20);

    EnableWindow(field, TRUE);
    EXPECT_TRUE(SamePicture(Inside(Render(field)), ExpectedText("PAGE1.PAG", font_, true)));
    EnableWindow(field, FALSE);
    EXPECT_TRUE(SamePicture(Inside(Render(field)), disabled));
}

TEST_F(QXFileNameTest, FontOfTheParentIsKeptAndGivenBack)
{
    HWND field = CreateWindowExA(0, QXFILENAME_CLASS, "C:\\A\\B.PAG", WS_CHILD | WS_VISIBLE, 10, 10, Width, Height,
                                 parent_.Handle(), nullptr, TestModule(), nullptr);
    EXPECT_EQ(SendMessageA(field, WM_GETFONT, 0, 0), 0);
    EXPECT_TRUE(SamePicture(Inside(Render(field)), ExpectedText("B.PAG", nullptr, true)));
    UpdateWindow(field);
    SendMessageA(field, WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(font_)), FALSE);
    RECT update{};
    EXPECT_FALSE(GetUpdateRect(field, &update, FALSE));
    EXPECT_EQ(SendMessageA(field, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(static_cast<HFONT>(font_)));
    EXPECT_TRUE(SamePicture(Inside(Render(field)), ExpectedText("B.PAG", font_, true)));
    SendMessageA(field, WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(font_)), TRUE);
    EXPECT_TRUE(GetUpdateRect(field, &update, FALSE));
}

TEST_F(QXFileNameTest, FocusChangesNothing)
{
    HWND field = Make("C:\\A\\B.PAG");
    const Picture before = Render(field);
    SetFocus(field);
    EXPECT_TRUE(SamePicture(Render(field), before));
}

// ---------------------------------------------------------------------------------------
// Frame

struct FramePixel {
    int x;
    int y;
    Rgb colour;
};

TEST_F(QXFileNameTest, FrameIsSunken)
{
    HWND field = Make("");
    Canvas canvas(Width, Height, Sentinel);
    const Picture drawn = canvas.Render(field);
    const int right = Width - 1, bottom = Height - 1, middleX = Width / 2, middleY = Height / 2;
    const FramePixel expected[] = {
        {right, middleY, White},   {middleX, bottom, White},      // outer right and bottom
        {0, middleY, Shadow},      {middleX, 0, Shadow},          // outer left and top
        {1, middleY, Black},       {middleX, 1, Black},           // inner left and top
        {right - 1, middleY, Light}, {middleX, bottom - 1, Light},  // inner right and bottom
        {0, 0, Shadow},            {right, bottom, White},
        {middleX, middleY, Sentinel},                             // the inside is the parent's
    };
    for (const FramePixel& pixel : expected)
        EXPECT_EQ(drawn.At(pixel.x, pixel.y), pixel.colour) << "at " << pixel.x << ", " << pixel.y;
}

TEST_F(QXFileNameTest, ParentErasesTheInsideWhenThePaintAsksForIt)
{
    HWND field = Make("");
    const int before = parent_.Erasures();
    Canvas canvas(Width, Height, Sentinel);
    const Picture drawn = canvas.Render(field, PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_EQ(parent_.Erasures(), before + 1);
    EXPECT_EQ(drawn.At(Width / 2, Height / 2), ParentWindow::Background);
}

// ---------------------------------------------------------------------------------------
// Text messages

struct GetTextCase {
    WPARAM size;
    LRESULT copied;
    const char* buffer;
};

void PrintTo(const GetTextCase& c, std::ostream* out) { *out << "size " << c.size; }

class QXFileNameGetText : public QXFileNameTest, public testing::WithParamInterface<GetTextCase> {};

TEST_P(QXFileNameGetText, CopiesAtMostOneLessThanTheSize)
{
    HWND field = Make("ABCDEFG");
    char buffer[16];
    std::fill(std::begin(buffer), std::end(buffer), '#');
    buffer[15] = '\0';
    EXPECT_EQ(SendMessageA(field, WM_GETTEXT, GetParam().size, reinterpret_cast<LPARAM>(buffer)), GetParam().copied);
    EXPECT_STREQ(buffer, GetParam().buffer);
}

INSTANTIATE_TEST_SUITE_P(Cases, QXFileNameGetText,
                         testing::Values(GetTextCase{5, 4, "ABCD"}, GetTextCase{7, 6, "ABCDEF"},
                                         GetTextCase{8, 7, "ABCDEFG"}, GetTextCase{15, 7, "ABCDEFG"},
                                         GetTextCase{1, 0, ""}, GetTextCase{0, 0, "###############"}));

TEST_F(QXFileNameTest, LengthAndLongTexts)
{
    HWND field = Make("ABCDEFG");
    EXPECT_EQ(SendMessageA(field, WM_GETTEXTLENGTH, 0, 0), 7);
    const std::string path = "C:\\" + std::string(600, 'D') + "\\FIN.PAG";
    SetWindowTextA(field, path.c_str());
    EXPECT_EQ(SendMessageA(field, WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(path.size()));
    std::vector<char> back(path.size() + 1);
    EXPECT_EQ(SendMessageA(field, WM_GETTEXT, back.size(), reinterpret_cast<LPARAM>(back.data())),
              static_cast<LRESULT>(path.size()));
    EXPECT_EQ(std::string(back.data()), path);
    EXPECT_TRUE(SamePicture(Inside(Render(field)), ExpectedText("FIN.PAG", font_, true)));
}

// ---------------------------------------------------------------------------------------
// Notifications

TEST_F(QXFileNameTest, NewTextTellsTheParentAtOnceAndAgainOncePainted)
{
    HWND field = Make("");
    UpdateWindow(parent_.Handle());
    const Command update{MAKEWPARAM(FieldId, EN_UPDATE), reinterpret_cast<LPARAM>(field)};
    const Command change{MAKEWPARAM(FieldId, EN_CHANGE), reinterpret_cast<LPARAM>(field)};

    EXPECT_TRUE(SetWindowTextA(field, "C:\\DATA\\PAGE1.PAG"));
    ASSERT_EQ(parent_.Commands().size(), 1u);  // sent, not posted: there before any pumping
    EXPECT_EQ(parent_.Commands()[0].wParam, update.wParam);
    EXPECT_EQ(parent_.Commands()[0].lParam, update.lParam);

    const int erasures = parent_.Erasures();
    UpdateWindow(field);
    ASSERT_EQ(parent_.Commands().size(), 2u);
    EXPECT_EQ(parent_.Commands()[1].wParam, change.wParam);
    EXPECT_EQ(parent_.Commands()[1].lParam, change.lParam);
    EXPECT_GT(parent_.Erasures(), erasures);  // the new text asked for an erasing paint

    // Later paints say nothing more.
    InvalidateRect(field, nullptr, TRUE);
    UpdateWindow(field);
    Pump();
    EXPECT_EQ(parent_.Commands().size(), 2u);
}

// ---------------------------------------------------------------------------------------
// Tooltip

TEST_F(QXFileNameTest, TooltipShowsTheWholePathWhileThePointerIsOver)
{
    HWND field = Make("C:\\DATA\\PAGE1.PAG");
    MouseMove(field, 10, 10);
    HWND popup = ShownTooltip();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(WidthOf(popup), TooltipWidth("C:\\DATA\\PAGE1.PAG"));
    EXPECT_EQ(GetCapture(), field);
    MouseMove(field, Width + 5, 10);
    EXPECT_EQ(ShownTooltip(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(QXFileNameTest, EmptyFieldHasNoTooltip)
{
    HWND field = Make("");
    MouseMove(field, 10, 10);
    EXPECT_EQ(ShownTooltip(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
