// A control on a real screen (run by on_screen.sh under a virtual X display): styled French
// text in two framed columns with a rule and an embedded picture, read back from the screen,
// saved as "rtedit-on-screen.png" in the build folder and checked where each thing stands.
#include <string>

#include "control_fixture.h"
#include "object_pictures.h"

namespace {

constexpr char kText[] = "Le rédacteur écrit ici un paragraphe en français : gras puis gras, un mot rouge, "
                         "et la suite coule d'une colonne à l'autre sans rien perdre de ce qu'elle dit, "
                         "jusqu'à la seconde colonne où se trouve l'image ";

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

TEST_F(ControlTest, OnScreenStyledColumnsRuleAndPicture)
{
    HDC desktop = GetDC(nullptr);
    // The null display driver keeps no screen: its pixels cannot be read.
    const bool readable = GetPixel(desktop, 0, 0) != CLR_INVALID;
    ReleaseDC(nullptr, desktop);
    if (!readable)
        GTEST_SKIP() << "the screen cannot be read under this display driver";
    const int width = 440, height = 150;
    SetWindowPos(parent_, HWND_TOP, 40, 40, width + 40, height + 60, SWP_SHOWWINDOW);
    HWND control = MakeControl(ES_MULTILINE | WS_VISIBLE, width, height);
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kText));
    SendMessageA(control, RTEM_SETFRAMEPEN, PS_SOLID, 0);
    RECT margins{6, 6, 6, 30};
    SendMessageA(control, RTEM_SETMARGINS, 0, reinterpret_cast<LPARAM>(&margins));
    SendMessageA(control, RTEM_SETCOLUMNPEN, PS_SOLID, 0);
    SendMessageA(control, RTEM_SETRULEPEN, PS_SOLID, 0);
    SendMessageA(control, RTEM_SETCOLUMNS, 0, MAKELPARAM(2, 24));
    const std::string text = kText;
    const size_t second = text.find("gras") + 1;
    Select(control, "gras");
    SendMessageA(control, RTEM_SETATTRIBUTES, 0, 0x1);
    Select(control, "rouge");
    SendMessageA(control, RTEM_SETTEXTCOLOR, 0, RGB(255, 0, 0));
    RteControlObject picture = BluePictureRecord(static_cast<int32_t>(text.size()), 48, 36);
    SendMessageA(control, RTEM_INSERTOBJECT, 0, reinterpret_cast<LPARAM>(&picture));
    SendMessageA(control, EM_SETSEL, 0, 0);
    // The window reaches the X screen some time after it was drawn: the frame's corner tells.
    POINT corner{0, 0};
    ClientToScreen(control, &corner);
    for (int tries = 0; tries < 200; ++tries) {
        Pump();
        desktop = GetDC(nullptr);
        const COLORREF shown = GetPixel(desktop, corner.x, corner.y);
        ReleaseDC(nullptr, desktop);
        if (shown == RGB(0, 0, 0))
            break;
        Sleep(20);
    }

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

    RteControlObject place{};
    ASSERT_GT(SendMessageA(control, RTEM_GETOBJECTRECT, 1, reinterpret_cast<LPARAM>(&place)), 0);
    const RteRect& shown = place.picture.rect;
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
