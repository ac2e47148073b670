// What typing, styling and inserting leave drawn in a control of two framed columns with a rule
// is what a whole paint of the same text draws: each redraw erases only inside the containers it
// draws in, and draws all it changed.
#include <string>

#include "control_fixture.h"
#include "object_pictures.h"
#include "typed_paragraph.h"

namespace {

constexpr int kWidth = 440;
constexpr int kHeight = 150;

TEST_F(ControlTest, WhatTypingLeavesDrawnIsWhatAWholePaintDraws)
{
    ShowWindow(parent_, SW_SHOWNOACTIVATE);
    HWND control = MakeControl(ES_MULTILINE | WS_VISIBLE, kWidth, kHeight);
    FrameTwoColumnsWithRule(control);
    UpdateWindow(control);
    SendMessageA(control, WM_SETFOCUS, 0, 0);
    TypeParagraph(control);
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
