// The scroll bar of a text on a shown page: there only while the text is taller than its box,
// updated again on request, and a dragged thumb taking the text where it is let go.
#include "texttest.h"

#include <gtest/gtest.h>

namespace {

// A plain text of n short paragraphs.
std::string Paragraphs(int n)
{
    std::string text;
    for (int i = 1; i <= n; ++i)
        text += "Ligne " + std::to_string(i) + "\n";
    return text;
}

// A text in a box of 300 x 200 pixels naming this file of the publication.
TEXTE* ShownFile(PageHost& host, const std::string& name)
{
    return ShownText(host, "texte", BoxBlock({host.Page(name)}, 300, 200));
}

// A text of n paragraphs in its file, shown with its window.
TEXTE* ShownParagraphs(PageHost& host, int n)
{
    host.pub.Write("texte.txt", Paragraphs(n));
    TEXTE* text = ShownFile(host, "texte.txt");
    return text && text->window ? text : nullptr;
}

SCROLLINFO ScrollInfo(HWND bar)
{
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(bar, SB_CTL, &info);
    return info;
}

struct Height {
    const char* name;
    int paragraphs;
    bool scrolls;
};

const Height Heights[] = {
    {"OneLine", 1, false},
    {"FiveLines", 5, false},
    {"FortyLines", 40, true},
    {"FourHundredLines", 400, true},
};

void PrintTo(const Height& height, std::ostream* out) { *out << height.name; }

class TextScrollBar : public testing::TestWithParam<Height> {};

TEST_P(TextScrollBar, IsThereOnlyWhileTheTextIsTallerThanItsBox)
{
    PageHost host;
    TEXTE* text = ShownParagraphs(host, GetParam().paragraphs);
    ASSERT_TRUE(text && text->document);
    ASSERT_EQ(GetParam().scrolls, text->scrollBar != nullptr);
    if (!text->scrollBar)
        return;
    // At the right edge, as tall as the box, its range the text's.
    RECT client{}, bar{};
    GetClientRect(text->window, &client);
    GetWindowRect(text->scrollBar, &bar);
    MapWindowPoints(nullptr, text->window, reinterpret_cast<POINT*>(&bar), 2);
    EXPECT_EQ(client.right, bar.right);
    EXPECT_EQ(client.right - GetSystemMetrics(SM_CXVSCROLL), bar.left);
    EXPECT_EQ(client.bottom, bar.bottom - bar.top);
    EXPECT_GT(ScrollInfo(text->scrollBar).nMax, 0);
    EXPECT_EQ(0, ScrollInfo(text->scrollBar).nPos);
}

INSTANTIATE_TEST_SUITE_P(Texts, TextScrollBar, testing::ValuesIn(Heights),
                         [](const testing::TestParamInfo<Height>& info) { return std::string(info.param.name); });

TEST(TextScrolling, TheScrollBarComesWithALongerTextAndGoesWithAShorterOne)
{
    PageHost host;
    host.pub.Write("court.txt", Paragraphs(2));
    host.pub.Write("long.txt", Paragraphs(60));
    TEXTE* text = ShownFile(host, "court.txt");
    ASSERT_TRUE(text && text->window);
    EXPECT_EQ(nullptr, text->scrollBar);
    for (int round = 0; round < 2; ++round) {
        ASSERT_EQ(1, text->SetProperties(1000, host.Page("long.txt").c_str()));
        ASSERT_NE(nullptr, text->scrollBar) << round;
        const HWND bar = text->scrollBar;
        ASSERT_EQ(1, text->SetProperties(1000, host.Page("court.txt").c_str()));
        EXPECT_EQ(nullptr, text->scrollBar) << round;
        EXPECT_FALSE(IsWindow(bar)) << round;
    }
}

TEST(TextScrolling, TheBoxResizedTheScrollBarFollowsOnRequest)
{
    PageHost host;
    TEXTE* text = ShownParagraphs(host, 30);
    ASSERT_TRUE(text && text->scrollBar);
    // Tall enough for the whole text: the scroll bar goes at the next refresh.
    MoveWindow(text->window, 10, 20, 300, 2000, FALSE);
    SendMessageA(text->window, TM_REFRESHSCROLL, 0, 0);
    EXPECT_EQ(nullptr, text->scrollBar);
    MoveWindow(text->window, 10, 20, 300, 200, FALSE);
    SendMessageA(text->window, TM_REFRESHSCROLL, 0, 0);
    EXPECT_NE(nullptr, text->scrollBar);
}

// The thumb dragged as the mouse drags it: pressed on the thumb, moved down, let go. The
// scroll bar runs its own loop between the press and the release, reading the queued moves.
void DragThumb(HWND bar, int toY)
{
    RECT client{};
    GetClientRect(bar, &client);
    const int x = client.right / 2, fromY = GetSystemMetrics(SM_CYVSCROLL) + 3;
    PostMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, (fromY + toY) / 2));
    PostMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, toY));
    PostMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(x, toY));
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, fromY));
}

TEST(TextScrolling, TheDraggedThumbTakesTheTextWhereItIsLetGo)
{
    PageHost host;
    TEXTE* text = ShownParagraphs(host, 400);
    ASSERT_TRUE(text && text->scrollBar);
    const auto top = PaintedText(text)->Pixels();
    RECT client{};
    GetClientRect(text->scrollBar, &client);
    DragThumb(text->scrollBar, client.bottom * 3 / 4);
    // Let go three quarters down: the text stands about there (the scroll bar shows where the
    // text stands), and other lines are drawn.
    const SCROLLINFO after = ScrollInfo(text->scrollBar);
    EXPECT_GT(after.nPos, after.nMax / 2);
    EXPECT_LT(after.nPos, after.nMax);
    EXPECT_TRUE(top != PaintedText(text)->Pixels()) << "the top lines are drawn still";
}

}  // namespace
