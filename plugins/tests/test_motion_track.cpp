// The sound-track dialog of an animation, reached from its settings dialog: entries edited
// in place and checked, the next free frame proposed, Enter and Escape in the editors, the
// track kept on "Annuler" and sorted on "OK", and the sound of a frame heard only in a play.
#include "dialogdriver.h"
#include "motion_pages.h"
#include "plugintest.h"

#include "accessors.h"
#include "motion/flc.h"
#include "motion/motionres.h"
#include "qxtmpl_api.h"
#include "test_programs.h"

#include <gtest/gtest.h>

#include <mmsystem.h>
#include <tlhelp32.h>

#include <functional>

namespace {

// Runs `script` on the sound-track dialog opened from the settings dialog of the page's
// animation, then ends the settings dialog with `ending`. The boxes shown meanwhile are
// answered with OK and listed in `boxes`.
int RunTrack(FLC* flc, std::function<void(HWND)> script, int ending, std::vector<std::string>* boxes = nullptr)
{
    DialogDriver driver(
        IDC_SET_SERIES_MODE,
        [&](HWND settings) {
            Click(settings, IDC_SET_SOUNDS);
            Click(settings, ending);
        },
        [&](HWND other) {
            if (IsTrackDialog(other)) {
                RunOnActiveDialog([&](HWND dialog) {
                    // The dialog finishes setting itself up through messages it posts to
                    // itself (slower on a first start): the script begins once they are done.
                    PumpUntil([] {
                        MSG pending;
                        return !PeekMessageA(&pending, nullptr, 0, 0, PM_NOREMOVE);
                    }, 5000);
                    script(dialog);
                });
                return 0;
            }
            return IDOK;
        });
    const int result = flc->Modify();
    if (boxes)
        for (size_t i = 1; i < driver.Shown().size(); ++i)
            if (driver.Shown()[i].caption != TRACK_DIALOG_CAPTION)
                boxes->push_back(driver.Shown()[i].text);
    return result;
}

struct TrackOnPage {
    PageHost host;
    FLC* flc = nullptr;

    TrackOnPage()
    {
        host.pub.Write("ramp.flc", FlicBytes("ramp.flc"));
        host.pub.Write("tone.wav", WavFile(3000));
        host.pub.Write("bip.wav", WavFile(3000));
        FlcRecord record;
        record.media = ".\\ramp.flc";
        record.autoPlay = 0;
        record.track = {"3", ".\\bip.wav", "1", ".\\tone.wav"};
        host.pub.Write("a.pag", AnimationPage({{"anim", record}}));
        EXPECT_EQ(1, host.Go("a.pag"));
        flc = static_cast<FLC*>(KernFindObjetEx(host, "anim"));
    }
};

std::vector<int> Frames(const FLC& flc)
{
    std::vector<int> frames;
    for (const SoundFrame& entry : flc.soundTrack)
        frames.push_back(entry.frame);
    return frames;
}

void Pump(int ms) { PumpUntil([] { return false; }, ms); }

int ListCount(HWND dialog) { return static_cast<int>(SendDlgItemMessageA(dialog, IDC_TRACK_LIST, LB_GETCOUNT, 0, 0)); }
// The editors' own visibility: on a slow start the script may run before the dialog manager has
// shown the dialog itself, which would make every child read as hidden.
bool EditorsShown(HWND dialog)
{
    return (GetWindowLongPtrA(GetDlgItem(dialog, IDC_TRACK_FRAME_EDIT), GWL_STYLE) & WS_VISIBLE) != 0;
}

// The editors come up and go through messages the dialog posts to itself: each step is waited
// for, however busy the machine.
void AddEntry(HWND dialog)
{
    Click(dialog, IDC_TRACK_ADD);
    PumpUntil([&] { return EditorsShown(dialog); }, 5000);
}

void EditorsGone(HWND dialog)
{
    PumpUntil([&] { return !EditorsShown(dialog); }, 5000);
    Pump(20);
}

}  // namespace

