// An animation made from start to end as an author makes one: added to a page in edit mode
// with its settings dialog, a series of real pictures, both branches set in the kernel's
// branch dialog and a sound track of recorded voices; the page saved, read again and played,
// the voices coming at their frames.
#include "dialogdriver.h"
#include "motion_pages.h"
#include "plugintest.h"

#include "accessors.h"
#include "branch.h"
#include "motion/anim.h"
#include "motion/flc.h"
#include "motion/motionres.h"
#include "pagefiles.h"
#include "sample_files.h"

#include "../../kernel/authoring/branchedit_res.h"

#include <gtest/gtest.h>

#include <mmsystem.h>

#include <set>

namespace {

using ADDANM = void (*)(KERNEL*, int);

const std::vector<std::string> Logos = {"aix.png", "amiga.gif", "apple.jpg", "beos.png"};
const std::vector<std::string> Voices = {"Front_Center.wav", "Front_Left.wav"};

void WritePublication(PageHost& host)
{
    for (const std::string& logo : Logos)
        host.pub.Write(logo, ReadWholeFile("Z:\\usr\\share\\nagios\\htdocs\\images\\logos\\base\\" + logo));
    for (const std::string& voice : Voices)
        host.pub.Write(voice, ReadWholeFile("Z:\\usr\\share\\sounds\\alsa\\" + voice));
    host.pub.Write("b.pag", PageFile({ObjectRecord("QXSHEET.DLL", 0, "NULL", NoBranch(), PageBlock("B", 0, 0, 0))}));
    host.pub.Write("c.pag", PageFile({ObjectRecord("QXSHEET.DLL", 0, "NULL", NoBranch(), PageBlock("C", 0, 0, 0))}));
}

bool IsBranchDialog(HWND dialog)
{
    return GetDlgItem(dialog, IDC_BRANCH_TARGET) && GetDlgItem(dialog, IDC_BRANCH_PROGRAMMER);
}

// The track dialog: a voice at frame 1, the other at frame 3.
void FillTrack(HWND track, const PageHost& host)
{
    PumpUntil([] { return false; }, 20);
    Click(track, IDC_TRACK_ADD);
    SetText(track, IDC_TRACK_FRAME_EDIT, "1");
    SetText(track, IDC_TRACK_FILE_EDIT, host.Page(Voices[0]));
    Click(track, IDC_TRACK_CONFIRM);
    PumpUntil([] { return false; }, 20);
    Click(track, IDC_TRACK_ADD);
    SetText(track, IDC_TRACK_FRAME_EDIT, "3");
    SetText(track, IDC_TRACK_FILE_EDIT, host.Page(Voices[1]));
    Click(track, IDC_TRACK_CONFIRM);
    PumpUntil([] { return false; }, 20);
    Click(track, IDOK);
}

}  // namespace

TEST(MotionAuthoring, AnAnimationMadeSavedReadAgainAndPlayedWithItsVoices)
{
    ASSERT_LT(0u, waveOutGetNumDevs());
    PageHost host;
    WritePublication(host);
    host.pub.Write("a.pag", PageFile({ObjectRecord("QXSHEET.DLL", 0, "NULL", NoBranch(), PageBlock("A", 255, 255, 255))}));
    KernSetMode(host, QX_MODE_EDIT_BIT);
    ASSERT_EQ(1, host.Go("a.pag"));
    host.kernel->scnPath = (host.pub.Path() + "\\").c_str();

    int branchDialogs = 0;
    DialogDriver driver(
        IDC_SET_SERIES_MODE,
        [&](HWND dialog) {
            Click(dialog, IDC_SET_ADD_IMAGES);
            Click(dialog, IDC_SET_CLICK_BRANCH);
            Click(dialog, IDC_SET_END_BRANCH);
            Click(dialog, IDC_SET_SOUNDS);
            SetText(dialog, IDC_SET_FPS, "4");
            Click(dialog, IDOK);
        },
        [&](HWND other) {
            if (FileNameBox(other)) {
                std::string names;
                for (const std::string& logo : Logos)
                    names += "\"" + logo + "\" ";
                return OpenFileNamed(other, names);
            }
            if (IsTrackDialog(other)) {
                RunOnActiveDialog([&](HWND track) { FillTrack(track, host); });
                return 0;
            }
            if (IsBranchDialog(other)) {
                const std::string target = host.Page(++branchDialogs == 1 ? "b.pag" : "c.pag");
                RunOnActiveDialog([target](HWND branch) {
                    SetText(branch, IDC_BRANCH_TARGET, target);
                    // The target box tells of its change once painted; here at once.
                    SendMessageA(branch, WM_COMMAND, MAKEWPARAM(IDC_BRANCH_TARGET, EN_CHANGE),
                                 reinterpret_cast<LPARAM>(GetDlgItem(branch, IDC_BRANCH_TARGET)));
                    Click(branch, IDOK);
                });
                return 0;
            }
            return IDCANCEL;
        });
    PluginExport<ADDANM>("qxmotion40.dll", "AddAnm")(host, 0);
    ASSERT_TRUE(driver.Ran());
    EXPECT_EQ(2, branchDialogs);
    OBJET* top = KernGetTopObjet(host);
    ASSERT_EQ(1, top->GetChildItems());
    auto* made = static_cast<FLC*>(top->GetChild(0));
    ASSERT_TRUE(made->anim);
    EXPECT_EQ(4, made->anim->Count());
    EXPECT_EQ(2u, made->soundTrack.size());
    EXPECT_EQ(4, made->framesPerSecond);

    ASSERT_EQ(1, KernSave(host));
    const std::string saved = host.pub.Read("a.pag");
    for (const std::string& line : std::vector<std::string>{"FILES {\r\n.\\aix.png\r\n.\\amiga.gif\r\n.\\apple.jpg\r\n.\\beos.png\r\n}",
                                    "SOUNDTRACK [\r\n1\r\n.\\Front_Center.wav\r\n3\r\n.\\Front_Left.wav\r\n]",
                                    ".\\b.pag", ".\\c.pag"})
        EXPECT_NE(std::string::npos, saved.find(line)) << line << "\n" << saved;

    // Read again by another kernel and played.
    PageHost player;
    WritePublication(player);
    player.pub.Write("a.pag", saved);
    ShowWindow(player.view, SW_SHOWNA);
    ShowWindow(player.host, SW_SHOWNA);
    ASSERT_EQ(1, player.Go("a.pag"));
    auto* flc = static_cast<FLC*>(KernGetTopObjet(player)->GetChild(0));
    ASSERT_TRUE(flc && flc->anim);
    EXPECT_EQ(4, flc->anim->Count());
    EXPECT_EQ(player.Page("b.pag"), std::string(flc->GetBranch(0)->target));
    EXPECT_EQ(player.Page("c.pag"), std::string(flc->GetBranch(1)->target));
    // Each voice opens as the series reaches its frame (the image of that index).
    std::set<std::string> heard;
    std::set<int> heardAt;
    PumpUntil([&] {
        if ((flc->soundMedia || flc->soundDevice) && flc->currentSound.length() &&
            heard.insert(static_cast<const char*>(flc->currentSound)).second)
            heardAt.insert(flc->anim->Current());
        return heard.size() == 2 || player.Shown() != "A";
    }, 10000);
    EXPECT_EQ((std::set<std::string>{player.Page(Voices[0]), player.Page(Voices[1])}), heard);
    EXPECT_EQ((std::set<int>{1, 3}), heardAt);
}
