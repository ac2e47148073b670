// Animations on live pages: a FLIC shows its frames in turn, loops its count and then takes
// its end branch in run mode only, answers its control bar, and plays its sound track with
// the shared sound device freed at the end of each sound.
#include "pagehost.h"

#include "accessors.h"
#include "dialog_answerer.h"
#include "sample_files.h"
#include "stand_in_internet.h"
#include "flictest.h"
#include "motion/anim.h"
#include "motion/flc.h"
#include "motion/flic_player.h"

#include <gtest/gtest.h>

#include <mmsystem.h>

#include <map>
#include <set>

namespace {

std::string FixtureBytes(const char* name) { return ReadWholeFile(FlicFixture(name)); }

// Branch 0 leads nowhere; branch 1, the end branch, to `page` when one is given.
RecordLines Branches(const std::string& page)
{
    const auto entry = [](const std::string& target) {
        return RecordLines{"BR [", "0", target, "NULL", "1", "1", "  0.0", "0", "0", "NULL", "NULL", "NULL", "NULL",
                           "NULL", "0", "]"};
    };
    RecordLines block = {"BRANCH {", "0", "BRANCHEX [", "2"};
    for (const std::string& target : {std::string("NULL"), page.empty() ? "NULL" : ".\\" + page}) {
        const RecordLines one = entry(target);
        block.insert(block.end(), one.begin(), one.end());
    }
    block.insert(block.end(), {"]", "}"});
    return block;
}

struct Animation {
    std::string media = ".\\anim.flc";
    int loop = 0, bar = 0, autoPlay = 1, loopCount = 1, fps = 100;
    int x = 10, y = 10, w = 64, h = 48;
    RecordLines track;
};

RecordLines FlcBlock(const Animation& a)
{
    const auto four = [](int p, int q, int r, int s) {
        return std::to_string(p) + " " + std::to_string(q) + " " + std::to_string(r) + " " + std::to_string(s);
    };
    RecordLines block = {"FLC {", four(a.x, a.y, a.w, a.h), a.media, "NULL", four(a.loop, a.bar, a.autoPlay, a.loopCount),
                         four(0, a.fps, 0, 1), "NULL"};
    if (!a.track.empty()) {
        block.push_back("SOUNDTRACK [");
        block.insert(block.end(), a.track.begin(), a.track.end());
        block.push_back("]");
    }
    block.push_back("}");
    return block;
}

void WritePublication(PageHost& host, const Animation& a, const std::string& endPage, const char* fixture = "ramp.flc")
{
    host.pub.Write("anim.flc", FixtureBytes(fixture));
    host.pub.Write("a.pag", PageFile({ObjectRecord("QXSHEET.DLL", 1, "NULL", NoBranch(), PageBlock("A", 255, 255, 255)),
                                      ObjectRecord("QXMOTION.DLL", 0, "anim", Branches(endPage), FlcBlock(a))}));
    host.pub.Write("b.pag", PageFile({ObjectRecord("QXSHEET.DLL", 0, "NULL", NoBranch(), PageBlock("B", 0, 0, 0))}));
}

FLC* Shown(const PageHost& host)
{
    return host.Shown() == "A" ? static_cast<FLC*>(KernFindObjetEx(host, "anim")) : nullptr;
}

}  // namespace

TEST(MotionPlaying, AFlicShowsTheEncodedFramesInTurn)
{
    for (const char* fixture : {"ramp.flc", "dots.fli"}) {
        SCOPED_TRACE(fixture);
        PageHost host;
        WritePublication(host, Animation(), "", fixture);
        ASSERT_EQ(1, host.Go("a.pag"));
        FLC* flc = Shown(host);
        ASSERT_TRUE(flc);
        std::map<int, FrameHashes> seen;
        ASSERT_TRUE(PumpUntil(
            [&] {
                if (flc->player)
                    seen.emplace(flc->player->Counter(), HashFrame(flc->player->Frame()));
                return flc->kind == FLC_KIND_FLIC && flc->player && !flc->playing;
            },
            5000));
        EXPECT_EQ(1, flc->loopsPlayed);
        const std::vector<ShownFrame> rows = ShownIn(fixture);
        const int frames = flc->player->Frames();
        ASSERT_EQ(static_cast<size_t>(frames), seen.size());
        for (int k = 0; k < frames; ++k) {
            EXPECT_EQ(rows[k].pixels, seen[k].pixels) << k;
            EXPECT_EQ(rows[k].palette, seen[k].palette) << k;
        }
    }
}

