// A wave file played to its end for real (Wine's sound goes to a device that needs no
// hardware): the sound's branch is taken after the number of plays its loop asks for, and
// a looping sound without branch plays on.
#include "pagehost.h"

#include "accessors.h"
#include "sound/sound.h"

#include <gtest/gtest.h>

#include <mmsystem.h>

#include <algorithm>

namespace {

std::string SoundPage(int loop, int iterations, const RecordLines& branches)
{
    return PageFile({ObjectRecord("QXSHEET.DLL", 1, "NULL", NoBranch(), PageBlock("A", 255, 255, 255)),
                     ObjectRecord("QXAUDIO.DLL", 0, "son", branches,
                                  {"SOUND {", "10 10 48 48", ".\\tone.wav", std::to_string(loop),
                                   std::to_string(iterations), "}"})});
}

void WritePublication(const PageHost& host, int loop, int iterations, const RecordLines& branches)
{
    host.pub.Write("tone.wav", WavFile(500));
    host.pub.Write("a.pag", SoundPage(loop, iterations, branches));
    host.pub.Write("b.pag", PageFile({ObjectRecord("QXSHEET.DLL", 0, "NULL", NoBranch(),
                                                   PageBlock("B", 255, 255, 255))}));
}

// What the sound of the page shown did while page A was shown.
struct Watch {
    bool played = false;
    int mostPlays = 0;
};

void Look(const PageHost& host, Watch& watch)
{
    if (host.Shown() != "A")
        return;
    const auto* sound = static_cast<SOUND*>(KernFindObjetEx(host, "son"));
    if (!sound)
        return;
    watch.played = watch.played || sound->playing;
    watch.mostPlays = std::max(watch.mostPlays, sound->plays);
}

}  // namespace

TEST(SoundPlaying, TheBranchIsTakenAfterThePlaysTheLoopAsksFor)
{
    ASSERT_LT(0u, waveOutGetNumDevs());
    struct Case { int loop, iterations, playsCountedBefore; };
    // Without loop the branch is taken after the first play, whatever the iterations say.
    for (const Case& c : {Case{1, 3, 2}, Case{0, 3, 0}, Case{1, 1, 0}}) {
        SCOPED_TRACE("loop " + std::to_string(c.loop) + ", iterations " + std::to_string(c.iterations));
        PageHost host;
        WritePublication(host, c.loop, c.iterations, BranchTo("b.pag"));
        ASSERT_EQ(1, host.Go("a.pag"));
        Watch watch;
        EXPECT_TRUE(PumpUntil(
            [&] {
                Look(host, watch);
                return host.Shown() == "B";
            },
            10000));
        EXPECT_TRUE(watch.played);
        EXPECT_EQ(c.playsCountedBefore, watch.mostPlays);
    }
}

// The wave driver plays in a thread of its own that posts the end of the play just before it
// leaves the driver: closing the device on that report, when the page goes, must not unload
// the driver under that thread.
TEST(SoundPlaying, TheWaveDriverStaysLoadedAfterThePageOfItsSoundLeft)
{
    ASSERT_LT(0u, waveOutGetNumDevs());
    PageHost host;
    WritePublication(host, 0, 1, BranchTo("b.pag"));
    ASSERT_EQ(1, host.Go("a.pag"));
    ASSERT_TRUE(PumpUntil([&] { return host.Shown() == "B"; }, 10000));
    EXPECT_NE(nullptr, GetModuleHandleA("mciwave.dll"));
}

TEST(SoundPlaying, ALoopingSoundWithoutBranchPlaysOn)
{
    PageHost host;
    WritePublication(host, 1, 2, NoBranch());
    ASSERT_EQ(1, host.Go("a.pag"));
    Watch watch;
    EXPECT_TRUE(PumpUntil(
        [&] {
            Look(host, watch);
            return watch.mostPlays >= 3;
        },
        10000));
    EXPECT_EQ("A", host.Shown());
    EXPECT_TRUE(watch.played);
}
