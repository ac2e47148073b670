// "QXButton" on real windows: the global classes of the library, the picture that each style
// and state shows (rendered into a DIB section and compared with the bitmap resources), the
// own pictures named by the button's text, pushing and toggling with the mouse and the space
// bar, the commands the parent receives, the tooltip, and a dialog template of another module
// that names the classes.
#include "qxcontrols.h"

#include "controls_harness.h"
#include "controls_test_ids.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr int ButtonId = 7;
constexpr Rgb Sentinel = 0x123456;

Picture Built(const char* name) { return ResourcePicture(LibraryModule(), name); }
Picture Own(const char* name) { return ResourcePicture(TestModule(), name); }

bool Registered(const char* name)
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    return GetClassInfoExA(TestModule(), name, &windowClass) != 0;
}

class QXButtonTest : public testing::Test {
protected:
    HWND Make(const char* text, DWORD style, int size = 32, HINSTANCE module = TestModule())
    {
        return CreateWindowExA(0, QXBUTTON_CLASS, text, WS_CHILD | WS_VISIBLE | style, 10, 10, size, size,
                               parent_.Handle(), reinterpret_cast<HMENU>(ButtonId), module, nullptr);
    }
    Picture Render(HWND button) { return canvas_.Render(button); }
    static int Checked(HWND button) { return static_cast<int>(SendMessageA(button, BM_GETCHECK, 0, 0)); }

    ParentWindow parent_;
    Canvas canvas_{64, 64, Sentinel};
};

// ---------------------------------------------------------------------------------------
// The classes

TEST(QXControlClasses, AreGlobalClassesOfTheLibraryWithDoubleClicksAndTheArrow)
{
    for (const char* name : {QXBUTTON_CLASS, QXFILENAME_CLASS}) {
        SCOPED_TRACE(name);
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        // Asked for with this program's instance: found only because the class is global.
        ASSERT_NE(GetClassInfoExA(TestModule(), name, &windowClass), 0);
        EXPECT_EQ(windowClass.style, static_cast<UINT>(CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW));
        EXPECT_EQ(windowClass.hCursor, LoadCursorA(nullptr, IDC_ARROW));
        HWND window = CreateWindowExA(0, name, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, TestModule(), nullptr);
        EXPECT_EQ(reinterpret_cast<HINSTANCE>(GetClassLongPtrA(window, GCLP_HMODULE)), LibraryModule());
        DestroyWindow(window);
    }
}

TEST(QXControlClasses, StayRegisteredUntilTheLastFreeCC)
{
    InitCC();
    FreeCC();
    EXPECT_TRUE(Registered(QXBUTTON_CLASS));
    FreeCC();  // balances the library's own InitCC
    EXPECT_FALSE(Registered(QXBUTTON_CLASS));
    EXPECT_FALSE(Registered(QXFILENAME_CLASS));
    InitCC();
    EXPECT_TRUE(Registered(QXBUTTON_CLASS));
    EXPECT_TRUE(Registered(QXFILENAME_CLASS));

    // The built-in pictures are back too.
    ParentWindow parent;
    HWND button = CreateWindowExA(0, QXBUTTON_CLASS, "", WS_CHILD | QXBS_PLAY, 0, 0, 32, 32, parent.Handle(),
                                  nullptr, TestModule(), nullptr);
    Canvas canvas(32, 32, Sentinel);
    EXPECT_TRUE(SamePicture(canvas.Render(button), Built("PLAY_R")));
}

// ---------------------------------------------------------------------------------------
// Pictures

struct StyleCase {
    DWORD style;
    const char* released;
    const char* pressed;
};

void PrintTo(const StyleCase& c, std::ostream* out) { *out << "style 0x" << std::hex << c.style << " shows " << c.released; }

class QXButtonStyle : public QXButtonTest, public testing::WithParamInterface<StyleCase> {};

TEST_P(QXButtonStyle, ShowsTheReleasedPictureAndWhileCheckedThePressedOne)
{
    HWND button = Make("", GetParam().style);
    EXPECT_TRUE(SamePicture(Render(button), Built(GetParam().released)));
    SendMessageA(button, BM_SETCHECK, 1, 0);
    EXPECT_TRUE(SamePicture(Render(button), Built(GetParam().pressed)));
    SendMessageA(button, BM_SETCHECK, 0, 0);
    EXPECT_TRUE(SamePicture(Render(button), Built(GetParam().released)));
}