TEST(MotionPlaying, TheEndBranchIsTakenAtTheThirdEndInRunModeOnly)
{
    PageHost host;
    Animation a;
    a.loop = 1;
    a.loopCount = 3;
    WritePublication(host, a, "b.pag");
    ASSERT_EQ(1, host.Go("a.pag"));
    int mostPlayed = 0;
    EXPECT_TRUE(PumpUntil(
        [&] {
            if (FLC* flc = Shown(host))
                mostPlayed = std::max(mostPlayed, flc->loopsPlayed);
            return host.Shown() == "B";
        },
        10000));
    EXPECT_EQ(2, mostPlayed);

    PageHost editing;
    WritePublication(editing, a, "b.pag");
    KernSetMode(editing, QX_MODE_EDIT_BIT);
    ASSERT_EQ(1, editing.Go("a.pag"));
    FLC* flc = Shown(editing);
    ASSERT_TRUE(flc);
    flc->SetProperties(1013, "");
    PumpUntil([] { return false; }, 1000);
    EXPECT_EQ("A", editing.Shown());
    EXPECT_EQ(0, flc->playing);
    EXPECT_EQ(0, flc->loopsPlayed);
}

TEST(MotionPlaying, TheControlBarStartsAndStopsAndHasItsRoom)
{
    PageHost host;
    Animation a;
    a.bar = 1;
    a.autoPlay = 0;
    a.w = 60;
    a.h = 15;
    a.fps = 20;
    WritePublication(host, a, "");
    ASSERT_EQ(1, host.Go("a.pag"));
    FLC* flc = Shown(host);
    ASSERT_TRUE(flc && flc->controlBar);
    EXPECT_EQ(FLC_CONTROL_BAR_MIN_WIDTH, flc->w);
    EXPECT_EQ(FLC_CONTROL_BAR_HEIGHT, flc->h);
    EXPECT_EQ(0, flc->playing);
    for (BBUTTON* button : flc->buttons)
        EXPECT_NE(nullptr, button);
    SendMessageA(flc->controlBar, WM_COMMAND, 10003, 0);
    EXPECT_EQ(1, flc->playing);
    EXPECT_TRUE(flc->player->IsPlaying());
    EXPECT_TRUE(PumpUntil([&] { return flc->player->Counter() >= 2; }, 3000));
    SendMessageA(flc->controlBar, WM_COMMAND, 10002, 0);
    EXPECT_EQ(0, flc->playing);
    EXPECT_FALSE(flc->player->IsPlaying());
    const int stopped = flc->player->Counter();
    SendMessageA(flc->controlBar, WM_COMMAND, 10004, 0);
    EXPECT_EQ(stopped + 1, flc->player->Counter());
    SendMessageA(flc->controlBar, WM_COMMAND, 10001, 0);
    EXPECT_EQ(stopped, flc->player->Counter());
    SendMessageA(flc->controlBar, WM_COMMAND, 10000, 0);
    EXPECT_EQ(0, flc->player->Counter());
    // The page drawn shows the bar's grey strip along the object's bottom.
    HBITMAP page = host.Render();
    ASSERT_TRUE(page);
    EXPECT_EQ(RGB(192, 192, 192), PixelOf(page, flc->x + 50, flc->y + flc->h - 10));
    DeleteObject(page);
}

TEST(MotionPlaying, TrackEntriesPlayTheirSoundAndFreeTheSoundDevice)
{
    ASSERT_LT(0u, waveOutGetNumDevs());
    PageHost host;
    host.pub.Write("tone.wav", WavFile(300));
    Animation a;
    a.fps = 10;
    a.track = {"3", ".\\tone.wav"};
    WritePublication(host, a, "");
    ASSERT_EQ(1, host.Go("a.pag"));
    FLC* flc = Shown(host);
    ASSERT_TRUE(flc);
    bool sounded = false, locked = false;
    EXPECT_TRUE(PumpUntil(
        [&] {
            sounded = sounded || flc->soundDevice != 0 || flc->soundMedia != nullptr;
            locked = locked || flc->soundLock != 0;
            return sounded && flc->soundDevice == 0 && !flc->soundMedia;
        },
        5000));
    EXPECT_TRUE(sounded);
    // Played through MCI, the sound held the device while it played.
    EXPECT_TRUE(locked);
    EXPECT_EQ(0, flc->soundLock);
    // Freed: another object may take the device at once.
    OBJET other(host, nullptr);
    EXPECT_EQ(1, KernLockId(host, &other, FLC_SOUND_DEVICE, 1));
    KernUnlockId(host, FLC_SOUND_DEVICE);
}

