// The countdown and choice of the paced targets.
#include "pacing_table.h"

#include <climits>

PacingTable::PacingTable(Rule rule, PacingClock& clock, PacingPost post)
    : rule_(rule), clock_(clock), post_(std::move(post))
{
}

PacingTable::~PacingTable()
{
    if (InUse() > 0)
        clock_.Stop();
}

int PacingTable::CountInUse() const
{
    int count = 0;
    for (const Slot& slot : slots_)
        count += slot.inUse ? 1 : 0;
    return count;
}

int PacingTable::InUse() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return CountInUse();
}

bool PacingTable::Pending(int index) const
{
    std::lock_guard<std::mutex> hold(lock_);
    return index >= 0 && index < PACING_SLOTS && slots_[index].pending;
}

int PacingTable::Add(HWND window, UINT message, int intervalMs, LPARAM lParam, const std::atomic<bool>* busy)
{
    if (!window)
        return -1;
    int index = -1;
    bool first = false;
    {
        std::lock_guard<std::mutex> hold(lock_);
        for (int i = 0; i < PACING_SLOTS && index < 0; ++i)
            if (!slots_[i].inUse)
                index = i;
        if (index < 0)
            return -1;
        Slot& slot = slots_[index];
        slot = Slot();
        slot.inUse = true;
        slot.window = window;
        slot.message = message;
        slot.lParam = lParam;
        slot.interval = intervalMs > 0 ? intervalMs : 1;
        slot.remaining = slot.interval;
        slot.busy = busy;
        first = CountInUse() == 1;
    }
    // Started outside the lock: a tick already on its way waits for it, not the other way.
    if (first)
        clock_.Start([this] { Tick(); });
    return index;
}

bool PacingTable::Remove(int& index)
{
    if (index < 0 || index >= PACING_SLOTS)
        return false;
    bool last = false;
    {
        std::lock_guard<std::mutex> hold(lock_);
        const bool wasUsed = slots_[index].inUse;
        slots_[index] = Slot();
        last = wasUsed && CountInUse() == 0;
    }
    index = -1;
    if (last)
        clock_.Stop();
    return true;
}

bool PacingTable::SetPending(int index, bool pending)
{
    if (index < 0 || index >= PACING_SLOTS)
        return false;
    std::lock_guard<std::mutex> hold(lock_);
    slots_[index].pending = pending;
    return true;
}

bool PacingTable::HeldBack(const Slot& slot) const
{
    if (rule_ == Rule::Players)
        return slot.busy && slot.busy->load();
    return slot.pending;
}

void PacingTable::Tick()
{
    std::lock_guard<std::mutex> hold(lock_);
    bool anyHeld = false;
    for (const Slot& slot : slots_)
        anyHeld = anyHeld || (slot.inUse && HeldBack(slot));
    if (anyHeld && rule_ == Rule::Timers)
        return;
    for (Slot& slot : slots_)
        if (slot.inUse)
            slot.remaining -= PACING_TICK_MS;
    if (anyHeld)
        return;
    // The most overdue target; the lower slot on a tie.
    int due = -1;
    int smallest = INT_MAX;
    for (int i = 0; i < PACING_SLOTS; ++i) {
        if (slots_[i].inUse && slots_[i].remaining < 1 && slots_[i].remaining < smallest) {
            smallest = slots_[i].remaining;
            due = i;
        }
    }
    if (due < 0)
        return;
    Slot& slot = slots_[due];
    slot.remaining = slot.interval;
    slot.pending = rule_ == Rule::Timers;
    post_(slot.window, slot.message, 0, slot.lParam);
}