INSTANTIATE_TEST_SUITE_P(
    EachBuiltInPicture, QXButtonStyle,
    testing::Values(StyleCase{QXBS_FOLDER, "FOLDER_R", "FOLDER_P"}, StyleCase{QXBS_FONT, "FONT_R", "FONT_P"},
                    StyleCase{QXBS_COLOR, "COLOR_R", "COLOR_P"}, StyleCase{QXBS_PAGE, "PAGE_R", "PAGE_P"},
                    StyleCase{QXBS_ADVANCE, "ADVANCE_R", "ADVANCE_P"}, StyleCase{QXBS_ADD, "ADD_R", "ADD_P"},
                    StyleCase{QXBS_DELETE, "DELETE_R", "DELETE_P"}, StyleCase{QXBS_MODIFY, "MODIFY_R", "MODIFY_P"},
                    StyleCase{QXBS_REDX, "REDX_R", "REDX_P"}, StyleCase{QXBS_PLAY, "PLAY_R", "PLAY_P"},
                    StyleCase{QXBS_STOP, "STOP_R", "STOP_P"}, StyleCase{QXBS_LIB, "LIB_R", "LIB_P"}));

// The bits are tested FOLDER, FONT ... MODIFY, REDX, PLAY, STOP, LIB: the last one set wins.
INSTANTIATE_TEST_SUITE_P(
    TheLaterBitWins, QXButtonStyle,
    testing::Values(StyleCase{QXBS_FOLDER | QXBS_REDX, "REDX_R", "REDX_P"},
                    StyleCase{QXBS_MODIFY | QXBS_REDX, "REDX_R", "REDX_P"},
                    StyleCase{QXBS_REDX | QXBS_PLAY, "PLAY_R", "PLAY_P"},
                    StyleCase{QXBS_FOLDER | QXBS_LIB, "LIB_R", "LIB_P"},
                    StyleCase{QXBS_OWN | QXBS_FONT, "FONT_R", "FONT_P"},
                    StyleCase{QXBS_OWN | QXBS_TOGGLE | QXBS_TOOLTIP | QXBS_STOP, "STOP_R", "STOP_P"}));

struct OwnCase {
    const char* text;
    DWORD style;
    bool madeByTheLibrary;  // created with the library's instance instead of this program's
    bool releasedOfTheLibrary;
    const char* released;
    bool pressedOfTheLibrary;
    const char* pressed;
};

void PrintTo(const OwnCase& c, std::ostream* out) { *out << '"' << c.text << "\" shows " << c.released; }

class QXButtonOwnPictures : public QXButtonTest, public testing::WithParamInterface<OwnCase> {};