TEST(MotionPlaying, ASeriesOfTwentyOnePicturesSkipsTheMissingOneAndEndsIntoItsBranch)
{
    PageHost host;
    RecordLines names = {"FILES {"};
    for (int i = 0; i < 21; ++i) {
        const std::string name = "p" + std::to_string(i) + ".bmp";
        if (i != 5)
            host.pub.Write(name, BmpFile(8, 8, [i](int, int) { return RGB(10 * i, 100, 0); }));
        names.push_back(".\\" + name);
    }
    names.push_back("}");
    Animation a;
    a.fps = 50;
    RecordLines block = FlcBlock(a);
    block.erase(block.begin() + 2);
    block.insert(block.begin() + 2, names.begin(), names.end());
    host.pub.Write("a.pag", PageFile({ObjectRecord("QXSHEET.DLL", 1, "NULL", NoBranch(), PageBlock("A", 255, 255, 255)),
                                      ObjectRecord("QXMOTION.DLL", 0, "anim", Branches("b.pag"), block)}));
    host.pub.Write("b.pag", PageFile({ObjectRecord("QXSHEET.DLL", 0, "NULL", NoBranch(), PageBlock("B", 0, 0, 0))}));
    // The missing picture is searched for when the page is read: the search is cancelled.
    DialogAnswerer answerer(IDCANCEL);
    // A series is paced from its paints: its page is on screen.
    ShowWindow(host.view, SW_SHOWNA);
    ASSERT_EQ(1, host.Go("a.pag"));
    FLC* flc = Shown(host);
    ASSERT_TRUE(flc && flc->anim);
    std::vector<int> shown;
    int mostHeld = 0;
    bool pictureMatched = true;
    EXPECT_TRUE(PumpUntil(
        [&] {
            if (host.Shown() != "A")
                return true;
            const int current = flc->anim->Current();
            if (shown.empty() || shown.back() != current) {
                shown.push_back(current);
                int held = 0;
                for (int i = 0; i < flc->anim->Count(); ++i)
                    held += flc->anim->Frame(i).loaded ? 1 : 0;
                mostHeld = std::max(mostHeld, held);
                HBITMAP page = host.Render();
                pictureMatched = pictureMatched && page &&
                                 PixelOf(page, flc->x + 4, flc->y + 4) == RGB(10 * current, 100, 0);
                DeleteObject(page);
            }
            return false;
        },
        10000));
    EXPECT_EQ("B", host.Shown());
    std::vector<int> expected;
    for (int i = 0; i < 21; ++i)
        if (i != 5)
            expected.push_back(i);
    EXPECT_EQ(expected, shown);
    EXPECT_EQ(1, mostHeld);
    EXPECT_TRUE(pictureMatched);
}

