// The media preview of the module's dialogs, driven by the preview pane's events: a FLIC fitted
// into its rectangle with its aspect kept (or the rectangle kept), a name in other letters not
// opened again, play and stop, painting; a film played through MCI.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include "flic_player.h"
#include "flictest.h"
#include "media_preview.h"
#include "message_pump.h"
#include "qxbmp.h"
#include "qxpreview.h"
#include "test_programs.h"
#include "test_window.h"

#include <algorithm>
#include <cctype>

namespace {

class MediaPreviewTest : public testing::Test {
protected:
    static void SetUpTestSuite() { RegisterFlicPlayerClass(GetModuleHandleA(nullptr)); }
    static void TearDownTestSuite() { UnregisterFlicPlayerClass(); }
    void SetUp() override { pane_ = CreateTestWindow("PreviewPane", DefWindowProcA, WS_POPUP, nullptr, 140, 120); }
    void TearDown() override { DestroyWindow(pane_); }

    int Event(PREVIEWDATA& data, char event, const std::string& file, HANDLE handle = nullptr)
    {
        return MediaPreviewCallback(event, handle ? handle : pane_, &area_, file.c_str(), reinterpret_cast<LPARAM>(&data));
    }
    RECT PlayerPlace(const PREVIEWDATA& data) const
    {
        RECT place{};
        GetWindowRect(data.player->Window(), &place);
        MapWindowPoints(nullptr, pane_, reinterpret_cast<POINT*>(&place), 2);
        return place;
    }

    HWND pane_ = nullptr;
    RECT area_{10, 10, 110, 110};
};

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

}  // namespace

TEST_F(MediaPreviewTest, AFlicKeepsItsAspectUnlessTheRectangleIsKept)
{
    struct Case { int keepRect; RECT expected; };
    // ramp.flc is 13 x 7: fitted into 100 x 100 it is 100 x 54, centred.
    for (const Case& c : {Case{0, {10, 33, 110, 87}}, Case{1, {10, 10, 110, 110}}}) {
        SCOPED_TRACE(c.keepRect);
        PREVIEWDATA data;
        data.keepRect = c.keepRect;
        Event(data, QXPREVIEW_READY, FlicFixture("ramp.flc"));
        ASSERT_EQ(PREVIEW_FLIC, data.kind);
        EXPECT_EQ(pane_, data.window);
        const RECT place = PlayerPlace(data);
        EXPECT_EQ(c.expected.left, place.left);
        EXPECT_EQ(c.expected.top, place.top);
        EXPECT_EQ(c.expected.right, place.right);
        EXPECT_EQ(c.expected.bottom, place.bottom);
        EXPECT_EQ(25, data.speed);  // 40 ms a frame
    }
}

TEST_F(MediaPreviewTest, TheSameNameInOtherLettersIsNotOpenedAgain)
{
    PREVIEWDATA data;
    data.speed = 10;
    Event(data, QXPREVIEW_READY, FlicFixture("ramp.flc"));
    const HWND first = data.player->Window();
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(10, data.player->GetFrameRate());
    Event(data, QXPREVIEW_PAINT, Upper(FlicFixture("ramp.flc")), GetDC(pane_));
    EXPECT_EQ(first, data.player->Window());
    Event(data, QXPREVIEW_PAINT, FlicFixture("dots.fli"), GetDC(pane_));
    EXPECT_NE(first, data.player->Window());
    EXPECT_EQ(PREVIEW_FLIC, data.kind);
    Event(data, QXPREVIEW_PAINT, "", GetDC(pane_));
    EXPECT_EQ(PREVIEW_NOTHING, data.kind);
    EXPECT_FALSE(data.player->IsOpen());
}

TEST_F(MediaPreviewTest, PlayStopAndPaintOfAFlic)
{
    PREVIEWDATA data;
    data.notify = pane_;
    Event(data, QXPREVIEW_READY, FlicFixture("ramp.flc"));
    EXPECT_EQ(1, Event(data, QXPREVIEW_PLAY_PRESSED, FlicFixture("ramp.flc")));
    EXPECT_EQ(1, data.playing);
    EXPECT_TRUE(data.player->IsPlaying());
    // It stops by itself at its last frame.
    EXPECT_TRUE(PumpUntil([&] { return !data.player->IsPlaying(); }, 5000));
    EXPECT_EQ(data.player->Frames() - 1, data.player->Counter());
    Event(data, QXPREVIEW_PLAY_PRESSED, FlicFixture("ramp.flc"));
    EXPECT_EQ(1, Event(data, QXPREVIEW_STOP_PRESSED, FlicFixture("ramp.flc")));
    EXPECT_EQ(0, data.playing);
    EXPECT_FALSE(data.player->IsPlaying());

    // Painted into a DC: the frame shows in the fitted place, the rest untouched.
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, 140, 120);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    const RECT all{0, 0, 140, 120};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    data.player->Rewind();
    EXPECT_EQ(1, Event(data, QXPREVIEW_PAINT, FlicFixture("ramp.flc"), memory));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(memory, 5, 5));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(memory, 60, 20));
    std::vector<COLORREF> inside;
    for (int x = 10; x < 110; x += 8)
        inside.push_back(GetPixel(memory, x, 60));
    std::sort(inside.begin(), inside.end());
    EXPECT_LT(3, std::unique(inside.begin(), inside.end()) - inside.begin());
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

TEST_F(MediaPreviewTest, AFilmPlaysThroughMci)
{
    const std::string film = TestProgramFolder() + "films\\real-g1.avi";
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(film.c_str()));
    PREVIEWDATA data;
    Event(data, QXPREVIEW_READY, film);
    ASSERT_EQ(PREVIEW_MEDIA, data.kind);
    // This thread has no COM: the film opens through MCI.
    EXPECT_EQ(nullptr, data.media);
    EXPECT_NE(0u, data.mciDevice);
    EXPECT_EQ(1, Event(data, QXPREVIEW_PLAY_PRESSED, film));
    EXPECT_EQ(1, data.playing);
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_MODE;
    mciSendCommandA(data.mciDevice, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&status));
    EXPECT_EQ(static_cast<DWORD_PTR>(MCI_MODE_PLAY), status.dwReturn);
    EXPECT_EQ(1, Event(data, QXPREVIEW_STOP_PRESSED, film));
    mciSendCommandA(data.mciDevice, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&status));
    EXPECT_NE(static_cast<DWORD_PTR>(MCI_MODE_PLAY), status.dwReturn);
}