TEST_P(QXButtonOwnPictures, AreTheBitmapsNamedByTheTextInTheCreatingModule)
{
    const OwnCase& c = GetParam();
    HWND button = Make(c.text, c.style, 32, c.madeByTheLibrary ? LibraryModule() : TestModule());
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(SamePicture(Render(button), c.releasedOfTheLibrary ? Built(c.released) : Own(c.released)));
    SendMessageA(button, BM_SETCHECK, 1, 0);
    EXPECT_TRUE(SamePicture(Render(button), c.pressedOfTheLibrary ? Built(c.pressed) : Own(c.pressed)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QXButtonOwnPictures,
    testing::Values(OwnCase{"SAVE", 0, false, false, "SAVE_R", false, "SAVE_P"},
                    OwnCase{"SAVE", QXBS_OWN, false, false, "SAVE_R", false, "SAVE_P"},
                    OwnCase{"SAVE;Enregistrer", QXBS_TOOLTIP, false, false, "SAVE_R", false, "SAVE_P"},
                    // Without its "_P" bitmap the pressed picture is the released one.
                    OwnCase{"LONE", 0, false, false, "LONE_R", false, "LONE_R"},
                    // Without the "_R" bitmap the library's "USER" pictures stay.
                    OwnCase{"ABSENT", 0, false, true, "USER_R", true, "USER_P"},
                    OwnCase{"", 0, false, true, "USER_R", true, "USER_P"},
                    OwnCase{";Une bulle seulement", QXBS_TOOLTIP, false, true, "USER_R", true, "USER_P"},
                    // The bitmaps come from the module that creates the button.
                    OwnCase{"SAVE", 0, true, true, "USER_R", true, "USER_P"}));

TEST_F(QXButtonTest, NewTextReloadsTheOwnPicturesByTheSameRule)
{
    HWND button = Make("ABSENT", 0);
    EXPECT_TRUE(SetWindowTextA(button, "SAVE;Enregistrer"));
    EXPECT_TRUE(SamePicture(Render(button), Own("SAVE_R")));
    SetWindowTextA(button, "LONE");
    SendMessageA(button, BM_SETCHECK, 1, 0);
    EXPECT_TRUE(SamePicture(Render(button), Own("LONE_R")));
    SetWindowTextA(button, "NOWHERE");
    EXPECT_TRUE(SamePicture(Render(button), Built("USER_P")));

    // The text names pictures and a tooltip; the window keeps the text it was made with.
    char text[32] = {};
    GetWindowTextA(button, text, sizeof text);
    EXPECT_STREQ(text, "ABSENT");
}

TEST_F(QXButtonTest, NewTextLeavesABuiltInPictureAlone)
{
    HWND button = Make("", QXBS_FOLDER);
    SetWindowTextA(button, "SAVE");
    EXPECT_TRUE(SamePicture(Render(button), Built("FOLDER_R")));
}

TEST_F(QXButtonTest, PictureIsCutToASmallerButtonAndLeavesTheRestOfALargerOneAlone)
{
    HWND small = Make("SAVE", 0, 16);
    const Picture save = Own("SAVE_R");
    EXPECT_TRUE(SamePicture(Render(small), Crop(save, 16, 16)));

    HWND large = Make("SAVE", 0, 48);
    const Picture drawn = Render(large);
    EXPECT_TRUE(SamePicture(Crop(drawn, 32, 32), save));
    int untouched = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x)
            untouched += (x >= 32 || y >= 32) && drawn.At(x, y) == Sentinel;
    EXPECT_EQ(untouched, 48 * 48 - 32 * 32);
}

TEST_F(QXButtonTest, DisabledButtonIsCheckeredLightGrey)
{
    HWND button = Make("", QXBS_FOLDER | WS_DISABLED);
    EXPECT_TRUE(SamePicture(Render(button), Greyed(Built("FOLDER_R"))));
    SendMessageA(button, BM_SETCHECK, 1, 0);
    EXPECT_TRUE(SamePicture(Render(button), Greyed(Built("FOLDER_P"))));
    EnableWindow(button, TRUE);
    EXPECT_TRUE(SamePicture(Render(button), Built("FOLDER_P")));
    EnableWindow(button, FALSE);
    EXPECT_TRUE(SamePicture(Render(button), Greyed(Built("FOLDER_P"))));
}

TEST_F(QXButtonTest, FocusRectangleIsDrawnTwoPixelsInOnlyWithATabStop)
{
    const Picture plain = Built("ADD_R");
    HWND stop = Make("", QXBS_ADD | WS_TABSTOP);
    EXPECT_TRUE(SamePicture(Render(stop), plain));
    SetFocus(stop);
    ASSERT_EQ(GetFocus(), stop);
    const Picture focused = Render(stop);
    int changed = 0, offTheRectangle = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (focused.At(x, y) != plain.At(x, y)) {
                ++changed;
                const bool onIt = (x == 2 || x == 29 || y == 2 || y == 29) && x >= 2 && x <= 29 && y >= 2 && y <= 29;
                offTheRectangle += !onIt;
            }
    EXPECT_GT(changed, 50);
    EXPECT_EQ(offTheRectangle, 0);
    SetFocus(parent_.Handle());
    EXPECT_TRUE(SamePicture(Render(stop), plain));

    HWND noStop = Make("", QXBS_ADD);
    SetFocus(noStop);
    ASSERT_EQ(GetFocus(), noStop);
    EXPECT_TRUE(SamePicture(Render(noStop), plain));
}

// ---------------------------------------------------------------------------------------
// Pressing

enum Event { Down, Up, Move, DoubleClick, SpaceDown, SpaceRepeat, SpaceUp, ReturnDown, ReturnUp, Disable, Enable };

struct Step {
    Event event;
    int x;
    int y;
    int checked;  // BM_GETCHECK afterwards
};

struct PressCase {
    const char* name;
    const char* text;
    DWORD style;
    std::vector<Step> steps;
    size_t commands;
};

void PrintTo(const PressCase& c, std::ostream* out) { *out << c.name; }

class QXButtonPress : public QXButtonTest, public testing::WithParamInterface<PressCase> {};

void Apply(HWND button, const Step& step)
{
    switch (step.event) {
    case Down: MouseDown(button, step.x, step.y); break;
    case Up: MouseUp(button, step.x, step.y); break;
    case Move: MouseMove(button, step.x, step.y); break;
    case DoubleClick: MouseDoubleClick(button, step.x, step.y); break;
    case SpaceDown: KeyDown(button, VK_SPACE); break;
    case SpaceRepeat: KeyDown(button, VK_SPACE, true); break;
    case SpaceUp: KeyUp(button, VK_SPACE); break;
    case ReturnDown: KeyDown(button, VK_RETURN); break;
    case ReturnUp: KeyUp(button, VK_RETURN); break;
    case Disable: EnableWindow(button, FALSE); break;
    case Enable: EnableWindow(button, TRUE); break;
    }
}

TEST_P(QXButtonPress, ChecksAndCommandsAsTheParentExpects)
{
    const PressCase& c = GetParam();
    HWND button = Make(c.text, c.style);
    for (size_t i = 0; i < c.steps.size(); ++i) {
        Apply(button, c.steps[i]);
        EXPECT_EQ(Checked(button), c.steps[i].checked) << "after step " << i;
    }
    Pump();
    const std::vector<Command>& commands = parent_.Commands();
    ASSERT_EQ(commands.size(), c.commands);
    for (const Command& command : commands) {
        EXPECT_EQ(command.wParam, MAKEWPARAM(ButtonId, BN_CLICKED));
        EXPECT_EQ(command.lParam, reinterpret_cast<LPARAM>(button));
    }
    EXPECT_EQ(GetCapture(), nullptr);
}

constexpr int In = 5, Out = 50;

INSTANTIATE_TEST_SUITE_P(
    Cases, QXButtonPress,
    testing::Values(
        PressCase{"PushClick", "", 0, {{Down, In, In, 1}, {Up, In, In, 0}}, 1},
        PressCase{"PushReleasedOutside", "", 0, {{Down, In, In, 1}, {Up, Out, In, 0}}, 0},
        PressCase{"PushReleasedLeftOfIt", "", 0, {{Down, In, In, 1}, {Move, -3, In, 0}, {Up, -3, In, 0}}, 0},
        PressCase{"PushDraggedOutAndBack", "", 0,
                  {{Down, In, In, 1}, {Move, Out, In, 0}, {Move, In, In, 1}, {Up, In, In, 0}}, 1},
        PressCase{"PushDoubleClicked", "", 0,
                  {{Down, In, In, 1}, {Up, In, In, 0}, {DoubleClick, In, In, 1}, {Up, In, In, 0}}, 2},
        PressCase{"ToggleTwice", "", QXBS_TOGGLE,
                  {{Down, In, In, 1}, {Up, In, In, 1}, {Down, In, In, 0}, {Up, In, In, 0}}, 2},
        PressCase{"ToggleReleasedOutside", "", QXBS_TOGGLE,
                  {{Down, In, In, 1}, {Move, Out, Out, 0}, {Up, Out, Out, 0}}, 0},
        PressCase{"ToggleDraggedOutAndBack", "", QXBS_TOGGLE,
                  {{Down, In, In, 1}, {Move, Out, Out, 0}, {Move, In, In, 1}, {Up, In, In, 1}}, 1},
        PressCase{"ToggleDoubleClicked", "", QXBS_TOGGLE,
                  {{Down, In, In, 1}, {Up, In, In, 1}, {DoubleClick, In, In, 0}, {Up, In, In, 0}}, 2},
        PressCase{"DisabledTakesNothing", "", WS_DISABLED, {{Down, In, In, 0}, {Up, In, In, 0}}, 0},
        PressCase{"DisabledThenEnabled", "", 0,
                  {{Disable, 0, 0, 0}, {Down, In, In, 0}, {Up, In, In, 0}, {Enable, 0, 0, 0}, {Down, In, In, 1},
                   {Up, In, In, 0}},
                  1},
        PressCase{"SpaceBar", "", 0, {{SpaceDown, 0, 0, 1}, {SpaceUp, 0, 0, 0}}, 1},
        PressCase{"SpaceBarHeldIsOnePress", "", QXBS_TOGGLE,
                  {{SpaceDown, 0, 0, 1}, {SpaceRepeat, 0, 0, 1}, {SpaceRepeat, 0, 0, 1}, {SpaceUp, 0, 0, 1}}, 1},
        PressCase{"SpaceBarReleasedAlone", "", 0, {{SpaceUp, 0, 0, 0}}, 0},
        PressCase{"SpaceBarWhileDisabled", "", WS_DISABLED, {{SpaceDown, 0, 0, 0}, {SpaceUp, 0, 0, 0}}, 0},
        PressCase{"OtherKeysDoNothing", "", 0, {{ReturnDown, 0, 0, 0}, {ReturnUp, 0, 0, 0}}, 0},
        PressCase{"HoveringATooltipToggleChangesNothing", "SAVE;Bulle", QXBS_TOGGLE | QXBS_TOOLTIP,
                  {{Move, In, In, 0}, {Move, Out, Out, 0}}, 0},
        PressCase{"HoveringATooltipPushButtonChangesNothing", "SAVE;Bulle", QXBS_TOOLTIP,
                  {{Move, In, In, 0}, {Move, Out, Out, 0}, {Down, In, In, 1}, {Up, In, In, 0}}, 1}),
    [](const testing::TestParamInfo<PressCase>& info) { return std::string(info.param.name); });

TEST_F(QXButtonTest, PressTakesFocusAndCaptureAndReleaseGivesTheCaptureBack)
{
    HWND button = Make("", QXBS_FOLDER);
    MouseDown(button, In, In);
    EXPECT_EQ(GetFocus(), button);
    EXPECT_EQ(GetCapture(), button);
    EXPECT_TRUE(SamePicture(Render(button), Built("FOLDER_P")));
    MouseUp(button, In, In);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(SamePicture(Render(button), Built("FOLDER_R")));
}

TEST_F(QXButtonTest, SettingTheCheckRedrawsOnlyOnAChange)
{
    HWND button = Make("", QXBS_STOP);
    UpdateWindow(button);
    SendMessageA(button, BM_SETCHECK, 0, 0);
    RECT update{};
    EXPECT_FALSE(GetUpdateRect(button, &update, FALSE));
    SendMessageA(button, BM_SETCHECK, 1, 0);
    EXPECT_TRUE(GetUpdateRect(button, &update, FALSE));
    EXPECT_EQ(Checked(button), 1);
}

// ---------------------------------------------------------------------------------------
// Tooltip

TEST_F(QXButtonTest, TooltipShowsTheTextAfterTheFirstSemicolonWhileThePointerIsOver)
{
    HWND button = Make("SAVE;Enregistrer la page;suite", QXBS_TOOLTIP);
    MouseMove(button, In, In);
    HWND popup = ShownTooltip();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(WidthOf(popup), TooltipWidth("Enregistrer la page;suite"));
    EXPECT_EQ(GetCapture(), button);
    MouseMove(button, 20, 20);
    EXPECT_EQ(ShownTooltip(), popup);
    MouseMove(button, Out, In);
    EXPECT_EQ(ShownTooltip(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
}

struct NoTooltipCase {
    const char* text;
    DWORD style;
};

void PrintTo(const NoTooltipCase& c, std::ostream* out) { *out << '"' << c.text << "\" style 0x" << std::hex << c.style; }

class QXButtonNoTooltip : public QXButtonTest, public testing::WithParamInterface<NoTooltipCase> {};

TEST_P(QXButtonNoTooltip, ShowsNothingAndLeavesTheMouseFree)
{
    HWND button = Make(GetParam().text, GetParam().style);
    MouseMove(button, In, In);
    EXPECT_EQ(ShownTooltip(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Cases, QXButtonNoTooltip,
                         testing::Values(NoTooltipCase{"SAVE;Bulle", 0},            // no tooltip style
                                         NoTooltipCase{"SAVE", QXBS_TOOLTIP},       // no ';'
                                         NoTooltipCase{"SAVE;", QXBS_TOOLTIP}));    // nothing after it

TEST_F(QXButtonTest, PressHidesTheTooltipAndNoneShowsUntilTheRelease)
{
    HWND button = Make("SAVE;Bulle", QXBS_TOOLTIP);
    MouseMove(button, In, In);
    ASSERT_NE(ShownTooltip(), nullptr);
    MouseDown(button, In, In);
    EXPECT_EQ(ShownTooltip(), nullptr);
    MouseMove(button, 6, 6);
    EXPECT_EQ(ShownTooltip(), nullptr);
    EXPECT_EQ(GetCapture(), button);
    MouseUp(button, 6, 6);
    MouseMove(button, 7, 7);
    EXPECT_NE(ShownTooltip(), nullptr);
}

TEST_F(QXButtonTest, SpaceBarHeldKeepsTheTooltipAway)
{
    HWND button = Make("SAVE;Bulle", QXBS_TOOLTIP);
    KeyDown(button, VK_SPACE);
    MouseMove(button, In, In);
    EXPECT_EQ(ShownTooltip(), nullptr);
    KeyUp(button, VK_SPACE);
    MouseMove(button, In, In);
    EXPECT_NE(ShownTooltip(), nullptr);
}

TEST_F(QXButtonTest, DisablingOrDestroyingHidesTheTooltip)
{
    HWND button = Make("SAVE;Bulle", QXBS_TOOLTIP);
    MouseMove(button, In, In);
    ASSERT_NE(ShownTooltip(), nullptr);
    EnableWindow(button, FALSE);
    EXPECT_EQ(ShownTooltip(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);

    HWND other = Make("SAVE;Bulle", QXBS_TOOLTIP);
    MouseMove(other, In, In);
    ASSERT_NE(ShownTooltip(), nullptr);
    DestroyWindow(other);
    EXPECT_EQ(ShownTooltip(), nullptr);
}

TEST_F(QXButtonTest, NewTextReplacesTheTooltipOnlyWhenItHoldsASemicolon)
{
    HWND button = Make("SAVE;Un", QXBS_TOOLTIP);
    SetWindowTextA(button, "SAVE;Deux mots");
    MouseMove(button, In, In);
    ASSERT_NE(ShownTooltip(), nullptr);
    EXPECT_EQ(WidthOf(ShownTooltip()), TooltipWidth("Deux mots"));
    MouseMove(button, Out, Out);
    SetWindowTextA(button, "LONE");
    MouseMove(button, In, In);
    ASSERT_NE(ShownTooltip(), nullptr);
    EXPECT_EQ(WidthOf(ShownTooltip()), TooltipWidth("Deux mots"));
    MouseMove(button, Out, Out);
}

// ---------------------------------------------------------------------------------------
// Dialog templates of other modules

INT_PTR CALLBACK PlainDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST(QXControlsInDialogs, TemplateOfAnotherModuleMakesWorkingControls)
{
    ParentWindow owner;
    HWND dialog = CreateDialogParamA(TestModule(), QXCONTROLS_TEST_DIALOG, owner.Handle(), PlainDialog, 0);
    ASSERT_NE(dialog, nullptr);

    HWND save = GetDlgItem(dialog, IDC_TEST_SAVE);
    EXPECT_EQ(ClassOf(save), "QXButton");
    RECT client{};
    GetClientRect(save, &client);
    ASSERT_GE(client.right, 32);
    ASSERT_GE(client.bottom, 32);
    Canvas canvas(client.right, client.bottom, Sentinel);
    EXPECT_TRUE(SamePicture(Crop(canvas.Render(save), 32, 32), Own("SAVE_R")));

    HWND folder = GetDlgItem(dialog, IDC_TEST_FOLDER);
    MouseDown(folder, In, In);
    MouseUp(folder, In, In);
    EXPECT_EQ(SendMessageA(folder, BM_GETCHECK, 0, 0), 1);
    EXPECT_TRUE(SamePicture(Crop(canvas.Render(folder), 32, 32), Built("FOLDER_P")));

    HWND file = GetDlgItem(dialog, IDC_TEST_FILENAME);
    EXPECT_EQ(ClassOf(file), "QXFileName");
    char text[64] = {};
    GetWindowTextA(file, text, sizeof text);
    EXPECT_STREQ(text, "C:\\DATA\\PAGE1.PAG");
    DestroyWindow(dialog);
}

}  // namespace
