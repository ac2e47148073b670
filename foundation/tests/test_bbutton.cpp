// BBUTTON on real windows: the owner-drawn child it makes, the picture of each state (read
// back from a DIB section and from the button's own DC), push, toggle and latch driven by
// synthetic mouse messages with the commands the parent receives, and the tooltip that shows
// once the pointer has rested on the button.
#include "qxbbutton.h"

#include "controls_harness.h"
#include "qxwindowptr.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr int ButtonId = 21;
constexpr int Left = 15, Top = 20, Width = 40, Height = 24;
constexpr int In = 5, Out = 60;

// The colours of the test pictures, the same in tests/res/bb_*.bmp.
constexpr Rgb Normal = 0x000080, On = 0x008000, Pressed = 0x800000, Disabled = 0x808000, Hover = 0x008080;
constexpr Rgb Sentinel = 0x123456;

int userValue;
void* const User = &userValue;

Picture Solid(Rgb colour)
{
    Picture picture;
    picture.width = Width;
    picture.height = Height;
    picture.pixels.assign(static_cast<size_t>(Width) * Height, colour);
    return picture;
}

bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < milliseconds)
        Pump(10);
    return done();
}

struct Pictures {
    bool pressed = true;
    bool disabled = true;
    bool hover = true;
};

class BButtonTest : public testing::Test {
protected:
    void TearDown() override
    {
        button_.reset();
        for (HBITMAP bitmap : bitmaps_)
            DeleteObject(bitmap);
        SetCursorPos(savedCursor_.x, savedCursor_.y);
    }

    BBUTTON& Make(int kind, Pictures with = {}, const char* tooltip = "Lecture")
    {
        auto picture = [this](bool wanted, Rgb colour) {
            HBITMAP bitmap = wanted ? SolidBitmap(Width, Height, colour) : nullptr;
            if (bitmap)
                bitmaps_.push_back(bitmap);
            return bitmap;
        };
        HBITMAP normal = picture(true, Normal), pressed = picture(with.pressed, Pressed), on = picture(true, On),
                disabled = picture(with.disabled, Disabled), hover = picture(with.hover, Hover);
        button_ = std::make_unique<BBUTTON>(parent_.Handle(), TestModule(), ButtonId, normal, pressed, on, disabled,
                                            hover, Left, Top, User, kind, tooltip, 0L);
        return *button_;
    }
    // What WM_PRINTCLIENT paints: the picture of the current state.
    Picture Rendered() { return canvas_.Render(button_->Window()); }
    // What is on the button now, drawn by its own procedure or by Draw.
    Picture OnScreen()
    {
        canvas_.Fill();
        HDC dc = GetDC(button_->Window());
        BitBlt(canvas_.Dc(), 0, 0, Width, Height, dc, 0, 0, SRCCOPY);
        ReleaseDC(button_->Window(), dc);
        return canvas_.Snapshot(Width, Height);
    }
    POINT ScreenPoint(int x, int y)
    {
        POINT point{x, y};
        ClientToScreen(button_->Window(), &point);
        return point;
    }

    ParentWindow parent_;
    std::unique_ptr<BBUTTON> button_;
    std::vector<HBITMAP> bitmaps_;
    Canvas canvas_{Width, Height, Sentinel};
    POINT savedCursor_ = [] {
        POINT point{};
        GetCursorPos(&point);
        return point;
    }();
};

// ---------------------------------------------------------------------------------------
// The window

TEST_F(BButtonTest, IsAnOwnerDrawnChildButtonOfTheNormalPicturesSize)
{
    BBUTTON& button = Make(BBUTTON_PUSH);
    HWND window = button.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ClassOf(window), "Button");
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), 0x5000000Bu);
    EXPECT_EQ(GetParent(window), parent_.Handle());
    EXPECT_EQ(GetDlgCtrlID(window), ButtonId);
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, parent_.Handle(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, Left);
    EXPECT_EQ(rect.top, Top);
    EXPECT_EQ(rect.right - rect.left, Width);
    EXPECT_EQ(rect.bottom - rect.top, Height);
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&BBUTTON::MessageProc));
    EXPECT_EQ(GetQORVEXpointer(window), &button);
}

