// The media preview: movies and sounds through MCI (one device at a time, closed when
// another file comes, when a play ends and when the preview ends), play and stop, the MCI
// window's notices, and movie frames drawn by the stand-in media server.
#include "preview_test_support.h"
#include "media_samples.h"
#include "message_pump.h"
#include "scratch_dir.h"
#include "test_programs.h"

#include <mmsystem.h>

#include <functional>
#include <thread>

using namespace preview_test;

namespace {

// The media preview through MCI: on a thread without COM, where no media-server object can be
// made.
void WithoutMediaServer(const std::function<void()>& test)
{
    std::thread thread(test);
    thread.join();
}

std::string DeviceFile(UINT device)
{
    char name[QX_NAME_BUFFER] = {};
    MCI_INFO_PARMSA info{};
    info.lpstrReturn = name;
    info.dwRetSize = sizeof name;
    mciSendCommandA(device, MCI_INFO, MCI_INFO_FILE | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&info));
    return name;
}

}  // namespace

using PreviewMedia = PreviewTest;

TEST_F(PreviewMedia, AMovieOpenOnAnotherFileIsClosedFirst)
{
    WithoutMediaServer([] {
        ScratchDir dir;
        dir.Write("first.avi", AviFile(32, 24, 10, {Red}));
        dir.Write("second.avi", AviFile(32, 24, 10, {Blue}));
        dir.Write("noextension", AviFile(32, 24, 10, {Blue}));
        struct Case {
            const char* what;
            std::string second;
            bool reopened;
            std::string shown;  // the file of the device open at the end, "" for none
        };
        const Case cases[] = {
            {"another movie", dir / "second.avi", true, dir / "second.avi"},
            {"the same movie named in capitals", dir / "FIRST.AVI", false, dir / "first.avi"},
            {"a name without extension", dir / "noextension", false, dir / "first.avi"},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            const int before = OpenMciDevices();
            {
                HostDialog dialog;
                RECT rect{0, 0, 200, 100};
                QXPREVIEW preview(dialog.Window(), QXPREVIEW_IMAGE | QXPREVIEW_PLAY | QXPREVIEW_STOP,
                                  QXPREVIEW_AT_RECT, &rect, nullptr, 0);
                preview.SetFilename((dir / "first.avi").c_str());
                { const Rendered shown(preview.GetHwnd(QXPREVIEW_IMAGE)); }
                const UINT first = QXPREVIEW::wMCIDevId;
                ASSERT_NE(0u, first);
                EXPECT_EQ(nullptr, QXPREVIEW::wqtDevId);
                EXPECT_EQ(dir / "first.avi", DeviceFile(first));
                EXPECT_EQ(before + 1, OpenMciDevices());

                preview.SetFilename(c.second.c_str());
                { const Rendered shown(preview.GetHwnd(QXPREVIEW_IMAGE)); }
                EXPECT_EQ(before + 1, OpenMciDevices()) << "one media preview at a time";
                EXPECT_EQ(c.shown, DeviceFile(QXPREVIEW::wMCIDevId));
                if (!c.reopened) {
                    EXPECT_EQ(first, QXPREVIEW::wMCIDevId);
                }
                EXPECT_EQ(1, preview.DoCallback(QXPREVIEW_END, nullptr, nullptr));
                EXPECT_EQ(0u, QXPREVIEW::wMCIDevId);
                EXPECT_EQ(before, OpenMciDevices());
            }
        }
    });
}

