// The FLIC player on real windows: the frame bitmap holds the encoded pictures and colours,
// a play is paced frame after frame to its end, a hidden player keeps pace, the drawing
// shows the palette's colours, the mouse is passed on.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "flic_player.h"
#include "flictest.h"
#include "message_pump.h"
#include "pacing_clock.h"
#include "qxbmp.h"
#include "scratch_dir.h"
#include "test_canvas.h"
#include "test_window.h"

namespace {

constexpr UINT FRAME_MESSAGE = WM_USER + 2;
constexpr UINT END_MESSAGE = 2024;

// What reached the notify window, with the frame the player held when a frame notice came.
struct Notice {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    FrameHashes frame;
};
std::vector<Notice> notices;
FlicPlayer* watched = nullptr;

LRESULT CALLBACK NotifyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == FRAME_MESSAGE || message == END_MESSAGE || (message >= WM_MOUSEMOVE && message <= WM_RBUTTONUP)) {
        notices.push_back({message, wParam, lParam, watched ? HashFrame(watched->Frame()) : FrameHashes()});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class FlicPlayerTest : public testing::Test {
protected:
    static void SetUpTestSuite() { RegisterFlicPlayerClass(GetModuleHandleA(nullptr)); }
    static void TearDownTestSuite() { UnregisterFlicPlayerClass(); }
    void SetUp() override
    {
        notices.clear();
        notify_ = CreateTestWindow("FlicNotify", NotifyProc, WS_POPUP, nullptr, 10, 10);
        parent_ = CreateTestWindow("FlicParent", DefWindowProcA, WS_POPUP, nullptr, 200, 200);
    }
    void TearDown() override
    {
        watched = nullptr;
        DestroyWindow(parent_);
        DestroyWindow(notify_);
    }
    // Opens a fixture on the parent window, told to notify as the animation object asks.
    void Open(FlicPlayer& player, const char* fixture)
    {
        ASSERT_EQ(FLIC_OPENED, player.Open(FlicFixture(fixture).c_str(), parent_, 0, 0));
        player.SetNotify(notify_, END_MESSAGE, 77);
        player.SetFrameMessage(FRAME_MESSAGE, MAKELONG(player.Frames() - 1, 0), 0);
        watched = &player;
    }
    bool Ended() const
    {
        for (const Notice& notice : notices)
            if (notice.message == FRAME_MESSAGE && notice.lParam == 0)
                return true;
        return false;
    }
    HWND notify_ = nullptr;
    HWND parent_ = nullptr;
};

TEST_F(FlicPlayerTest, StepsPutTheEncodedPicturesAndColoursIntoTheFrameBitmap)
{
    for (const char* file : {"ramp.flc", "prefixed.flc", "dots.fli"}) {
        FlicPlayer player;
        ASSERT_EQ(FLIC_OPENED, player.Open(FlicFixture(file).c_str(), FLIC_NO_WINDOW, 0, 0));
        EXPECT_EQ(nullptr, player.Window());
        const std::vector<ShownFrame> rows = ShownIn(file);
        for (size_t step = 0; step < rows.size(); ++step) {
            SCOPED_TRACE(std::string(file) + " step " + std::to_string(step));
            EXPECT_EQ(rows[step].counter, step == 0 ? player.Rewind() : player.NextFrame());
            const FrameHashes shown = HashFrame(player.Frame());
            EXPECT_EQ(rows[step].pixels, shown.pixels);
            EXPECT_EQ(rows[step].palette, shown.palette);
        }
        // Going to a frame and back shows what stepping there shows.
        EXPECT_EQ(3, player.GoToFrame(3));
        EXPECT_EQ(rows[3].pixels, HashFrame(player.Frame()).pixels);
        EXPECT_EQ(1, player.StepBackToFrame(1));
        EXPECT_EQ(rows[1].pixels, HashFrame(player.Frame()).pixels);
        EXPECT_EQ(rows[1].palette, HashFrame(player.Frame()).palette);
    }
}

TEST_F(FlicPlayerTest, APlayShowsEveryFrameInTurnThenTellsItsEndOnce)
{
    for (const char* file : {"ramp.flc", "dots.fli"}) {
        SCOPED_TRACE(file);
        notices.clear();
        FlicPlayer player;
        Open(player, file);
        ShowWindow(parent_, SW_SHOWNA);
        player.SetFrameRate(100);
        ASSERT_EQ(1, player.Play());
        ASSERT_TRUE(PumpUntil([&] { return !player.IsPlaying(); }, 5000));
        PumpFor(50);
        const std::vector<ShownFrame> rows = ShownIn(file);
        std::vector<Notice> frames, ends, last;
        for (const Notice& notice : notices) {
            if (notice.message == FRAME_MESSAGE && notice.lParam == 1)
                frames.push_back(notice);
            else if (notice.message == FRAME_MESSAGE)
                ends.push_back(notice);
            else if (notice.message == END_MESSAGE)
                last.push_back(notice);
        }
        ASSERT_EQ(static_cast<size_t>(player.Frames()), frames.size());
        for (size_t k = 0; k < frames.size(); ++k) {
            EXPECT_EQ(k, frames[k].wParam);
            EXPECT_EQ(rows[k].pixels, frames[k].frame.pixels) << k;
            EXPECT_EQ(rows[k].palette, frames[k].frame.palette) << k;
        }
        ASSERT_EQ(1u, ends.size());
        EXPECT_EQ(0u, ends[0].wParam);
        ASSERT_EQ(1u, last.size());
        EXPECT_EQ(77, last[0].lParam);
        EXPECT_EQ(player.Frames() - 1, player.Counter());
        EXPECT_EQ(0, FlicPlayerTable().InUse());
        ShowWindow(parent_, SW_HIDE);
    }
}

TEST_F(FlicPlayerTest, AHiddenPlayerKeepsPaceAndStillEnds)
{
    FlicPlayer player;
    Open(player, "ramp.flc");
    player.SetFrameRate(100);
    ASSERT_FALSE(IsWindowVisible(player.Window()));
    player.Play();
    EXPECT_TRUE(PumpUntil([&] { return Ended(); }, 5000));
    EXPECT_EQ(player.Frames() - 1, player.Counter());
}

TEST_F(FlicPlayerTest, WithoutANotifyWindowAPlayRunsOnThroughTheRingFrame)
{
    FlicPlayer player;
    ASSERT_EQ(FLIC_OPENED, player.Open(FlicFixture("ramp.flc").c_str(), parent_, 0, 0));
    player.SetFrameRate(200);
    player.Play();
    EXPECT_TRUE(PumpUntil([&] { return player.Loops() >= 2; }, 5000));
    EXPECT_TRUE(player.IsPlaying());
    player.Stop();
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_EQ(0, FlicPlayerTable().InUse());
}

TEST_F(FlicPlayerTest, DrawsThePaletteColoursAtTheFileSizeOrStretched)
{
    FlicPlayer player;
    ASSERT_EQ(FLIC_OPENED, player.Open(FlicFixture("ramp.flc").c_str(), FLIC_NO_WINDOW, 5, 3));
    const int width = player.Width(), height = player.Height();
    HGLOBAL dib = player.Frame()->CreateDIB();
    const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib));
    const auto* bits = reinterpret_cast<const uint8_t*>(header) + header->biSize + 256 * sizeof(RGBQUAD);
    auto expected = [&](int x, int line) {
        const FlicColour c = player.Palette()[bits[FlicCanvas::Stride(width) * (height - line - 1) + x]];
        return RGB(c.red, c.green, c.blue);
    };
    TestCanvas canvas(3 * width + 10, 3 * height + 10, RGB(1, 2, 3));
    player.Draw(canvas.Dc(), false);
    for (int line = 0; line < height; ++line)
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(expected(x, line), canvas.Pixel(5 + x, 3 + line)) << x << "," << line;
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(5 + width, 3));
    canvas.Fill(RGB(1, 2, 3));
    player.SetStretch(true);
    player.Place(0, 0, 2 * width, 2 * height);
    player.Draw(canvas.Dc(), false);
    for (int line = 0; line < height; ++line)
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(expected(x, line), canvas.Pixel(2 * x + 1, 2 * line + 1)) << x << "," << line;
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(2 * width, 0));
    GlobalUnlock(dib);
    GlobalFree(dib);
}

