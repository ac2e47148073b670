// The pacing rules driven one tick at a time: who is served on which tick, what holds the
// tick back, the slots, and when the shared timer runs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pacing_table.h"

namespace {

class CountingClock : public PacingClock {
public:
    void Start(std::function<void()>) override { ++starts; running = true; }
    void Stop() override { ++stops; running = false; }
    int starts = 0, stops = 0;
    bool running = false;
};

// What was posted on which tick: "tick:window".
struct Posts {
    int tick = 0;
    std::vector<std::string> seen;
    PacingPost Poster()
    {
        return [this](HWND window, UINT message, WPARAM, LPARAM lParam) {
            seen.push_back(std::to_string(tick) + ":" + std::to_string(reinterpret_cast<INT_PTR>(window)) + ":" +
                           std::to_string(message) + ":" + std::to_string(lParam));
        };
    }
};

HWND W(int n) { return reinterpret_cast<HWND>(static_cast<INT_PTR>(n)); }

class Pacing : public testing::Test {
protected:
    void Run(PacingTable& table, int ticks)
    {
        for (int i = 0; i < ticks; ++i) {
            ++posts.tick;
            table.Tick();
        }
    }
    CountingClock clock;
    Posts posts;
};

TEST_F(Pacing, PlayersOfFiftyAndHundredMillisecondsTakeTurnsTheLowerSlotFirstOnATie)
{
    PacingTable players(PacingTable::Rule::Players, clock, posts.Poster());
    EXPECT_EQ(0, players.Add(W(1), WM_TIMER, 50, 0));
    EXPECT_EQ(1, players.Add(W(2), WM_TIMER, 100, 0));
    Run(players, 45);
    const std::string timer = ":" + std::to_string(WM_TIMER) + ":0";
    EXPECT_EQ((std::vector<std::string>{"10:1" + timer, "20:1" + timer, "21:2" + timer, "30:1" + timer,
                                        "40:1" + timer, "41:2" + timer}),
              posts.seen);
}

TEST_F(Pacing, ABusyPlayerHoldsEveryoneBackButTheCountdownGoesOn)
{
    std::atomic<bool> busy{false};
    PacingTable players(PacingTable::Rule::Players, clock, posts.Poster());
    players.Add(W(1), WM_TIMER, 50, 0, &busy);
    players.Add(W(2), WM_TIMER, 20, 0);
    busy = true;
    Run(players, 12);
    EXPECT_TRUE(posts.seen.empty());
    busy = false;
    // Both are overdue: the most overdue first, one per tick.
    Run(players, 2);
    const std::string timer = ":" + std::to_string(WM_TIMER) + ":0";
    EXPECT_EQ((std::vector<std::string>{"13:2" + timer, "14:1" + timer}), posts.seen);
}

TEST_F(Pacing, APendingTimerStopsTheTickUntilItsOwnerHasHandledIt)
{
    PacingTable timers(PacingTable::Rule::Timers, clock, posts.Poster());
    const int slot = timers.Add(W(7), 1147, 50, 33);
    Run(timers, 10);
    EXPECT_EQ((std::vector<std::string>{"10:7:1147:33"}), posts.seen);
    EXPECT_TRUE(timers.Pending(slot));
    // No countdown while pending: the next message comes 50 ms after it was handled.
    Run(timers, 100);
    EXPECT_EQ(1u, posts.seen.size());
    EXPECT_TRUE(timers.SetPending(slot, false));
    Run(timers, 9);
    EXPECT_EQ(1u, posts.seen.size());
    Run(timers, 1);
    EXPECT_EQ("120:7:1147:33", posts.seen.back());
}

TEST_F(Pacing, SixteenSlotsThenMinusOne)
{
    for (auto rule : {PacingTable::Rule::Players, PacingTable::Rule::Timers}) {
        PacingTable table(rule, clock, posts.Poster());
        for (int i = 0; i < PACING_SLOTS; ++i)
            EXPECT_EQ(i, table.Add(W(i + 1), 1147, 10, 0));
        EXPECT_EQ(-1, table.Add(W(99), 1147, 10, 0));
        EXPECT_EQ(PACING_SLOTS, table.InUse());
        int freed = 5;
        EXPECT_TRUE(table.Remove(freed));
        EXPECT_EQ(5, table.Add(W(99), 1147, 10, 0));
    }
}

TEST_F(Pacing, TheTimerRunsOnlyWhileASlotIsInUse)
{
    PacingTable timers(PacingTable::Rule::Timers, clock, posts.Poster());
    int a = timers.Add(W(1), 1147, 10, 0);
    int b = timers.Add(W(2), 1147, 10, 0);
    EXPECT_EQ(1, clock.starts);
    EXPECT_TRUE(timers.Remove(a));
    EXPECT_EQ(-1, a);
    EXPECT_EQ(0, clock.stops);
    EXPECT_TRUE(timers.Remove(b));
    EXPECT_EQ(1, clock.stops);
    EXPECT_FALSE(clock.running);
    timers.Add(W(3), 1147, 10, 0);
    EXPECT_EQ(2, clock.starts);
    EXPECT_TRUE(clock.running);
}

TEST_F(Pacing, IndicesOutsideTheTableAreRefusedAndChangeNothing)
{
    PacingTable timers(PacingTable::Rule::Timers, clock, posts.Poster());
    timers.Add(W(1), 1147, 10, 0);
    for (int bad : {-1, PACING_SLOTS}) {
        int index = bad;
        EXPECT_FALSE(timers.Remove(index));
        EXPECT_EQ(bad, index);
        EXPECT_FALSE(timers.SetPending(bad, true));
    }
    EXPECT_EQ(1, timers.InUse());
    EXPECT_EQ(0, clock.stops);
}

TEST_F(Pacing, NoWindowNoSlotAndIntervalZeroIsOneMillisecond)
{
    PacingTable timers(PacingTable::Rule::Timers, clock, posts.Poster());
    EXPECT_EQ(-1, timers.Add(nullptr, 1147, 10, 0));
    EXPECT_EQ(0, clock.starts);
    timers.Add(W(4), 1147, 0, 0);
    Run(timers, 1);
    EXPECT_EQ((std::vector<std::string>{"1:4:1147:0"}), posts.seen);
}

}  // namespace