TEST(MotionTrack, EntriesAreCheckedBeforeTheyAreKept)
{
    struct Case { const char* frame; const char* file; const char* refusal; };
    TrackOnPage page;
    ASSERT_TRUE(page.flc);
    const std::string tone = page.host.Page("tone.wav"), missing = page.host.Page("absent.wav");
    const Case cases[] = {
        {"0", tone.c_str(), "Le numéro d'image est invalide."},
        {"7", tone.c_str(), "Le numéro d'image est invalide."},
        {"a", tone.c_str(), "Le numéro d'image est invalide."},
        {"2", "", "Le fichier de son est obligatoire."},
        {"2", missing.c_str(), "Le fichier de son spécifié est introuvable ou invalide."},
        {"3", tone.c_str(), "Le numéro d'image est déjà dans la liste."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.frame) + " " + c.file);
        std::vector<std::string> boxes;
        bool stillEditing = false;
        int focused = 0;
        const int result = RunTrack(page.flc, [&](HWND dialog) {
            AddEntry(dialog);
            SetText(dialog, IDC_TRACK_FRAME_EDIT, c.frame);
            SetText(dialog, IDC_TRACK_FILE_EDIT, c.file);
            Click(dialog, IDC_TRACK_CONFIRM);
            stillEditing = EditorsShown(dialog);
            focused = GetDlgCtrlID(GetFocus());
            Click(dialog, IDC_TRACK_CANCEL_EDIT);
            EditorsGone(dialog);
            Click(dialog, IDOK);
        }, IDOK, &boxes);
        EXPECT_EQ(1, result);
        EXPECT_TRUE(stillEditing);
        EXPECT_EQ(std::string(c.refusal).find("image") != std::string::npos ? IDC_TRACK_FRAME_EDIT
                                                                             : IDC_TRACK_FILE_EDIT,
                  focused);
        ASSERT_EQ(1u, boxes.size());
        EXPECT_NE(std::string::npos, boxes[0].find(c.refusal)) << boxes[0];
        EXPECT_EQ((std::vector<int>{1, 3}), Frames(*page.flc));
    }
}

TEST(MotionTrack, TheNextFreeFrameIsProposedAndOkSortsTheTrack)
{
    TrackOnPage page;
    ASSERT_TRUE(page.flc);
    std::string proposed, line;
    int count = 0;
    const int result = RunTrack(page.flc, [&](HWND dialog) {
        Pump(20);
        AddEntry(dialog);
        proposed = ItemText(dialog, IDC_TRACK_FRAME_EDIT);
        SetText(dialog, IDC_TRACK_FILE_EDIT, page.host.Page("tone.wav"));
        Click(dialog, IDC_TRACK_CONFIRM);
        Pump(20);
        count = ListCount(dialog);
        char text[600] = "";
        SendDlgItemMessageA(dialog, IDC_TRACK_LIST, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text));
        line = text;
        Click(dialog, IDOK);
    }, IDOK);
    EXPECT_EQ(1, result);
    EXPECT_EQ("2", proposed);
    EXPECT_EQ(3, count);
    EXPECT_EQ("2\t" + page.host.Page("tone.wav"), line);
    EXPECT_EQ((std::vector<int>{1, 2, 3}), Frames(*page.flc));
}

TEST(MotionTrack, EnterConfirmsEscapeCancelsAndCancelKeepsTheTrack)
{
    TrackOnPage page;
    ASSERT_TRUE(page.flc);
    bool afterEnter = true, afterEscape = true;
    int countAfterEnter = 0, countAfterEscape = 0;
    const int result = RunTrack(page.flc, [&](HWND dialog) {
        Pump(20);
        AddEntry(dialog);
        SetText(dialog, IDC_TRACK_FILE_EDIT, page.host.Page("tone.wav"));
        SendDlgItemMessageA(dialog, IDC_TRACK_FRAME_EDIT, WM_KEYUP, VK_RETURN, 0);
        EditorsGone(dialog);
        afterEnter = EditorsShown(dialog);
        countAfterEnter = ListCount(dialog);
        AddEntry(dialog);
        SendDlgItemMessageA(dialog, IDC_TRACK_FILE_EDIT, WM_KEYUP, VK_ESCAPE, 0);
        EditorsGone(dialog);
        afterEscape = EditorsShown(dialog);
        countAfterEscape = ListCount(dialog);
        Click(dialog, IDCANCEL);
    }, IDOK);
    EXPECT_EQ(1, result);
    EXPECT_FALSE(afterEnter);
    EXPECT_EQ(3, countAfterEnter);
    EXPECT_FALSE(afterEscape);
    EXPECT_EQ(3, countAfterEscape);
    EXPECT_EQ((std::vector<int>{3, 1}), Frames(*page.flc));
}

namespace {

bool MediaServerRunning()
{
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    bool running = false;
    for (BOOL more = Process32First(snapshot, &entry); more && !running; more = Process32Next(snapshot, &entry))
        running = lstrcmpiA(entry.szExeFile, QX_MEDIA_SERVER_PROGRAM) == 0;
    CloseHandle(snapshot);
    return running;
}

// The sounds of the track are played by MCI's wave devices.
int OpenSounds()
{
    char count[32] = "";
    mciSendStringA("sysinfo waveaudio quantity open", count, sizeof count, nullptr);
    return std::atoi(count);
}

}  // namespace

