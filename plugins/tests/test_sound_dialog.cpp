// The sound's settings dialog driven as an author drives it: what "OK" keeps (within its
// limits), what "Annuler" leaves alone, the loop and branch controls, the open-file dialog,
// the library chooser and the preview played through the dialog.
#include "dialogdriver.h"
#include "pagehost.h"
#include "plugintest.h"

#include "accessors.h"
#include "branch.h"
#include "qxtmpl_api.h"
#include "sound/sound.h"
#include "sound/soundres.h"

#include <gtest/gtest.h>

#include <mmsystem.h>

namespace {

struct SoundOnPage {
    PageHost host;
    SOUND* sound = nullptr;

    explicit SoundOnPage(int loop = 1, int iterations = 2)
    {
        host.pub.Write("tone.wav", WavFile(300));
        sound = static_cast<SOUND*>(AllocFrom("qxaudio40.dll", host));
        sound->fileName = host.Page("tone.wav").c_str();
        sound->loaded = 1;
        sound->loop = loop;
        sound->iterations = iterations;
        sound->showDelay = 2.0;
        sound->GetBranch(0)->target = host.Page("b.pag").c_str();
    }
    ~SoundOnPage() { delete sound; }
};

constexpr int Marker = IDC_SOUND_FILE;

}  // namespace

TEST(SoundDialog, OkKeepsTheDelayAndTheIterationsWithinTheirLimits)
{
    struct Case { const char* delay; const char* iterations; double storedDelay; int storedIterations; };
    for (const Case& c : {Case{"75", "3", 60.0, 3}, Case{"-3", "0", 0.0, 1}, Case{"12.5", "2", 12.5, 2},
                          Case{"abc", "", 0.0, 1}, Case{"60", "999", 60.0, 999}}) {
        SCOPED_TRACE(std::string("delay ") + c.delay + ", iterations " + c.iterations);
        SoundOnPage page;
        DialogDriver driver(Marker, [&](HWND dialog) {
            SetText(dialog, IDC_SOUND_DELAY, c.delay);
            SetText(dialog, IDC_SOUND_ITERATIONS, c.iterations);
            Click(dialog, IDOK);
        });
        EXPECT_EQ(1, page.sound->Modify());
        EXPECT_TRUE(driver.Ran());
        EXPECT_DOUBLE_EQ(c.storedDelay, page.sound->showDelay);
        EXPECT_EQ(c.storedIterations, page.sound->iterations);
        EXPECT_EQ(1, page.sound->loop);
    }
}

