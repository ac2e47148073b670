// Drives a modal window from inside its own message loop: every few milliseconds a thread
// timer hands this thread's active window to the current step, until the steps are done.
// Ten seconds after it began, a script closes whatever window is still active, so that a
// failing test ends instead of waiting for a user.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

class ModalScript {
public:
    // A step answers true when it is done with the window and the next may run.
    using Step = std::function<bool(HWND active)>;

    explicit ModalScript(std::vector<Step> steps);
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    bool Finished() const { return next_ == steps_.size(); }
    // Whether any window of this thread was ever active while the script ran.
    bool SawWindow() const { return sawWindow_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

    std::vector<Step> steps_;
    size_t next_ = 0;
    bool sawWindow_ = false;
    bool running_ = false;  // a step that opens a nested loop must not be re-entered
    DWORD started_;
    UINT_PTR timer_;
};