TEST(MotionTrack, AFramesSoundIsHeardOnlyWhileThePreviewPlays)
{
    ASSERT_LT(0u, waveOutGetNumDevs());
    // Without the media server the sounds open in this process, where they can be counted: its
    // classes are removed and a server still running is let go (it ends soon after its last object).
    ASSERT_EQ(0u, RunMediaServer("/UNREGSERVER"));
    ASSERT_TRUE(PumpUntil([] { return !MediaServerRunning(); }, 10000));
    TrackOnPage page;
    ASSERT_TRUE(page.flc);
    int stepped = -1, heard = 0;
    std::string shownWhilePlaying;
    RunTrack(page.flc, [&](HWND dialog) {
        Pump(20);
        // Stepped by hand to the frames of the track: nothing is heard.
        Click(dialog, IDC_TRACK_FORWARD);
        Click(dialog, IDC_TRACK_FORWARD);
        Pump(50);
        stepped = OpenSounds();
        Click(dialog, IDC_TRACK_REWIND);
        Click(dialog, IDC_TRACK_PLAY);
        PumpUntil([&] {
            heard = std::max(heard, OpenSounds());
            return heard > 0;
        }, 3000);
        Click(dialog, IDC_TRACK_STOP);
        Click(dialog, IDCANCEL);
    }, IDCANCEL);
    EXPECT_EQ(0u, RunMediaServer("/REGSERVER"));
    EXPECT_EQ(0, stepped);
    EXPECT_LT(0, heard);
}

TEST(MotionTrack, TheSoundLibraryFillsTheFileOfTheEntry)
{
    TrackOnPage page;
    ASSERT_TRUE(page.flc);
    ScratchDir library;
    library.Write("Sound\\bell.wav", WavFile(100));
    SetEnvironmentVariableA(QXTMPL_LIBRARY_VARIABLE, library.Path().c_str());
    std::string file;
    bool chooserSeen = false;
    DialogDriver driver(
        IDC_SET_SERIES_MODE,
        [&](HWND settings) {
            Click(settings, IDC_SET_SOUNDS);
            Click(settings, IDCANCEL);
        },
        [&](HWND other) {
            if (IsTrackDialog(other)) {
                RunOnActiveDialog([&](HWND track) {
                    AddEntry(track);
                    Click(track, IDC_TRACK_LIBRARY);
                    file = ItemText(track, IDC_TRACK_FILE_EDIT);
                    Click(track, IDC_TRACK_CANCEL_EDIT);
                    EditorsGone(track);
                    Click(track, IDCANCEL);
                });
                return 0;
            }
            chooserSeen = chooserSeen || QxtmplIsChooser(other);
            return QxtmplIsChooser(other) && QxtmplSelectTemplate(other, "bell.wav") ? IDOK : IDCANCEL;
        });
    EXPECT_EQ(0, page.flc->Modify());
    SetEnvironmentVariableA(QXTMPL_LIBRARY_VARIABLE, nullptr);
    EXPECT_TRUE(chooserSeen);
    EXPECT_EQ(library / "Sound\\bell.wav", file);
}

// In a series the frames are its pictures: the last one may carry a sound, none past it.
TEST(MotionTrack, ASeriesCountsItsPictures)
{
    PageHost host;
    host.pub.Write("tone.wav", WavFile(300));
    FlcRecord series;
    for (const char* name : {"un.bmp", "deux.bmp", "trois.bmp"}) {
        host.pub.Write(name, BmpFile(8, 6, [](int, int) { return RGB(200, 100, 0); }));
        series.files.push_back(std::string(".\\") + name);
    }
    host.pub.Write("a.pag", AnimationPage({{"serie", series}}));
    ASSERT_EQ(1, host.Go("a.pag"));
    auto* flc = static_cast<FLC*>(KernFindObjetEx(host, "serie"));
    ASSERT_TRUE(flc);
    std::vector<std::string> boxes;
    const int result = RunTrack(flc, [&](HWND dialog) {
        Pump(50);
        for (const char* frame : {"4", "3"}) {
            AddEntry(dialog);
            SetText(dialog, IDC_TRACK_FRAME_EDIT, frame);
            SetText(dialog, IDC_TRACK_FILE_EDIT, host.Page("tone.wav"));
            Click(dialog, IDC_TRACK_CONFIRM);
            Pump(20);
            if (EditorsShown(dialog)) {
                Click(dialog, IDC_TRACK_CANCEL_EDIT);
                Pump(20);
            }
        }
        Click(dialog, IDOK);
    }, IDOK, &boxes);
    EXPECT_EQ(1, result);
    ASSERT_EQ(1u, boxes.size());
    EXPECT_NE(std::string::npos, boxes[0].find("Le numéro d'image est invalide.")) << boxes[0];
    EXPECT_EQ(std::vector<int>{3}, Frames(*flc));
}
