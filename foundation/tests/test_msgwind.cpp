// MSGWIND on real windows: its style, size and place measured against fonts and the cursor,
// the one-pop-up-per-instance rule, what it draws, and the mouse handed on to the control
// underneath.
#include "qxmsgwind.h"

#include "qxwindowptr.h"

#include "test_canvas.h"

#include <gtest/gtest.h>
#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

bool MsgWindRegistered()
{
    WNDCLASSA wc;
    return GetClassInfoA(Instance(), "MsgWind", &wc);
}

// Text metrics in a font, measured on a memory DC independently of the pop-up.
class Measurer {
public:
    explicit Measurer(HFONT font) : dc_(CreateCompatibleDC(nullptr)), previous_(SelectObject(dc_, font)) {}
    ~Measurer()
    {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    Measurer(const Measurer&) = delete;
    Measurer& operator=(const Measurer&) = delete;
    int Width(const char* text) const
    {
        SIZE size{};
        GetTextExtentPoint32A(dc_, text, static_cast<int>(std::strlen(text)), &size);
        return size.cx;
    }
    int LineHeight() const
    {
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc_, &metrics);
        return metrics.tmHeight;
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

class OwnedFont {
public:
    explicit OwnedFont(const LOGFONTA& font) : font_(CreateFontIndirectA(&font)) {}
    ~OwnedFont() { DeleteObject(font_); }
    OwnedFont(const OwnedFont&) = delete;
    OwnedFont& operator=(const OwnedFont&) = delete;
    operator HFONT() const { return font_; }

private:
    HFONT font_;
};

LOGFONTA CaptionFont()
{
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return metrics.lfCaptionFont;
}

LOGFONTA LargeFont()
{
    LOGFONTA font{};
    font.lfHeight = -36;
    font.lfWeight = FW_BOLD;
    std::strcpy(font.lfFaceName, "Tahoma");
    return font;
}

RECT WindowRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

// The owner is a control on a parent window, as the system's tooltips are.
class MsgWindTest : public testing::Test {
protected:
    void SetUp() override
    {
        parent_ = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
        owner_ = CreateWindowExA(0, "BUTTON", "", WS_CHILD, 10, 10, 50, 20, parent_, nullptr, nullptr, nullptr);
        GetCursorPos(&savedCursor_);
        MoveCursor(200, 150);
    }
    void TearDown() override
    {
        DestroyWindow(parent_);
        SetCursorPos(savedCursor_.x, savedCursor_.y);
    }

    static void MoveCursor(int x, int y)
    {
        SetCursorPos(x, y);
        POINT at{};
        GetCursorPos(&at);
        ASSERT_EQ(at.x, x);
        ASSERT_EQ(at.y, y);
    }

    HWND parent_ = nullptr;
    HWND owner_ = nullptr;
    POINT savedCursor_{};
};

TEST_F(MsgWindTest, NullTextIsRefused)
{
    MSGWIND message;
    EXPECT_EQ(message.AfficherFenetre(nullptr, nullptr, 0, 0, owner_, Instance(), 0, nullptr), MSGWIND_NO_TEXT);
    EXPECT_EQ(message.Window(), nullptr);
    EXPECT_FALSE(MsgWindRegistered());
}

struct StyleCase {
    const char* caption;
    LONG style;
};

class MsgWindStyle : public MsgWindTest, public testing::WithParamInterface<StyleCase> {};

TEST_P(MsgWindStyle, IsATopMostPopUpOfClassMsgWind)
{
    MSGWIND message;
    ASSERT_EQ(message.AfficherFenetre(GetParam().caption, "Texte", 0, 0, owner_, Instance(), 0, nullptr), MSGWIND_SHOWN);
    const HWND popup = message.Window();
    ASSERT_NE(popup, nullptr);
    char className[16] = {};
    GetClassNameA(popup, className, sizeof className);
    EXPECT_STREQ(className, "MsgWind");
    // The system adds WS_CLIPSIBLINGS to every top-level window.
    EXPECT_EQ(static_cast<LONG>(GetWindowLongA(popup, GWL_STYLE) & ~(WS_VISIBLE | WS_CLIPSIBLINGS)), GetParam().style);
    EXPECT_TRUE(GetWindowLongA(popup, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowVisible(popup));
    EXPECT_NE(GetForegroundWindow(), popup);  // shown without taking the activation
    EXPECT_EQ(GetWindow(popup, GW_OWNER), nullptr);
    EXPECT_EQ(GetQORVEXpointer(popup), &message);
    char title[64] = {};
    GetWindowTextA(popup, title, sizeof title);
    EXPECT_STREQ(title, GetParam().caption ? GetParam().caption : "");
}

INSTANTIATE_TEST_SUITE_P(MsgWind, MsgWindStyle,
                         testing::Values(StyleCase{nullptr, static_cast<LONG>(WS_POPUP | WS_BORDER)},
                                         StyleCase{"", static_cast<LONG>(WS_POPUP | WS_BORDER)},
                                         StyleCase{"Titre", static_cast<LONG>(WS_POPUP | WS_CAPTION)}));

struct SizeCase {
    const char* name;
    const char* caption;
    const char* text;
    bool largeFont;
    // The expected text block in the pop-up's font: widest line and number of lines.
    std::vector<const char*> lines;
};

class MsgWindSize : public MsgWindTest, public testing::WithParamInterface<SizeCase> {};

// The window is the measured text plus the 4-pixel indent plus 5 pixels each way, and the
// caption's height when there is one; a wider caption widens the window to the caption.
TEST_P(MsgWindSize, FollowsTheMeasuredText)
{
    const SizeCase& c = GetParam();
    const LOGFONTA large = LargeFont();
    MSGWIND message;
    const int result = c.largeFont ? message.AfficherFenetre(c.caption, c.text, Color{0, 0, 255, 0}, &large, 0, 0,
                                                             owner_, Instance(), 0, nullptr)
                                   : message.AfficherFenetre(c.caption, c.text, 0, 0, owner_, Instance(), 0, nullptr);
    ASSERT_EQ(result, MSGWIND_SHOWN);

    OwnedFont textFont(large);
    Measurer text(c.largeFont ? static_cast<HFONT>(textFont) : static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
    int widest = 0;
    for (const char* line : c.lines)
        widest = std::max(widest, text.Width(line));
    int right = 4 + widest;
    int bottom = static_cast<int>(c.lines.size()) * text.LineHeight();
    const bool captioned = c.caption && *c.caption;
    if (captioned) {
        OwnedFont captionFont(CaptionFont());
        right = std::max(right, Measurer(captionFont).Width(c.caption));
        bottom += GetSystemMetrics(SM_CYCAPTION);
    }
    const RECT rect = WindowRect(message.Window());
    EXPECT_EQ(rect.right - rect.left, right + 5);
    EXPECT_EQ(rect.bottom - rect.top, bottom + 5);
}

INSTANTIATE_TEST_SUITE_P(
    MsgWind, MsgWindSize,
    testing::Values(SizeCase{"OneLine", nullptr, "Page suivante", false, {"Page suivante"}},
                    SizeCase{"LineFeedWraps", nullptr, "Bonjour\nmonde", false, {"Bonjour", "monde"}},
                    SizeCase{"CarriageReturnWraps", nullptr, "Un\r\ndeux", false, {"Un", "deux"}},
                    SizeCase{"LongSingleLineIsNotWrapped", nullptr,
                             "Une ligne de texte bien plus large que les cent cinquante pixels de départ", false,
                             {"Une ligne de texte bien plus large que les cent cinquante pixels de départ"}},
                    SizeCase{"WideCaption", "Un titre nettement plus long que le texte", "Court", false, {"Court"}},
                    SizeCase{"NarrowCaption", "T", "Un texte plus large que son titre", false,
                             {"Un texte plus large que son titre"}},
                    SizeCase{"GivenFont", nullptr, "Grand", true, {"Grand"}}),
    [](const testing::TestParamInfo<SizeCase>& info) { return std::string(info.param.name); });

struct PlaceCase {
    const char* name;
    int fromRight;   // cursor distance from the screen's right edge (0: x = 200)
    int fromBottom;  // the same for the bottom edge (0: y = 150)
    bool leftOfCursor;
    bool aboveCursor;
};

class MsgWindPlace : public MsgWindTest, public testing::WithParamInterface<PlaceCase> {};

TEST_P(MsgWindPlace, SitsBelowRightOfTheCursorUnlessAnEdgeIsCrossed)
{
    const PlaceCase& c = GetParam();
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const int x = c.fromRight ? screenWidth - c.fromRight : 200;
    const int y = c.fromBottom ? screenHeight - c.fromBottom : 150;
    MoveCursor(x, y);
    MSGWIND message;
    ASSERT_EQ(message.AfficherFenetre(nullptr, "Info-bulle", 0, 0, owner_, Instance(), 0, nullptr), MSGWIND_SHOWN);
    const RECT rect = WindowRect(message.Window());
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    EXPECT_EQ(rect.left, c.leftOfCursor ? x - width : x + 12);
    EXPECT_EQ(rect.top, c.aboveCursor ? y - height : y + 12);
}

INSTANTIATE_TEST_SUITE_P(MsgWind, MsgWindPlace,
                         testing::Values(PlaceCase{"Free", 0, 0, false, false},
                                         PlaceCase{"NearRightEdge", 10, 0, true, false},
                                         PlaceCase{"NearBottomEdge", 0, 10, false, true},
                                         PlaceCase{"NearCorner", 10, 10, true, true}),
                         [](const testing::TestParamInfo<PlaceCase>& info) { return std::string(info.param.name); });

TEST_F(MsgWindTest, OnePopUpPerInstance)
{
    MSGWIND first, second;
    ASSERT_EQ(first.AfficherFenetre(nullptr, "Premier", 0, 0, owner_, Instance(), 0, nullptr), MSGWIND_SHOWN);
    EXPECT_EQ(second.AfficherFenetre(nullptr, "Second", 0, 0, owner_, Instance(), 0, nullptr), MSGWIND_NO_CLASS);
    EXPECT_EQ(second.Window(), nullptr);
    const HWND firstPopup = first.Window();
    first.DetruireFenetre();
    EXPECT_FALSE(IsWindow(firstPopup));
    EXPECT_EQ(first.Window(), nullptr);
    EXPECT_FALSE(MsgWindRegistered());
    EXPECT_EQ(second.AfficherFenetre(nullptr, "Second", 0, 0, owner_, Instance(), 0, nullptr), MSGWIND_SHOWN);
    second.DetruireFenetre();
}

TEST_F(MsgWindTest, DestructorTakesThePopUpAway)
{
    HWND popup;
    {
        MSGWIND message;
        ASSERT_EQ(message.AfficherFenetre(nullptr, "Texte", 0, 0, owner_, Instance(), 0, nullptr), MSGWIND_SHOWN);
        popup = message.Window();
    }
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_FALSE(MsgWindRegistered());
}

TEST_F(MsgWindTest, FontBlockHangsOnTheWindowOnlyWhenGiven)
{
    const LOGFONTA large = LargeFont();
    MSGWIND plain, styled;
    ASSERT_EQ(plain.AfficherFenetre(nullptr, "Texte", 0, 0, owner_, Instance(), 0, nullptr), MSGWIND_SHOWN);
    EXPECT_EQ(GetQORVEXXpointer(plain.Window(), 999, 999), nullptr);
    plain.DetruireFenetre();
    ASSERT_EQ(styled.AfficherFenetre(nullptr, "Texte", Color{1, 2, 3, 4}, &large, 0, 0, owner_, Instance(), 0, nullptr),
              MSGWIND_SHOWN);
    const auto* block = static_cast<const unsigned char*>(GetQORVEXXpointer(styled.Window(), 999, 999));
    ASSERT_NE(block, nullptr);
    LOGFONTA kept;
    std::memcpy(&kept, block, sizeof kept);
    EXPECT_EQ(kept.lfHeight, large.lfHeight);
    EXPECT_STREQ(kept.lfFaceName, "Tahoma");
    int colour[4];
    std::memcpy(colour, block + sizeof kept, sizeof colour);
    EXPECT_EQ(colour[0], 1);
    EXPECT_EQ(colour[1], 2);
    EXPECT_EQ(colour[2], 3);
}

// ---- What it draws ----

// A white canvas with the counts the drawing checks need.
class Canvas : public TestCanvas {
public:
    Canvas(int width, int height) : TestCanvas(width, height) {}
    int CountOf(uint32_t colour) const
    {
        const std::vector<uint32_t> pixels = Pixels();
        return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
    }
    // Pixels other than white in columns below x.
    int InkLeftOf(int x) const
    {
        int ink = 0;
        for (int row = 0; row < Height(); ++row)
            for (int column = 0; column < x; ++column)
                ink += Raw(column, row) != 0xFFFFFF;
        return ink;
    }
};

struct DrawCase {
    const char* name;
    const char* text;
    bool styled;
    UINT format;  // how the text is expected to be laid out
};

class MsgWindDraw : public MsgWindTest, public testing::WithParamInterface<DrawCase> {};

// The pop-up's drawing equals the text drawn by the system in the expected font, colour and
// format, 4 pixels in from the left of the client area, on an untouched background.
TEST_P(MsgWindDraw, DrawsTheTextIndentedInItsColourAndFont)
{
    const DrawCase& c = GetParam();
    const LOGFONTA large = LargeFont();
    MSGWIND message;
    const int result = c.styled ? message.AfficherFenetre(nullptr, c.text, Color{255, 0, 0, 0}, &large, 0, 0, owner_,
                                                          Instance(), 0, nullptr)
                                : message.AfficherFenetre(nullptr, c.text, 0, 0, owner_, Instance(), 0, nullptr);
    ASSERT_EQ(result, MSGWIND_SHOWN);
    RECT client;
    GetClientRect(message.Window(), &client);
    Canvas drawn(client.right, client.bottom);
    SendMessageA(message.Window(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(drawn.Dc()), PRF_CLIENT);

    Canvas expected(client.right, client.bottom);
    OwnedFont font(large);
    const HGDIOBJ previous = SelectObject(expected.Dc(), c.styled ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    SetTextColor(expected.Dc(), c.styled ? RGB(255, 0, 0) : RGB(0, 0, 0));
    SetBkMode(expected.Dc(), TRANSPARENT);
    RECT textRect = client;
    textRect.left += 4;
    DrawTextA(expected.Dc(), c.text, -1, &textRect, c.format);
    SelectObject(expected.Dc(), previous);

    EXPECT_GT(drawn.CountOf(c.styled ? 0x00FF0000u : 0x00000000u), 0);
    EXPECT_EQ(drawn.InkLeftOf(4), 0);
    EXPECT_TRUE(drawn.Pixels() == expected.Pixels());
}

INSTANTIATE_TEST_SUITE_P(
    MsgWind, MsgWindDraw,
    testing::Values(DrawCase{"Plain", "Texte simple", false, DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE},
                    DrawCase{"StyledTwoLines", "Haut\nBas", true, DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK},
                    DrawCase{"AmpersandShown", "A&B\tC", true, DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE}),
    [](const testing::TestParamInfo<DrawCase>& info) { return std::string(info.param.name); });

// ---- The mouse over the pop-up ----

std::vector<LPARAM> PostedMouseMoves(HWND window)
{
    std::vector<LPARAM> moves;
    MSG msg;
    while (PeekMessageA(&msg, window, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE)) {
        EXPECT_EQ(msg.wParam, 0u);
        moves.push_back(msg.lParam);
    }
    return moves;
}

struct MoveCase {
    const char* name;
    UINT message;
    int x, y;        // the message's coordinates
    bool clientSide; // true: relative to the pop-up's client area
};

class MsgWindMouse : public MsgWindTest, public testing::WithParamInterface<MoveCase> {};

TEST_P(MsgWindMouse, ReachesTheOwnersParentInScreenCoordinates)
{
    const MoveCase& c = GetParam();
    MSGWIND message;
    ASSERT_EQ(message.AfficherFenetre(nullptr, "Info", 0, 0, owner_, Instance(), 0, nullptr), MSGWIND_SHOWN);
    PostedMouseMoves(parent_);
    POINT expected{c.x, c.y};
    if (c.clientSide)
        ClientToScreen(message.Window(), &expected);
    SendMessageA(message.Window(), c.message, 0, MAKELPARAM(c.x, c.y));
    const std::vector<LPARAM> moves = PostedMouseMoves(parent_);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(moves[0]), expected.x);
    EXPECT_EQ(GET_Y_LPARAM(moves[0]), expected.y);
    EXPECT_TRUE(PostedMouseMoves(owner_).empty());
}

INSTANTIATE_TEST_SUITE_P(MsgWind, MsgWindMouse,
                         testing::Values(MoveCase{"Client", WM_MOUSEMOVE, 3, 4, true},
                                         MoveCase{"NonClient", WM_NCMOUSEMOVE, 250, 180, false},
                                         MoveCase{"NonClientLeftOfPrimaryScreen", WM_NCMOUSEMOVE, -20, -30, false}),
                         [](const testing::TestParamInfo<MoveCase>& info) { return std::string(info.param.name); });

}  // namespace
