// The media-server clients against the stand-in server "QXQuickTime.exe" under Wine: the
// server is registered from the program folder, started by COM in its own process, and
// plays generated wave and AVI files; the tests check what reaches the client's window
// (end-of-play messages, repaints) and the pixels of the pictures drawn into DIB sections.
#include "qxmedia.h"
#include "qxstring.h"

#include "test_canvas.h"
#include "media_samples.h"
#include "message_pump.h"
#include "process_handles.h"
#include "scratch_dir.h"
#include "test_programs.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <functional>
#include <memory>
#include <string>

namespace {

constexpr long EndOfPlayEvent = 6;
constexpr UINT EndOfPlayMessage = WM_USER + 4;
constexpr int VideoWidth = 32, VideoHeight = 24, VideoRate = 10;
constexpr COLORREF Red = RGB(255, 0, 0), Green = RGB(0, 255, 0), Blue = RGB(0, 0, 255), White = RGB(255, 255, 255),
                   Black = RGB(0, 0, 0), Background = RGB(10, 20, 30);
constexpr int SoundMs = 3000;
// Ample for any play of the samples, even on a paced sound device.
constexpr DWORD EndTimeoutMs = 10000;

std::string ServerPath()
{
    return TestProgramFolder() + QX_MEDIA_SERVER_PROGRAM;
}

// Waits until no server process runs any more; false when one is still running at the end.
bool WaitForServerExit(DWORD timeoutMs)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    bool ended = true;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, QX_MEDIA_SERVER_PROGRAM) != 0)
            continue;
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID);
        if (process) {
            ended = ended && WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
            CloseHandle(process);
        }
    }
    CloseHandle(snapshot);
    return ended;
}

// The client's window: counts the end-of-play messages and the repaints it receives.
class OwnerWindow {
public:
    OwnerWindow()
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "QxMediaTestOwner";
        RegisterClassA(&windowClass);
        window_ = CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                                  nullptr, windowClass.hInstance, nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        PumpFor(50);
        ends_ = paints_ = 0;
    }
    ~OwnerWindow() { DestroyWindow(window_); }
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;

    HWND Handle() const { return window_; }
    int Ends() const { return ends_; }
    WPARAM LastEvent() const { return lastEvent_; }
    int Paints() const { return paints_; }
    bool WaitForEnds(int count) { return PumpUntil([&] { return ends_ >= count; }, EndTimeoutMs); }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* owner = reinterpret_cast<OwnerWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (owner && message == EndOfPlayMessage) {
            ++owner->ends_;
            owner->lastEvent_ = wParam;
            return 0;
        }
        if (owner && message == WM_PAINT) {
            PAINTSTRUCT paint;
            BeginPaint(window, &paint);
            EndPaint(window, &paint);
            ++owner->paints_;
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    HWND window_;
    int ends_ = 0;
    int paints_ = 0;
    WPARAM lastEvent_ = 0;
};

class Bstr {
public:
    explicit Bstr(const std::string& text) : value_(NewBSTR(text.c_str())) {}
    ~Bstr() { FreeBSTR(value_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    operator BSTR() const { return value_; }

private:
    BSTR value_;
};

std::string TextOf(BSTR text)
{
    char buffer[QX_NAME_BUFFER] = "";
    BSTRtoString(text, buffer);
    return buffer;
}

std::string ClassServerPath(const char* classId)
{
    const std::string key = std::string("CLSID\\") + classId + "\\LocalServer32";
    char value[MAX_PATH] = "";
    LONG size = sizeof value;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), value, &size) != ERROR_SUCCESS)
        return "";
    return value;
}

const char PlayerClass[] = "{666BA0D0-9944-11D3-9FE1-0040F6D49C4D}";
const char ModuleClass[] = "{687C6184-9B69-11D3-9FE3-0040F6D49C4D}";

// COM on the test thread and the server registered from the program folder, as the
// player registers it.
class MediaTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        registration = RunMediaServer("/REGSERVER");
    }
    static void TearDownTestSuite() { CoUninitialize(); }

    void SetUp() override { ASSERT_EQ(0u, registration) << "QXQuickTime.exe /REGSERVER"; }

    static DWORD registration;
};

DWORD MediaTest::registration = 0;

using MediaModule = MediaTest;

// A media-player client with a wave and an AVI file to play. The suite holds a module
// object throughout, as the player does, so one server process serves every test.
class MediaPlayer : public MediaTest {
protected:
    static void SetUpTestSuite()
    {
        MediaTest::SetUpTestSuite();
        module = new CMediaModule;
    }
    static void TearDownTestSuite()
    {
        delete module;
        module = nullptr;
        MediaTest::TearDownTestSuite();
    }