TEST_F(PreviewMedia, PlayAndStopDriveTheDevice)
{
    WithoutMediaServer([] {
        ScratchDir dir;
        dir.Write("tone.wav", WaveFile(5000));
        struct Case {
            const char* what;
            char flags;
            std::string file;
            bool paintFirst;    // a pane opens its media when it paints
            bool openAfterStop;
        };
        const Case cases[] = {
            {"sound in a pane: stop pauses", QXPREVIEW_IMAGE | QXPREVIEW_PLAY | QXPREVIEW_STOP, dir / "tone.wav", true,
             true},
            {"sound without a pane: stop closes", QXPREVIEW_PLAY | QXPREVIEW_STOP, dir / "tone.wav", false, false},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            HostDialog dialog;
            RECT rect{0, 0, 200, 100};
            QXPREVIEW preview(dialog.Window(), c.flags, QXPREVIEW_AT_RECT, &rect, nullptr, 0);
            preview.SetFilename(c.file.c_str());
            if (c.paintFirst) {
                const Rendered shown(preview.GetHwnd(QXPREVIEW_IMAGE));
            }
            EXPECT_EQ(1, preview.DoCallback(QXPREVIEW_PLAY_PRESSED, nullptr, nullptr));
            const UINT device = QXPREVIEW::wMCIDevId;
            ASSERT_NE(0u, device);
            EXPECT_EQ(c.file, DeviceFile(device));
            MCI_STATUS_PARMS status{};
            status.dwItem = MCI_STATUS_MODE;
            mciSendCommandA(device, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&status));
            EXPECT_EQ(static_cast<DWORD_PTR>(MCI_MODE_PLAY), status.dwReturn);
            EXPECT_EQ(1, preview.DoCallback(QXPREVIEW_STOP_PRESSED, nullptr, nullptr));
            EXPECT_EQ(c.openAfterStop ? device : 0u, QXPREVIEW::wMCIDevId);
            if (c.openAfterStop) {
                mciSendCommandA(device, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&status));
                EXPECT_EQ(static_cast<DWORD_PTR>(MCI_MODE_STOP), status.dwReturn);
            }
            PumpFor(100);  // the stopped play's notification changes nothing
            EXPECT_EQ(c.openAfterStop ? device : 0u, QXPREVIEW::wMCIDevId);
            preview.DoCallback(QXPREVIEW_END, nullptr, nullptr);
            EXPECT_EQ(0u, QXPREVIEW::wMCIDevId);
        }
    });
}

TEST_F(PreviewMedia, APlayedSoundClosesItsDeviceWhenItEnds)
{
    WithoutMediaServer([] {
        ScratchDir dir;
        dir.Write("tone.wav", WaveFile(300));
        HostDialog dialog;
        RECT rect{0, 0, 100, 30};
        QXPREVIEW preview(dialog.Window(), QXPREVIEW_PLAY | QXPREVIEW_STOP, QXPREVIEW_AT_RECT, &rect, nullptr, 0);
        preview.SetFilename((dir / "tone.wav").c_str());
        const int before = OpenMciDevices();
        EXPECT_EQ(1, preview.DoCallback(QXPREVIEW_PLAY_PRESSED, nullptr, nullptr));
        EXPECT_NE(0u, QXPREVIEW::wMCIDevId);
        EXPECT_EQ(before + 1, OpenMciDevices());
        PumpUntil([] { return QXPREVIEW::wMCIDevId == 0; }, 10000);
        EXPECT_EQ(0u, QXPREVIEW::wMCIDevId);
        EXPECT_EQ(before, OpenMciDevices());
    });
}