TEST(MotionPlaying, DamagedFlicsPlayAndLoopWithoutHarm)
{
    const std::string good = FixtureBytes("ramp.flc");
    auto withWord = [](std::string bytes, size_t at, int value) {
        bytes[at] = static_cast<char>(value & 0xFF);
        bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
        return bytes;
    };
    std::vector<std::pair<std::string, std::string>> files = {
        {"cut in the first frame", good.substr(0, 128 + 40)},
        {"cut in a later frame", good.substr(0, good.size() * 2 / 3)},
        {"0 x 0", withWord(withWord(good, 8, 0), 10, 0)},
        {"5000 x 5000", withWord(withWord(good, 8, 5000), 10, 5000)},
        {"absurd frame size", withWord(withWord(good, 128, 0xFFFF), 130, 0x7FFF)},
        {"header only", good.substr(0, 128)},
        {"figlet's control file", ReadWholeFile("Z:\\usr\\share\\figlet\\646-fr.flc")},
    };
    // Seeded mutations of bytes after the header.
    uint32_t seed = 12345;
    for (int file = 0; file < 6; ++file) {
        std::string bytes = good;
        for (int change = 0; change < 20; ++change) {
            seed = seed * 1103515245u + 12345u;
            bytes[128 + (seed >> 8) % (bytes.size() - 128)] = static_cast<char>(seed >> 24);
        }
        files.emplace_back("mutation " + std::to_string(file), bytes);
    }
    for (const auto& [what, bytes] : files) {
        SCOPED_TRACE(what);
        PageHost host;
        Animation a;
        a.loop = 1;
        a.fps = 200;
        WritePublication(host, a, "");
        host.pub.Write("anim.flc", bytes);
        ASSERT_EQ(1, host.Go("a.pag"));
        PumpUntil([] { return false; }, 300);
        FLC* flc = Shown(host);
        ASSERT_TRUE(flc);
        // Still answering its commands.
        EXPECT_EQ(flc->kind == FLC_KIND_FLIC ? 1 : 0, flc->SetProperties(1010, ""));
    }
}

namespace {

std::string SampleFilm()
{
    return ReadWholeFile(SampleFile("film.avi"));
}

}  // namespace

TEST(MotionPlaying, TwoFilmsOnAPagePlayThroughMciAndEndIntoTheEndBranch)
{
    PageHost host;
    const std::string film = SampleFilm();
    ASSERT_FALSE(film.empty());
    host.pub.Write("one.avi", film);
    host.pub.Write("two.avi", film);
    Animation first, second;
    first.media = ".\\one.avi";
    second.media = ".\\two.avi";
    second.x = 200;
    host.pub.Write("a.pag", PageFile({ObjectRecord("QXSHEET.DLL", 2, "NULL", NoBranch(), PageBlock("A", 255, 255, 255)),
                                      ObjectRecord("QXMOTION.DLL", 0, "anim", Branches("b.pag"), FlcBlock(first)),
                                      ObjectRecord("QXMOTION.DLL", 0, "other", Branches(""), FlcBlock(second))}));
    host.pub.Write("b.pag", PageFile({ObjectRecord("QXSHEET.DLL", 0, "NULL", NoBranch(), PageBlock("B", 0, 0, 0))}));
    // A film starts from its window's paint: the page is on screen.
    ShowWindow(host.view, SW_SHOWNA);
    ShowWindow(host.host, SW_SHOWNA);
    DialogAnswerer answerer;
    ASSERT_EQ(1, host.Go("a.pag"));
    auto* one = static_cast<FLC*>(KernFindObjetEx(host, "anim"));
    auto* two = static_cast<FLC*>(KernFindObjetEx(host, "other"));
    ASSERT_TRUE(one && two);
    // Both open at once: their MCI aliases differ.
    EXPECT_EQ(FLC_KIND_MEDIA, one->kind);
    EXPECT_EQ(FLC_KIND_MEDIA, two->kind);
    if (!one->media && !two->media) {
        EXPECT_NE(0u, one->mciDevice);
        EXPECT_NE(0u, two->mciDevice);
        EXPECT_STRNE(one->mciAlias, two->mciAlias);
    }
    // The film moves: its red bar is drawn at more than one place while it plays.
    std::set<int> barAt;
    const bool moved = PumpUntil(
        [&] {
            if (host.Shown() != "A")
                return false;
            HBITMAP page = host.Render();
            for (int x = 0; x < one->w; ++x) {
                const COLORREF c = PixelOf(page, one->x + x, one->y + 20);
                if (GetRValue(c) > 150 && GetBValue(c) < 100) {
                    barAt.insert(x);
                    break;
                }
            }
            DeleteObject(page);
            return barAt.size() >= 2;
        },
        5000);
    EXPECT_TRUE(moved) << barAt.size();
    EXPECT_TRUE(PumpUntil([&] { return host.Shown() == "B"; }, 15000))
        << "playing " << one->playing << ", play pending " << one->mediaPlayPending << ", loops " << one->loopsPlayed;
    EXPECT_TRUE(answerer.Shown().empty());
}

