// Hover messages of links in a text on a shown page: shown at once or after their delay while
// the mouse rests on the link, never in an edit mode nor without a text, below the hovered line
// on their own opaque background.
#include "accessors.h"
#include "texttest.h"

#include <gtest/gtest.h>

namespace {

// A link at the start of the text, in a large font, then plain words.
const std::string LinkText = "#${FONT(660,0,0,0,400,0,0,0,0,3,2,1,34,\"Arial\")}#${ACTIVEAREAON(1)}LIEN"
                             "#${ACTIVEAREAOFF()} puis du texte\n";
// A point of the window on the link.
constexpr POINT OnLink{8, 12};

// The message entry of the link: its text on a yellow background after `delay` seconds.
RecordLines LinkMessage(const std::string& text, int delay)
{
    return {std::to_string(text.size()),
            text.empty() ? "NULL" : text,
            std::to_string(delay),
            "NULL",
            "-16 0 0 0 400 0 0 0 0 3 2 1 34",
            "Arial",
            "0 0 0",
            "255 255 0"};
}

struct Linked {
    PageHost host;
    TEXTE* text = nullptr;

    Linked(const std::string& message, int delay)
    {
        host.pub.Write("b.pag", PageFile({ObjectRecord("QXSHEET.DLL", 0, "page", NoBranch(), PageBlock("B", 0, 0, 0))}));
        host.pub.Write("lien.txt", LinkText);
        text = ShownText(host, "texte", BoxBlock({host.Page("lien.txt")}, 400, 200, "255 255 255 0",
                                                 LinkMessage(message, delay)),
                         BranchBlock({TextBranch(host.Page("b.pag"), 1, false)}));
    }
    // The mouse moved onto the link, the cursor there (or at a place of the screen given).
    void Hover(const POINT* cursor = nullptr)
    {
        POINT screen = OnLink;
        ClientToScreen(text->window, &screen);
        if (cursor)
            screen = *cursor;
        SetCursorPos(screen.x, screen.y);
        MSGL move{0, text->window, WM_MOUSEMOVE, 0, MAKELPARAM(OnLink.x, OnLink.y)};
        text->WindowsMessage(&move);
    }
    BRMSG* Message() { return text->Message(0); }
    HWND PopUp() { return Message()->displayed ? Message()->window.Window() : nullptr; }
};

struct HoverCase {
    const char* name;
    std::string message;
    int delay;
    int mode;
    bool shown;
};

const HoverCase HoverCases[] = {
    {"AtOnce", "Vers la suite", 0, QX_MODE_PRESENTATION, true},
    {"AfterOneSecond", "Vers la suite", 1, QX_MODE_PRESENTATION, true},
    {"NotInAnEditMode", "Vers la suite", 0, 1, false},
    {"NotWithoutAText", "", 0, QX_MODE_PRESENTATION, false},
};

void PrintTo(const HoverCase& c, std::ostream* out) { *out << c.name; }

class TextHover : public testing::TestWithParam<HoverCase> {};

TEST_P(TextHover, ShowsTheMessageOnlyInRunModeWithAText)
{
    const HoverCase& c = GetParam();
    Linked page(c.message, c.delay);
    ASSERT_TRUE(page.text && page.text->document);
    KernSetMode(page.host, c.mode);
    page.Hover();
    ASSERT_EQ(page.Message(), page.text->hovered);
    if (c.delay || c.mode != QX_MODE_PRESENTATION) {
        // Armed first: nothing shows before the timer fires.
        EXPECT_EQ(nullptr, page.PopUp());
        EXPECT_EQ(1, page.Message()->timerArmed);
        EXPECT_TRUE(PumpUntil([&] { return page.Message()->timerArmed == 0; }, 10000));
    }
    EXPECT_EQ(c.shown, page.PopUp() != nullptr);
    EXPECT_EQ(c.shown, FindWindowA("MsgWind", nullptr) != nullptr);
}

INSTANTIATE_TEST_SUITE_P(Messages, TextHover, testing::ValuesIn(HoverCases),
                         [](const testing::TestParamInfo<HoverCase>& info) { return std::string(info.param.name); });

// The lowest row of the window's painting that holds text, in the window.
int LowestInkRow(TEXTE* text)
{
    const auto picture = PaintedText(text);
    int lowest = -1;
    for (int y = 0; y < picture->Height(); ++y)
        for (int x = 0; x < picture->Width(); ++x)
            if (Near(picture->Raw(x, y), 0, 0, 0))
                lowest = y;
    return lowest;
}

TEST(TextHoverPopUp, OpensBelowTheHoveredLineOnItsOpaqueBackground)
{
    Linked page("Vers la suite", 0);
    ASSERT_TRUE(page.text && page.text->document);
    // The cursor elsewhere: the pop-up does not follow it.
    const POINT away{600, 400};
    page.Hover(&away);
    const HWND popUp = page.PopUp();
    ASSERT_NE(nullptr, popUp);
    POINT lineBottom{OnLink.x, LowestInkRow(page.text)};
    ASSERT_GT(lineBottom.y, OnLink.y);
    ClientToScreen(page.text->window, &lineBottom);
    RECT placed{};
    GetWindowRect(popUp, &placed);
    EXPECT_GE(placed.top, lineBottom.y);
    EXPECT_LT(placed.top, lineBottom.y + 20);
    EXPECT_LE(std::abs(placed.left - lineBottom.x), 2) << placed.left << " for " << lineBottom.x;

    // Its yellow drawn over whatever lies beneath.
    TestCanvas canvas(placed.right - placed.left, placed.bottom - placed.top, RGB(0, 0, 255));
    PrintWindow(popUp, canvas.Dc(), 0);
    const int yellow = CountPixels(canvas, [](uint32_t p) { return p == 0xFFFF00; });
    EXPECT_GT(yellow, canvas.Width() * canvas.Height() / 2);
    EXPECT_GT(CountPixels(canvas, [](uint32_t p) { return Near(p, 0, 0, 0); }), 20) << "its text";
}

}  // namespace
