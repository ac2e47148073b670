// What typing, styling and inserting leave drawn in a control of two framed columns with a rule
// is what a whole paint of the same text draws: each redraw erases only inside the containers it
// draws in, and draws all it changed.
#include <string>

#include "control_fixture.h"
#include "object_pictures.h"

namespace {

constexpr int kWidth = 440;
constexpr int kHeight = 150;

void TypeChars(HWND control, const std::string& text)
{
    for (char c : text)
        SendMessageA(control, WM_CHAR, static_cast<uint8_t>(c), 1);
}

TEST_F(ControlTest, WhatTypingLeavesDrawnIsWhatAWholePaintDraws)
{
    ShowWindow(parent_, SW_SHOWNOACTIVATE);
    HWND control = MakeControl(ES_MULTILINE | WS_VISIBLE, kWidth, kHeight);
    FrameTwoColumnsWithRule(control);
    UpdateWindow(control);
    SendMessageA(control, WM_SETFOCUS, 0, 0);
    TypeChars(control, "Le rédacteur écrit ici à la main un paragraphe en français : ");
    SendMessageA(control, RTEM_SETATTRIBUTES, 1, 0x1);
    TypeChars(control, "gras");
    SendMessageA(control, RTEM_SETATTRIBUTES, 1, 0x1);
    TypeChars(control, " puis gras, un mot ");
    SendMessageA(control, RTEM_SETTEXTCOLOR, 1, RGB(255, 0, 0));
    TypeChars(control, "rouge");
    SendMessageA(control, RTEM_SETTEXTCOLOR, 1, RGB(0, 0, 0));
    TypeChars(control, ", et la suite coule d'une colonne à l'autre sans rien perdre de ce qu'elle dit, jusqu'à la "
                       "seconde colonne où se trouve l'image ");
    const std::string text = Text(control);
    RteControlObject picture = BluePictureRecord(static_cast<int32_t>(text.size()), 48, 36);
    SendMessageA(control, RTEM_INSERTOBJECT, 0, reinterpret_cast<LPARAM>(&picture));
    SendMessageA(control, EM_SETSEL, 0, 0);
    SendMessageA(control, WM_KILLFOCUS, 0, 0);
    TestCanvas typed(kWidth, kHeight);
    Snapshot(control, typed);
    InvalidateRect(control, nullptr, TRUE);
    TestCanvas painted(kWidth, kHeight);
    Snapshot(control, painted);
    int differ = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            differ += typed.Raw(x, y) != painted.Raw(x, y);
    EXPECT_EQ(differ, 0) << "pixels that a whole paint draws otherwise";
}

}  // namespace
