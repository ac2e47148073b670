// A control on a real screen, run by on_screen.sh under a virtual X display with the typist
// type_on_screen.sh beside it: a French paragraph typed by X key events
// into the typing host, whose own keys make words bold, italic and red, in two framed columns
// with a rule, then an embedded picture. The text and its styles are read back through the
// control's messages, the screen is saved as "rtedit-on-screen.png" in the build folder and
// checked where each thing stands.
#include <string>

#include "control_fixture.h"
#include "object_pictures.h"
#include "typing_host.h"

namespace {

// What type_on_screen.sh types, the host's keys around the first "gras" (bold), "penché"
// (italic) and "rouge" (red); as CP1252 bytes.
constexpr char kText[] = "Le rédacteur écrit ici à la main un paragraphe en français : gras puis gras, un mot penché, "
                         "un mot rouge, et la suite coule d'une colonne à l'autre sans rien perdre de ce qu'elle "
                         "dit, jusqu'à la seconde colonne où se trouve l'image ";

RteRect WordRect(HWND control, const std::string& word, size_t from = 0)
{
    auto start = static_cast<int32_t>(std::string(kText).find(word, from));
    RteCaretRecord first{start, {}, 0, 0}, last{start + static_cast<int32_t>(word.size()), {}, 0, 0};
    SendMessageA(control, RTEM_CARETRECT, 0, reinterpret_cast<LPARAM>(&first));
    SendMessageA(control, RTEM_CARETRECT, 0, reinterpret_cast<LPARAM>(&last));
    return RteRect{first.rect.top, first.rect.left, first.rect.bottom, last.rect.left};
}

void Select(HWND control, const std::string& word, size_t from = 0)
{
    auto start = static_cast<int32_t>(std::string(kText).find(word, from));
    int32_t range[2] = {start, start + static_cast<int32_t>(word.size())};
    SendMessageA(control, RTEM_SETSEL, 1, reinterpret_cast<LPARAM>(range));
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
bool Ink(uint32_t p) { return (p & 0xFFFFFF) != 0xFFFFFF; }

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
    const std::string text = kText;
    std::string typed;
    host.PumpUntil([&] { return (typed = Text(control)).size() >= text.size(); }, 120000);
    ASSERT_EQ(typed, text) << "what arrived of the typing";
    for (const char* letter : {"é", "à", "ç", "ù"})
        EXPECT_NE(typed.find(letter), std::string::npos) << "the CP1252 byte " << std::hex
                                                         << (static_cast<unsigned>(letter[0]) & 0xFF);
    EXPECT_EQ(typed.substr(3, 2), "r\xE9") << "an e acute is byte 0xE9";

    const size_t second = text.find("gras") + 1;
    struct Styled {
        const char* word;
        size_t from;
        uint32_t attributes;
        COLORREF colour;
    } words[] = {{"gras", 0, 0x1, RGB(0, 0, 0)},       {"gras", second, 0, RGB(0, 0, 0)},
                 {"penché", 0, 0x2, RGB(0, 0, 0)},     {"rouge", 0, 0, RGB(255, 0, 0)},
                 {"mot", text.find("rouge") - 4, 0, RGB(0, 0, 0)}, {"paragraphe", 0, 0, RGB(0, 0, 0)}};
    for (const Styled& word : words) {
        Select(control, word.word, word.from);
        uint32_t uniform = 0;
        const auto attributes = static_cast<uint32_t>(SendMessageA(control, RTEM_GETATTRIBUTES, 0,
                                                                   reinterpret_cast<LPARAM>(&uniform)));
        EXPECT_EQ(attributes & 0x3, word.attributes) << word.word << " at " << text.find(word.word, word.from);
        EXPECT_EQ(uniform & 0x3, 0x3u) << word.word << ": the same over the whole word";
        EXPECT_EQ(static_cast<COLORREF>(SendMessageA(control, RTEM_GETTEXTCOLOR, 0, 0)), word.colour) << word.word;
    }

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
    const int bold = SumIn(screen, WordRect(control, "gras"), Ink);
    const int plain = SumIn(screen, WordRect(control, "gras", second), Ink);
    EXPECT_GT(bold, plain * 3 / 2) << "the bold word is darker than its plain copy: " << bold << " " << plain;

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