TEST_F(FlicPlayerTest, TheMouseIsPassedToTheNotifyWindow)
{
    FlicPlayer player;
    Open(player, "ramp.flc");
    SendMessageA(player.Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
    SendMessageA(player.Window(), WM_KEYDOWN, 'A', 0);
    PumpFor(20);
    ASSERT_EQ(1u, notices.size());
    EXPECT_EQ(static_cast<UINT>(WM_LBUTTONDOWN), notices[0].message);
    EXPECT_EQ(MAKELPARAM(3, 4), notices[0].lParam);
}

TEST_F(FlicPlayerTest, AFileThatIsNoFlicLeavesNoFileAndNoWindow)
{
    ScratchDir scratch("flicplayer");
    scratch.Write("text.flc", std::string(300, 'x'));
    FlicPlayer player;
    EXPECT_EQ(FLIC_BAD_MAGIC, player.Open((scratch / "text.flc").c_str(), parent_, 0, 0));
    EXPECT_FALSE(player.IsOpen());
    EXPECT_EQ(nullptr, player.Window());
    EXPECT_EQ(nullptr, GetWindow(parent_, GW_CHILD));
    EXPECT_EQ(-1, player.NextFrame());
    EXPECT_EQ(FLIC_OPEN_FAILED, player.Open((scratch / "none.flc").c_str(), parent_, 0, 0));
}

}  // namespace

namespace {

// figlet's control files carry the suffix ".flc" too.
TEST_F(FlicPlayerTest, FigletControlFilesAreNoFlics)
{
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA("Z:\\usr\\share\\figlet\\*.flc", &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, search) << "the figlet package is missing";
    int files = 0;
    do {
        FlicPlayer player;
        const std::string path = std::string("Z:\\usr\\share\\figlet\\") + found.cFileName;
        // One of them is shorter than a FLIC header.
        const int expected = found.nFileSizeLow < FLIC_HEADER_SIZE ? FLIC_BAD_HEADER : FLIC_BAD_MAGIC;
        EXPECT_EQ(expected, player.Open(path.c_str(), parent_, 0, 0)) << path;
        EXPECT_EQ(nullptr, player.Window());
        ++files;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    EXPECT_LT(10, files);
}

}  // namespace
