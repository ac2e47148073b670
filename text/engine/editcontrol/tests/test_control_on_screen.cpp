// A control on a real screen, run by on_screen.sh under a virtual X display with the typist
// type_on_screen.sh beside it: a French paragraph typed by X key events
// into the typing host, whose own keys make words bold, italic and red, in two framed columns
// with a rule, then an embedded picture. The text and its styles are read back through the
// control's messages, the screen is saved as "rtedit-on-screen.png" in the build folder and
// checked where each thing stands; "dit", whose d, i and t the plain face draws with stems of
// two pixels at this size, is drawn as the plain face draws it.
#include <string>

#include "control_fixture.h"
#include "object_pictures.h"
#include "typed_paragraph.h"
#include "typing_host.h"

namespace {

RteRect WordRect(HWND control, const std::string& word, size_t from = 0)
{
    return TextRect(control, static_cast<int32_t>(kTypedParagraph.find(word, from)), static_cast<int32_t>(word.size()));
}

// The test's answers added up over the rect's pixels.
template <class Test>
int SumIn(const TestCanvas& canvas, const RteRect& rect, Test test)
{
    int count = 0;
    for (int y = std::max(0, rect.top); y < std::min(canvas.Height(), rect.bottom); ++y)
        for (int x = std::max(0, rect.left); x < std::min(canvas.Width(), rect.right); ++x)
            count += test(canvas.Raw(x, y));
    return count;
}

bool Red(uint32_t p) { return (p >> 16 & 0xFF) > 180 && (p >> 8 & 0xFF) < 90 && (p & 0xFF) < 90; }
bool Blue(uint32_t p) { return p == kPictureBlue; }
bool Dark(uint32_t p) { return (p >> 16 & 0xFF) < 100 && (p >> 8 & 0xFF) < 100 && (p & 0xFF) < 100; }
bool Grey(uint32_t p) { return p == 0x808080; }
// Any ink at all: the bold face's strokes are wider.
bool Inked(uint32_t p) { return (p & 0xFFFFFF) != 0xFFFFFF; }

TEST_F(ControlTest, OnScreenTypedStyledColumnsRuleAndPicture)
{
    HDC desktop = GetDC(nullptr);
    // The null display driver keeps no screen: its pixels cannot be read.
    const bool readable = GetPixel(desktop, 0, 0) != CLR_INVALID;
    ReleaseDC(nullptr, desktop);
    if (!readable)
        GTEST_SKIP() << "the screen cannot be read under this display driver";
    const int width = 440, height = 150;
    TypingHost host(40, 40, width, height);
    HWND control = host.Control();
    FrameTwoColumnsWithRule(control);
    host.Show();
    ASSERT_EQ(GetFocus(), control);

    // The typist waits for the host's window, then types; the last character ends it.
    const std::string& text = kTypedParagraph;
    std::string typed;
    host.PumpUntil([&] { return (typed = Text(control)).size() >= text.size(); }, 120000);
    ASSERT_EQ(typed, text) << "what arrived of the typing";
    for (const char* letter : {"é", "à", "ç", "ù"})
        EXPECT_NE(typed.find(letter), std::string::npos) << "the CP1252 byte " << std::hex
                                                         << (static_cast<unsigned>(letter[0]) & 0xFF);
    EXPECT_EQ(typed.substr(3, 2), "r\xE9") << "an e acute is byte 0xE9";
    EXPECT_EQ(LooksOtherThanTyped(control), "");
    const size_t second = text.find("gras") + 1;

    RteControlObject picture = BluePictureRecord(static_cast<int32_t>(text.size()), 48, 36);
    SendMessageA(control, RTEM_INSERTOBJECT, 0, reinterpret_cast<LPARAM>(&picture));
    SendMessageA(control, EM_SETSEL, 0, 0);
    RedrawWindow(host.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    // The window reaches the X screen some time after it was drawn: the picture tells.
    POINT corner{0, 0};
    ClientToScreen(control, &corner);
    RteControlObject place{};
    ASSERT_GT(SendMessageA(control, RTEM_GETOBJECTRECT, 1, reinterpret_cast<LPARAM>(&place)), 0);
    const RteRect& shown = place.picture.rect;
    auto pictureShown = [&] {
        HDC screen = GetDC(nullptr);
        const COLORREF colour = GetPixel(screen, corner.x + (shown.left + shown.right) / 2,
                                         corner.y + (shown.top + shown.bottom) / 2);
        ReleaseDC(nullptr, screen);
        return colour == RGB(0, 0, 255);
    };
    host.PumpUntil(pictureShown, 4000);

    TestCanvas screen(width, height);
    desktop = GetDC(nullptr);
    BitBlt(screen.Dc(), 0, 0, width, height, desktop, corner.x, corner.y, SRCCOPY);
    ReleaseDC(nullptr, desktop);
    EXPECT_TRUE(screen.SavePng(L"..\\rtedit-on-screen.png"));

    const RteRect red = WordRect(control, "rouge");
    EXPECT_GT(SumIn(screen, red, Red), 10) << "the red word";
    EXPECT_LT(SumIn(screen, WordRect(control, "paragraphe"), Red), 3) << "a plain word";
    const int bold = SumIn(screen, WordRect(control, "gras"), Inked);
    const int plain = SumIn(screen, WordRect(control, "gras", second), Inked);
    EXPECT_GT(bold, plain * 3 / 2) << "the bold word is darker than its plain copy: " << bold << " " << plain;
    // The plain face's own "dit,", in the font of the text at the caret.
    TestCanvas plainDit(80, 40);
    const auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    ASSERT_TRUE(font);
    SelectObject(plainDit.Dc(), font);
    SetBkMode(plainDit.Dc(), TRANSPARENT);
    TextOutA(plainDit.Dc(), 4, 4, "dit,", 4);
    const Ink dit = InkIn(screen, WordRect(control, "dit,"));
    const Ink face = InkIn(plainDit, RteRect{0, 0, plainDit.Height(), plainDit.Width()});
    EXPECT_GT(face.width, 0);
    EXPECT_TRUE(dit == face) << "\"dit,\" drawn otherwise than plain: " << dit.width << "x" << dit.height
                             << " against " << face.width << "x" << face.height;

    EXPECT_GT(SumIn(screen, shown, Blue), 48 * 36 * 8 / 10) << "the picture where the object stands";
    EXPECT_GT(shown.left, width / 2) << "in the second column";

    RteContainerRecord column{};
    SendMessageA(control, RTEM_GETCONTAINER, 1, reinterpret_cast<LPARAM>(&column));
    // The first column's frame runs down beside it, in the gap.
    const RteRect gap{column.rect.top, column.rect.right, column.rect.bottom, column.rect.right + 24};
    int framed = 0;
    for (int x = gap.left; x < gap.right; ++x)
        framed = std::max(framed, SumIn(screen, RteRect{gap.top, x, gap.bottom, x + 1}, Dark));
    EXPECT_GT(framed, (gap.bottom - gap.top) * 9 / 10) << "the column's frame";
    int ruled = 0;
    for (int y = column.rect.bottom + 1; y < height; ++y)
        ruled += SumIn(screen, RteRect{y, 0, y + 1, width}, Grey) >= width - 2;  // the frame at both ends
    EXPECT_GE(ruled, 1) << "the rule across the control under the columns";
}

}  // namespace