    void SetUp() override
    {
        MediaTest::SetUp();
        scratch.Write("tone.wav", WaveFile(SoundMs));
        scratch.Write("colours.avi", AviFile(VideoWidth, VideoHeight, VideoRate, {Red, Green, Blue, White}));
        media.reset(new CMedia);
        ASSERT_TRUE(media->Active());
        long result = 0;
        ASSERT_EQ(1, media->Init(owner.Handle(), &result));
        ASSERT_EQ(S_OK, media->SetCallbackMessage(EndOfPlayEvent, EndOfPlayMessage));
    }

    long OpenFile(const std::string& name)
    {
        long opened = 0;
        return media->Open(Bstr(scratch / name), &opened) == opened ? opened : -1;
    }

    int Playing()
    {
        int playing = 1;
        media->isPlaying(&playing);
        return playing;
    }

    COLORREF FramePixelAfter(HRESULT (CMedia::*move)())
    {
        (media.get()->*move)();
        TestCanvas canvas(64, 48, Background);
        media->DrawCurrentPosToDC(canvas.Dc(), 10, 10, VideoWidth, VideoHeight);
        EXPECT_EQ(Background, canvas.Pixel(5, 5)) << "outside the rectangle";
        return canvas.Pixel(20, 20);
    }

    static CMediaModule* module;
    ScratchDir scratch;
    OwnerWindow owner;
    std::unique_ptr<CMedia> media;
};

CMediaModule* MediaPlayer::module = nullptr;

TEST_F(MediaModule, StartsTheRuntimeAndAnswersInstalled)
{
    CMediaModule module;
    ASSERT_TRUE(module.Active());
    EXPECT_EQ(S_OK, module.Init());
    EXPECT_EQ(1, module.IsQuickTime4Install());
    EXPECT_EQ(S_OK, module.Exit());
}

TEST_F(MediaModule, RegistrationNamesTheServerForBothClasses)
{
    EXPECT_EQ(0, lstrcmpiA(ServerPath().c_str(), ClassServerPath(PlayerClass).c_str())) << ClassServerPath(PlayerClass);
    EXPECT_EQ(0, lstrcmpiA(ServerPath().c_str(), ClassServerPath(ModuleClass).c_str())) << ClassServerPath(ModuleClass);
    // The player checks the registration by loading the named file.
    HMODULE loaded = LoadLibraryA(ClassServerPath(ModuleClass).c_str());
    EXPECT_NE(nullptr, loaded);
    if (loaded)
        FreeLibrary(loaded);
}

TEST_F(MediaPlayer, OpensASoundAndTellsItsNameAndDuration)
{
    ASSERT_EQ(1, OpenFile("tone.wav"));
    BSTR name = nullptr;
    EXPECT_EQ(S_OK, media->get_Filename(&name));
    EXPECT_EQ(scratch / "tone.wav", TextOf(name));
    FreeBSTR(name);
    int active = 0;
    media->isActivate(&active);
    EXPECT_EQ(-1, active);
    long duration = 0;
    EXPECT_EQ(SoundMs, media->GetDuration(&duration));
    EXPECT_EQ(SoundMs, duration);
    long width = 1, height = 1;
    EXPECT_EQ(0, media->get_Width(&width));
    EXPECT_EQ(0, media->get_Height(&height));
    EXPECT_EQ(0, width);
    EXPECT_EQ(0, height);
}

TEST_F(MediaPlayer, DoesNotOpenAMissingFile)
{
    EXPECT_EQ(0, OpenFile("missing.wav"));
    int active = 1;
    media->isActivate(&active);
    EXPECT_EQ(0, active);
}

TEST_F(MediaPlayer, PostsTheCallbackMessageWhenASoundEnds)
{
    ASSERT_EQ(1, OpenFile("tone.wav"));
    EXPECT_EQ(S_OK, media->Play());
    EXPECT_EQ(-1, Playing());
    ASSERT_TRUE(owner.WaitForEnds(1));
    EXPECT_EQ(static_cast<WPARAM>(EndOfPlayEvent), owner.LastEvent());
    EXPECT_EQ(0, Playing());
}

TEST_F(MediaPlayer, HomeThenPlayPlaysAgainFromTheStart)
{
    ASSERT_EQ(1, OpenFile("tone.wav"));
    media->Play();
    ASSERT_TRUE(owner.WaitForEnds(1));
    media->Home();
    media->Play();
    EXPECT_EQ(-1, Playing());
    EXPECT_TRUE(owner.WaitForEnds(2));
}

