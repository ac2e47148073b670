// The sound chooser: the outside template chooser is loaded for one choice and handed the
// kernel's preview pane "D_PLAYSOUND", whose hook asks the chooser for the file selected and
// plays it through MCI when the media server is not there, and stops it on request, on OK
// and Cancel, when the selection moves, when it ends and with the pane.
#include "kerneltest.h"

#include "authoring.h"
#include "dialog_answerer.h"
#include "media_samples.h"
#include "message_pump.h"
#include "pagedialog_res.h"
#include "qxwindowptr.h"
#include "scratch_dir.h"
#include "test_programs.h"
#include "qxtmpl_api.h"
#include "soundchooser.h"

#include <gtest/gtest.h>
#include <mmsystem.h>

#include <functional>
#include <string>
#include <thread>

namespace {

// The file the chooser's dialog says is selected.
std::string selectedFile;

LRESULT CALLBACK ChooserProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == RegisterWindowMessageA(QXTMPL_GETFILE_MSG)) {
        lstrcpynA(reinterpret_cast<char*>(lParam), selectedFile.c_str(), static_cast<int>(wParam));
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The chooser's dialog with the pane placed in it, as the template chooser shows them.
class ChooserWindows {
public:
    ChooserWindows()
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = ChooserProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "QxTestTemplateChooser";
        RegisterClassA(&windowClass);
        chooser = CreateWindowExA(0, "QxTestTemplateChooser", "Choisir un son", WS_POPUP, 0, 0, 400, 300, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
        pane = CreateDialogParamA(GetModuleHandleA("qxcore40.dll"), "D_PLAYSOUND", chooser, KernSoundTemplateHook, 0);
    }
    ~ChooserWindows() { DestroyWindow(chooser); }
    ChooserWindows(const ChooserWindows&) = delete;
    ChooserWindows& operator=(const ChooserWindows&) = delete;

    // The MCI device of the preview, 0 for none.
    MCIDEVICEID Device() const
    {
        return static_cast<MCIDEVICEID>(reinterpret_cast<UINT_PTR>(GetQORVEXpointer(pane)));
    }
    void Command(int id) const { SendMessageA(pane, WM_COMMAND, static_cast<WPARAM>(id), 0); }
    // The start button, with `file` the chooser's selection; the device the preview opened.
    MCIDEVICEID Start(const std::string& file) const
    {
        selectedFile = file;
        Command(IDC_PLAYSOUND_START);
        return Device();
    }

    HWND chooser = nullptr;
    HWND pane = nullptr;
};

bool DeviceOpen(MCIDEVICEID device)
{
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_MODE;
    return device && mciSendCommandA(device, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT,
                                     reinterpret_cast<DWORD_PTR>(&status)) == 0;
}

void* MediaOf(HWND pane) { return GetPropA(pane, "QXQuickTime"); }

// Previews through MCI: the media server is unregistered meanwhile, as on a machine without it;
// the registration that the other tests share is written back afterwards.
class SoundPreview : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_GT(waveOutGetNumDevs(), 0u) << "no wave device: the tests run with ALSA's null device";
        ASSERT_EQ(0u, RunMediaServer("/UNREGSERVER"));
        scratch.Write("long.wav", WaveFile(20000));
        scratch.Write("short.wav", WaveFile(100));
    }
    void TearDown() override { EXPECT_EQ(0u, RunMediaServer("/REGSERVER")); }

    ScratchDir scratch;
};

TEST_F(SoundPreview, StartPlaysTheSelectedFileUntilItIsStopped)
{
    struct Case {
        const char* what;
        std::function<void(ChooserWindows&)> stop;
    };
    const UINT itemChanged = RegisterWindowMessageA(QXTMPL_ITEMCHANGED_MSG);
    const Case cases[] = {
        {"the stop button", [](ChooserWindows& w) { w.Command(IDC_PLAYSOUND_STOP); }},
        {"OK", [](ChooserWindows& w) { w.Command(IDOK); }},
        {"Cancel", [](ChooserWindows& w) { w.Command(IDCANCEL); }},
        {"another item selected", [&](ChooserWindows& w) { SendMessageA(w.pane, itemChanged, 0, 0); }},
    };
    for (const Case& c : cases) {
        ChooserWindows windows;
        ASSERT_NE(nullptr, windows.pane);
        const MCIDEVICEID device = windows.Start(scratch / "long.wav");
        ASSERT_TRUE(DeviceOpen(device)) << c.what;
        c.stop(windows);
        EXPECT_EQ(0u, windows.Device()) << c.what;
        EXPECT_FALSE(DeviceOpen(device)) << c.what;
    }
}

TEST_F(SoundPreview, TheAnswersToOkAndCancelLetTheChooserClose)
{
    ChooserWindows windows;
    EXPECT_EQ(0, KernSoundTemplateHook(windows.pane, WM_COMMAND, IDOK, 0));
    EXPECT_EQ(0, KernSoundTemplateHook(windows.pane, WM_COMMAND, IDCANCEL, 0));
    EXPECT_EQ(1, KernSoundTemplateHook(windows.pane, WM_COMMAND, IDC_PLAYSOUND_STOP, 0));
    EXPECT_EQ(0, KernSoundTemplateHook(windows.pane, WM_TIMER, 0, 0));
}