TEST_F(PreviewMedia, TheMciWindowEndsThePreviewOnItsDevicesNotices)
{
    WithoutMediaServer([] {
        ScratchDir dir;
        dir.Write("tone.wav", WaveFile(5000));
        struct Case {
            const char* what;
            WPARAM notice;
            bool ofTheDevice;
            bool closes;
        };
        const Case cases[] = {
            {"successful end", MCI_NOTIFY_SUCCESSFUL, true, true},
            {"failure", MCI_NOTIFY_FAILURE, true, true},
            {"superseded", MCI_NOTIFY_SUPERSEDED, true, true},
            {"aborted", MCI_NOTIFY_ABORTED, true, false},
            {"another device's end", MCI_NOTIFY_SUCCESSFUL, false, false},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            HostDialog dialog;
            RECT rect{0, 0, 100, 30};
            QXPREVIEW preview(dialog.Window(), QXPREVIEW_PLAY | QXPREVIEW_STOP, QXPREVIEW_AT_RECT, &rect, nullptr, 0);
            preview.SetFilename((dir / "tone.wav").c_str());
            preview.DoCallback(QXPREVIEW_PLAY_PRESSED, nullptr, nullptr);
            const UINT device = QXPREVIEW::wMCIDevId;
            ASSERT_NE(0u, device);
            ASSERT_TRUE(QXPREVIEW::hwndMCI);
            SendMessageA(QXPREVIEW::hwndMCI, MM_MCINOTIFY, c.notice, c.ofTheDevice ? device : device + 100);
            EXPECT_EQ(c.closes ? 0u : device, QXPREVIEW::wMCIDevId);
            preview.DoCallback(QXPREVIEW_END, nullptr, nullptr);
        }
        // The window's end closes what is still open.
        HostDialog dialog;
        RECT rect{0, 0, 100, 30};
        QXPREVIEW preview(dialog.Window(), QXPREVIEW_PLAY | QXPREVIEW_STOP, QXPREVIEW_AT_RECT, &rect, nullptr, 0);
        preview.SetFilename((dir / "tone.wav").c_str());
        preview.DoCallback(QXPREVIEW_PLAY_PRESSED, nullptr, nullptr);
        ASSERT_NE(0u, QXPREVIEW::wMCIDevId);
        DestroyWindow(QXPREVIEW::hwndMCI);
        EXPECT_EQ(0u, QXPREVIEW::wMCIDevId);
    });
}

namespace {

// The media preview through the media server: registered as the player registers it, and
// reached through COM on a thread of its own.
void WithMediaServer(const std::function<void()>& test)
{
    std::thread thread([&] {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (RunMediaServer("/REGSERVER") == 0)
            test();
        else
            ADD_FAILURE() << "QXQuickTime.exe /REGSERVER failed";
        CoUninitialize();
    });
    thread.join();
}

}  // namespace

TEST_F(PreviewMedia, AMovieFrameComesFromTheMediaServer)
{
    WithMediaServer([] {
        ScratchDir dir;
        dir.Write("red.avi", AviFile(32, 24, 10, {Red, Blue}));
        dir.Write("blue.avi", AviFile(32, 24, 10, {Blue, Red}));
        dir.Write("notes.txt", "not a movie");
        HostDialog dialog;
        RECT rect{0, 0, 204, 104};  // its picture area is (2,2)-(202,102)
        QXPREVIEW preview(dialog.Window(), QXPREVIEW_IMAGE | QXPREVIEW_PLAY | QXPREVIEW_STOP, QXPREVIEW_AT_RECT, &rect,
                          nullptr, 0);
        struct Case {
            const char* what;
            std::string file;
            bool open;
            COLORREF shown;
        };
        const Case cases[] = {
            {"first movie", dir / "red.avi", true, Red},
            {"another movie", dir / "blue.avi", true, Blue},
            {"a file that is no medium", dir / "notes.txt", false, White},
            {"the first movie again", dir / "red.avi", true, Red},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            preview.SetFilename(c.file.c_str());
            const Rendered shown(preview.GetHwnd(QXPREVIEW_IMAGE));
            EXPECT_EQ(c.open, QXPREVIEW::wqtDevId != nullptr);
            EXPECT_EQ(0u, QXPREVIEW::wMCIDevId) << "MCI is only the fallback";
            // The frame is stretched over the picture area; the border stays.
            for (POINT p : {POINT{3, 3}, POINT{101, 51}, POINT{199, 99}})
                EXPECT_EQ(c.shown, shown.canvas.Pixel(p.x, p.y)) << p.x << ',' << p.y;
            EXPECT_EQ(Grey, shown.canvas.Pixel(0, 50));
        }
        EXPECT_EQ(1, preview.DoCallback(QXPREVIEW_END, nullptr, nullptr));
        EXPECT_EQ(nullptr, QXPREVIEW::wqtDevId);
    });
}