TEST(MotionPlaying, ARemoteFlicOpensOnceItHasArrived)
{
    StandInInternet internet;
    ASSERT_TRUE(internet.Bound());
    internet.server.Write("served.flc", FixtureBytes("ramp.flc"));
    PageHost host;
    Animation a;
    a.media = internet.Address("HTTP://", "served.flc");
    WritePublication(host, a, "");
    DialogAnswerer answerer;
    ASSERT_EQ(1, host.Go("a.pag"));
    FLC* flc = Shown(host);
    ASSERT_TRUE(flc);
    // Not there yet when the page comes up: the object waits for the file's notice.
    EXPECT_EQ(FLC_KIND_NONE, flc->kind);
    EXPECT_EQ(FLC_KIND_FLIC, flc->waitingKind);
    EXPECT_TRUE(PumpUntil([&] { return flc->kind == FLC_KIND_FLIC && flc->player; }, 10000));
    EXPECT_NE(0, flc->mediaLocal.length());
    EXPECT_EQ(13, flc->player ? flc->player->Width() : 0);
    EXPECT_TRUE(answerer.Shown().empty());
}

TEST(MotionPlaying, LeavingThePageStopsTheAnimationAndComingBackStartsItAgain)
{
    PageHost host;
    Animation a;
    a.loop = 1;
    a.fps = 20;
    WritePublication(host, a, "");
    ASSERT_EQ(1, host.Go("a.pag"));
    FLC* flc = Shown(host);
    ASSERT_TRUE(flc);
    EXPECT_TRUE(PumpUntil([&] { return flc->playing && flc->player && flc->player->Counter() >= 2; }, 3000));
    ASSERT_EQ(1, host.Go("b.pag"));
    EXPECT_EQ(0, flc->playing);
    EXPECT_TRUE(!flc->player || !flc->player->IsPlaying());
    ASSERT_EQ(1, host.Go("a.pag"));
    ASSERT_EQ(flc, Shown(host));
    EXPECT_EQ(1, flc->playing);
    ASSERT_TRUE(flc->player);
    EXPECT_TRUE(flc->player->IsPlaying());
}

TEST(MotionPlaying, AFilmStepsByFiveFramesAndGoesHome)
{
    PageHost host;
    host.pub.Write("one.avi", SampleFilm());
    Animation a;
    a.media = ".\\one.avi";
    a.autoPlay = 0;
    host.pub.Write("a.pag", PageFile({ObjectRecord("QXSHEET.DLL", 1, "NULL", NoBranch(), PageBlock("A", 255, 255, 255)),
                                      ObjectRecord("QXMOTION.DLL", 0, "anim", Branches(""), FlcBlock(a))}));
    ASSERT_EQ(1, host.Go("a.pag"));
    FLC* flc = Shown(host);
    ASSERT_TRUE(flc);
    if (flc->media)
        GTEST_SKIP() << "played by the media server";
    ASSERT_NE(0u, flc->mciDevice);
    MCI_SET_PARMS frames{};
    frames.dwTimeFormat = MCI_FORMAT_FRAMES;
    ASSERT_EQ(0u, mciSendCommandA(flc->mciDevice, MCI_SET, MCI_SET_TIME_FORMAT, reinterpret_cast<DWORD_PTR>(&frames)));
    const auto position = [flc] {
        MCI_STATUS_PARMS status{};
        status.dwItem = MCI_STATUS_POSITION;
        mciSendCommandA(flc->mciDevice, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&status));
        return static_cast<int>(status.dwReturn);
    };
    const struct { long command; int position; } steps[] = {{1014, 5}, {1014, 10}, {1011, 5}, {1010, 0}};
    for (const auto& step : steps) {
        EXPECT_EQ(1, flc->SetProperties(step.command, ""));
        EXPECT_EQ(step.position, position()) << step.command;
        EXPECT_EQ(0, flc->playing);
    }
    // Played, then stopped: it stays where it stopped.
    ShowWindow(host.view, SW_SHOWNA);
    ShowWindow(host.host, SW_SHOWNA);
    EXPECT_EQ(1, flc->SetProperties(1013, ""));
    EXPECT_TRUE(PumpUntil([&] { return position() >= 3; }, 5000));
    EXPECT_EQ(1, flc->SetProperties(1012, ""));
    const int stopped = position();
    PumpUntil([] { return false; }, 400);
    EXPECT_EQ(stopped, position());
    EXPECT_EQ(0, flc->playing);
}