TEST_F(MediaPlayer, AStoppedPlayIsNotReportedAsEnded)
{
    ASSERT_EQ(1, OpenFile("tone.wav"));
    media->Play();
    EXPECT_EQ(S_OK, media->Stop());
    EXPECT_EQ(0, Playing());
    PumpFor(2 * SoundMs / 3);
    EXPECT_EQ(0, owner.Ends());
}

TEST_F(MediaPlayer, ASoundShowsABlackPictureInItsRectangle)
{
    ASSERT_EQ(1, OpenFile("tone.wav"));
    TestCanvas canvas(16, 16, Background);
    // Without a rectangle there is no picture, and nothing is drawn.
    media->Update(canvas.Dc(), -1, -1);
    EXPECT_EQ(Background, canvas.Pixel(0, 0));
    media->SetXYWH(0, 0, 8, 8);
    media->Update(canvas.Dc(), -1, -1);
    EXPECT_EQ(Black, canvas.Pixel(4, 4));
    EXPECT_EQ(Background, canvas.Pixel(8, 8));
}

TEST_F(MediaPlayer, TellsTheSizeAndDurationOfAVideo)
{
    ASSERT_EQ(1, OpenFile("colours.avi"));
    long width = 0, height = 0, duration = 0;
    EXPECT_EQ(VideoWidth, media->get_Width(&width));
    EXPECT_EQ(VideoHeight, media->get_Height(&height));
    EXPECT_EQ(VideoWidth, width);
    EXPECT_EQ(VideoHeight, height);
    EXPECT_EQ(4 * 1000 / VideoRate, media->GetDuration(&duration));
}

TEST_F(MediaPlayer, DrawsTheFrameOfEachPosition)
{
    ASSERT_EQ(1, OpenFile("colours.avi"));
    EXPECT_EQ(Red, FramePixelAfter(&CMedia::Home));
    EXPECT_EQ(Green, FramePixelAfter(&CMedia::Next));
    EXPECT_EQ(White, FramePixelAfter(&CMedia::End));
    EXPECT_EQ(Blue, FramePixelAfter(&CMedia::Back));
}

TEST_F(MediaPlayer, UpdateDrawsAtTheFramesOwnSizeOrStretched)
{
    ASSERT_EQ(1, OpenFile("colours.avi"));
    TestCanvas canvas(80, 60, Background);
    media->Update(canvas.Dc(), -1, -1);
    EXPECT_EQ(Red, canvas.Pixel(VideoWidth - 1, VideoHeight - 1));
    EXPECT_EQ(Background, canvas.Pixel(VideoWidth, VideoHeight));
    media->Update(canvas.Dc(), 64, 48);
    EXPECT_EQ(Red, canvas.Pixel(63, 47));
    EXPECT_EQ(Background, canvas.Pixel(64, 48));
}

TEST_F(MediaPlayer, AVideoPlayRepaintsTheWindowAndEnds)
{
    ASSERT_EQ(1, OpenFile("colours.avi"));
    media->SetXYWH(0, 0, VideoWidth, VideoHeight);
    media->Play();
    ASSERT_TRUE(owner.WaitForEnds(1));
    EXPECT_GT(owner.Paints(), 0);
    TestCanvas canvas(VideoWidth, VideoHeight, Background);
    media->Update(canvas.Dc(), -1, -1);
    EXPECT_EQ(White, canvas.Pixel(0, 0)) << "the last frame after the play";
}

TEST_F(MediaPlayer, ALoopingPlayGoesOnUntilStopped)
{
    ASSERT_EQ(1, OpenFile("colours.avi"));
    media->SetLoop(1);
    media->Play();
    PumpFor(3 * 4 * 1000 / VideoRate);
    EXPECT_EQ(-1, Playing());
    EXPECT_EQ(0, owner.Ends());
    media->Stop();
    EXPECT_EQ(0, Playing());
}

TEST_F(MediaPlayer, WndCommandStartsAndStopsOnTheControlBarAndTheSpaceKey)
{
    ASSERT_EQ(1, OpenFile("colours.avi"));
    media->SetLoop(1);
    long bar = 0;
    ASSERT_GT(media->get_ControlbarHeight(&bar), 0);
    media->SetXYWH(0, 0, VideoWidth, VideoHeight + bar);
    const LPARAM inBar = MAKELPARAM(5, VideoHeight + bar / 2), inPicture = MAKELPARAM(5, 5);
    long handled = -1;
    media->ShowControlBar();
    EXPECT_EQ(S_OK, media->WndCommand(owner.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, inPicture, &handled));
    EXPECT_EQ(0, handled);
    media->WndCommand(owner.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, inBar, &handled);
    EXPECT_EQ(1, handled);
    EXPECT_EQ(-1, Playing());
    media->WndCommand(owner.Handle(), WM_KEYDOWN, VK_SPACE, 0, &handled);
    EXPECT_EQ(1, handled);
    EXPECT_EQ(0, Playing());
    media->HideControlBar();
    media->WndCommand(owner.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, inBar, &handled);
    EXPECT_EQ(0, handled);
    EXPECT_EQ(0, Playing());
}

