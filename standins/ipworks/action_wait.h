// What every running action shares: its interruption, its time-out and the waiting that keeps
// the driving thread's windows alive. Thread messages that arrive meanwhile are taken aside and
// queued again when the action ends, so that the driving thread sees them in their order.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <vector>

class ActionWait {
public:
    bool Running() const { return running_; }
    // Asks the running action to stop at its next wait; also from another thread than the
    // driving one, which notices within a wait slice.
    void Interrupt() { interrupted_ = running_.load(); }
    bool Interrupted() const { return interrupted_; }
    void SetTimeout(int seconds) { timeoutSeconds_ = seconds; }
    // The moment after which a wait without progress fails, counted from now.
    DWORD Deadline() const;
    // Waits for the socket's event, the deadline or a message, whichever comes first (at most
    // a short slice, so a missed wake-up costs little), and runs the window messages. 0 to
    // try again, IPWORKS_INTERRUPTED or IPWORKS_TIMEOUT.
    int Wait(WSAEVENT event, DWORD deadline);
    // Runs the window messages waiting now, without waiting.
    void ServeWindows();
    // The same between two blocks of a transfer, which a fast connection never makes wait:
    // IPWORKS_INTERRUPTED when a handler asked for an interruption meanwhile, else 0.
    int ServeBetweenBlocks();

    // Marks the action's start and end; the end queues the thread messages taken aside.
    void Begin();
    void End();

private:
    std::atomic<bool> running_{false};
    std::atomic<bool> interrupted_{false};
    int timeoutSeconds_ = 60;
    std::vector<MSG> threadMessages_;
};

// Begin and End for one scope.
class RunningAction {
public:
    explicit RunningAction(ActionWait& wait) : wait_(wait) { wait_.Begin(); }
    ~RunningAction() { wait_.End(); }
    RunningAction(const RunningAction&) = delete;
    RunningAction& operator=(const RunningAction&) = delete;

private:
    ActionWait& wait_;
};
