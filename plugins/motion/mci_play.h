// A sound's MCI device played to its end on a thread of the module's own.
//
// Played with MCI_NOTIFY, an MCI driver plays on a thread of its own and posts the end before
// that thread has left the driver: a device closed at once on that notice, the last one of its
// driver, unloads the driver under the thread still running in it. Played with MCI_WAIT on a
// thread of ours, the driver is done when the call returns; the end is then posted to the
// window as MCI posts it, and stopping waits for the thread, so the device may be closed
// right after.
#pragma once

#include <windows.h>

#include <atomic>

class MciPlay {
public:
    MciPlay() = default;
    ~MciPlay() { Stop(); }
    MciPlay(const MciPlay&) = delete;
    MciPlay& operator=(const MciPlay&) = delete;

    // Plays `device` from where it stands; at its end MM_MCINOTIFY comes to `window`, with
    // MCI_NOTIFY_SUCCESSFUL (MCI_NOTIFY_FAILURE when the play failed) and the device.
    void Start(UINT device, HWND window);
    // Stops the play and waits for its thread; no notice comes from it afterwards.
    void Stop();
    // Whether an MM_MCINOTIFY of `device` is this play's end, not that of an earlier play of
    // a device that had the same number.
    bool Ended(UINT device) const { return thread_ && device == device_ && ended_; }

private:
    static DWORD WINAPI Run(void* self);

    HANDLE thread_ = nullptr;
    UINT device_ = 0;
    HWND window_ = nullptr;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> ended_{false};
};
