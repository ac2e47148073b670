// The animation's settings dialog driven as an author drives it: what "OK" keeps within its
// limits, the warning of an animation without content, the layouts of both modes and the
// control bar's hold on auto-play.
#include "dialogdriver.h"
#include "motion_pages.h"
#include "plugintest.h"

#include "accessors.h"
#include "dialog_answerer.h"
#include "branch.h"
#include "motion/anim.h"
#include "motion/flc.h"
#include "motion/motionres.h"
#include "qxtmpl_api.h"
#include "test_programs.h"

#include <gtest/gtest.h>

#include <mmsystem.h>
#include <digitalv.h>

namespace {

// A FLIC shown on a live page, its settings dialog ready to open.
struct AnimationOnPage {
    PageHost host;
    FLC* flc = nullptr;

    explicit AnimationOnPage(const FlcRecord& record = Flic())
    {
        host.pub.Write("ramp.flc", FlicBytes("ramp.flc"));
        host.pub.Write("a.pag", AnimationPage({{"anim", record}}));
        EXPECT_EQ(1, host.Go("a.pag"));
        flc = static_cast<FLC*>(KernFindObjetEx(host, "anim"));
    }
    static FlcRecord Flic()
    {
        FlcRecord record;
        record.media = ".\\ramp.flc";
        record.loop = 1;
        record.loopCount = 4;
        return record;
    }
};

constexpr int Marker = IDC_SET_SERIES_MODE;

}  // namespace

TEST(MotionSettings, OkKeepsTheDelayAndTheLoopsWithinTheirLimits)
{
    struct Case { const char* delay; const char* loops; bool loop; double storedDelay; int storedLoops; };
    for (const Case& c : {Case{"75", "3", true, 60.0, 3}, Case{"-3", "0", true, 0.0, 1}, Case{"2.5", "7", false, 2.5, 1},
                          Case{"abc", "2", true, 0.0, 2}}) {
        SCOPED_TRACE(std::string("delay ") + c.delay + ", loops " + c.loops);
        AnimationOnPage page;
        ASSERT_TRUE(page.flc);
        DialogDriver driver(Marker, [&](HWND dialog) {
            SetText(dialog, IDC_SET_DELAY, c.delay);
            SetText(dialog, IDC_SET_LOOPS, c.loops);
            if (!c.loop)
                SetCheck(dialog, IDC_SET_LOOP, false);
            Click(dialog, IDOK);
        });
        EXPECT_EQ(1, page.flc->Modify());
        EXPECT_TRUE(driver.Ran());
        EXPECT_EQ(1u, driver.Shown().size());
        EXPECT_DOUBLE_EQ(c.storedDelay, page.flc->showDelay);
        EXPECT_EQ(c.storedLoops, page.flc->loopCount);
        EXPECT_EQ(c.loop ? 1 : 0, page.flc->loop);
    }
}