TEST_F(SoundPreview, ASecondStartReplacesTheSoundThatPlays)
{
    ChooserWindows windows;
    const MCIDEVICEID first = windows.Start(scratch / "long.wav");
    ASSERT_TRUE(DeviceOpen(first));
    windows.Command(IDC_PLAYSOUND_START);
    // The first device's notice of its abort does not stop the second.
    PumpFor(300);
    EXPECT_TRUE(DeviceOpen(windows.Device()));
    EXPECT_EQ(1, OpenMciDevices());
    windows.Command(IDC_PLAYSOUND_STOP);
    EXPECT_EQ(0, OpenMciDevices());
}

TEST_F(SoundPreview, TheEndOfPlayClosesTheDevice)
{
    ChooserWindows windows;
    const MCIDEVICEID device = windows.Start(scratch / "short.wav");
    ASSERT_TRUE(DeviceOpen(device));
    PumpUntil([&] { return windows.Device() == 0; }, 5000);
    EXPECT_EQ(0u, windows.Device());
    EXPECT_FALSE(DeviceOpen(device));
    EXPECT_NE(nullptr, GetModuleHandleA("mciwave.dll")) << "the driver outlives the device, for its play thread";
}

TEST_F(SoundPreview, ThePaneGoingStopsThePreview)
{
    MCIDEVICEID device = 0;
    {
        ChooserWindows windows;
        device = windows.Start(scratch / "long.wav");
        ASSERT_TRUE(DeviceOpen(device));
    }
    EXPECT_FALSE(DeviceOpen(device));
}

TEST_F(SoundPreview, NothingPlaysWithoutASelectedFile)
{
    struct Case {
        const char* what;
        std::string file;
    };
    const Case cases[] = {{"no selection", ""}, {"a file that is no sound", scratch / "missing.wav"}};
    for (const Case& c : cases) {
        ChooserWindows windows;
        EXPECT_EQ(0u, windows.Start(c.file)) << c.what;
    }
}

// Previews through the media server, which COM reaches from a thread of its own.
class MediaServerPreview : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(0u, RunMediaServer("/REGSERVER"));
        scratch.Write("long.wav", WaveFile(20000));
        scratch.Write("short.wav", WaveFile(100));
    }

    ScratchDir scratch;
};

TEST_F(MediaServerPreview, TwoStartsPlayThroughOneMediaObject)
{
    std::thread([this] {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        {
            ChooserWindows windows;
            windows.Start(scratch / "long.wav");
            void* media = MediaOf(windows.pane);
            EXPECT_NE(nullptr, media);
            EXPECT_EQ(0u, windows.Device());
            windows.Command(IDC_PLAYSOUND_START);
            EXPECT_EQ(media, MediaOf(windows.pane));
            windows.Command(IDC_PLAYSOUND_STOP);
            EXPECT_EQ(nullptr, MediaOf(windows.pane));

            // The server tells the pane when the sound has played.
            windows.Start(scratch / "short.wav");
            EXPECT_NE(nullptr, MediaOf(windows.pane));
            PumpUntil([&] { return MediaOf(windows.pane) == nullptr; }, 5000);
            EXPECT_EQ(nullptr, MediaOf(windows.pane));
        }
        CoUninitialize();
    }).join();
}

// The choice through the stand-in template chooser beside the test program, over a library
// of sound templates in a scratch folder.
class SoundChoice : public testing::Test {
protected:
    void SetUp() override
    {
        library.Write("Sound\\cloche.wav", WaveFile(100));
        library.Write("Sound\\gong.wav", WaveFile(100));
        SetEnvironmentVariableA(QXTMPL_LIBRARY_VARIABLE, library.Path().c_str());
        kernel.Show("C:\\publication\\pages\\accueil.pag");
    }
    void TearDown() override { SetEnvironmentVariableA(QXTMPL_LIBRARY_VARIABLE, nullptr); }

    ScratchDir library;
    TestKernel kernel;
};

// The preview pane "D_PLAYSOUND" inside the chooser's dialog, null when it is not there.
HWND PreviewPane(HWND chooser) { return QxtmplHookHolding(chooser, IDC_PLAYSOUND_START, IDC_PLAYSOUND_STOP); }

TEST_F(SoundChoice, TheSoundPickedComesBackAndThePreviewPaneSitsInTheChooser)
{
    bool paneShown = false;
    const DialogAnswerer answerer([&](HWND chooser) {
        paneShown = PreviewPane(chooser) != nullptr;
        EXPECT_TRUE(QxtmplSelectTemplate(chooser, "gong.wav"));
        return IDOK;
    });
    char result[500] = "";
    EXPECT_EQ(1, KernChooseSoundTemplate(nullptr, kernel, result));
    EXPECT_EQ(library / "Sound\\gong.wav", result);
    EXPECT_TRUE(paneShown);
}

TEST_F(SoundChoice, NoChoiceLeavesTheResultAlone)
{
    struct Case {
        const char* what;
        const char* picked;  // null: nothing picked
        int command;
    };
    const Case cases[] = {
        {"the chooser cancelled", "gong.wav", IDCANCEL},
        {"no template confirmed", nullptr, IDOK},
    };
    for (const Case& c : cases) {
        const DialogAnswerer answerer([&](HWND chooser) {
            if (c.picked)
                QxtmplSelectTemplate(chooser, c.picked);
            return c.command;
        });
        char result[500] = "avant";
        EXPECT_EQ(0, KernChooseSoundTemplate(nullptr, kernel, result)) << c.what;
        EXPECT_STREQ("avant", result) << c.what;
    }
    char result[500] = "avant";
    EXPECT_EQ(0, KernChooseSoundTemplate(nullptr, nullptr, result));
    EXPECT_EQ(0, KernChooseSoundTemplate(nullptr, kernel, nullptr));
}

}  // namespace
