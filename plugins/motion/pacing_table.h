// The tables of targets paced by a shared 5 ms tick: FLIC players, sent WM_TIMER when due
// but never while one of them still paints its last frame, and the millisecond timers of
// image series, sent their own message but never while one is still being handled. At most
// one target is served per tick, so drawing never queues up behind a slow paint.
//
// Plain code: the tick and the posting are handed in, so that the rules can be driven one
// tick at a time. The tick runs on the timer's thread, everything else on the UI thread; the
// lock guards the slots, and the tick does nothing under it but count, choose and post.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>

constexpr int PACING_SLOTS = 16;
constexpr int PACING_TICK_MS = 5;

// Starts and stops the periodic tick; the table runs it only while a slot is in use.
class PacingClock {
public:
    virtual ~PacingClock() = default;
    virtual void Start(std::function<void()> tick) = 0;
    virtual void Stop() = 0;
};

using PacingPost = std::function<void(HWND window, UINT message, WPARAM wParam, LPARAM lParam)>;

class PacingTable {
public:
    // Players: a target is held back by its own busy flag (a decoded frame not painted yet),
    // and while any is busy no target is served, though the countdown goes on.
    // Timers: a served target is pending until its owner has handled the message, and while
    // any is pending the tick does nothing at all.
    enum class Rule { Players, Timers };

    PacingTable(Rule rule, PacingClock& clock, PacingPost post);
    ~PacingTable();
    PacingTable(const PacingTable&) = delete;
    PacingTable& operator=(const PacingTable&) = delete;

    // The first free slot, or -1 when all are taken or there is no window. An interval of 0
    // counts as 1 ms. `busy` is the player's flag (Players, whose message is WM_TIMER with
    // lParam 0), null for timers.
    int Add(HWND window, UINT message, int intervalMs, LPARAM lParam, const std::atomic<bool>* busy = nullptr);
    // Frees the slot and sets the caller's index to -1; false for an index outside the table.
    bool Remove(int& index);
    bool SetPending(int index, bool pending);
    int InUse() const;
    bool Pending(int index) const;
    // One tick of PACING_TICK_MS milliseconds.
    void Tick();

private:
    struct Slot {
        bool inUse = false;
        bool pending = false;
        HWND window = nullptr;
        UINT message = 0;
        LPARAM lParam = 0;
        int interval = 0;
        int remaining = 0;
        const std::atomic<bool>* busy = nullptr;
    };
    bool HeldBack(const Slot& slot) const;
    int CountInUse() const;

    Rule rule_;
    PacingClock& clock_;
    PacingPost post_;
    mutable std::mutex lock_;
    Slot slots_[PACING_SLOTS];
};