TEST(MotionSettings, AnEmptyNameIsRefusedWithTheFocusOnTheName)
{
    AnimationOnPage page;
    ASSERT_TRUE(page.flc);
    bool stillOpen = false;
    int focused = 0;
    DialogDriver driver(Marker, [&](HWND dialog) {
        SetText(dialog, IDC_SET_FILE, "");
        Click(dialog, IDOK);
        stillOpen = IsWindow(dialog) && IsWindowVisible(dialog);
        focused = GetDlgCtrlID(GetFocus());
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(0, page.flc->Modify());
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(IDC_SET_FILE, focused);
    ASSERT_EQ(2u, driver.Shown().size());
    EXPECT_EQ("Erreur de fichier", driver.Shown()[1].caption);
    EXPECT_NE(std::string::npos,
              driver.Shown()[1].text.find("Le fichier spécifié pour l'animation est introuvable."));
    EXPECT_EQ(page.host.Page("ramp.flc"), std::string(page.flc->mediaName));
}

TEST(MotionSettings, UntickingTheControlBarTicksAndLocksAutoPlay)
{
    FlcRecord record = AnimationOnPage::Flic();
    record.bar = 1;
    record.autoPlay = 0;
    AnimationOnPage page(record);
    ASSERT_TRUE(page.flc);
    bool before = true, ticked = false, locked = false, freed = false;
    DialogDriver driver(Marker, [&](HWND dialog) {
        before = IsDlgButtonChecked(dialog, IDC_SET_AUTOPLAY) == BST_CHECKED;
        SetCheck(dialog, IDC_SET_BAR, false);
        ticked = IsDlgButtonChecked(dialog, IDC_SET_AUTOPLAY) == BST_CHECKED;
        locked = !IsEnabled(dialog, IDC_SET_AUTOPLAY);
        SetCheck(dialog, IDC_SET_BAR, true);
        freed = IsEnabled(dialog, IDC_SET_AUTOPLAY);
        SetCheck(dialog, IDC_SET_BAR, false);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(1, page.flc->Modify());
    EXPECT_FALSE(before);
    EXPECT_TRUE(ticked);
    EXPECT_TRUE(locked);
    EXPECT_TRUE(freed);
    EXPECT_EQ(0, page.flc->controlBarFlag);
    EXPECT_EQ(1, page.flc->autoPlay);
}

// Which controls each mode shows and enables, with content and without.
TEST(MotionSettings, LayoutsOfBothModes)
{
    struct Look { bool shownFile, shownList, branch, loop, speed, sounds, play; };
    const auto look = [](HWND dialog) {
        return Look{IsWindowVisible(GetDlgItem(dialog, IDC_SET_FILE)) != FALSE,
                    IsWindowVisible(GetDlgItem(dialog, IDC_SET_IMAGES)) != FALSE,
                    IsEnabled(dialog, IDC_SET_CLICK_BRANCH), IsEnabled(dialog, IDC_SET_LOOP),
                    IsEnabled(dialog, IDC_SET_FPS), IsEnabled(dialog, IDC_SET_SOUNDS),
                    IsEnabled(dialog, IDC_SET_PREVIEW_PLAY)};
    };
    AnimationOnPage page;
    ASSERT_TRUE(page.flc);
    page.host.pub.Write("one.bmp", BmpFile(8, 6, [](int, int) { return RGB(0, 0, 255); }));
    page.host.pub.Write("two.bmp", BmpFile(8, 6, [](int, int) { return RGB(0, 255, 0); }));
    page.host.kernel->scnPath = (page.host.pub.Path() + "\\").c_str();
    Look file{}, fileEmpty{}, seriesEmpty{}, series{};
    DialogDriver driver(
        Marker,
        [&](HWND dialog) {
            file = look(dialog);
            SetText(dialog, IDC_SET_FILE, "");
            fileEmpty = look(dialog);
            SetCheck(dialog, IDC_SET_SERIES_MODE, true);
            seriesEmpty = look(dialog);
            Click(dialog, IDC_SET_ADD_IMAGES);
            series = look(dialog);
            Click(dialog, IDCANCEL);
        },
        [](HWND other) { return FileNameBox(other) ? OpenFileNamed(other, "\"one.bmp\" \"two.bmp\"") : IDCANCEL; });
    EXPECT_EQ(0, page.flc->Modify());
    EXPECT_TRUE(file.shownFile);
    EXPECT_FALSE(file.shownList);
    EXPECT_TRUE(file.branch);
    EXPECT_TRUE(file.loop);
    EXPECT_FALSE(file.speed);
    EXPECT_FALSE(file.sounds);
    EXPECT_TRUE(file.play);
    EXPECT_FALSE(fileEmpty.branch);
    EXPECT_FALSE(fileEmpty.loop);
    EXPECT_FALSE(fileEmpty.play);
    EXPECT_FALSE(seriesEmpty.shownFile);
    EXPECT_TRUE(seriesEmpty.shownList);
    EXPECT_FALSE(seriesEmpty.branch);
    EXPECT_FALSE(seriesEmpty.speed);
    EXPECT_FALSE(seriesEmpty.play);
    EXPECT_TRUE(series.shownList);
    EXPECT_TRUE(series.branch);
    EXPECT_TRUE(series.loop);
    EXPECT_TRUE(series.speed);
    EXPECT_TRUE(series.sounds);
    EXPECT_TRUE(series.play);
}

namespace {

// The chooser's child dialog that the animation library shows: its preview buttons.
HWND AnimationHook(HWND chooser) { return QxtmplHookHolding(chooser, IDC_PLAYANIM_START, IDC_PLAYANIM_STOP); }

int ChildCount(HWND window)
{
    int count = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ++count;
    return count;
}

}  // namespace

TEST(MotionSettings, TheLibraryGivesAnAnimationPreviewedInTheChooser)
{
    FlcRecord series;
    series.files = {"NULL"};
    AnimationOnPage page(series);
    ASSERT_TRUE(page.flc);
    ScratchDir library;
    library.Write("Animation\\ramp.flc", FlicBytes("ramp.flc"));
    SetEnvironmentVariableA(QXTMPL_LIBRARY_VARIABLE, library.Path().c_str());
    std::string shown;
    bool fileMode = false;
    int paneAdded = 0, paneLeft = -1;
    DialogDriver driver(
        Marker,
        [&](HWND dialog) {
            Click(dialog, IDC_SET_LIBRARY);
            shown = ItemText(dialog, IDC_SET_FILE);
            fileMode = IsDlgButtonChecked(dialog, IDC_SET_FILE_MODE) == BST_CHECKED;
            Click(dialog, IDOK);
        },
        [&](HWND other) {
            if (!QxtmplIsChooser(other) || !QxtmplSelectTemplate(other, "ramp.flc"))
                return IDCANCEL;
            const HWND hook = AnimationHook(other);
            if (!hook)
                return IDCANCEL;
            // The pane stands over the list's item, in the chooser.
            const int before = ChildCount(other);
            SendMessageA(hook, WM_COMMAND, IDC_PLAYANIM_START, 0);
            paneAdded = ChildCount(other) - before;
            SendMessageA(hook, WM_COMMAND, IDC_PLAYANIM_STOP, 0);
            paneLeft = ChildCount(other) - before;
            return IDOK;
        });
    EXPECT_EQ(1, page.flc->Modify());
    SetEnvironmentVariableA(QXTMPL_LIBRARY_VARIABLE, nullptr);
    EXPECT_EQ(library / "Animation\\ramp.flc", shown);
    EXPECT_TRUE(fileMode);
    EXPECT_LT(0, paneAdded);
    EXPECT_EQ(0, paneLeft);
    EXPECT_EQ(0, page.flc->series);
    EXPECT_EQ(library / "Animation\\ramp.flc", std::string(page.flc->mediaName));
}

TEST(MotionSettings, WithoutTheChooserTheLibraryChoosesNothing)
{
    AnimationOnPage page;
    ASSERT_TRUE(page.flc);
    const std::string chooser = TestProgramFolder() + "QXTMPL40.DLL";
    const std::string aside = chooser + ".aside";
    ASSERT_TRUE(MoveFileA(chooser.c_str(), aside.c_str()));
    std::string shown;
    DialogDriver driver(Marker, ClickThenRead(IDC_SET_LIBRARY, IDC_SET_FILE, shown));
    EXPECT_EQ(1, page.flc->Modify());
    MoveFileA(aside.c_str(), chooser.c_str());
    EXPECT_EQ(page.host.Page("ramp.flc"), shown);
    EXPECT_EQ(1u, driver.Shown().size());
}

// A new animation takes the size of its first film and stands in the middle of the page; a
// loaded one keeps its place.
TEST(MotionSettings, ANewObjectTakesItsFilmsSizeCentredOnThePage)
{
    for (const bool isNew : {true, false}) {
        SCOPED_TRACE(isNew ? "new" : "loaded");
        PageHost host;
        DialogAnswerer quiet;
        host.pub.Write("g1.avi", FilmBytes("real-g1.avi"));
        host.pub.Write("a.pag", AnimationPage({}));
        ShowWindow(host.view, SW_SHOWNA);
        ShowWindow(host.host, SW_SHOWNA);
        ASSERT_EQ(1, host.Go("a.pag"));
        OBJET* top = KernGetTopObjet(host);
        auto* flc = static_cast<FLC*>(AllocFrom("qxmotion40.dll", host));
        flc->SetParent(top);
        flc->OBJET::SetXYWH(7, 9, 320, 200);
        flc->loaded = isNew ? 0 : 1;
        flc->controlBarFlag = 1;
        DialogDriver driver(Marker, [&](HWND dialog) {
            SetText(dialog, IDC_SET_FILE, host.Page("g1.avi"));
            PumpUntil([] { return false; }, 300);
            Click(dialog, IDOK);
        });
        EXPECT_EQ(1, flc->Modify());
        // The film's own size, measured here by MCI as the preview measured it.
        MCI_OPEN_PARMSA open{};
        const std::string film = host.Page("g1.avi");
        open.lpstrElementName = film.c_str();
        ASSERT_EQ(0u, mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&open)));
        MCI_DGV_RECT_PARMS where{};
        mciSendCommandA(open.wDeviceID, MCI_WHERE, MCI_DGV_WHERE_SOURCE | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&where));
        mciSendCommandA(open.wDeviceID, MCI_CLOSE, MCI_WAIT, 0);
        ASSERT_LT(0, where.rc.right);
        EXPECT_EQ(where.rc.right, flc->w);
        // Plus the bar: the media server's own (16 pixels in the stand-in) or, through MCI, ours.
        const int bar = flc->h - where.rc.bottom;
        EXPECT_TRUE(bar == 16 || bar == 19) << bar;
        RECT page{};
        GetClientRect(top->window, &page);
        EXPECT_EQ(isNew ? (page.right - flc->w) / 2 : 7, flc->x);
        EXPECT_EQ(isNew ? (page.bottom - flc->h) / 2 : 9, flc->y);
        delete flc;
    }
}
