// Image series: intervals, walking over the frames that could be had, pictures held, adding
// and moving files, the end of a play, painting and the timer message.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>

#include "anim.h"
#include "message_pump.h"
#include "pacing_clock.h"
#include "scratch_dir.h"
#include "test_canvas.h"
#include "test_window.h"

namespace {

// A 2 x 2 BMP file of one colour.
std::string PictureOf(COLORREF colour)
{
    std::string bytes(54, '\0');
    auto put = [&bytes](size_t at, uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(2, 54 + 16, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, 2, 4);
    put(22, 2, 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (int row = 0; row < 2; ++row) {
        for (int x = 0; x < 2; ++x) {
            bytes += static_cast<char>(GetBValue(colour));
            bytes += static_cast<char>(GetGValue(colour));
            bytes += static_cast<char>(GetRValue(colour));
        }
        bytes += std::string(2, '\0');
    }
    return bytes;
}

// The names are the local files themselves; a name never written cannot be had.
const AnimFetch LOCAL = [](const std::string& name) { return name; };

class AnimTest : public testing::Test {
protected:
    // `count` frames named f0.bmp ...; those in `missing` are not written.
    void MakeFrames(ANIM& anim, int count, std::vector<int> missing = {})
    {
        for (int i = 0; i < count; ++i) {
            const std::string name = "f" + std::to_string(i) + ".bmp";
            if (std::find(missing.begin(), missing.end(), i) == missing.end())
                scratch_.Write(name, PictureOf(RGB(10 * i, 0, 0)));
            anim.AddFrame(scratch_ / name);
        }
        anim.FetchAll(LOCAL);
    }
    ScratchDir scratch_{"anim"};
};

TEST_F(AnimTest, TheIntervalComesFromTheFrameRate)
{
    const struct { int fps, interval; } cases[] = {{0, 200}, {-4, 200}, {3, 333}, {25, 40}, {1000, 1}};
    for (const auto& c : cases) {
        ANIM anim;
        anim.SetFrameRate(c.fps);
        EXPECT_EQ(c.interval, anim.Interval()) << c.fps;
    }
}

TEST_F(AnimTest, WalksOverTheFramesThatCouldBeHadWithAndWithoutWrap)
{
    ANIM anim;
    MakeFrames(anim, 5, {0, 2});
    EXPECT_EQ(AnimFrame::Unavailable, anim.Frame(2).availability);
    EXPECT_EQ("", anim.Frame(2).local);
    const struct { int from; bool wrap; int next, previous; } cases[] = {
        {1, false, 3, -1}, {1, true, 3, 4}, {3, false, 4, 1}, {4, false, -1, 3}, {4, true, 1, 3}, {-1, true, -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + (c.wrap ? " wrap" : ""));
        EXPECT_EQ(c.next, anim.NextAvailable(c.from, c.wrap));
        EXPECT_EQ(c.previous, anim.PreviousAvailable(c.from, c.wrap));
    }
    EXPECT_EQ(1, anim.FirstAvailable());
    EXPECT_EQ(4, anim.LastAvailable());
    EXPECT_EQ(-1, anim.FirstNotFetched());
    ANIM single;
    MakeFrames(single, 1);
    EXPECT_EQ(-1, single.NextAvailable(0, true));
}

TEST_F(AnimTest, StepsFollowTheLoopFlag)
{
    ANIM anim;
    MakeFrames(anim, 3);
    anim.Play();
    EXPECT_EQ(0, anim.Current());
    EXPECT_EQ(0, anim.StepPrevious());
    anim.SetLoop(true);
    EXPECT_EQ(1, anim.StepPrevious());
    EXPECT_EQ(2, anim.Current());
    EXPECT_EQ(1, anim.StepNext());
    EXPECT_EQ(0, anim.Current());
    EXPECT_EQ(2, anim.Previous());
}

TEST_F(AnimTest, TwentyPicturesAreAllHeldTwentyOneOnlyTheCurrent)
{
    for (int count : {20, 21}) {
        SCOPED_TRACE(count);
        ANIM anim;
        MakeFrames(anim, count, {0});
        anim.Play();
        EXPECT_EQ(1, anim.Current());
        const int held = count > ANIM_HELD_PICTURES ? 1 : count - 1;
        EXPECT_EQ(held, anim.LoadedPictures());
        EXPECT_EQ(count > ANIM_HELD_PICTURES, anim.OnDemand());
        for (int step = 0; step < 5; ++step)
            anim.StepNextNoWrap();
        EXPECT_EQ(6, anim.Current());
        EXPECT_EQ(held, anim.LoadedPictures());
        EXPECT_TRUE(anim.Frame(6).loaded);
    }
}

TEST_F(AnimTest, APlayStopsOnItsLastAvailableFrame)
{
    ANIM anim;
    MakeFrames(anim, 4, {3});
    anim.Play();
    EXPECT_TRUE(anim.Advance());
    EXPECT_TRUE(anim.Advance());
    EXPECT_FALSE(anim.Advance());
    EXPECT_EQ(2, anim.Current());
    EXPECT_EQ(ANIM::Stopped, anim.GetState());
}

TEST_F(AnimTest, FilesAreAddedAsFramesAndToTheListBox)
{
    HWND list = CreateWindowExA(0, "LISTBOX", "", WS_POPUP | LBS_NOTIFY, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                                nullptr);
    ANIM anim;
    EXPECT_EQ(0, anim.AddFiles(list, ""));
    EXPECT_EQ(1, anim.AddFiles(list, std::string("ftp://host/pics\0a.gif\0b.gif\0", 29).c_str()));
    EXPECT_EQ(1, anim.AddFiles(list, std::string("C:\\pics\0c.bmp\0\0", 16).c_str()));
    EXPECT_EQ(1, anim.AddFiles(list, std::string("D:\\one\\d.png\0", 13).c_str()));
    ASSERT_EQ(4, anim.Count());
    EXPECT_EQ("ftp://host/pics/a.gif", anim.Frame(0).name);
    EXPECT_EQ("ftp://host/pics/b.gif", anim.Frame(1).name);
    EXPECT_EQ("C:\\pics\\c.bmp", anim.Frame(2).name);
    EXPECT_EQ("D:\\one\\d.png", anim.Frame(3).name);
    EXPECT_EQ(3, anim.Current());
    ASSERT_EQ(4, SendMessageA(list, LB_GETCOUNT, 0, 0));
    char text[64];
    SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ("a.gif", text);
    SendMessageA(list, LB_GETTEXT, 3, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ("d.png", text);
    EXPECT_STREQ("C:\\pics\\c.bmp", reinterpret_cast<const char*>(SendMessageA(list, LB_GETITEMDATA, 2, 0)));
    EXPECT_EQ(3, SendMessageA(list, LB_GETCURSEL, 0, 0));
    DestroyWindow(list);
}

TEST_F(AnimTest, MovesAFrameToAnotherPlace)
{
    ANIM anim;
    for (const char* name : {"a", "b", "c", "d"})
        anim.AddFrame(name);
    auto order = [&anim] {
        std::string names;
        for (int i = 0; i < anim.Count(); ++i)
            names += anim.Frame(i).name;
        return names;
    };
    EXPECT_EQ(1, anim.MoveFrame(0, 3));
    EXPECT_EQ("bcda", order());
    EXPECT_EQ(1, anim.MoveFrame(3, 1));
    EXPECT_EQ("bacd", order());
    for (auto bad : {std::pair{1, 1}, std::pair{-1, 2}, std::pair{0, 4}})
        EXPECT_EQ(0, anim.MoveFrame(bad.first, bad.second));
    EXPECT_EQ("bacd", order());
}

TEST_F(AnimTest, ACopyHasTheFramesNotTheirPictures)
{
    ANIM anim;
    MakeFrames(anim, 3, {1});
    anim.SetFrameRate(4);
    anim.SetLoop(true);
    anim.Play();
    ANIM copy;
    copy.CopyFrom(anim);
    EXPECT_EQ(3, copy.Count());
    EXPECT_EQ(250, copy.Interval());
    EXPECT_TRUE(copy.Loop());
    EXPECT_EQ(ANIM::Stopped, copy.GetState());
    EXPECT_EQ(0, copy.LoadedPictures());
    EXPECT_EQ(AnimFrame::Unavailable, copy.Frame(1).availability);
    EXPECT_EQ(anim.Frame(2).local, copy.Frame(2).local);
}

LRESULT CALLBACK TimerTarget(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == QX_ANIM_TIMER) {
        SetWindowLongPtrA(window, GWLP_USERDATA, GetWindowLongPtrA(window, GWLP_USERDATA) + 1);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(AnimTest, PaintsTheCurrentPictureAndAsksForItsTimerWhilePlaying)
{
    HWND target = CreateTestWindow("AnimTarget", TimerTarget, WS_POPUP, nullptr, 10, 10);
    ANIM anim;
    MakeFrames(anim, 3);
    anim.SetRect(2, 3, 4, 4);
    anim.SetWindow(target);
    anim.SetFrameRate(50);
    TestCanvas canvas(10, 10, RGB(1, 1, 1));
    int backgrounds = 0;
    const auto background = [&backgrounds](HDC) { ++backgrounds; };
    anim.Paint(canvas.Dc(), background);
    EXPECT_EQ(1, backgrounds);
    EXPECT_EQ(-1, anim.TimerSlot());

    anim.Play();
    anim.StepNext();
    anim.Paint(canvas.Dc(), background);
    EXPECT_EQ(1, backgrounds);
    EXPECT_EQ(RGB(10, 0, 0), canvas.Pixel(2, 3));
    EXPECT_EQ(RGB(10, 0, 0), canvas.Pixel(5, 6));
    EXPECT_EQ(RGB(1, 1, 1), canvas.Pixel(6, 6));
    ASSERT_LE(0, anim.TimerSlot());
    EXPECT_TRUE(PumpUntil([&] { return GetWindowLongPtrA(target, GWLP_USERDATA) >= 1; }, 2000));
    // Until handled, no second message.
    EXPECT_TRUE(MillisecondTimers().Pending(anim.TimerSlot()));
    EXPECT_TRUE(anim.TimerHandled());
    EXPECT_TRUE(PumpUntil([&] { return GetWindowLongPtrA(target, GWLP_USERDATA) >= 2; }, 2000));
    anim.Stop();
    EXPECT_EQ(-1, anim.TimerSlot());
    EXPECT_EQ(0, MillisecondTimers().InUse());
    DestroyWindow(target);
}

}  // namespace