TEST_F(BButtonTest, DestructionTakesTheWindowAndLeavesTheCallersBitmaps)
{
    HWND window = Make(BBUTTON_PUSH).Window();
    button_.reset();
    EXPECT_FALSE(IsWindow(window));
    for (HBITMAP bitmap : bitmaps_) {
        BITMAP size{};
        EXPECT_NE(GetObjectA(bitmap, sizeof size, &size), 0);
    }
}

TEST_F(BButtonTest, OutlivesItsWindowDestroyedWithTheParent)
{
    auto parent = std::make_unique<ParentWindow>();
    auto button = std::make_unique<BBUTTON>(parent->Handle(), TestModule(), ButtonId, SolidBitmap(Width, Height, Normal),
                                            nullptr, SolidBitmap(Width, Height, On), nullptr, nullptr, 0, 0, User,
                                            BBUTTON_PUSH, "Lecture", 0L);
    MouseMove(button->Window(), In, In);  // arms the tooltip delay
    parent.reset();
    EXPECT_EQ(button->Window(), nullptr);
    Pump(900);
    EXPECT_FALSE(button->TooltipShown());
    button.reset();
}

TEST_F(BButtonTest, SetXYMovesWithoutResizing)
{
    BBUTTON& button = Make(BBUTTON_PUSH);
    button.SetXY(50, 60);
    RECT rect{};
    GetWindowRect(button.Window(), &rect);
    MapWindowPoints(nullptr, parent_.Handle(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, 50);
    EXPECT_EQ(rect.top, 60);
    EXPECT_EQ(rect.right - rect.left, Width);
    EXPECT_EQ(rect.bottom - rect.top, Height);
}

struct InCase {
    int x;
    int y;
    bool in;
};

TEST_F(BButtonTest, InIsTheClientArea)
{
    BBUTTON& button = Make(BBUTTON_PUSH);
    const InCase cases[] = {{0, 0, true},     {Width - 1, Height - 1, true}, {Width, 0, false},
                            {0, Height, false}, {-1, 5, false},              {5, -1, false}};
    for (const InCase& c : cases)
        EXPECT_EQ(button.In(c.x, c.y), c.in) << c.x << ", " << c.y;
}

TEST_F(BButtonTest, SetStateKeepsOnlyOnAndPressed)
{
    BBUTTON& button = Make(BBUTTON_TOGGLE);
    const int given[] = {1, 2, 0, 3, -1, 7};
    const int kept[] = {1, 2, 0, 0, 0, 0};
    for (size_t i = 0; i < std::size(given); ++i) {
        button.SetState(given[i], 0);
        EXPECT_EQ(button.State(), kept[i]) << "given " << given[i];
    }
}

// ---------------------------------------------------------------------------------------
// Pictures

struct StateCase {
    const char* name;
    Pictures with;
    bool enabled;
    int state;
    Rgb colour;
    bool greyed;
};

void PrintTo(const StateCase& c, std::ostream* out) { *out << c.name; }

class BButtonStatePicture : public BButtonTest, public testing::WithParamInterface<StateCase> {};

TEST_P(BButtonStatePicture, IsPaintedAndDrawn)
{
    const StateCase& c = GetParam();
    BBUTTON& button = Make(BBUTTON_TOGGLE, c.with);
    if (!c.enabled)
        button.Disable();
    button.SetState(c.state, 1);
    const Picture expected = c.greyed ? Greyed(Solid(c.colour)) : Solid(c.colour);
    EXPECT_TRUE(SamePicture(OnScreen(), expected));  // drawn by SetState
    EXPECT_TRUE(SamePicture(Rendered(), expected));  // painted
}

Pictures Without(bool pressed, bool disabled) { return Pictures{!pressed, !disabled, true}; }

INSTANTIATE_TEST_SUITE_P(
    Cases, BButtonStatePicture,
    testing::Values(StateCase{"Up", {}, true, BBUTTON_UP, Normal, false},
                    StateCase{"On", {}, true, BBUTTON_ON, On, false},
                    StateCase{"Pressed", {}, true, BBUTTON_PRESSED, Pressed, false},
                    StateCase{"PressedWithoutItsPicture", Without(true, false), true, BBUTTON_PRESSED, On, false},
                    StateCase{"DisabledUp", {}, false, BBUTTON_UP, Disabled, false},
                    StateCase{"DisabledOn", {}, false, BBUTTON_ON, Disabled, false},
                    StateCase{"DisabledUpWithoutItsPicture", Without(false, true), false, BBUTTON_UP, Normal, true},
                    StateCase{"DisabledOnWithoutItsPicture", Without(false, true), false, BBUTTON_ON, On, true}),
    [](const testing::TestParamInfo<StateCase>& info) { return std::string(info.param.name); });

TEST_F(BButtonTest, EnableAndDisableRedrawTheState)
{
    BBUTTON& button = Make(BBUTTON_TOGGLE, Without(false, true));
    button.SetState(BBUTTON_ON, 0);
    button.Disable();
    EXPECT_TRUE(SamePicture(OnScreen(), Greyed(Solid(On))));
    button.Enable();
    EXPECT_TRUE(SamePicture(OnScreen(), Solid(On)));
}

struct HoverCase {
    const char* name;
    Pictures with;
    bool enabled;
    Rgb colour;  // after Draw(BBUTTON_HOVER) over the normal picture
    bool greyed;
};

void PrintTo(const HoverCase& c, std::ostream* out) { *out << c.name; }

class BButtonHoverPicture : public BButtonTest, public testing::WithParamInterface<HoverCase> {};

TEST_P(BButtonHoverPicture, IsDrawnOverTheButton)
{
    const HoverCase& c = GetParam();
    BBUTTON& button = Make(BBUTTON_PUSH, c.with);
    if (!c.enabled)
        button.Disable();
    button.Draw(BBUTTON_UP);
    button.Draw(BBUTTON_HOVER);
    EXPECT_TRUE(SamePicture(OnScreen(), c.greyed ? Greyed(Solid(c.colour)) : Solid(c.colour)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BButtonHoverPicture,
    testing::Values(HoverCase{"Enabled", {}, true, Hover, false},
                    HoverCase{"EnabledWithoutAHoverPictureDrawsNothing", Pictures{true, true, false}, true, Normal, false},
                    HoverCase{"Disabled", {}, false, Disabled, false},
                    HoverCase{"DisabledWithoutItsPicture", Without(false, true), false, Normal, true}),
    [](const testing::TestParamInfo<HoverCase>& info) { return std::string(info.param.name); });

TEST_F(BButtonTest, FromResourceNamesWithTheOptionalPicturesLeftOut)
{
    button_ = std::make_unique<BBUTTON>(parent_.Handle(), TestModule(), ButtonId, "BB_NORMAL", nullptr, "BB_ON", nullptr,
                                        nullptr, Left, Top, User, BBUTTON_TOGGLE, "Lecture", 0L);
    RECT client{};
    GetClientRect(button_->Window(), &client);
    EXPECT_EQ(client.right, Width);
    EXPECT_EQ(client.bottom, Height);
    EXPECT_TRUE(SamePicture(Rendered(), Solid(Normal)));
    button_->SetState(BBUTTON_PRESSED, 0);
    EXPECT_TRUE(SamePicture(Rendered(), Solid(On)));
    button_->SetState(BBUTTON_UP, 0);
    button_->Disable();
    EXPECT_TRUE(SamePicture(Rendered(), Greyed(Solid(Normal))));
}

TEST_F(BButtonTest, FromAllFiveResourceNames)
{
    button_ = std::make_unique<BBUTTON>(parent_.Handle(), TestModule(), ButtonId, "BB_NORMAL", "BB_PRESSED", "BB_ON",
                                        "BB_DISABLED", "BB_HOVER", Left, Top, User, BBUTTON_TOGGLE, "Lecture", 0L);
    const struct {
        int state;
        Rgb colour;
    } expected[] = {{BBUTTON_UP, Normal}, {BBUTTON_ON, On}, {BBUTTON_PRESSED, Pressed}};
    for (const auto& e : expected) {
        button_->SetState(e.state, 0);
        EXPECT_TRUE(SamePicture(Rendered(), Solid(e.colour))) << "state " << e.state;
    }
    button_->Draw(BBUTTON_HOVER);
    EXPECT_TRUE(SamePicture(OnScreen(), Solid(Hover)));
    button_->Disable();
    button_->SetState(BBUTTON_UP, 0);
    EXPECT_TRUE(SamePicture(Rendered(), Solid(Disabled)));
}

// ---------------------------------------------------------------------------------------
// Pressing

enum Event { Down, Up, Move, DoubleClick, SpaceDown, SpaceUp, Disable };

struct Step {
    Event event;
    int x;
    int state;      // afterwards
    size_t commands;  // received so far
};

struct PressCase {
    const char* name;
    int kind;
    std::vector<Step> steps;
};

void PrintTo(const PressCase& c, std::ostream* out) { *out << c.name; }

class BButtonPress : public BButtonTest, public testing::WithParamInterface<PressCase> {};

TEST_P(BButtonPress, StatesAndCommands)
{
    BBUTTON& button = Make(GetParam().kind);
    HWND window = button.Window();
    const std::vector<Step>& steps = GetParam().steps;
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& step = steps[i];
        switch (step.event) {
        case Down: MouseDown(window, step.x, In); break;
        case Up: MouseUp(window, step.x, In); break;
        case Move: MouseMove(window, step.x, In); break;
        case DoubleClick: MouseDoubleClick(window, step.x, In); break;
        case SpaceDown: KeyDown(window, VK_SPACE); break;
        case SpaceUp: KeyUp(window, VK_SPACE); break;
        case Disable: button.Disable(); break;
        }
        Pump();
        EXPECT_EQ(button.State(), step.state) << "after step " << i;
        EXPECT_EQ(parent_.Commands().size(), step.commands) << "after step " << i;
    }
    for (const Command& command : parent_.Commands()) {
        EXPECT_EQ(command.wParam, static_cast<WPARAM>(ButtonId));
        EXPECT_EQ(command.lParam, reinterpret_cast<LPARAM>(User));
    }
    EXPECT_EQ(GetCapture(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BButtonPress,
    testing::Values(
        PressCase{"PushClick", BBUTTON_PUSH, {{Down, In, 1, 0}, {Up, In, 0, 1}}},
        PressCase{"PushReleasedOutside", BBUTTON_PUSH, {{Down, In, 1, 0}, {Move, Out, 0, 0}, {Up, Out, 0, 0}}},
        PressCase{"PushDraggedOutAndBack", BBUTTON_PUSH,
                  {{Down, In, 1, 0}, {Move, Out, 0, 0}, {Move, In, 2, 0}, {Up, In, 0, 1}}},
        PressCase{"PushReleasedWithoutAPress", BBUTTON_PUSH, {{Up, In, 0, 0}}},
        PressCase{"PushDoubleClicked", BBUTTON_PUSH,
                  {{Down, In, 1, 0}, {Up, In, 0, 1}, {DoubleClick, In, 1, 1}, {Up, In, 0, 2}}},
        PressCase{"ToggleCommandsOnThePress", BBUTTON_TOGGLE,
                  {{Down, In, 1, 1}, {Up, In, 1, 1}, {Down, In, 0, 2}, {Up, In, 0, 2}}},
        PressCase{"ToggleReleasedOutside", BBUTTON_TOGGLE, {{Down, In, 1, 1}, {Move, Out, 1, 1}, {Up, Out, 1, 1}}},
        PressCase{"ToggleDoubleClicked", BBUTTON_TOGGLE,
                  {{Down, In, 1, 1}, {Up, In, 1, 1}, {DoubleClick, In, 0, 2}, {Up, In, 0, 2}}},
        PressCase{"LatchStaysOn", BBUTTON_LATCH,
                  {{Down, In, 1, 1}, {Up, In, 1, 1}, {Down, In, 1, 2}, {Up, In, 1, 2}}},
        PressCase{"DisabledPush", BBUTTON_PUSH, {{Disable, 0, 0, 0}, {Down, In, 0, 0}, {Up, In, 0, 0}}},
        PressCase{"DisabledToggle", BBUTTON_TOGGLE, {{Disable, 0, 0, 0}, {Down, In, 0, 0}, {Up, In, 0, 0}}},
        // The system button would click on the space bar, with the window as lParam.
        PressCase{"SpaceBarDoesNothing", BBUTTON_PUSH, {{SpaceDown, 0, 0, 0}, {SpaceUp, 0, 0, 0}}}),
    [](const testing::TestParamInfo<PressCase>& info) { return std::string(info.param.name); });

TEST_F(BButtonTest, PressDrawsThePressedPictureAndReleaseTheState)
{
    BBUTTON& button = Make(BBUTTON_PUSH);
    MouseDown(button.Window(), In, In);
    EXPECT_TRUE(SamePicture(OnScreen(), Solid(Pressed)));
    EXPECT_EQ(GetCapture(), button.Window());
    MouseUp(button.Window(), In, In);
    EXPECT_TRUE(SamePicture(OnScreen(), Solid(Normal)));
}

TEST_F(BButtonTest, HoverPictureFollowsThePointerWhileUp)
{
    BBUTTON& button = Make(BBUTTON_TOGGLE);
    MouseMove(button.Window(), In, In);
    EXPECT_TRUE(SamePicture(OnScreen(), Solid(Hover)));
    EXPECT_EQ(GetCapture(), button.Window());
    MouseMove(button.Window(), Out, In);
    EXPECT_TRUE(SamePicture(OnScreen(), Solid(Normal)));
    EXPECT_EQ(GetCapture(), nullptr);

    // A button that is on keeps its picture under the pointer.
    button.SetState(BBUTTON_ON, 1);
    MouseMove(button.Window(), In, In);
    EXPECT_TRUE(SamePicture(OnScreen(), Solid(On)));
    MouseMove(button.Window(), Out, In);
    EXPECT_TRUE(SamePicture(OnScreen(), Solid(On)));
}

// ---------------------------------------------------------------------------------------
// Tooltip

TEST_F(BButtonTest, TooltipShowsOnlyAfterThePointerHasRestedOnTheButton)
{
    BBUTTON& button = Make(BBUTTON_PUSH, {}, "Lecture du film");
    const POINT middle = ScreenPoint(Width / 2, Height / 2);
    ASSERT_TRUE(SetCursorPos(middle.x, middle.y));
    const DWORD start = GetTickCount();
    MouseMove(button.Window(), Width / 2, Height / 2);
    EXPECT_EQ(GetQORVEXXpointer(button.Window(), QXKEY_BUTTON_TOOLTIP_1, QXKEY_BUTTON_TOOLTIP_2), &button);
    Pump(400);
    EXPECT_FALSE(button.TooltipShown());
    EXPECT_EQ(ShownTooltip(), nullptr);

    ASSERT_TRUE(PumpUntil([&] { return button.TooltipShown(); }, 2000));
    EXPECT_GE(GetTickCount() - start, BBUTTON_TOOLTIP_DELAY - 20);
    HWND popup = ShownTooltip();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(WidthOf(popup), TooltipWidth("Lecture du film"));
    EXPECT_EQ(GetCapture(), button.Window());

    MouseMove(button.Window(), Out, In);
    EXPECT_FALSE(button.TooltipShown());
    EXPECT_EQ(ShownTooltip(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
}

struct NoTooltipCase {
    const char* name;
    const char* tooltip;
    std::function<void(BBUTTON&, POINT outside)> meanwhile;
};

void PrintTo(const NoTooltipCase& c, std::ostream* out) { *out << c.name; }

class BButtonNoTooltip : public BButtonTest, public testing::WithParamInterface<NoTooltipCase> {};

TEST_P(BButtonNoTooltip, WhenThePointerDoesNotRest)
{
    BBUTTON& button = Make(BBUTTON_PUSH, {}, GetParam().tooltip);
    const POINT middle = ScreenPoint(Width / 2, Height / 2);
    ASSERT_TRUE(SetCursorPos(middle.x, middle.y));
    MouseMove(button.Window(), Width / 2, Height / 2);
    Pump(100);
    GetParam().meanwhile(button, ScreenPoint(Out, In));
    Pump(BBUTTON_TOOLTIP_DELAY + 400);
    EXPECT_FALSE(button.TooltipShown());
    EXPECT_EQ(ShownTooltip(), nullptr);
    MouseUp(button.Window(), In, In);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BButtonNoTooltip,
    testing::Values(
        NoTooltipCase{"CursorLeftBeforeTheDelay", "Lecture", [](BBUTTON&, POINT outside) { SetCursorPos(outside.x, outside.y); }},
        NoTooltipCase{"ButtonPressedBeforeTheDelay", "Lecture",
                      [](BBUTTON& button, POINT) { MouseDown(button.Window(), In, In); }},
        NoTooltipCase{"EmptyText", "", [](BBUTTON&, POINT) {}}),
    [](const testing::TestParamInfo<NoTooltipCase>& info) { return std::string(info.param.name); });

}  // namespace