TEST_F(MediaPlayer, SaveAsCopiesTheMedia)
{
    ASSERT_EQ(1, OpenFile("tone.wav"));
    long saved = 0;
    EXPECT_EQ(1, media->SaveAs(Bstr(scratch / "copy.wav"), &saved));
    EXPECT_EQ(1, saved);
    EXPECT_EQ(scratch.Read("tone.wav"), scratch.Read("copy.wav"));
}

TEST_F(MediaPlayer, PuttingTheFileNameOpensIt)
{
    EXPECT_EQ(S_OK, media->put_Filename(Bstr(scratch / "colours.avi")));
    long width = 0;
    EXPECT_EQ(VideoWidth, media->get_Width(&width));
}

TEST_F(MediaPlayer, CloseLeavesTheClientUsable)
{
    ASSERT_EQ(1, OpenFile("colours.avi"));
    EXPECT_EQ(S_OK, media->Close());
    int active = 1;
    media->isActivate(&active);
    EXPECT_EQ(0, active);
    TestCanvas canvas(8, 8, Background);
    media->Update(canvas.Dc(), -1, -1);
    EXPECT_EQ(Background, canvas.Pixel(0, 0));
    EXPECT_EQ(1, OpenFile("tone.wav"));
}

TEST_F(MediaPlayer, ASecondClientIsServedAlongsideTheFirst)
{
    CMedia second;
    ASSERT_TRUE(second.Active());
    ASSERT_EQ(1, OpenFile("colours.avi"));
    long opened = 0;
    EXPECT_EQ(1, second.Open(Bstr(scratch / "tone.wav"), &opened));
    long width = -1;
    EXPECT_EQ(VideoWidth, media->get_Width(&width));
    EXPECT_EQ(0, second.get_Width(&width));
}

// With the classes removed and no server running, clients are inactive and every call
// does nothing.
class MediaServerUnregistered : public MediaTest {
protected:
    void SetUp() override
    {
        MediaTest::SetUp();
        ASSERT_EQ(0u, RunMediaServer("/UNREGSERVER"));
    }
    void TearDown() override { EXPECT_EQ(0u, RunMediaServer("/REGSERVER")); }
};

TEST_F(MediaServerUnregistered, LeavesClientsInactive)
{
    EXPECT_EQ("", ClassServerPath(PlayerClass));
    EXPECT_EQ("", ClassServerPath(ModuleClass));
    // A server still running from earlier tests would serve its classes without the keys;
    // it ends a few seconds after its last object.
    ASSERT_TRUE(WaitForServerExit(15000));
    std::unique_ptr<CMedia> media(new CMedia);
    ASSERT_FALSE(media->Active());
    long value = 77;
    EXPECT_EQ(0, media->GetDuration(&value));
    EXPECT_EQ(77, value);
    EXPECT_EQ(0, media->Open(Bstr("tone.wav"), &value));
    EXPECT_EQ(77, value);
    int playing = 5;
    media->isPlaying(&playing);
    EXPECT_EQ(5, playing);
    EXPECT_EQ(0, media->Play());
    CMediaModule module;
    EXPECT_FALSE(module.Active());
    EXPECT_EQ(0, module.IsQuickTime4Install());
    EXPECT_EQ(0, module.Init());
}

// A page showing a film again and again without the server: each refused client gives back
// every handle it took, also in a process whose server once answered (the suites above).
TEST_F(MediaServerUnregistered, FilmsOpenedAgainAndAgainLeaveNoHandle)
{
    ASSERT_TRUE(WaitForServerExit(15000));
    ScratchDir scratch;
    scratch.Write("colours.avi", AviFile(VideoWidth, VideoHeight, VideoRate, {Red, Green}));
    const auto openFilm = [&] {
        CMedia media;
        long opened = 0;
        return !media.Active() && media.Open(Bstr(scratch / "colours.avi"), &opened) == 0;
    };
    // A first refusal sets up what the process keeps whatever the count.
    ASSERT_TRUE(openFilm());
    const DWORD handlesBefore = ProcessHandleCount(GetCurrentProcessId());
    constexpr int Films = 100;
    for (int film = 0; film < Films; ++film)
        ASSERT_TRUE(openFilm()) << "film " << film;
    EXPECT_EQ(handlesBefore, ProcessHandleCount(GetCurrentProcessId())) << "after " << Films << " films";
}

}  // namespace
