// The editor on a real screen (run by on_screen.sh under a virtual X display): a transparent
// text typed over a green page with its palette beside it and its tab rulers, the branch dialog with its styles
// shown, the font dialog with its note and the text properties dialog, each read back from
// the screen, saved as "editor-<name>.png" in the build folder and checked where a check is
// sure. Skipped where the screen cannot be read.
#include "edit_window_fixture.h"

#include "dialogsres.h"
#include "editwindow_res.h"
#include "message_pump.h"
#include "tabruler.h"
#include "test_canvas.h"

#include <algorithm>
#include <memory>

namespace {

bool ScreenReadable()
{
    HDC desktop = GetDC(nullptr);
    const bool readable = GetPixel(desktop, 0, 0) != CLR_INVALID;
    ReleaseDC(nullptr, desktop);
    return readable;
}

// The screen's rectangle, once the windows have reached it.
std::unique_ptr<TestCanvas> Photograph(const RECT& place, const std::string& name)
{
    PumpUntil([] { return false; }, 800);
    auto canvas = std::make_unique<TestCanvas>(place.right - place.left, place.bottom - place.top);
    HDC screen = GetDC(nullptr);
    BitBlt(canvas->Dc(), 0, 0, canvas->Width(), canvas->Height(), screen, place.left, place.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    const std::wstring file = L"..\\editor-" + std::wstring(name.begin(), name.end()) + L".png";
    EXPECT_TRUE(canvas->SavePng(file.c_str())) << name;
    return canvas;
}

bool Varied(const TestCanvas& canvas)
{
    const auto pixels = canvas.Pixels();
    return std::count(pixels.begin(), pixels.end(), pixels.front()) < static_cast<long>(pixels.size());
}

RECT PlaceOf(HWND window)
{
    RECT place{};
    GetWindowRect(window, &place);
    return place;
}

// Pictures of a dialog of the editor, taken from a timer once it runs, then cancelled.
struct DIALOGSHOT {
    HWND dialog = nullptr;
    std::string name;
    int before = 0;  // a button clicked first, 0 for none
    bool varied = false;  // the picture is no flat colour
} g_shot;

void CALLBACK TakeDialogPicture(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (!IsWindow(g_shot.dialog))
        return;
    if (g_shot.before)
        Click(g_shot.dialog, g_shot.before);
    SetWindowPos(g_shot.dialog, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(g_shot.dialog);
    const auto canvas = Photograph(PlaceOf(g_shot.dialog), g_shot.name);
    g_shot.varied = Varied(*canvas);
    PostMessageA(g_shot.dialog, WM_COMMAND, IDCANCEL, 0);
}

int Shoot(HWND dialog, const std::string& name, int before = 0)
{
    g_shot = DIALOGSHOT{dialog, name, before, false};
    SetTimer(nullptr, 0, 1, TakeDialogPicture);
    return 0;
}

}  // namespace

TEST_F(EditWindow, OnScreenTheEditorWithItsPaletteAndDialogs)
{
    if (!ScreenReadable())
        GTEST_SKIP() << "the screen cannot be read under this display driver";
    host_.pub.Write("c.pag", PageFile({ObjectRecord("QXSHEET.DLL", 1, "page", NoBranch(), PageBlock("C", 0, 128, 0)),
                                       ObjectRecord("QXTEXT.DLL", 0, "texte", NoBranch(),
                                                    {"TEXTE {", "20.00     20.00     300.00    120.00", "NULL",
                                                     "1       0       0       0", "100.00", "255     255     255     0",
                                                     "TXBRMSG [", "]", "}"})}));
    SetWindowPos(host_.host, HWND_TOP, 0, 0, 700, 520, SWP_SHOWWINDOW);
    ASSERT_EQ(1, host_.Go("c.pag"));
    COLORREF behind = 0, inTab = 0;
    int ink = 0, ticks = 0;
    bool paletteVaried = false;
    std::vector<std::string> dialogs;
    Edit(
        host_,
        [&](HWND frame, HWND edit, HWND tools) {
            // The dialog's own loop shows the frame once idle; the script runs before.
            ShowWindow(frame, SW_SHOWNA);
            UpdateWindow(frame);
            Type(edit, "Bonjour");
            Key(edit, VK_TAB);
            Type(edit, "le monde");
            Select(edit, 0, 7);
            Click(tools, CMD_BOLD);
            Select(edit, 16, 16);
            // The rulers shown by their flag, with a stop of the paragraph on them.
            Click(tools, CMD_TABS);
            RECT control = PlaceOf(edit), palette = PlaceOf(tools), frameRect = PlaceOf(frame);
            const RECT ruler = PlaceOf(FindWindowExA(frame, nullptr, QX_TABRULER_CLASS, nullptr));
            RECT all{};
            UnionRect(&all, &frameRect, &palette);
            const auto shot = Photograph(all, "window");
            // The top ruler's grid: a tick every 25 pixels, across the row below its middle.
            for (int x = ruler.left + 1; x < ruler.right - 1; ++x)
                ticks += shot->Pixel(x - all.left, ruler.top + 1 + 4 - all.top) == RGB(0, 0, 0);
            // Below the text and in the gap of its tab the page shows through, also after the
            // bold and the tabs dialog; the first line has ink.
            behind = shot->Pixel(control.right - 20 - all.left, control.bottom - 20 - all.top);
            inTab = shot->Pixel(control.left + 85 - all.left, control.top + 8 - all.top);
            for (int y = control.top - all.top; y < control.top - all.top + 20; ++y)
                for (int x = control.left - all.left; x < control.left - all.left + 100; ++x)
                    ink += (shot->Pixel(x, y) & 0xFF) < 0x40 && (shot->Pixel(x, y) >> 8 & 0xFF) < 0x40;
            paletteVaried = Varied(*Photograph(palette, "palette"));
            Select(edit, 8, 16);
            Click(tools, CMD_BRANCH);
            dialogs.push_back(g_shot.varied ? g_shot.name : "");
            Click(tools, CMD_FONT);
            dialogs.push_back(g_shot.varied ? g_shot.name : "");
            Click(tools, CMD_PROPERTIES);
            dialogs.push_back(g_shot.varied ? g_shot.name : "");
            Click(tools, CMD_CANCEL);
        },
        [&](HWND dialog) {
            // The dialogs share control numbers: their captions tell them apart.
            const std::string caption = WindowText(dialog);
            if (caption == "Branchement")
                return Shoot(dialog, "branch", IDC_BRANCH_SHOW_STYLES);
            if (caption == "Police")
                return Shoot(dialog, "font");
            if (caption == "Tabulations") {
                SetText(dialog, IDC_TABS_POSITION, "100");
                Click(dialog, IDC_TABS_DEFINE);
                SetCheck(dialog, IDC_TABS_SHOW_RULER, true);
                return IDOK;
            }
            if (GetDlgItem(dialog, IDC_PROP_KEEP))
                return Shoot(dialog, "properties");
            return GetDlgItem(dialog, IDNO) ? IDNO : IDOK;
        });
    EXPECT_EQ(RGB(0, 128, 0), behind);
    EXPECT_EQ(RGB(0, 128, 0), inTab);
    EXPECT_GT(ink, 20);
    EXPECT_GE(ticks, 10);
    EXPECT_TRUE(paletteVaried);
    EXPECT_EQ((std::vector<std::string>{"branch", "font", "properties"}), dialogs);
}