TEST(SoundDialog, OpensWithTheSoundsSettings)
{
    SoundOnPage page(1, 4);
    std::string file, delay, iterations, target;
    bool loopTicked = false, stopEnabled = true, removeEnabled = false;
    DialogDriver driver(Marker, [&](HWND dialog) {
        file = ItemText(dialog, IDC_SOUND_FILE);
        delay = ItemText(dialog, IDC_SOUND_DELAY);
        iterations = ItemText(dialog, IDC_SOUND_ITERATIONS);
        target = ItemText(dialog, IDC_SOUND_TARGET);
        loopTicked = IsDlgButtonChecked(dialog, IDC_SOUND_LOOP) == BST_CHECKED;
        stopEnabled = IsEnabled(dialog, IDC_SOUND_STOP);
        removeEnabled = IsEnabled(dialog, IDC_SOUND_UNBRANCH);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(0, page.sound->Modify());
    EXPECT_EQ(page.host.Page("tone.wav"), file);
    EXPECT_EQ("2.0  ", delay);
    EXPECT_EQ("4", iterations);
    EXPECT_EQ(page.host.Page("b.pag"), target);
    EXPECT_TRUE(loopTicked);
    EXPECT_FALSE(stopEnabled);
    EXPECT_TRUE(removeEnabled);
}

TEST(SoundDialog, UntickingTheLoopBringsTheIterationsBackToOne)
{
    SoundOnPage page(1, 5);
    std::string shown;
    bool iterationsEnabled = true;
    DialogDriver driver(Marker, [&](HWND dialog) {
        SetCheck(dialog, IDC_SOUND_LOOP, false);
        shown = ItemText(dialog, IDC_SOUND_ITERATIONS);
        iterationsEnabled = IsEnabled(dialog, IDC_SOUND_ITERATIONS);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(1, page.sound->Modify());
    EXPECT_EQ("1", shown);
    EXPECT_FALSE(iterationsEnabled);
    EXPECT_EQ(0, page.sound->loop);
    EXPECT_EQ(1, page.sound->iterations);
}

TEST(SoundDialog, AnUnknownFileKeepsTheDialogOpenAndTheSoundUnchanged)
{
    SoundOnPage page;
    bool stillOpen = false;
    DialogDriver driver(Marker, [&](HWND dialog) {
        SetText(dialog, IDC_SOUND_FILE, page.host.Page("missing.wav"));
        Click(dialog, IDOK);
        stillOpen = IsWindow(dialog) && IsWindowVisible(dialog);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(0, page.sound->Modify());
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(2u, driver.Shown().size());
    EXPECT_EQ("Nom de fichier invalide", driver.Shown()[1].caption);
    EXPECT_NE(std::string::npos, driver.Shown()[1].text.find("Le fichier son est introuvable."));
    EXPECT_EQ(page.host.Page("tone.wav"), std::string(page.sound->fileName));
}

TEST(SoundDialog, CancelAfterChangesAndAPreviewLeavesTheSoundAsItWas)
{
    SoundOnPage page(1, 3);
    DialogDriver driver(Marker, [&](HWND dialog) {
        Click(dialog, IDC_SOUND_PLAY);
        SetText(dialog, IDC_SOUND_DELAY, "9");
        SetCheck(dialog, IDC_SOUND_LOOP, false);
        Click(dialog, IDC_SOUND_UNBRANCH);
        Click(dialog, IDC_SOUND_STOP);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(0, page.sound->Modify());
    EXPECT_EQ(1, page.sound->loop);
    EXPECT_EQ(3, page.sound->iterations);
    EXPECT_DOUBLE_EQ(2.0, page.sound->showDelay);
    EXPECT_EQ(page.host.Page("b.pag"), std::string(page.sound->GetBranch(0)->target));
    EXPECT_EQ(page.host.Page("tone.wav"), std::string(page.sound->fileName));
}

TEST(SoundDialog, RemovingTheBranchEmptiesItsTarget)
{
    SoundOnPage page;
    std::string target = "?";
    bool removeEnabled = true;
    DialogDriver driver(Marker, [&](HWND dialog) {
        Click(dialog, IDC_SOUND_UNBRANCH);
        target = ItemText(dialog, IDC_SOUND_TARGET);
        removeEnabled = IsEnabled(dialog, IDC_SOUND_UNBRANCH);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(1, page.sound->Modify());
    EXPECT_EQ("", target);
    EXPECT_FALSE(removeEnabled);
    EXPECT_EQ(0, page.sound->GetBranch(0)->target.length());
    EXPECT_FALSE(page.sound->GetBranch(0)->IsBranchingSomewhere());
}

TEST(SoundDialog, APreviewPlaysThroughTheDialogUntilStoppedOrOver)
{
    ASSERT_LT(0u, waveOutGetNumDevs());
    SoundOnPage page;
    // Long enough to be still playing after the notice of the stopped play has come in.
    page.host.pub.Write("long.wav", WavFile(4000));
    page.sound->fileName = page.host.Page("long.wav").c_str();
    struct Look { bool play, stop; };
    Look started{}, stopped{}, startedAgain{}, playingOn{}, over{};
    bool ended = false;
    DialogDriver driver(Marker, [&](HWND dialog) {
        auto look = [&] { return Look{IsEnabled(dialog, IDC_SOUND_PLAY), IsEnabled(dialog, IDC_SOUND_STOP)}; };
        Click(dialog, IDC_SOUND_PLAY);
        started = look();
        Click(dialog, IDC_SOUND_STOP);
        stopped = look();
        Click(dialog, IDC_SOUND_PLAY);
        startedAgain = look();
        PumpUntil([] { return false; }, 100);
        playingOn = look();
        ended = PumpUntil([&] { return IsEnabled(dialog, IDC_SOUND_PLAY); }, 10000);
        over = look();
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(0, page.sound->Modify());
    EXPECT_FALSE(started.play);
    EXPECT_TRUE(started.stop);
    EXPECT_TRUE(stopped.play);
    EXPECT_FALSE(stopped.stop);
    EXPECT_FALSE(startedAgain.play);
    EXPECT_TRUE(startedAgain.stop);
    EXPECT_FALSE(playingOn.play);
    EXPECT_TRUE(playingOn.stop);
    EXPECT_TRUE(ended);
    EXPECT_TRUE(over.play);
    EXPECT_FALSE(over.stop);
    EXPECT_EQ(0, page.sound->playing);
}

TEST(SoundDialog, TheLibraryGivesTheSoundFile)
{
    SoundOnPage page;
    ScratchDir library;
    library.Write("Sound\\bell.wav", WavFile(100));
    SetEnvironmentVariableA(QXTMPL_LIBRARY_VARIABLE, library.Path().c_str());
    std::string shown;
    bool chooserSeen = false;
    DialogDriver driver(
        Marker,
        ClickThenRead(IDC_SOUND_LIBRARY, IDC_SOUND_FILE, shown),
        [&](HWND other) {
            chooserSeen = chooserSeen || QxtmplIsChooser(other);
            return QxtmplIsChooser(other) && QxtmplSelectTemplate(other, "bell.wav") ? IDOK : IDCANCEL;
        });
    EXPECT_EQ(1, page.sound->Modify());
    SetEnvironmentVariableA(QXTMPL_LIBRARY_VARIABLE, nullptr);
    EXPECT_TRUE(chooserSeen);
    EXPECT_EQ(library / "Sound\\bell.wav", shown);
    EXPECT_EQ(library / "Sound\\bell.wav", std::string(page.sound->fileName));
}

TEST(SoundDialog, TheSoundKeepsItsWindowWhateverTheDialogEndsWith)
{
    for (const int ending : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(ending);
        PageHost host;
        host.pub.Write("tone.wav", WavFile(100));
        const RecordLines own = {"SOUND {", "10 50 48 48", ".\\tone.wav", "0", "1", "}"};
        const RecordLines root = ObjectRecord("QXSHEET.DLL", 1, "NULL", NoBranch(), PageBlock("A", 255, 255, 255));
        host.pub.Write("a.pag", PageFile({root, ObjectRecord("QXAUDIO.DLL", 0, "son", NoBranch(), own)}));
        ASSERT_EQ(1, host.Go("a.pag"));
        ExpectWindowKeptThroughDialog(host, "son", Marker, ending);
    }
}

TEST(SoundDialog, TheOpenFileDialogGivesTheSoundFile)
{
    SoundOnPage page;
    page.host.pub.Write("other.wav", WavFile(100));
    const std::string other = page.host.Page("other.wav");
    std::string shown;
    DialogDriver driver(
        Marker,
        ClickThenRead(IDC_SOUND_CHOOSE, IDC_SOUND_FILE, shown),
        [&](HWND open) { return OpenFileNamed(open, other); });
    EXPECT_EQ(1, page.sound->Modify());
    EXPECT_EQ(other, shown);
    EXPECT_EQ(other, std::string(page.sound->fileName));
}
